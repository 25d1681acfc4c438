#include "platform/ui/ScrollBar.h"

#include <algorithm>

#include "platform/core/LastError.h"
#include "platform/ui/WindowManager.h"

using platform::ui::ScrollBarState;
using platform::ui::WindowManager;

namespace {

bool Shown(const ScrollBarState& bar) {
  return bar.max - bar.min + 1 > static_cast<int>(bar.page) && bar.max > bar.min;
}

void ClampPosition(ScrollBarState& bar) {
  int last = bar.page > 0 ? bar.max - static_cast<int>(bar.page) + 1 : bar.max;
  bar.pos = std::max(bar.min, std::min(bar.pos, std::max(bar.min, last)));
}

}  // namespace

int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL) {
  auto object = WindowManager::Current().Find(window);
  if (!object || !info || (bar != SB_HORZ && bar != SB_VERT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ScrollBarState& state = object->scrollBars[bar];
  if (info->fMask & SIF_RANGE) {
    state.min = info->nMin;
    state.max = std::max(info->nMin, info->nMax);
  }
  if (info->fMask & SIF_PAGE) state.page = info->nPage;
  if (info->fMask & SIF_POS) state.pos = info->nPos;
  ClampPosition(state);
  DWORD style = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  object->style = Shown(state) ? object->style | style : object->style & ~style;
  return state.pos;
}

BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info) {
  auto object = WindowManager::Current().Find(window);
  if (!object || !info || (bar != SB_HORZ && bar != SB_VERT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const ScrollBarState& state = object->scrollBars[bar];
  if (info->fMask & SIF_RANGE) {
    info->nMin = state.min;
    info->nMax = state.max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = state.page;
  if (info->fMask & SIF_POS) info->nPos = state.pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = state.pos;
  return TRUE;
}
