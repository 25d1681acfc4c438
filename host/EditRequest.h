#pragma once

#include <array>
#include <string>

#include "store/CPIMAppointment.h"

namespace calyra {

// One request for an editor, made by an export and freed by whoever handles it last.
struct EditRequest {
  static constexpr size_t kMaxCategories = 256;

  HWND owner = nullptr;  // the MainWindow
  int startPage = 0;
  bool hasFirstDate = false;
  SYSTEMTIME firstDate{};
  bool hasSecondDate = false;
  SYSTEMTIME secondDate{};
  std::u16string subject;
  std::array<WORD, kMaxCategories> categories{};
  WORD categoryCount = 0;
  ItemOid item = 0;
  ItemOid linkWith = 0;  // new-item value A
  bool noTemplate = false;
  bool summary = false;
  DWORD editValue = 0;
  WORD openScope = kOpenAsk;
  bool recurring = false;
  ItemOid project = 0;  // new-item value B
};

}  // namespace calyra
