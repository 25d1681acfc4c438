#pragma once

#include "hosts/calyra/ImportCategories.h"
#include "hosts/calyra/VCardContact.h"
#include "platform/core/PlatformTypes.h"

namespace calyra::host {

// Saves `contact` as a new contact of the device through the component's own contact object, as the
// contact editor saves one: FileAs made as the editor makes it ("Last, First Middle", else the
// company) unless the card names it, the notes as the model's Body text, the categories as the
// model's Categories text. The new contact's oid, or 0 when the save failed.
CEOID SaveVCardContact(const VCardContact& contact, ImportCategories& known, std::u16string* fileAs);

}  // namespace calyra::host
