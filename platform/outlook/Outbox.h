#pragma once

#include <string>
#include <vector>

#include "platform/objectstore/ObjectStoreTypes.h"

// What Pocket Outlook would send: meeting requests, cancellations and infrared beams are recorded
// in the process's outbox instead. Nothing leaves the device.
namespace platform {

struct OutlookOutboxEntry {
  std::u16string action;  // u"MeetingRequest", u"MeetingCancellation" or u"Infrared"
  std::vector<CEOID> oids;
  std::u16string subject;                  // the appointment's subject (meetings)
  std::vector<std::u16string> recipients;  // "Name <address>", or the name alone (meetings)
};

// Oldest first. The outbox belongs to the process and goes with the device.
std::vector<OutlookOutboxEntry> ReadOutlookOutbox();
void ClearOutlookOutbox();

namespace outlook {
void PostToOutbox(OutlookOutboxEntry entry);
// The items waiting in the infrared folder, in the order they were added.
void AddToInfrared(CEOID oid);
std::vector<CEOID> TakeInfrared();
}  // namespace outlook

}  // namespace platform
