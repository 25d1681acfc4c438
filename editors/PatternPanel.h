#pragma once

#include <array>
#include <optional>
#include <vector>

#include "platform/ui/WindowTypes.h"

namespace calyra {

// What a panel control is, and how a list of it is filled.
enum PanelControlKind : unsigned {
  kPanelLabel = 0,
  kPanelNumber = 1,     // a numeric field (alone, or the edit part of a drop-down)
  kPanelList = 2,       // a drop-down list
  kPanelDate = 4,       // a date control
  kPanelCheck = 8,      // a check box
  kPanelWeekdays = 16,  // seven check boxes from the id on, Sunday to Saturday: a weekday mask
  kFillDayInterval = 0x100,
  kFillMonthInterval = 0x200,
  kFillInstance = 0x400,
  kFillDay = 0x800,  // any day, weekday, weekend day, then the seven weekdays
  kFillMonth = 0x1000,
  kFillDayOfMonth = 0x2000,
  kFillAdjustment = 0x4000,
  kPanelFills = 0x7F00,
};

// What a panel holds: numbers, list values and check marks in the order of its controls of that
// kind, the weekday mask and the date (nothing when its control shows none).
struct PanelValues {
  std::array<LONG, 2> numbers{};
  std::array<LONG, 3> lists{};
  std::array<bool, 3> checks{};
  LONG weekdays = 0;
  std::optional<SYSTEMTIME> date;
};

// The controls of one pattern kind or end condition of the recurrence page: shown, hidden,
// enabled, filled and read together.
class PatternPanel {
 public:
  struct Control {
    int id;
    unsigned kind;
  };

  explicit PatternPanel(std::vector<Control> controls) : controls_(std::move(controls)) {}

  // Fills the panel's lists once the dialog exists.
  void Build(HWND dialog, HINSTANCE resources) const;
  void Show(HWND dialog, bool shown) const;
  void Enable(HWND dialog, bool enabled) const;
  // Selects the lists' entries that follow from a start date: its instance, weekday, month, day.
  void Preselect(HWND dialog, const SYSTEMTIME& start) const;
  // Sets the controls; a list value or number of 0 leaves its control as it is.
  void Fill(HWND dialog, const PanelValues& values) const;
  // The values; nothing when a number is not one (a blank or 0 counts as 1) or a list has no choice.
  std::optional<PanelValues> Read(HWND dialog) const;
  // Empties the numbers, lists, check marks and date.
  void Clear(HWND dialog) const;
  const std::vector<Control>& Controls() const { return controls_; }

 private:
  std::vector<Control> controls_;
};

// The longest number a numeric field takes.
inline constexpr int kPanelNumberDigits = 3;

}  // namespace calyra
