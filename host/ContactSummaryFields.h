#pragma once

#include <memory>
#include <string>

#include "lists/FieldProvider.h"
#include "store/ItemKind.h"

namespace calyra {

struct ItemContext;
class CPIMContact;

// The name's parts in reading order (title, first, middle, last, suffix), one space between those present.
std::u16string ContactFullName(const CPIMContact& contact);

// The contact view of the summary: the file-as name as heading, then the name, company and job
// title, the phones (each labelled beside its number), the e-mail addresses (activated by mail), the
// web page (by the browser), each address as one text with its country's city line, birthday and
// anniversary. Empty fields are left out. Empty when the contact does not load.
std::unique_ptr<lists::FieldTable> ContactSummaryFields(ItemOid oid, const ItemContext& context);

}  // namespace calyra
