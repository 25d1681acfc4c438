#include "categories/IconFolderDialog.h"

#include "categories/CategoryFiles.h"
#include "editors/ControlText.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/shell/FileDialog.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

std::optional<std::u16string> IconFolderDialog::Choose(HWND owner, HINSTANCE resources) {
  if (Run(resources, resources::kDialogIconFolder, owner) != IDOK) return std::nullopt;
  return folder_;
}

// A file of the folder wanted is chosen; its folder is taken.
void IconFolderDialog::Browse() {
  std::u16string title = ResourceText(Resources(), resources::kStringCaption);
  WCHAR path[MAX_PATH] = {};
  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = Window();
  request.lpstrFilter = u"*.bmp\0*.bmp\0";
  request.lpstrFile = path;
  request.nMaxFile = MAX_PATH;
  request.lpstrInitialDir = folder_.c_str();
  request.lpstrTitle = title.c_str();
  if (!GetOpenFileNameW(&request)) return;
  std::u16string chosen(path);
  size_t slash = chosen.rfind(u'\\');
  SetWindowTextW(Item(resources::kIconFolderPath), chosen.substr(0, slash == 0 ? 1 : slash).c_str());
}

void IconFolderDialog::Accept() {
  std::u16string folder = WindowText(Item(resources::kIconFolderPath));
  if (folder.empty() || SameFolder(folder, CategoryIconFolder())) {
    MessageBeep(0);
    return;
  }
  folder_ = folder.substr(0, kFolderSettingChars - 1);
  EndDialog(Window(), IDOK);
}

INT_PTR IconFolderDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetWindowTextW(Item(resources::kIconFolderPath), folder_.c_str());
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case resources::kIconFolderBrowse:
      Browse();
      return TRUE;
    case IDOK:
      Accept();
      return TRUE;
    case IDCANCEL:
      EndDialog(Window(), IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace calyra
