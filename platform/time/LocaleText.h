#pragma once

#include <string>

#include "platform/time/Locale.h"

namespace platform {

// The value of a locale after the device's overrides; false for an unknown locale or type.
bool LocaleText(LCID locale, LCTYPE type, std::u16string* value);

// Hands a text to a caller's buffer as the locale calls do: count mode for 0 characters (the size with
// the zero), ERROR_INSUFFICIENT_BUFFER when it does not fit.
int DeliverLocaleText(const std::u16string& value, LPWSTR buffer, int chars);

}  // namespace platform
