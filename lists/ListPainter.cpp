#include "lists/ListPainter.h"

#include "lists/ListLayout.h"
#include "platform/ui/Window.h"

namespace calyra::lists {

namespace {

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void DrawOne(HDC dc, int row, RECT rect, HFONT font, COLORREF colour, const std::u16string& text,
             std::vector<DrawnText>& drawn) {
  SelectObject(dc, font);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_WORDBREAK | DT_NOPREFIX);
  drawn.push_back({row, rect, font, colour, text});
}

// A heading's rule above or below its text, in the label colour.
void DrawRules(const ListModel& model, HDC dc, const ListRow& row, const RECT& rect) {
  COLORREF colour = model.colours[kLabelColour];
  if (row.flags & kRowLineAbove) Fill(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1}, colour);
  if (row.flags & kRowLineBelow) Fill(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
}

int DrawIcons(const ListModel& model, HDC dc, const ListRow& row, const ListField& field, int right,
              int top) {
  HIMAGELIST images = model.ImageList(field.imageList);
  int width = 0;
  int height = 0;
  if (!images || field.image < 0 || !ImageList_GetIconSize(images, &width, &height)) return right;
  for (int icon = 0; icon < kRowIconFlags; ++icon) {
    if (!(row.flags & (kRowIconFirst << icon))) continue;
    right -= width;
    ImageList_Draw(images, field.image, dc, right, top, 0);
  }
  return right;
}

}  // namespace

std::vector<DrawnText> Paint(const ListModel& model, HDC dc) {
  std::vector<DrawnText> drawn;
  RECT client{};
  GetClientRect(model.inner, &client);
  Fill(dc, client, model.colours[kBackgroundColour]);
  SetBkMode(dc, TRANSPARENT);
  int top = -model.position;
  for (int index = 0; index < model.RowCount(); top += model.Row(index).height, ++index) {
    const ListRow& row = model.Row(index);
    const ListField* field = model.FieldOf(index);
    if (!field || top + row.height <= 0 || top >= client.bottom) continue;
    RECT rect{0, top, client.right, top + row.height};
    if (index == model.current) Fill(dc, rect, model.colours[kSelectionColour]);
    if (row.flags & kRowHeading) DrawRules(model, dc, row, rect);
    rect.right = DrawIcons(model, dc, row, *field, rect.right, top);
    if (row.flags & kRowIndent) rect.left += kIndent;
    bool label = row.flags & (kRowLabel | kRowHeading);
    if (row.flags & kRowBesideLabel) {
      RECT beside{rect.left, top, rect.left + model.widestLabel, top + row.height};
      DrawOne(dc, index, beside, model.boldFont, model.colours[kLabelColour], field->label + kLabelSeparator,
              drawn);
      rect.left += model.widestLabel;
    }
    if (row.flags & kRowFromRight) rect.right -= model.widestLabel;
    HFONT font = (row.flags & kRowBold) ? model.boldFont : model.normalFont;
    DrawOne(dc, index, rect, font, model.colours[label ? kLabelColour : kTextColour], model.RowText(index),
            drawn);
  }
  return drawn;
}

}  // namespace calyra::lists
