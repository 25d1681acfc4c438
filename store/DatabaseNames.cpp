#include "store/DatabaseNames.h"

namespace calyra {

const char16_t* AppointmentsDatabaseName() {
  return u"Appointments Database";
}
const char16_t* ContactsDatabaseName() {
  return u"Contacts Database";
}
const char16_t* TasksDatabaseName() {
  return u"Tasks Database";
}
const char16_t* CategoriesDatabaseName() {
  return u"\\Categories Database";
}
const char16_t* NotifyQueueDatabaseName() {
  return u"DB_notify_queue";
}
const char16_t* NotifyEventsDatabaseName() {
  return u"DB_notify_events";
}

const char16_t* DatabaseNameOfKind(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return AppointmentsDatabaseName();
    case ItemKind::Contact:
      return ContactsDatabaseName();
    case ItemKind::Task:
      return TasksDatabaseName();
    default:
      return nullptr;
  }
}

}  // namespace calyra
