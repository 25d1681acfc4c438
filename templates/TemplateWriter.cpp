#include "templates/TemplateWriter.h"

#include <memory>

#include "editors/AppointmentTimes.h"
#include "editors/TemplateNameDialog.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/ItemIdentity.h"
#include "store/PimDatabase.h"
#include "templates/TemplateMarkers.h"

namespace calyra {

namespace {

using namespace platform::outlook;

// A person's name and personal days stay with the person: a contact template keeps the company's
// side of the card.
constexpr CEPROPID kPersonalContactTexts[] = {
    kPropContactTitle,  kPropContactFirstName, kPropContactMiddleName,    kPropContactLastName,
    kPropContactSuffix, kPropContactNickname,  kPropContactYomiFirstName, kPropContactYomiLastName,
    kPropContactSpouse, kPropContactChildren,
};

std::u16string NameOf(std::u16string_view name) {
  return std::u16string(name.substr(0, TemplateNameDialog::kNameChars));
}

std::unique_ptr<PimItem> MakeItemOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return std::make_unique<CPIMAppointment>();
    case ItemKind::Task:
      return std::make_unique<CPIMTask>();
    case ItemKind::Contact:
      return std::make_unique<CPIMContact>();
    default:
      return nullptr;
  }
}

// The copy starts as a new item: no identity, and notes only from the stored source.
void ForgetIdentity(PimItem& copy) {
  copy.oid = 0;
  copy.loaded = false;
  copy.hasNotes = false;
  copy.notes.clear();
}

}  // namespace

ItemOid TemplateWriter::Write(const PimItem& source, std::u16string_view name) const {
  switch (source.Kind()) {
    case ItemKind::Appointment:
      return WriteAppointment(source, name);
    case ItemKind::Task:
      return WriteTask(source, name);
    case ItemKind::Contact:
      return WriteContact(source, name);
    default:
      return 0;
  }
}

ItemOid TemplateWriter::WriteAppointment(const PimItem& source, std::u16string_view name) const {
  CPIMAppointment copy = static_cast<const CPIMAppointment&>(source);
  ForgetIdentity(copy);
  copy.identityChanged = nullptr;
  copy.subject = NameOf(name);
  // A template is opened as a plain appointment, so it carries no series, meeting or companion.
  copy.recurring = copy.recurrencePatch = copy.seriesRecurring = copy.openedOccurrence = false;
  copy.recurrence = RecurrencePattern();
  copy.seriesOid = 0;
  copy.openScope = kOpenNotRecurring;
  copy.meeting = copy.attendeesChanged = false;
  copy.attendees.clear();
  copy.companionFlag = 1;
  copy.companionOid = 0;
  copy.reminderMarks = CPIMAppointment::SecondReminderMarks();
  copy.notesText.reset();
  MoveOntoTemplateDay(&copy.start, &copy.end, copy.allDay);
  copy.duration = MinutesBetween(copy.start, copy.end);
  return Finish(copy, source);
}

ItemOid TemplateWriter::WriteTask(const PimItem& source, std::u16string_view name) const {
  CPIMTask copy = static_cast<const CPIMTask&>(source);
  ForgetIdentity(copy);
  copy.subject = NameOf(name).substr(0, CPIMTask::kSubjectLimit);
  copy.recurring = copy.recurrencePatch = false;
  copy.recurrence = RecurrencePattern();
  SYSTEMTIME day{};
  VariantTimeToSystemTime(kTaskTemplateDay, &day);
  copy.start = copy.due = day;
  copy.occurrenceDates[0] = copy.occurrenceDates[1] = platform::kNoDateSystemTime;
  copy.reminderSet = copy.complete = copy.keepStartEmpty = copy.openInEditor = false;
  copy.reminderTime = platform::kNoDateSystemTime;
  copy.dateCompleted = SYSTEMTIME{};
  return Finish(copy, source);
}

ItemOid TemplateWriter::WriteContact(const PimItem& source, std::u16string_view name) const {
  CPIMContact copy = static_cast<const CPIMContact&>(source);
  ForgetIdentity(copy);
  for (CEPROPID tag : kPersonalContactTexts) copy.SetText(tag, std::u16string());
  copy.SetText(kPropContactCompanyName, NameOf(name));
  copy.SetText(CPIMContact::kFileAs, NameOf(name));
  copy.birthday = copy.anniversary = copy.editedBirthday = copy.editedAnniversary =
      platform::kNoDateSystemTime;
  return Finish(copy, source);
}

ItemOid TemplateWriter::Finish(PimItem& prepared, const PimItem& source) const {
  if (prepared.Save(context_) != S_OK || !prepared.oid) return 0;
  std::vector<BYTE> notes;
  if (source.oid && ReadPimProperty(source.oid, source.Kind(), kNotesTag, &notes))
    WritePimProperty(prepared.oid, prepared.Kind(), kNotesTag, notes.data(),
                     static_cast<DWORD>(notes.size()));
  return prepared.oid;
}

bool TemplateWriter::SaveItemAsTemplate(ItemOid item) const {
  std::unique_ptr<PimItem> source = MakeItemOf(ItemKindOf(item));
  if (!source) return false;
  source->oid = item;
  // A series is read as the series without asking which occurrence; its template drops the pattern.
  if (auto* appointment = dynamic_cast<CPIMAppointment*>(source.get())) appointment->openScope = kOpenSeries;
  if (!source->Load(context_)) return true;
  std::optional<std::u16string> name =
      AskTemplateName(context_.owner, context_.resources, source->DisplayText());
  if (name) Write(*source, *name);
  return true;
}

}  // namespace calyra
