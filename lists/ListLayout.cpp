#include "lists/ListLayout.h"

#include <algorithm>
#include <string>

#include "platform/ui/Message.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"

namespace calyra::lists {

namespace {

// Appends the rows a field gives: none for a value shorter than two characters.
void AppendRows(ListModel& model, int id, const ListField& field, HDC measure) {
  if (field.flags & kFieldHeading) {
    model.AddRow({id, 0, kRowHeading | (field.rowFlags & kHeadingAttributes)});
    return;
  }
  if (field.flags & kFieldFixedText) {
    model.AddRow({id, 0, kRowFixedText | (field.rowFlags & kValueAttributes)});
    return;
  }
  if (field.value.size() < kShortestValue) return;
  DWORD valueFlags = field.rowFlags & kValueAttributes;
  if (field.flags & kFieldLabelBeside) {
    std::u16string label = field.label + kLabelSeparator;
    SelectObject(measure, model.boldFont);
    SIZE size{};
    GetTextExtentPoint32W(measure, label.c_str(), static_cast<int>(label.size()), &size);
    model.widestLabel = std::max(model.widestLabel, static_cast<int>(size.cx));
    valueFlags |= kRowBesideLabel;
  } else if (!(field.flags & kFieldNoLabel)) {
    model.AddRow({id, 0, kLabelRowFlags});
  }
  model.AddRow({id, 0, valueFlags});
}

int IconWidth(const ListModel& model) {
  int width = 0;
  int height = 0;
  if (model.ImageList(0) && ImageList_GetIconSize(model.ImageList(0), &width, &height)) return width;
  return GetSystemMetrics(SM_CXSMICON);
}

void MeasureLineHeight(ListModel& model) {
  if (model.lineHeight > 0) return;
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, model.normalFont);
  RECT rect{0, 0, model.Environment().ScaledX(kLineMeasureWidth), 0};
  model.lineHeight = std::max(1, DrawTextW(dc, kLineMeasureText, -1, &rect, DT_WORDBREAK | DT_CALCRECT));
  DeleteDC(dc);
}

// One pass over every row in `width`; returns the sum of the heights.
int MeasureRows(ListModel& model, HWND edit, int width) {
  int iconWidth = IconWidth(model);
  int measureHeight = model.Environment().ScaledY(kMeasureHeight);
  int sum = 0;
  for (int index = 0; index < model.RowCount(); ++index) {
    ListRow& row = model.Row(index);
    HFONT font = (row.flags & kRowBold) ? model.boldFont : model.normalFont;
    int left = (row.flags & kRowIndent) ? kIndent : 0;
    int right = width;
    if (row.flags & kRowBesideLabel) left += model.widestLabel;
    if (row.flags & kRowFromRight) right -= model.widestLabel;
    for (int icon = 0; icon < kRowIconFlags; ++icon) {
      if (row.flags & (kRowIconFirst << icon)) right -= iconWidth;
    }
    SetWindowPos(edit, nullptr, 0, 0, std::max(0, right - left), measureHeight, SWP_NOZORDER | SWP_NOMOVE);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    std::u16string text = model.RowText(index);
    SetWindowTextW(edit, text.c_str());
    auto lines = static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
    row.height = std::max(1, lines) * model.lineHeight;
    sum += row.height;
  }
  return sum;
}

}  // namespace

int PageHeight(const ListModel& model) {
  RECT client{};
  GetClientRect(model.inner, &client);
  return static_cast<int>(client.bottom - client.top);
}

void BuildRows(ListModel& model) {
  model.ClearRows();
  const FieldProvider* provider = model.Provider();
  if (!provider) return;
  HDC measure = CreateCompatibleDC(nullptr);
  for (int id = 0; id < provider->FieldCount() && model.RowCount() < kMaxRows; ++id) {
    AppendRows(model, id, provider->Field(id), measure);
  }
  DeleteDC(measure);
}

void Attach(ListModel& model, std::unique_ptr<FieldProvider> provider, const ListDisplay& display) {
  model.ApplyDisplay(display);
  model.SetProvider(std::move(provider));
  BuildRows(model);
  Layout(model);
}

void Layout(ListModel& model) {
  if (!model.inner) return;
  const ListEnvironment& environment = model.Environment();
  int width = GetSystemMetrics(SM_CXSCREEN) - 2 * environment.ScaledX(kSideMargin);
  HWND edit =
      CreateWindowExW(0, WC_EDIT, u"", WS_CHILD | ES_MULTILINE | ES_READONLY, 0, 0, width,
                      environment.ScaledY(kMeasureHeight), model.inner, nullptr, environment.module, nullptr);
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  SendMessageW(edit, EM_FMTLINES, TRUE, 0);
  MeasureLineHeight(model);
  model.layoutPasses = 1;
  model.contentHeight = MeasureRows(model, edit, width);
  if (model.contentHeight > PageHeight(model)) {
    model.layoutPasses = 2;
    model.contentHeight = MeasureRows(model, edit, width - GetSystemMetrics(SM_CXVSCROLL));
  }
  DestroyWindow(edit);
  UpdateScrollRange(model);
}

void UpdateScrollRange(ListModel& model) {
  if (!model.inner) return;
  int page = PageHeight(model);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  if (model.contentHeight > page) {
    model.position = std::clamp(model.position, 0, model.contentHeight - page);
    info.nMax = model.contentHeight;
    info.nPage = static_cast<UINT>(page);
    info.nPos = model.position;
  } else {
    model.position = 0;
  }
  SetScrollInfo(model.inner, SB_VERT, &info, TRUE);
}

}  // namespace calyra::lists
