#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/outlook/ItemStore.h"
#include "platform/outlook/PocketOutlook.h"
#include "platform/outlook/Recurrence.h"
#include "platform/time/TimeConversion.h"

// What the object model's classes share among themselves; not for callers.
namespace platform::outlook {

// Items by kind: a new unsaved one, or the one a record holds (E_INVALIDARG when `oid` is not a live
// record of the three databases).
HRESULT NewItem(ItemKind kind, IDispatch** item);
HRESULT LoadItem(CEOID oid, IDispatch** item);
// The oid and kind of any item object (0 / None for something else or an unsaved item).
CEOID OidOfItem(IDispatch* item, ItemKind* kind);

// Display: "poutlook.exe" with "Display <oid>" in the launch log.
HRESULT DisplayItem(CEOID oid);

// Results in the shapes COM callers expect.
HRESULT ReturnText(const std::u16string& text, BSTR* out);
std::u16string TextOf(BSTR text);
inline HRESULT ReturnBool(bool value, VARIANT_BOOL* out) {
  if (out == nullptr) return E_POINTER;
  *out = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}
template <class T, class V>
HRESULT ReturnValue(V value, T* out) {
  if (out == nullptr) return E_POINTER;
  *out = static_cast<T>(value);
  return S_OK;
}

// Reads the pattern blob of a record's property map.
std::optional<RecurrenceData> RecurrenceOf(const PropertyMap& properties);
// Rewrites the exceptions of the series `seriesOid` through `change`; false when the series is gone.
template <class Change>
bool UpdateSeriesExceptions(CEOID seriesOid, Change change);

struct Recipient {
  std::u16string name;
  std::u16string address;
};
using RecipientList = std::shared_ptr<std::vector<Recipient>>;
IRecipients* NewRecipients(RecipientList list);
std::vector<uint8_t> EncodeRecipients(const std::vector<Recipient>& list);
std::vector<Recipient> DecodeRecipients(const std::vector<uint8_t>& bytes);

// The item side of a recurrence pattern object.
class RecurrenceOwner {
 public:
  // The item's pattern with its start day brought up to date; never null while the pattern object
  // lives (the item makes one when asked for it).
  virtual RecurrenceData& Pattern() = 0;
  virtual void PatternChanged() = 0;
  virtual bool IsAppointment() const = 0;
  // The first occurrence: the appointment's start, or the task's start (due) date.
  virtual DATE Anchor() const = 0;
  virtual void MoveAnchor(DATE day) = 0;
  // Appointments only.
  virtual DATE AppointmentEnd() const = 0;
  virtual void SetAppointmentTimes(DATE start, DATE end) = 0;
  virtual HRESULT Occurrence(DATE day, IAppointment** occurrence) = 0;
  virtual std::vector<RecurrenceException> CurrentExceptions() = 0;

 protected:
  ~RecurrenceOwner() = default;
};
// `item` is the owner's IUnknown, held for the pattern's life.
IRecurrencePattern* NewRecurrencePattern(IUnknown* item, RecurrenceOwner* owner);
IExceptions* NewExceptions(std::vector<RecurrenceException> exceptions);

template <class Change>
bool UpdateSeriesExceptions(CEOID seriesOid, Change change) {
  PropertyMap series;
  if (!ReadItemRecord(ItemKind::Appointment, seriesOid, &series)) return false;
  std::optional<RecurrenceData> pattern = RecurrenceOf(series);
  if (!pattern) return false;
  change(pattern->exceptions);
  PropertyMap write;
  write[kPropRecurrence] = BlobValue(EncodeRecurrence(*pattern));
  return WriteItemRecord(ItemKind::Appointment, seriesOid, write) != 0;
}

}  // namespace platform::outlook
