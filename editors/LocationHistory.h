#pragma once
// TEMPORARY STUB until the attend branch merges.
#include <optional>
#include <string>

#include "platform/ui/WindowTypes.h"
namespace calyra {
void LoadLocationHistory(HWND comboBox);
void SaveLocationHistory(HWND comboBox);
std::optional<std::u16string> RunLocationDialog(HWND owner, HINSTANCE resources);
}  // namespace calyra
