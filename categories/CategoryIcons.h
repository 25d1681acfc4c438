#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/gdi/ImageList.h"

// The icon files of categories (and of the special categories, by their keys) in the "Core.Categories"
// folder, and the images the lists show of them.
namespace calyra {

// The side of an icon on this screen: 16 pixels at 96 dpi, scaled.
int CategoryIconSize();

bool HasCategoryIcon(std::u16string_view nameOrKey);
// Gives the category the palette bitmap `source`, after deleting any icon file it had: a copy, or on
// screens of 192 dpi and above the icon drawn at the screen's scale. True when the file is written.
bool AssignCategoryIcon(std::u16string_view nameOrKey, const std::u16string& source);
// Deletes the icon file (read-only or not); true when there is none left.
bool RemoveCategoryIcon(std::u16string_view nameOrKey);
// The icon file goes with a new name; false when it could not be moved.
bool MoveCategoryIcon(std::u16string_view from, std::u16string_view to);

// The icon files present in the categories' folder, found in one look at the folder, so that a list
// of many categories does not look for each file on its own.
class CategoryIconFiles {
 public:
  static CategoryIconFiles Read();
  // The path of the category's icon file when it is there.
  std::optional<std::u16string> PathOf(std::u16string_view nameOrKey) const;

 private:
  std::u16string folder_;
  std::unordered_set<std::u16string> present_;  // case-folded file names
};

// An image list of icons of CategoryIconSize on white.
HIMAGELIST MakeCategoryImageList();
// Adds the image of a bitmap file to the list; its index, or -1 when the file is missing or no image.
int AddIconImage(HIMAGELIST list, const std::u16string& path);

}  // namespace calyra
