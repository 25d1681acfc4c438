#pragma once

#include <memory>
#include <string>

#include "CalyraEditor.h"
#include "lists/FieldProvider.h"
#include "store/ItemKind.h"

namespace calyra {

struct ItemContext;

// The summary's texts: strings of the host's resource module, and dates as the summary shows them
// (the "none" text for a date not set).
std::u16string SummaryText(unsigned id);
std::u16string SummaryDate(const SYSTEMTIME& date, bool withTime);

// The fields of an appointment and a task, each a label and its value; empty when the item does not
// load.
std::unique_ptr<lists::FieldTable> AppointmentSummaryFields(ItemOid oid, const ItemContext& context);
std::unique_ptr<lists::FieldTable> TaskSummaryFields(ItemOid oid, const ItemContext& context);

// The name a template of the item is offered: an appointment's or task's subject, a contact's file-as
// name; empty when the item does not load.
std::u16string SummaryItemName(ItemKind kind, ItemOid oid, const ItemContext& context);

}  // namespace calyra
