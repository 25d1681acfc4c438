#include "editors/EditorMakers.h"
#include "editors/EditorMessages.h"
#include "editors/PageContainer.h"
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

class AppointmentEditor : public PageContainer {
 public:
  using PageContainer::PageContainer;

  bool Commit(ItemOid* saved) override {
    HRESULT result = SaveItem(saved);
    if (result >= 0) return result == S_OK;  // S_FALSE: the user kept the series' changed occurrences
    bool recurring = static_cast<CPIMAppointment*>(context_.item)->recurring;
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
};

}  // namespace

std::unique_ptr<PageContainer> MakeAppointmentEditor(EditorContext& context) {
  return std::make_unique<AppointmentEditor>(context);
}

}  // namespace calyra
