#include "platform/ui/Message.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#include "platform/core/LastError.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

using platform::ui::ThreadQueue;
using platform::ui::Timer;
using platform::ui::WindowManager;

namespace {

constexpr UINT kFirstRegisteredMessage = 0xC000;

bool Matches(const MSG& message, HWND window, UINT first, UINT last) {
  if (window && message.hwnd != window && !IsChild(window, message.hwnd)) return false;
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return MSG{window, message, wParam, lParam, GetTickCount(), POINT{0, 0}};
}

// Takes the first message the filter lets through: posted messages first, then WM_QUIT, then a due
// timer. Called with the manager's lock held.
bool TakeMessage(ThreadQueue& queue, MSG* out, HWND window, UINT first, UINT last, bool remove) {
  auto found = std::find_if(queue.posted.begin(), queue.posted.end(),
                            [&](const MSG& message) { return Matches(message, window, first, last); });
  if (found != queue.posted.end()) {
    *out = *found;
    if (remove) queue.posted.erase(found);
    return true;
  }
  if (queue.quit && window == nullptr) {
    *out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.exitCode), 0);
    if (remove) queue.quit = false;
    return true;
  }
  uint64_t now = GetTickCount();
  for (Timer& timer : queue.timers) {
    MSG message = MakeMessage(timer.window, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.proc));
    if (timer.due <= now && Matches(message, window, first, last)) {
      if (remove) timer.due = now + timer.elapse;
      *out = message;
      return true;
    }
  }
  return false;
}

// When the next timer of the queue is due, in GetTickCount time; none when there is no timer.
std::optional<uint64_t> NextTimer(const ThreadQueue& queue) {
  std::optional<uint64_t> next;
  for (const Timer& timer : queue.timers) next = next ? std::min(*next, timer.due) : timer.due;
  return next;
}

HWND TopLevelOf(HWND window) {
  while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

}  // namespace

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto object = WindowManager::Current().Find(window);
  if (!object) return 0;
  // A sent message carries no time: only the recorder sees it.
  platform::ui::Observe(MSG{window, message, wParam, lParam, 0, POINT{0, 0}}, false);
  return CallWindowProcW(object->proc, window, message, wParam, lParam);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& manager = WindowManager::Current();
  std::thread::id thread = std::this_thread::get_id();
  if (window) {
    auto object = manager.Find(window);
    if (!object) return FALSE;
    thread = object->thread;
  }
  MSG posted = MakeMessage(window, message, wParam, lParam);
  {
    std::lock_guard guard(manager.Lock());
    manager.QueueOf(thread).posted.push_back(posted);
  }
  manager.QueueSignal().notify_all();
  platform::ui::Observe(posted, true);
  return TRUE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  if (threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return PostMessageW(nullptr, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
  auto& manager = WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  ThreadQueue& queue = manager.QueueOf(std::this_thread::get_id());
  queue.quit = true;
  queue.exitCode = exitCode;
}

BOOL PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT remove) {
  if (!message) return FALSE;
  auto& manager = WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  return TakeMessage(manager.QueueOf(std::this_thread::get_id()), message, window, first, last,
                     remove & PM_REMOVE)
             ? TRUE
             : FALSE;
}

BOOL GetMessageW(MSG* message, HWND window, UINT first, UINT last) {
  if (!message) return FALSE;
  auto& manager = WindowManager::Current();
  std::unique_lock guard(manager.Lock());
  ThreadQueue& queue = manager.QueueOf(std::this_thread::get_id());
  while (!TakeMessage(queue, message, window, first, last, true)) {
    if (auto next = NextTimer(queue)) {
      uint64_t now = GetTickCount();
      manager.QueueSignal().wait_for(guard, std::chrono::milliseconds(*next > now ? *next - now : 0));
    } else {
      manager.QueueSignal().wait(guard);
    }
  }
  return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG* message) {
  return message && message->message == WM_KEYDOWN ? TRUE : FALSE;
}

LRESULT DispatchMessageW(const MSG* message) {
  if (!message) return 0;
  if (message->message == WM_TIMER && message->lParam) {
    reinterpret_cast<TIMERPROC>(message->lParam)(message->hwnd, WM_TIMER, message->wParam, GetTickCount());
    return 0;
  }
  auto object = WindowManager::Current().Find(message->hwnd);
  if (!object) return 0;
  return CallWindowProcW(object->proc, message->hwnd, message->message, message->wParam, message->lParam);
}

UINT RegisterWindowMessageW(LPCWSTR name) {
  std::u16string key = platform::FoldCase(platform::TextView(name, 256));
  if (key.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  platform::Device* device = platform::CurrentDevice();
  if (!device) return 0;
  // The numbers live in the device's settings, so that every process of the device agrees on them.
  std::lock_guard guard(device->Lock());
  std::string setting = "WindowMessage." + platform::ToUtf8(key);
  if (auto known = device->Setting(setting)) return static_cast<UINT>(std::stoul(platform::ToUtf8(*known)));
  UINT next = kFirstRegisteredMessage;
  if (auto last = device->Setting("WindowMessage..Next"))
    next = static_cast<UINT>(std::stoul(platform::ToUtf8(*last)));
  device->SetSetting(setting, platform::FromUtf8(std::to_string(next)));
  device->SetSetting("WindowMessage..Next", platform::FromUtf8(std::to_string(next + 1)));
  return next;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  auto& manager = WindowManager::Current();
  std::thread::id thread = std::this_thread::get_id();
  if (window) {
    auto object = manager.Find(window);
    if (!object) return 0;
    thread = object->thread;
  }
  std::lock_guard guard(manager.Lock());
  ThreadQueue& queue = manager.QueueOf(thread);
  if (!window) id = 0x7000 + queue.timers.size();
  std::erase_if(queue.timers, [&](const Timer& timer) { return timer.window == window && timer.id == id; });
  queue.timers.push_back(
      Timer{window, id, std::max<UINT>(elapse, 10), proc, GetTickCount() + std::max<UINT>(elapse, 10)});
  manager.QueueSignal().notify_all();
  return window ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  auto& manager = WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  ThreadQueue& queue = manager.QueueOf(std::this_thread::get_id());
  size_t removed = std::erase_if(
      queue.timers, [&](const Timer& timer) { return timer.window == window && timer.id == id; });
  std::erase_if(queue.posted, [&](const MSG& message) {
    return message.message == WM_TIMER && message.hwnd == window && message.wParam == id;
  });
  return removed ? TRUE : FALSE;
}

DWORD GetCurrentThreadId() {
  return static_cast<DWORD>(std::hash<std::thread::id>{}(std::this_thread::get_id()));
}

DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) {
  auto object = WindowManager::Current().Find(window);
  if (!object) return 0;
  if (processId) *processId = static_cast<DWORD>(getpid());
  return static_cast<DWORD>(std::hash<std::thread::id>{}(object->thread));
}

namespace platform {

int PumpMessages() {
  int dispatched = 0;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    ++dispatched;
    HWND top = TopLevelOf(message.hwnd);
    if (top && platform::IsModelessDialog(top) && IsDialogMessageW(top, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return dispatched;
}

void ElapseTimers() {
  auto& manager = WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  for (Timer& timer : manager.QueueOf(std::this_thread::get_id()).timers) timer.due = 0;
}

size_t PendingMessageCount() {
  auto& manager = WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  return manager.QueueOf(std::this_thread::get_id()).posted.size();
}

}  // namespace platform
