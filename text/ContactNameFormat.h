#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/core/PlatformTypes.h"

// How a contact's FileAs text is made from its name fields, recognised when a contact is opened,
// previewed in the file-as menu, and varied in the contact picker.
namespace calyra {

// The ways FileAs is made. 5 is never assigned; other values build the no-name text.
enum class FileAsFormat : int {
  LastFirstMiddle = 0,         // "Last, First Middle"
  FirstMiddleLastSuffix = 1,   // "First Middle Last Suffix"
  Company = 2,                 // "Company"
  LastFirstCompany = 3,        // "Last, First (Company)"
  CompanyLastFirstMiddle = 4,  // "Company, (Last, First Middle)"
  Custom = 6,
};

struct ContactName {
  std::u16string first;
  std::u16string middle;
  std::u16string last;
  std::u16string suffix;
  std::u16string company;
};

// The texts that come from the resource module: the no-name text and the placeholder labels.
struct NameFormatTexts {
  std::u16string noName;
  std::u16string first;
  std::u16string middle;
  std::u16string last;
  std::u16string suffix;
  std::u16string company;
};

// The format that is used after normalisation: format 2 without a company becomes 0; any format but
// 2 and 6 with only a company becomes 2.
FileAsFormat NormaliseFileAsFormat(FileAsFormat format, const ContactName& name);

// Builds FileAs; `format` is normalised in place first (the editor keeps the normalised value).
std::u16string BuildFileAs(FileAsFormat& format, const ContactName& name, const std::u16string& customFileAs,
                           const NameFormatTexts& texts);

// The format that made `fileAs` from the name; 6 with `customFileAs` set when no format did.
FileAsFormat RecognizeFileAs(const std::u16string& fileAs, const ContactName& name,
                             std::u16string* customFileAs);

// One entry of the file-as menu: its text (already escaped for the menu) and whether it is enabled.
struct FileAsMenuEntry {
  std::u16string text;
  bool enabled = false;
};
// The entries for formats 0 to 4, in menu order.
std::vector<FileAsMenuEntry> BuildFileAsMenuEntries(const ContactName& name, const NameFormatTexts& texts);

inline constexpr unsigned kFileAsMenuCommands[5] = {43004, 43003, 43002, 43001, 43000};
// The fixed labels of the five format entries, the literal names of the formats.
inline constexpr const char16_t* kFileAsMenuLabels[5] = {u"Last, First Middle", u"First Middle Last Suffix",
                                                         u"Company", u"Last, First (Company)",
                                                         u"Company, (Last, First Middle)"};
inline constexpr unsigned kCustomFileAsCommand = 42129;

// Fills the file-as popup menu each time it opens: the menu resource holds two entries of its own,
// and when it has exactly those two, the five format entries go in above them. Then every format entry
// gets its preview text and enabled state, and the entry at the position of `current` (0 to 6) the
// radio check.
void FillFileAsMenu(HMENU menu, const ContactName& name, FileAsFormat current, const NameFormatTexts& texts);

// The contact picker's name variants: (command id, menu text), FileAs first, without duplicates.
std::vector<std::pair<unsigned, std::u16string>> BuildNameVariants(const std::u16string& fileAs,
                                                                   const ContactName& name);
// The same variants as the names themselves, before they are made menu texts.
std::vector<std::pair<unsigned, std::u16string>> BuildNameVariantTexts(const std::u16string& fileAs,
                                                                       const ContactName& name);

// Doubles the first "&" of a menu text so that it is not read as an accelerator mark.
std::u16string EscapeMenuText(const std::u16string& text);

}  // namespace calyra
