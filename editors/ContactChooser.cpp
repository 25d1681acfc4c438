#include "editors/ContactChooser.h"
namespace calyra {
std::optional<ChosenContact> ChooseContact(HWND, HINSTANCE) {
  return std::nullopt;
}
}  // namespace calyra
