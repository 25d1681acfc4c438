#include "editors/EditorMakers.h"
#include "editors/EditorMessages.h"
#include "editors/PageContainer.h"
#include "editors/SecondReminder.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

using namespace resources;

// Pocket Outlook's refusals of an appointment save, and what the user is told.
constexpr HRESULT kOccurrenceOverlaps = static_cast<HRESULT>(0x80040067);
constexpr HRESULT kBadDates = static_cast<HRESULT>(0x80040068);
constexpr HRESULT kBadReminder = static_cast<HRESULT>(0x8004006A);
constexpr HRESULT kDateFixed = static_cast<HRESULT>(0x8004006C);
// The kind of the other half when an appointment is linked to its second reminder.
constexpr int kLinkToAppointment = 1;

class AppointmentEditor : public PageContainer {
 public:
  using PageContainer::PageContainer;

  bool Commit(ItemOid* saved) override {
    auto& main = *static_cast<CPIMAppointment*>(context_.item);
    CPIMAppointment* second = context_.secondAppointment;
    if (second && !KeepsSecondReminder(main, *second)) return false;
    bool createdSecond = second && CommitSecondReminder(main, *second);
    HRESULT result = SaveItem(saved);
    if (result == S_OK && createdSecond) Host().LinkItems(main.oid, second->oid, kLinkToAppointment);
    if (result >= 0) return result == S_OK;  // S_FALSE: the user kept the series' changed occurrences
    return ExplainFailure(result, main.recurring);
  }

 protected:
  std::vector<PageNumber> PageNumbers() const override {
    return {PageNumber::Appointment, PageNumber::Recurrence, PageNumber::Notes,
            PageNumber::Categories,  PageNumber::Links,      PageNumber::Attendees};
  }
  bool PageEnabled(size_t index) const override {
    static constexpr bool kTemplate[] = {true, false, true, true, false, true};
    static constexpr bool kOccurrence[] = {true, false, true, false, false, false};
    if (index >= std::size(kTemplate)) return true;
    if (context_.editValue) return kTemplate[index];
    return context_.fullAccess || kOccurrence[index];
  }

 private:
  EditorHost& Host() const { return *context_.host; }

  static bool HasSecondReminder(const CPIMAppointment& main, const CPIMAppointment& second) {
    return main.companionOid != 0 || second.reminderMarks.changed;
  }

  // A recurring appointment keeps no second reminder: the person lets it go (Yes) or goes back to
  // the editor (No).
  bool KeepsSecondReminder(const CPIMAppointment& main, CPIMAppointment& second) {
    if (!main.recurring || !HasSecondReminder(main, second)) return true;
    HINSTANCE resources = Host().Resources();
    int answer = MessageBoxW(context_.owner, ResourceText(resources, kStringSecondReminderOnSeries).c_str(),
                             ResourceText(resources, kStringCaption).c_str(),
                             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    if (answer != IDYES) return false;
    second.reminderMarks.toDelete = true;
    return true;
  }

  // Deletes, or rebuilds and saves, the second reminder before the main item is saved; true when
  // this commit created it.
  bool CommitSecondReminder(CPIMAppointment& main, CPIMAppointment& second) {
    const auto& marks = second.reminderMarks;
    if (marks.disabled || !marks.initialised) return false;
    ItemContext itemContext = Host().ItemContextFor(context_.owner);
    if (marks.toDelete) {
      if (second.oid && second.Delete(itemContext)) main.companionOid = 0;
      return false;
    }
    if (!marks.changed && !second.oid) return false;
    bool created = second.oid == 0;
    RebuildSecondReminder(second, main, Host().Resources());
    if (second.Save(itemContext) != S_OK) return false;
    main.companionOid = second.oid;
    return created;
  }

  bool ExplainFailure(HRESULT result, bool recurring) {
    switch (result) {
      case kOccurrenceOverlaps:
        if (recurring) ShowCommitFailure(kStringOccurrenceOverlaps, kStringCaption, MB_ICONINFORMATION);
        break;
      case kBadDates:
        ShowCommitFailure(recurring ? kStringOccurrenceDatesInvalid : kStringEndBeforeStart, kStringCaption,
                          MB_ICONINFORMATION);
        break;
      case kBadReminder:
        ShowCommitFailure(kStringInvalidReminder, kStringCaption, MB_ICONINFORMATION);
        break;
      case kDateFixed:
        ShowCommitFailure(kStringDateCannotChange, kStringCaption, MB_ICONINFORMATION);
        break;
      default:
        ShowCommitFailureCode(kStringAppointmentNotSaved, result);
        break;
    }
    return false;
  }
};

}  // namespace

std::unique_ptr<PageContainer> MakeAppointmentEditor(EditorContext& context) {
  return std::make_unique<AppointmentEditor>(context);
}

}  // namespace calyra
