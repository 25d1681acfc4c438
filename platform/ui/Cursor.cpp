#include "platform/ui/Cursor.h"

#include <mutex>

#include "platform/core/LastError.h"
#include "platform/core/System.h"

// The system cursors are objects of their own, so that their handles differ and are never null.
struct HCURSOR__ {
  uintptr_t id;
};

namespace {

HCURSOR__ arrowCursor{32512};
HCURSOR__ waitCursor{32514};

struct CursorState : platform::ProcessState {
  std::mutex lock;
  HCURSOR current = &arrowCursor;
  std::vector<HCURSOR> history;
};

CursorState& State() {
  return platform::System::Current().State<CursorState>();
}

}  // namespace

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (!instance && name == IDC_ARROW) return &arrowCursor;
  if (!instance && name == IDC_WAIT) return &waitCursor;
  SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  CursorState& state = State();
  std::lock_guard guard(state.lock);
  HCURSOR old = state.current;
  state.current = cursor;
  state.history.push_back(cursor);
  return old;
}

HCURSOR GetCursor() {
  CursorState& state = State();
  std::lock_guard guard(state.lock);
  return state.current;
}

namespace platform {

std::vector<HCURSOR> CursorHistory() {
  CursorState& state = State();
  std::lock_guard guard(state.lock);
  return state.history;
}

}  // namespace platform
