#pragma once

#include <string>

#include "platform/outlook/OutlookDates.h"
#include "store/PimItem.h"
#include "store/RecurrencePattern.h"
#include "store/StoreTransaction.h"

namespace calyra {

// Finishes the item of the other kind that a conversion made (its dates already set to `now`): the
// subject, no reminder, the sensitivity, the pattern starting today (so that the new item is due
// now), then saves it and gives it the source's notes and categories, all in one store step. Its oid, or 0.
template <class Target>
ItemOid SaveConversion(Target* target, ItemKind targetKind, const PimItem& source,
                       const std::u16string& subject, bool isPrivate, const RecurrencePattern* recurrence,
                       DATE now) {
  StoreTransaction step(StoreTransaction::Kind::Write);
  BSTR text = SysAllocString(subject.c_str());
  target->put_Subject(text);
  SysFreeString(text);
  target->put_ReminderSet(VARIANT_FALSE);
  target->put_Sensitivity(isPrivate ? olPrivate : olNormal);
  if (recurrence) {
    platform::ComPtr<IRecurrencePattern> pattern;
    RecurrencePattern copied = *recurrence;
    copied.patternStart = SystemTimeOfDate(platform::outlook::DayOf(now));
    if (FAILED(target->GetRecurrencePattern(&pattern)) || !WriteRecurrencePattern(pattern.Get(), copied))
      return 0;
  }
  if (FAILED(target->Save())) return 0;
  LONG created = 0;
  target->get_Oid(&created);
  if (!source.CopyRawTo(static_cast<ItemOid>(created), targetKind) || !step.Commit()) return 0;
  return static_cast<ItemOid>(created);
}

}  // namespace calyra
