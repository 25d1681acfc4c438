#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/PimItem.h"
#include "store/RecurrencePattern.h"

class IAppointment;

namespace calyra {

class OutlookSession;

// One person invited to a meeting: the name and e-mail address as Pocket Outlook keeps them.
struct Attendee {
  std::u16string name;
  std::u16string email;
  bool operator==(const Attendee&) const = default;
};

// How an appointment is opened (the open scope of an edit request).
enum OpenScope : WORD {
  kOpenAsk = 1,  // a recurring item asks: this occurrence or the series
  kOpenSeries = 16,
  kOpenOccurrence = 256,
  kOpenNotRecurring = 4096,  // templates and companions: a recurring item fails to load
};

// An appointment as the editors and operations work on it. Most fields travel through Pocket
// Outlook; the category set, the notes blob, the recurrence patch and the companion appointment are
// raw properties of the record. A save writes only what changed.
class CPIMAppointment : public PimItem {
 public:
  static constexpr DWORD kNotesCapacity = 48832;
  static constexpr CEPROPID kCompanionFlag = 0xC7010002;
  static constexpr CEPROPID kCompanionOid = 0xC7020013;
  static constexpr size_t kAttendeeTextCapacity = 512;  // each name and each address
  // A save cuts longer texts to these.
  static constexpr size_t kSubjectCapacity = 4096;
  static constexpr size_t kLocationCapacity = 1024;
  // The semi-monthly fields of a series: flags in the low word, weekday mask in the next byte.
  static constexpr CEPROPID kSemiMonthlyTag = 0xC7030013;

  CPIMAppointment() { Reset(); }

  ItemOid Copy(const ItemContext& context) override;
  ItemOid Convert(const ItemContext& context) override;
  bool Show(const ItemContext& context) override;
  HRESULT SendByInfrared(const ItemContext& context) override;
  bool Load(const ItemContext& context) override;
  bool Delete(const ItemContext& context) override;
  // S_FALSE when the person kept the changed occurrences of a series (nothing was written).
  HRESULT Save(const ItemContext& context) override;
  std::u16string DisplayText() const override { return subject; }
  // 48832 bytes less the recurrence blob of a stored recurring appointment.
  DWORD NotesCapacity() const override;
  void Reset() override;
  ItemKind Kind() const override { return ItemKind::Appointment; }

  // Called when a save gave the appointment a new identity (an occurrence became an exception),
  // so that the links of the old identity follow.
  std::function<void(ItemOid from, ItemOid to)> identityChanged;

  bool recurring = false;
  RecurrencePattern recurrence;
  bool recurrencePatch = false;
  SYSTEMTIME occurrenceDate{};
  SYSTEMTIME start{};
  SYSTEMTIME end{};
  bool reminderSet = true;
  bool isPrivate = false;
  LONG duration = 60;
  bool allDay = false;
  bool meeting = false;
  bool attendeesChanged = false;  // a save writes `attendees` (and the meeting status) only when set
  std::vector<Attendee> attendees;
  LONG reminderMinutes = 15;
  LONG busyStatus = olBusy;
  std::u16string subject;
  std::u16string location;
  std::u16string categoriesText;
  WORD openScope = kOpenAsk;
  bool seriesRecurring = false;   // the stored item is recurring
  bool openedOccurrence = false;  // an occurrence was opened instead of the series
  ItemOid seriesOid = 0;
  WORD companionFlag = 1;
  ItemOid companionOid = 0;
  // Plain notes text written as the model's body when set (the notes of a second reminder).
  std::optional<std::u16string> notesText;

  // The marks of an appointment that carries another's second reminder, kept while that one's
  // editor is open: prepared for it, given a time in this editor, to be deleted, left alone.
  struct SecondReminderMarks {
    bool initialised = false;
    bool changed = false;
    bool toDelete = false;
    bool disabled = false;
  };
  SecondReminderMarks reminderMarks;

 private:
  platform::ComPtr<IAppointment> Fetch(OutlookSession& session, ItemOid item) const;
  // Decides between the occurrence and the series of a recurring item; false to fail the load.
  bool ChooseOccurrence(IAppointment* series, const ItemContext& context,
                        platform::ComPtr<IAppointment>& chosen);
  void ReadFields(IAppointment* item, const ItemContext& context);
  int WriteChanges(IAppointment* item);
  // Whether a save writes or clears the item's pattern, and whether that drops changed occurrences.
  bool RewritesPattern(IAppointment* item, bool* losesExceptions) const;
  HRESULT WriteRecurrence(IAppointment* item);
  bool TimesDiffer(IAppointment* item) const;
  // The end as the model keeps it: an all-day event ends at the midnight after its last day.
  DATE StoredEnd() const;
  // The stored item a save writes: the series, the occurrence opened, or a new appointment.
  platform::ComPtr<IAppointment> FetchSaved(OutlookSession& session) const;
  // Every write of a save, inside the save's store step.
  HRESULT WriteAppointment(IAppointment* item, bool rewritePattern, bool sendUpdate,
                           const ItemContext& context);
  bool WriteCompanion() const;
  // Writes or removes the semi-monthly property when it differs from the record's.
  bool WriteSemiMonthly(bool created);

  // The companion properties as the record of `loadedOid_` holds them.
  std::pair<WORD, ItemOid> storedCompanion_{1, 0};
  ItemOid loadedOid_ = 0;
  DWORD storedSemiMonthly_ = 0;  // the semi-monthly property of `loadedOid_`, 0 when absent
};

}  // namespace calyra
