#include "platform/ui/shell/FileDialog.h"

#include <string>

#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"

namespace {

struct FileDialogState : platform::ProcessState {
  DWORD lastError = 0;
};

DWORD& LastError() {
  return platform::System::Current().State<FileDialogState>().lastError;
}

// The filter's texts joined for the agent: "Notes|*.pwi|All|*.*".
std::u16string Filter(LPCWSTR filter) {
  std::u16string joined;
  for (const char16_t* at = filter; at && *at; at += platform::TextView(at).size() + 1) {
    if (!joined.empty()) joined += u'|';
    joined += platform::TextView(at, MAX_PATH);
  }
  return joined;
}

BOOL Run(OPENFILENAMEW* request, bool save) {
  LastError() = 0;
  if (!request || request->lStructSize < sizeof(OPENFILENAMEW) || !request->lpstrFile ||
      request->nMaxFile == 0) {
    LastError() = CDERR_STRUCTSIZE;
    return FALSE;
  }
  platform::FileDialogRequest ask;
  ask.save = save;
  ask.title = platform::TextView(request->lpstrTitle, MAX_PATH);
  ask.filter = Filter(request->lpstrFilter);
  ask.folder = platform::TextView(request->lpstrInitialDir, MAX_PATH);
  ask.name = platform::TextView(request->lpstrFile, request->nMaxFile);
  auto chosen = platform::CurrentUserAgent().ChooseFile(ask);
  if (!chosen) return FALSE;
  if (chosen->size() + 1 > request->nMaxFile) {
    LastError() = FNERR_BUFFERTOOSMALL;
    if (request->nMaxFile >= 2) request->lpstrFile[0] = static_cast<WCHAR>(chosen->size() + 1);
    return FALSE;
  }
  platform::BoundedCopy(request->lpstrFile, request->nMaxFile, *chosen);
  size_t slash = chosen->find_last_of(u"\\/");
  size_t name = slash == std::u16string::npos ? 0 : slash + 1;
  size_t dot = chosen->find_last_of(u'.');
  request->nFileOffset = static_cast<WORD>(name);
  request->nFileExtension = static_cast<WORD>(dot == std::u16string::npos || dot < name ? 0 : dot + 1);
  if (request->lpstrFileTitle && request->nMaxFileTitle) {
    platform::BoundedCopy(request->lpstrFileTitle, request->nMaxFileTitle,
                          std::u16string_view(*chosen).substr(name));
  }
  return TRUE;
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* request) {
  return Run(request, false);
}

BOOL GetSaveFileNameW(OPENFILENAMEW* request) {
  return Run(request, true);
}

BOOL GetOpenFileNameVL(OPENFILENAMEW* request) {
  if (!Run(request, false)) return FALSE;
  if (!(request->Flags & OFN_FILEMUSTEXIST)) return TRUE;
  DWORD attributes = GetFileAttributesW(request->lpstrFile);
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return TRUE;
  request->lpstrFile[0] = 0;
  return FALSE;
}

DWORD CommDlgExtendedError() {
  return LastError();
}
