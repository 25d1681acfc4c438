#include "templates/TemplateWalk.h"

#include <optional>
#include <vector>

#include "platform/outlook/OutlookProperties.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "templates/TemplateMarkers.h"

namespace calyra {

namespace {

using namespace platform::outlook;

std::u16string TextOf(const Record& record, CEPROPID tag) {
  const PropertyValue* value = record.Find(tag);
  return value ? value->AsString() : std::u16string();
}

// The record's template entry when it is a task or contact template.
std::optional<TemplateEntry> ForwardEntry(ItemKind kind, const Record& record) {
  if (kind == ItemKind::Task) {
    const PropertyValue* start = record.Find(kPropTaskStart);
    if (!start || !IsTaskTemplateDate(start->AsTime())) return std::nullopt;
    return TemplateEntry{TextOf(record, kPropSubject), record.Oid()};
  }
  std::u16string company = TextOf(record, kPropContactCompanyName);
  if (!IsContactTemplate(company, TextOf(record, kPropContactFirstName),
                         TextOf(record, kPropContactLastName)))
    return std::nullopt;
  return TemplateEntry{std::move(company), record.Oid()};
}

}  // namespace

int TemplateWalk::Run(const std::function<bool(const TemplateEntry&)>& found) {
  recordsRead_ = 0;
  switch (kind_) {
    case ItemKind::Appointment:
      return WalkAppointments(found);
    case ItemKind::Task:
    case ItemKind::Contact:
      return WalkForward(found);
    default:
      return 0;
  }
}

// Sorted by start, the templates are the last records; the walk reads no further back than the
// database holds records, whatever the seeks answer.
int TemplateWalk::WalkAppointments(const std::function<bool(const TemplateEntry&)>& found) {
  Database appointments;
  DatabaseInformation information;
  if (!appointments.OpenByName(AppointmentsDatabaseName(), kPropAppointmentStart) ||
      !appointments.GetInformation(&information) || !appointments.SeekEnd()) {
    return 0;
  }
  std::vector<BYTE> buffer(kRecordBufferBytes);
  int templates = 0;
  for (DWORD read = 0; read < information.records; ++read) {
    Record record;
    record.Request(kPropSubject);
    record.Request(kPropAppointmentStart);
    if (!appointments.ReadRecordInto(record, buffer)) break;
    ++recordsRead_;
    const PropertyValue* start = record.Find(kPropAppointmentStart);
    if (!start || !IsAppointmentTemplateStart(start->AsTime())) break;
    ++templates;
    if (!found({TextOf(record, kPropSubject), record.Oid()}) || !appointments.SeekPrevious()) break;
  }
  return templates;
}

int TemplateWalk::WalkForward(const std::function<bool(const TemplateEntry&)>& found) {
  bool tasks = kind_ == ItemKind::Task;
  Database database;
  if (!database.OpenByName(tasks ? TasksDatabaseName() : ContactsDatabaseName(),
                           tasks ? kPropSubject : kPropFileAs, CEDB_AUTOINCREMENT)) {
    return 0;
  }
  std::vector<BYTE> buffer(tasks ? kRecordBufferBytes : kContactBufferBytes);
  int templates = 0;
  while (true) {
    Record record;
    if (tasks) {
      record.Request(kPropSubject);
      record.Request(kPropTaskStart);
    } else {
      record.Request(kPropContactFirstName);
      record.Request(kPropContactLastName);
      record.Request(kPropContactCompanyName);
    }
    if (!database.ReadRecordInto(record, buffer)) break;
    ++recordsRead_;
    std::optional<TemplateEntry> entry = ForwardEntry(kind_, record);
    if (!entry) continue;
    ++templates;
    if (!found(*entry)) break;
  }
  return templates;
}

int TemplateCount(ItemKind kind) {
  return TemplateWalk(kind).Run([](const TemplateEntry&) { return false; }) > 0 ? 1 : 0;
}

}  // namespace calyra
