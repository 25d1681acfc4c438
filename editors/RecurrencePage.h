#pragma once

#include <string>
#include <vector>

#include "editors/EditorPage.h"
#include "editors/PatternPanel.h"
#include "editors/ReadyMadePatterns.h"

namespace calyra {

// The recurrence page of the appointment and task editors: a list of ready-made patterns worded for
// the pattern's start, and behind it the full editor: the pattern kind with one panel of controls per
// kind, the pattern start and the end condition. Appointments offer one more kind, the component's
// own semi-monthly pattern. The page writes the item's recurrence and moves the item onto the
// pattern's start day, which is where Pocket Outlook anchors a series.
class RecurrencePage : public EditorPage {
 public:
  RecurrencePage();
  ~RecurrencePage() override { DestroyDialog(); }

  HWND Activate(int tabIndex) override;
  void Load() override;
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT NumberFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
  // Whether a typed character may go into a numeric field; tells the person why not.
  bool AcceptsCharacter(HWND field, char16_t typed) const;

  void BuildControls();
  void SetSemiMonthlyRow(bool offered);
  void BuildReadyMadeList(const SYSTEMTIME& start);
  // Enables the controls by the page's enabled flag and sets the dates' format.
  void EnableForPage();
  void UsePatternStart(const SYSTEMTIME& start);
  void LoadPattern(const RecurrencePattern& pattern);
  void LoadEnd(const RecurrencePattern& pattern);

  int Selection(int list) const;
  void Select(int list, int index);
  // The kind list's entry of a pattern kind, and the kind of the selected entry.
  int KindIndex(LONG kind) const;
  LONG SelectedKind() const;
  void ShowKindPanel();
  void ShowEndPanel();
  // The full editor (kind list and panels) is open only for the custom entry of an enabled page.
  void EnableFullEditor();

  // Store: the pattern of the chosen kind from its panel, its end, and the item's new recurrence.
  bool ReadKind(ReadyMade entry, RecurrencePattern* pattern);
  bool ReadEnd(RecurrencePattern* pattern);
  void StoreSemiMonthly(const PanelValues& values, RecurrencePattern* pattern) const;
  void SetSemiMonthlyEnd(RecurrencePattern* pattern) const;
  void RefuseNumber() const;

  std::vector<PatternPanel> kindPanels_;
  std::vector<PatternPanel> endPanels_;
  std::u16string languageTag_;
  bool semiMonthlyOffered_ = false;
  SYSTEMTIME listStart_{};                   // the start the ready-made list is worded for
  std::optional<SYSTEMTIME> itemStartSeen_;  // the item's start day at the last load or activation
  WNDPROC numberFieldBase_ = nullptr;
};

}  // namespace calyra
