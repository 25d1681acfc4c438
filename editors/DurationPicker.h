#pragma once

#include <optional>
#include <string>

#include "platform/core/PlatformTypes.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

// The longest duration the picker offers: 31 days.
inline constexpr LONG kMaxDurationMinutes = 44640;

// "1 day + 2:05", "3 hours", "1 hour, 30 minutes", "0 minutes": days, hours and minutes in the
// module's words.
std::u16string DurationText(HINSTANCE resources, LONG minutes);

// The duration picker: steps of minutes, hours and days from `minutes`; the chosen duration, or
// nothing when cancelled.
std::optional<LONG> PickDuration(HWND owner, HINSTANCE resources, LONG minutes);

}  // namespace calyra
