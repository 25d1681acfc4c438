#include "lists/ListNavigation.h"

#include <algorithm>

#include "lists/ListLayout.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Window.h"

namespace calyra::lists {

namespace {

bool Selectable(const ListModel& model, int index) {
  return !(model.Row(index).flags & kRowLabel);
}

void MoveTo(ListModel& model, int position) {
  if (position == model.position) return;
  model.position = position;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
  SetScrollInfo(model.inner, SB_VERT, &info, TRUE);
  InvalidateRect(model.inner, nullptr, TRUE);
}

}  // namespace

int ScrollTarget(WORD request, int thumb, int position, int line, int page, int content) {
  int end = std::max(0, content - page);
  switch (request) {
    case SB_LINEUP:
      return std::max(0, position - line);
    case SB_LINEDOWN:
      return std::min(end, position + line);
    case SB_PAGEUP:
      return std::max(0, position + line - page);
    case SB_PAGEDOWN:
      return std::min(end, position - line + page);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      return std::clamp(thumb, 0, end);
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return end;
    default:
      return position;
  }
}

void Scroll(ListModel& model, WORD request, int thumb) {
  MoveTo(model, ScrollTarget(request, thumb, model.position, model.lineUnit, PageHeight(model),
                             model.contentHeight));
}

void SelectNext(ListModel& model) {
  if (model.RowCount() == 0) return;
  int next = model.current + 1;
  while (next < model.RowCount() - 1 && !Selectable(model, next)) ++next;
  model.current = std::min(next, model.RowCount() - 1);
  EnsureVisible(model);
}

void SelectPrevious(ListModel& model) {
  if (model.RowCount() == 0) return;
  int previous = model.current - 1;
  while (previous > 0 && !Selectable(model, previous)) --previous;
  model.current = std::max(previous, 0);
  EnsureVisible(model);
}

void SelectFirst(ListModel& model) {
  int first = 0;
  while (first < model.RowCount() - 1 && !Selectable(model, first)) ++first;
  model.current = first;
  EnsureVisible(model);
}

void EnsureVisible(ListModel& model) {
  if (model.RowCount() == 0) return;
  int page = PageHeight(model);
  int top = model.RowTop(model.current);
  int bottom = top + model.Row(model.current).height;
  int position = model.position;
  if (top < position) {
    position = top;
  } else if (bottom > position + page) {
    position = bottom - page;
  }
  MoveTo(model, std::clamp(position, 0, std::max(0, model.contentHeight - page)));
  InvalidateRect(model.inner, nullptr, TRUE);
}

}  // namespace calyra::lists
