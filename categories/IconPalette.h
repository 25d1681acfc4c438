#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/ImageList.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

// The icon palette: every "*.bmp" of the palette folder shown in a list view. The folder starts as
// "SourceIconLocation"; the icon-set menu switches to an alternative set and back, the folder dialog
// picks another folder, which becomes "SourceIconLocation" when the palette is saved.
class IconPalette {
 public:
  explicit IconPalette(HINSTANCE resources);
  ~IconPalette();
  IconPalette(const IconPalette&) = delete;
  IconPalette& operator=(const IconPalette&) = delete;

  const std::u16string& Folder() const { return folder_; }
  // Shows the folder's bitmaps in `list`, replacing what it showed.
  void Fill(HWND list);
  // The path of the bitmap of row `index`; none for no such row.
  std::optional<std::u16string> FileAt(int index) const;
  std::optional<std::u16string> SelectedFile(HWND list) const;

  // The icon-set menu over `owner` when "AltIconSet1" has subfolders; true when the folder changed.
  bool ChooseIconSet(HWND owner);
  // The folder dialog; true when the folder changed.
  bool ChooseFolder(HWND owner);
  // Writes "SourceIconLocation".
  void Save() const;

 private:
  HINSTANCE resources_;
  std::u16string source_;  // "SourceIconLocation"
  std::u16string folder_;  // the folder shown
  std::vector<std::u16string> files_;
  HIMAGELIST images_ = nullptr;
};

}  // namespace calyra
