#include "templates/TemplateFill.h"

#include <vector>

#include "editors/AppointmentTimes.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/ItemIdentity.h"
#include "store/PimDatabase.h"

namespace calyra {

namespace {

void FillAppointment(const CPIMAppointment& from, CPIMAppointment& to, const SYSTEMTIME& day) {
  to.subject = from.subject;
  to.location = from.location;
  to.categoriesText = from.categoriesText;
  to.busyStatus = from.busyStatus;
  to.reminderSet = from.reminderSet;
  to.reminderMinutes = from.reminderMinutes;
  to.isPrivate = from.isPrivate;
  to.allDay = from.allDay;
  to.start = from.start;
  to.end = from.end;
  MoveOntoDay(&to.start, &to.end, day);
  to.duration = MinutesBetween(to.start, to.end);
}

void FillTask(const CPIMTask& from, CPIMTask& to) {
  to.subject = from.subject;
  to.priority = from.priority;
  to.isPrivate = from.isPrivate;
}

void FillContact(const CPIMContact& from, CPIMContact& to) {
  for (const auto& [tag, text] : from.texts) {
    if (!text.empty() && tag != CPIMContact::kFileAs) to.SetText(tag, text);
  }
}

template <class Item>
bool LoadTemplate(ItemOid templateOid, const ItemContext& context, Item& loaded) {
  loaded.oid = templateOid;
  return loaded.Load(context);
}

}  // namespace

bool FillFromTemplate(ItemOid templateOid, PimItem& item, const ItemContext& context,
                      const SYSTEMTIME& onDay) {
  SYSTEMTIME day = onDay;  // it may be the item's own start, which the fill replaces
  if (!templateOid || ItemKindOf(templateOid) != item.Kind()) return false;
  CategorySet categories;
  if (auto* appointment = dynamic_cast<CPIMAppointment*>(&item)) {
    CPIMAppointment stored;
    stored.openScope = kOpenNotRecurring;  // a template is never a series
    if (!LoadTemplate(templateOid, context, stored)) return false;
    FillAppointment(stored, *appointment, day);
    categories = stored.categories;
  } else if (auto* task = dynamic_cast<CPIMTask*>(&item)) {
    CPIMTask stored;
    if (!LoadTemplate(templateOid, context, stored)) return false;
    FillTask(stored, *task);
    categories = stored.categories;
  } else if (auto* contact = dynamic_cast<CPIMContact*>(&item)) {
    CPIMContact stored;
    if (!LoadTemplate(templateOid, context, stored)) return false;
    FillContact(stored, *contact);
    categories = stored.categories;
  } else {
    return false;
  }
  item.categories = categories;
  std::vector<BYTE> notes;
  if (ReadPimProperty(templateOid, item.Kind(), kNotesTag, &notes)) {
    item.notes = std::move(notes);
    item.hasNotes = true;
  }
  return true;
}

}  // namespace calyra
