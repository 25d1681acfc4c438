#pragma once

#include <string_view>

#include "store/PimItem.h"

namespace calyra {

// Makes templates from items: a new stored item of the source's kind named by the template's name,
// carrying its kind's marker, with the source's descriptive fields, categories and notes. The source
// is never changed in the store.
class TemplateWriter {
 public:
  explicit TemplateWriter(const ItemContext& context) : context_(context) {}

  // The template of `source`, a loaded or just-saved item, named `name` (cut at the name's bound):
  // an appointment moved onto the template day (neither recurring, nor a meeting, nor with a second
  // reminder), a task on the template day without a reminder or completion, a contact with `name` as
  // its company and file-as name and no personal name or dates. Its oid, or 0.
  ItemOid Write(const PimItem& source, std::u16string_view name) const;

  // Asks for a name for the stored item (its subject, or a contact's file-as name, proposed) and
  // writes its template. False only for a record that is no appointment, task or contact; a person
  // who cancels, or an item that cannot be read, writes nothing.
  bool SaveItemAsTemplate(ItemOid item) const;

 private:
  ItemOid WriteAppointment(const PimItem& source, std::u16string_view name) const;
  ItemOid WriteTask(const PimItem& source, std::u16string_view name) const;
  ItemOid WriteContact(const PimItem& source, std::u16string_view name) const;
  // Saves the prepared template and gives it the source's notes; its oid, or 0.
  ItemOid Finish(PimItem& prepared, const PimItem& source) const;

  ItemContext context_;
};

}  // namespace calyra
