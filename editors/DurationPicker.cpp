#include "editors/DurationPicker.h"

#include <iterator>

#include "editors/ModalDialog.h"
#include "platform/text/Formatter.h"
#include "platform/ui/Message.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

constexpr LONG kMinutesPerHour = 60;
constexpr LONG kMinutesPerDay = 1440;

struct DurationStep {
  int button;
  LONG minutes;
};

constexpr DurationStep kSteps[] = {
    {kDurationPlus5, 5},
    {kDurationPlus15, 15},
    {kDurationPlus30, 30},
    {kDurationMinus5, -5},
    {kDurationMinus15, -15},
    {kDurationMinus30, -30},
    {kDurationPlusHour, 60},
    {kDurationMinusHour, -60},
    {kDurationPlusDay, kMinutesPerDay},
    {kDurationMinusDay, -kMinutesPerDay},
};

std::u16string Counted(HINSTANCE resources, LONG count, unsigned one, unsigned many) {
  if (count == 1) return ResourceText(resources, one);
  return platform::FormatText(ResourceText(resources, many), {static_cast<int>(count)});
}

class DurationDialog : public ModalDialog {
 public:
  explicit DurationDialog(LONG minutes) : opened_(minutes), minutes_(minutes) {}
  LONG Minutes() const { return minutes_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_INITDIALOG) {
      Show();
      return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
      EndDialog(Window(), id);
    } else if (id == kDurationReset) {
      minutes_ = opened_;
      Show();
    } else {
      Step(id);
    }
    return TRUE;
  }

 private:
  void Step(int button) {
    for (const DurationStep& step : kSteps) {
      if (step.button != button) continue;
      LONG next = minutes_ + step.minutes;
      if (next < 0) return;  // a step below zero is ignored
      minutes_ = std::min(next, kMaxDurationMinutes);
      Show();
      return;
    }
  }
  void Show() { SetDlgItemTextW(Window(), kDurationDisplay, DurationText(Resources(), minutes_).c_str()); }

  LONG opened_;
  LONG minutes_;
};

}  // namespace

std::u16string DurationText(HINSTANCE resources, LONG minutes) {
  minutes = std::max<LONG>(minutes, 0);
  LONG days = minutes / kMinutesPerDay;
  LONG hours = minutes % kMinutesPerDay / kMinutesPerHour;
  LONG rest = minutes % kMinutesPerHour;
  if (days >= 1) {
    std::u16string text = Counted(resources, days, kStringDurationOneDay, kStringDurationDays);
    if (hours || rest) {
      text += platform::FormatText(u" + %d:%02d", {static_cast<int>(hours), static_cast<int>(rest)});
    }
    return text;
  }
  std::u16string text = hours ? Counted(resources, hours, kStringDurationOneHour, kStringDurationHours) : u"";
  if (hours > 0 && rest == 0) return text;
  if (hours > 0) text += u", ";
  return text + Counted(resources, rest, kStringDurationOneMinute, kStringDurationMinutes);
}

std::optional<LONG> PickDuration(HWND owner, HINSTANCE resources, LONG minutes) {
  DurationDialog dialog(std::clamp<LONG>(minutes, 0, kMaxDurationMinutes));
  if (dialog.Run(resources, kDialogDurationPicker, owner) != IDOK) return std::nullopt;
  return dialog.Minutes();
}

}  // namespace calyra
