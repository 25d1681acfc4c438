#pragma once

#include <memory>

#include "text/FieldCodes.h"

namespace calyra {

// Opens a contact through Pocket Outlook for the contact codes: logs on, fetches the contact by its
// identity and keeps both until the source goes. Null when the logon or the contact fails (the
// contact codes then stay as they are).
std::unique_ptr<ContactFieldSource> OpenOutlookContact(CEOID contact);

}  // namespace calyra
