#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/WindowTypes.h"

// The locations typed into appointments, remembered in the registry key the device's own calendar
// shares: one REG_SZ value "MRU<n>" per location. Lists of it are sorted without regard to case and
// hold each location once, whatever order the values have.
namespace calyra {

inline constexpr const char16_t* kLocationHistoryKey = u"SOFTWARE\\Microsoft\\Calendar\\LOCMRU";
inline constexpr size_t kLocationValueNameCapacity = 32;
inline constexpr size_t kLocationTextCapacity = 512;

// The remembered locations, sorted; empty when the key is missing. Values that are not REG_SZ are
// skipped, texts are cut at kLocationTextCapacity.
std::vector<std::u16string> ReadLocationHistory();
// Deletes the key, makes it again and writes every non-empty entry as "MRU<its index>", from the last
// entry down to the first. Nothing is written when the key cannot be made.
void WriteLocationHistory(const std::vector<std::u16string>& entries);
// Inserts `text` before the first entry that compares greater without regard to case, unless an
// entry equals it so: the index it took, or nothing when it was there already.
std::optional<size_t> InsertLocation(std::vector<std::u16string>& entries, const std::u16string& text);

// Empties a combo box's list and fills it with the history. Emptying the list empties its field too,
// so the location is set after.
void LoadLocationHistory(HWND comboBox);
// Saves the history from a combo box: its edit text joins its list when new, then the list is written
// whole. An empty field with an empty list writes nothing.
void SaveLocationHistory(HWND comboBox);

}  // namespace calyra
