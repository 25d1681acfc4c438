#pragma once

// What kind of handheld the component runs on, from the system version and the platform type text.
namespace calyra {

bool IsPalmSizePc3();
bool IsPocketPc3OrLater();
bool IsPocketPc4();
bool IsPocketPc4OrLater();
// A Pocket PC whose "phone.dll" offers "PhoneMakeCall". The emulated phone library offers only the
// call log, so a device counts as a phone only when its setting "Phone" is "1".
bool IsPhoneCapable();

}  // namespace calyra
