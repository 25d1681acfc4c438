#include "lists/ListModel.h"

#include <algorithm>

namespace calyra::lists {

ListModel::ListModel(ListEnvironment environment) : environment_(std::move(environment)) {
  std::copy(std::begin(kDefaultColours), std::end(kDefaultColours), colours);
  lineUnit = LineUnitFor(fontSize, environment_.dpiY);
}

ListModel::~ListModel() {
  for (HIMAGELIST list : imageLists_) {
    if (list) ImageList_Destroy(list);
  }
}

void ListModel::ApplyDisplay(const ListDisplay& display) {
  fontSize = display.fontSize == 0 ? kDefaultFontSize : display.fontSize;
  std::copy(std::begin(display.colours), std::end(display.colours), colours);
  if (environment_.font) {
    normalFont = environment_.font(fontSize, ListEnvironment::kPlainStyle);
    boldFont = environment_.font(fontSize, ListEnvironment::kBoldStyle);
  }
  if (!boldFont) boldFont = normalFont;
  lineUnit = LineUnitFor(fontSize, environment_.dpiY);
  lineHeight = 0;  // measured again in the new font
}

int ListModel::LineUnitFor(int fontSize, int dpiY) {
  if (fontSize <= 6) return 16 * (dpiY + 3) / 96;
  return ((std::min(fontSize, 12) + 10) * dpiY + 48) / 96;
}

void ListModel::SetImageList(int index, HIMAGELIST list) {
  if (index < 0 || index >= static_cast<int>(imageLists_.size())) {
    if (list) ImageList_Destroy(list);
    return;
  }
  if (imageLists_[static_cast<size_t>(index)]) ImageList_Destroy(imageLists_[static_cast<size_t>(index)]);
  imageLists_[static_cast<size_t>(index)] = list;
}

HIMAGELIST ListModel::ImageList(int index) const {
  return index >= 0 && index < static_cast<int>(imageLists_.size()) ? imageLists_[static_cast<size_t>(index)]
                                                                    : nullptr;
}

bool ListModel::AddRow(const ListRow& row) {
  if (rowCount_ >= kMaxRows) return false;
  rows_[static_cast<size_t>(rowCount_++)] = row;
  return true;
}

void ListModel::ClearRows() {
  rowCount_ = 0;
  current = 0;
  position = 0;
  contentHeight = 0;
  widestLabel = 0;
}

const ListField* ListModel::FieldOf(int index) const {
  if (!provider_ || index < 0 || index >= rowCount_) return nullptr;
  int field = Row(index).field;
  return field >= 0 && field < provider_->FieldCount() ? &provider_->Field(field) : nullptr;
}

std::u16string ListModel::RowText(int index) const {
  const ListField* field = FieldOf(index);
  if (!field) return {};
  DWORD flags = Row(index).flags;
  if (flags & kRowLabel) return field->label;
  if (flags & (kRowHeading | kRowFixedText)) return field->label.empty() ? field->value : field->label;
  return field->value;
}

int ListModel::RowTop(int index) const {
  int top = 0;
  for (int row = 0; row < index && row < rowCount_; ++row) top += Row(row).height;
  return top;
}

}  // namespace calyra::lists
