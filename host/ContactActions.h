#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"
#include "store/ItemKind.h"

namespace calyra {

class Dialer;
class OptionStore;

// One row of the contact view's action list: its text and the data word that says what activating it
// does. A value too long for one row goes on over the rows that follow, each with the next line index.
struct ContactActionRow {
  // Row kinds.
  static constexpr DWORD kMail = 8;
  static constexpr DWORD kWeb = 16;
  static constexpr DWORD kPhone = 32;
  // Which of the view's three kept numbers a phone row dials instead of its own text.
  static constexpr std::array<DWORD, 3> kNumberChoices = {0x100, 0x200, 0x400};
  // Line index of a spanned value: one bit each from 0x10000 (line 0) to 0x800000 (line 7).
  static constexpr DWORD kFirstLine = 0x10000;
  static constexpr int kMaxLines = 8;

  DWORD data = 0;
  std::u16string text;

  bool Is(DWORD kind) const { return (data & kind) != 0; }
  // 0 to 2 for a row that dials a kept number, else -1.
  int NumberChoice() const;
  // 0 to 7 for a row of a spanned value, else -1.
  int Line() const;
  static DWORD LineBit(int line) { return kFirstLine << line; }
};

// The value of the row at `index`: the text of the first row of its value and of the rows that follow
// it with increasing line indexes, at most kMaxLines rows.
std::u16string ContactRowValue(const std::vector<ContactActionRow>& rows, size_t index);

// The rows of a value that spans several lines, each with its line index; a single line gets no index.
std::vector<ContactActionRow> SpanRows(DWORD kind, const std::vector<std::u16string>& lines);

// What activating a row did.
enum class ContactAction { None, Mail, Web, Dialled, DialRefused };

// The actions of the contact view: mail with the signature, the web page, dialling through the dialer
// library with the contact options, and the photo program.
class ContactActions {
 public:
  ContactActions(const OptionStore& options, const Dialer& dialer) : options_(options), dialer_(dialer) {}

  // The three numbers the view keeps for its contact, dialled by rows with a number choice.
  void SetNumbers(const std::array<std::u16string, 3>& numbers) { numbers_ = numbers; }
  ContactAction Activate(HWND owner, const std::vector<ContactActionRow>& rows, size_t index) const;
  // Whether the view offers to cancel a dial that started (the contact option for it).
  bool OffersDialCancel() const;
  void CancelDial() const;

 private:
  ContactAction Dial(HWND owner, const ContactActionRow& row, const std::u16string& value) const;

  const OptionStore& options_;
  const Dialer& dialer_;
  std::array<std::u16string, 3> numbers_;
};

// Starts the photo program beside the running program for the contact.
bool StartPhotoSelect(ItemOid contact);

}  // namespace calyra
