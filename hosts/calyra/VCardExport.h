#pragma once

#include <string>
#include <vector>

#include "hosts/calyra/VCardContact.h"
#include "platform/outlook/PocketOutlook.h"

namespace calyra::host {

// A contact of the device as Pocket Outlook's object model reads it.
VCardContact ContactOfDevice(IContact* contact);

// The contacts as vCard 3.0 through Evolution's contact library, one card after the other, each
// line ended with CR LF.
std::string WriteVCards(const std::vector<VCardContact>& contacts);

}  // namespace calyra::host
