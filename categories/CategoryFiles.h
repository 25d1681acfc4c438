#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/WindowTypes.h"

// Where category icons live: each category's bitmap in the "Core.Categories" folder, the icon
// palette in "SourceIconLocation" and the alternative icon sets under "AltIconSet1", all settings of
// HKEY_LOCAL_MACHINE "SOFTWARE\Velmora\Calyra".
namespace calyra {

inline constexpr const char16_t* kCategorySettingsKey = u"SOFTWARE\\Velmora\\Calyra";
// The folder settings hold at most 520 bytes.
inline constexpr size_t kFolderSettingChars = 260;

// The file name (without ".bmp") of a category's icon: leading blanks and the characters a file name
// cannot hold become "_"; none for an empty name or one of more than 250 characters.
std::optional<std::u16string> CategoryFileName(std::u16string_view name);

// The folder of the categories' icons ("Core.Categories"; "\My Documents\Category Icons" when not set).
std::u16string CategoryIconFolder();
// "folder\name.bmp" for a category name or special key; none when the name has no file.
std::optional<std::u16string> CategoryIconPath(std::u16string_view nameOrKey);

// The palette folder ("SourceIconLocation"; by default the host executable's folder followed by
// "\Calyra Sample Icons", made when missing with the sample icons of `resources` in it).
std::u16string PaletteFolder(HINSTANCE resources);
void SavePaletteFolder(const std::u16string& folder);
// The folder of the alternative icon sets ("AltIconSet1"); empty when not set.
std::u16string AlternativeIconRoot();
// The subfolders of `folder`, in the order the file system lists them.
std::vector<std::u16string> Subfolders(const std::u16string& folder);
// The names of the "*.bmp" files of `folder`, sorted without regard to case.
std::vector<std::u16string> BitmapFiles(const std::u16string& folder);

// Whether two folder paths name the same folder (case and a trailing backslash ignored).
bool SameFolder(std::u16string_view a, std::u16string_view b);
// Makes the folder and the folders above it; true when it is there.
bool MakeFolders(const std::u16string& folder);
// Deletes a file, clearing its read-only attribute first; true when it is gone.
bool DeleteIconFile(const std::u16string& path);

}  // namespace calyra
