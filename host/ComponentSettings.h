#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

// The settings the component keeps in the registry itself, under HKEY_LOCAL_MACHINE
// "SOFTWARE\Velmora\Calyra", and the mail command line they shape.
namespace calyra {

// The number of the e-mail signature to append; 0 or less: none.
LONG EmailSignatureNumber();
// The text of signature `number` (at most 1023 characters); empty when there is none.
std::u16string EmailSignatureText(LONG number);

// A category's colour (0x00BBGGRR); white when it has none.
DWORD CategoryColor(std::u16string_view category);
// No colour deletes the value.
void SetCategoryColor(std::u16string_view category, std::optional<DWORD> color);

// The user's format strings, in their order.
std::vector<std::u16string> FormatStrings();
// Replaces the whole list.
void SaveFormatStrings(const std::vector<std::u16string>& formats);

using Palette = std::array<DWORD, 24>;
std::optional<Palette> CustomPalette();
void SaveCustomPalette(const Palette& palette);

// The program and command line that mail `address`, with the chosen signature as its body.
struct MailCommand {
  std::u16string program;
  std::u16string arguments;
};
MailCommand BuildMailCommand(std::u16string_view address);

}  // namespace calyra
