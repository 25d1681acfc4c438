#pragma once

#include <array>
#include <memory>
#include <string>

#include "lists/FieldProvider.h"
#include "lists/ListConstants.h"
#include "lists/ListEnvironment.h"
#include "lists/ListRow.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/WindowTypes.h"

namespace calyra::lists {

// The state of one list: its rows, layout, scroll position, selection, display and provider. Made
// with the frame, freed when the inner window is destroyed.
class ListModel {
 public:
  explicit ListModel(ListEnvironment environment);
  ~ListModel();
  ListModel(const ListModel&) = delete;
  ListModel& operator=(const ListModel&) = delete;

  // Takes the font size index (0: 9) and colours; the fonts come from the component's set.
  void ApplyDisplay(const ListDisplay& display);
  // Size 6 and below: 16 x (dpi + 3) / 96; 7 to 12: ((size + 10) x dpi + 48) / 96.
  static int LineUnitFor(int fontSize, int dpiY);

  // Takes ownership of an image list for the rows' icons (index 0 to 2).
  void SetImageList(int index, HIMAGELIST list);
  HIMAGELIST ImageList(int index) const;

  // Appends a row; false once the table is full.
  bool AddRow(const ListRow& row);
  void ClearRows();
  const ListRow& Row(int index) const { return rows_[static_cast<size_t>(index)]; }
  ListRow& Row(int index) { return rows_[static_cast<size_t>(index)]; }
  int RowCount() const { return rowCount_; }
  // The text a row shows: the label of a label row, the fixed text of a heading or fixed row, else
  // the value.
  std::u16string RowText(int index) const;
  const ListField* FieldOf(int index) const;
  // The top of a row: the heights of the rows above it.
  int RowTop(int index) const;

  const ListEnvironment& Environment() const { return environment_; }
  void SetEnvironment(ListEnvironment environment) { environment_ = std::move(environment); }
  void SetProvider(std::unique_ptr<FieldProvider> provider) { provider_ = std::move(provider); }
  const FieldProvider* Provider() const { return provider_.get(); }

  HWND inner = nullptr;
  int current = 0;
  int contentHeight = 0;
  int widestLabel = 0;
  int lineHeight = 0;  // measured once per font
  int lineUnit = 0;
  int position = 0;  // the scroll position, in pixels from the top
  int fontSize = kDefaultFontSize;
  int layoutPasses = 0;  // of the last layout: 2 when it ran again beside the scroll bar
  HFONT normalFont = nullptr;
  HFONT boldFont = nullptr;
  COLORREF colours[4];

 private:
  ListEnvironment environment_;
  std::array<ListRow, kMaxRows> rows_{};
  int rowCount_ = 0;
  std::array<HIMAGELIST, 3> imageLists_{};
  std::unique_ptr<FieldProvider> provider_;
};

}  // namespace calyra::lists
