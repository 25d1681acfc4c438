#pragma once

// What kind of handheld the component runs on, from the system version and the platform type text.
namespace calyra {

bool IsPalmSizePc3();
bool IsPocketPc3OrLater();
bool IsPocketPc4();
bool IsPocketPc4OrLater();
// A Pocket PC whose "phone.dll" offers "PhoneMakeCall". No phone library is installed on the emulated
// device unless its setting "Phone" is "1".
bool IsPhoneCapable();

}  // namespace calyra
