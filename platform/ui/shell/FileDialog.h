#pragma once

#include "platform/ui/WindowTypes.h"

// The common file dialogs. The person's choice comes from the user agent (ChooseFile).

struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;  // pairs of zero-terminated texts, ended by an empty one
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPWSTR lpstrFile;  // in: the initial name; out: the path chosen
  DWORD nMaxFile;
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCWSTR lpstrDefExt;
  LPARAM lCustData;
  void* lpfnHook;
  LPCWSTR lpTemplateName;
};

inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
inline constexpr DWORD CDERR_STRUCTSIZE = 0x0001;

// FALSE when the person cancels (CommDlgExtendedError 0) or the path does not fit lpstrFile
// (FNERR_BUFFERTOOSMALL, and the first two characters of lpstrFile hold the size needed).
BOOL GetOpenFileNameW(OPENFILENAMEW* request);
BOOL GetSaveFileNameW(OPENFILENAMEW* request);
// The open dialog of the device's file-dialog library ("VLFileDlg"): the same request and answers,
// and with OFN_FILEMUSTEXIST a chosen path that names no file (or a folder) is refused as a cancel is.
BOOL GetOpenFileNameVL(OPENFILENAMEW* request);
DWORD CommDlgExtendedError();
