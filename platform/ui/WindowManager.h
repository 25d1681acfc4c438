#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/core/System.h"
#include "platform/ui/WindowTypes.h"

namespace platform {
class UserAgent;
}

namespace platform::ui {

// State a built-in control keeps beside its window (list view items, edit text limits, ...).
class ControlState {
 public:
  virtual ~ControlState() = default;
};

struct WindowClass {
  std::u16string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int windowExtra = 0;
  HINSTANCE instance = nullptr;
  HBRUSH background = nullptr;
  bool system = false;  // registered by the window system itself; survives UnregisterClass
};

// What a dialog window keeps: the template it came from and how it ended.
struct DialogState {
  int templateId = 0;
  DLGPROC proc = nullptr;
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
};

// A window's standard scroll bar: its range, page and position (SetScrollInfo).
struct ScrollBarState {
  int min = 0;
  int max = 0;
  UINT page = 0;
  int pos = 0;
};

struct WindowObject {
  HWND handle = nullptr;
  std::shared_ptr<const WindowClass> windowClass;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;  // children only
  HWND owner = nullptr;   // top-level windows only
  RECT rect{};            // relative to the parent's client area, or the screen for top-level windows
  std::u16string text;
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  std::vector<LONG_PTR> extra;  // cbWndExtra, in pointer-sized slots
  std::vector<HWND> children;   // z-order, topmost first
  std::thread::id thread;
  HFONT font = nullptr;
  ScrollBarState scrollBars[2];  // SB_HORZ, SB_VERT
  bool destroying = false;
  std::unique_ptr<ControlState> control;
  std::unique_ptr<DialogState> dialog;
};

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  uint64_t due;  // GetTickCount time
};

struct ThreadQueue {
  std::deque<MSG> posted;
  std::vector<Timer> timers;
  bool quit = false;
  int exitCode = 0;
};

// What the process's window system holds: windows by handle, classes, the per-thread queues, focus,
// activation and foreground. One per process (module state of the emulated kernel).
class WindowManager : public ProcessState {
 public:
  WindowManager();
  static WindowManager& Current();

  std::recursive_mutex& Lock() { return lock_; }

  // The window behind a handle; null (with ERROR_INVALID_WINDOW_HANDLE) for an unknown or destroyed one.
  std::shared_ptr<WindowObject> Find(HWND window);
  // The child of `parent` with that control id, found under one lock; null when none has it.
  HWND FindChildById(const WindowObject& parent, int id);
  HWND Add(std::shared_ptr<WindowObject> window);
  void Remove(HWND window);

  std::shared_ptr<const WindowClass> FindClass(std::u16string_view name);
  bool AddClass(std::shared_ptr<WindowClass> windowClass);
  bool RemoveClass(std::u16string_view name);

  // Top-level windows in z-order, topmost first.
  std::vector<HWND>& TopLevel() { return topLevel_; }
  std::vector<HWND>& SiblingsOf(const WindowObject& window);

  ThreadQueue& QueueOf(std::thread::id thread);
  std::condition_variable_any& QueueSignal() { return queueSignal_; }

  HWND focus = nullptr;
  HWND active = nullptr;
  HWND foreground = nullptr;
  HWND capture = nullptr;  // the window the stylus is captured by
  int beeps = 0;
  bool systemClassesRegistered = false;
  UserAgent* agent = nullptr;
  // Called with every message sent, posted or dispatched (for the recorder).
  std::vector<std::function<void(const MSG&, bool posted)>*> observers;
  std::atomic<size_t> observerCount{0};

 private:
  std::recursive_mutex lock_;
  std::condition_variable_any queueSignal_;
  std::unordered_map<uintptr_t, std::shared_ptr<WindowObject>> windows_;
  std::map<std::u16string, std::shared_ptr<WindowClass>> classes_;  // by case-folded name
  std::vector<HWND> topLevel_;
  std::unordered_map<std::thread::id, ThreadQueue> queues_;
  uintptr_t nextHandle_ = 0x10000;
};

// The state of type T that a control keeps in its window; made on first use. Null for an unknown
// window or one that keeps state of another type.
template <class T>
T* ControlStateOf(HWND window) {
  auto object = WindowManager::Current().Find(window);
  if (!object) return nullptr;
  if (!object->control) object->control = std::make_unique<T>();
  return dynamic_cast<T*>(object->control.get());
}

// Sends WM_COMMAND with a notification code to the parent of a control.
void NotifyParentCommand(HWND control, WORD code);
// Sends WM_NOTIFY with `header` (its hwndFrom, idFrom and code filled here) to the parent.
LRESULT NotifyParent(HWND control, UINT code, NMHDR* header);
// Tells observers (the recorder) of a message.
void Observe(const MSG& message, bool posted);

}  // namespace platform::ui
