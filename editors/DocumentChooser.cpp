#include "editors/DocumentChooser.h"

#include "platform/ui/shell/FileDialog.h"

namespace calyra {

namespace {

constexpr const char16_t kFileFilter[] = u"Word/Notes (*.psw;*.pwi;*.rtf;*.txt)\0*.psw;*.pwi;*.rtf;*.txt\0";

}  // namespace

std::optional<std::u16string> ChooseDocument(HWND owner, size_t capacity) {
  std::u16string path(capacity, u'\0');
  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.lpstrFilter = kFileFilter;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(capacity);
  request.Flags = OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameVL(&request)) return std::nullopt;
  path.resize(std::u16string_view(path.c_str()).size());
  return path;
}

}  // namespace calyra
