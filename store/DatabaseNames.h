#pragma once

#include "store/ItemKind.h"

// The names of the object-store databases the component opens directly, spelled only here.
namespace calyra {

const char16_t* AppointmentsDatabaseName();
const char16_t* ContactsDatabaseName();
const char16_t* TasksDatabaseName();
const char16_t* CategoriesDatabaseName();
const char16_t* NotifyQueueDatabaseName();
const char16_t* NotifyEventsDatabaseName();
// The Pocket Outlook database of an item kind; null for any other kind.
const char16_t* DatabaseNameOfKind(ItemKind kind);

}  // namespace calyra
