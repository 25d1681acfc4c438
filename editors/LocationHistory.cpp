#include "editors/LocationHistory.h"
namespace calyra {
void LoadLocationHistory(HWND) {}
void SaveLocationHistory(HWND) {}
std::optional<std::u16string> RunLocationDialog(HWND, HINSTANCE) {
  return std::nullopt;
}
}  // namespace calyra
