#pragma once

#include <functional>
#include <string>

#include "store/ItemKind.h"

namespace calyra {

// A template as a list shows it: its text (the subject; a contact's company) and its record.
struct TemplateEntry {
  std::u16string text;
  ItemOid oid = 0;
};

// One walk over the records of a kind that finds its templates. Appointments are read from the
// latest start backwards, and the first that is no template ends the walk, so that the walk costs
// as many reads as there are templates whatever the calendar holds. Tasks and contacts have no
// such order: every record is read in its database's order. Each read goes into a buffer of fixed
// size; a read that fails (a record too large for it too) ends the walk with what was found.
class TemplateWalk {
 public:
  static constexpr size_t kRecordBufferBytes = 8704;
  static constexpr size_t kContactBufferBytes = 6198;

  explicit TemplateWalk(ItemKind kind) : kind_(kind) {}

  // Calls `found` with each template until it returns false; the number of templates given to it.
  int Run(const std::function<bool(const TemplateEntry&)>& found);
  // The records read by the last run.
  size_t RecordsRead() const { return recordsRead_; }

 private:
  int WalkAppointments(const std::function<bool(const TemplateEntry&)>& found);
  int WalkForward(const std::function<bool(const TemplateEntry&)>& found);

  ItemKind kind_;
  size_t recordsRead_ = 0;
};

// 1 when at least one template of the kind is stored, else 0; the walk stops at the first.
int TemplateCount(ItemKind kind);

}  // namespace calyra
