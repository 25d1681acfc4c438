#include "platform/ui/WindowManager.h"

#include "platform/core/LastError.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"

namespace platform::ui {

WindowManager::WindowManager() = default;

WindowManager& WindowManager::Current() {
  return System::Current().State<WindowManager>();
}

std::shared_ptr<WindowObject> WindowManager::Find(HWND window) {
  std::lock_guard guard(lock_);
  auto found = windows_.find(reinterpret_cast<uintptr_t>(window));
  if (found == windows_.end()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return found->second;
}

HWND WindowManager::FindChildById(const WindowObject& parent, int id) {
  std::lock_guard guard(lock_);
  for (HWND child : parent.children) {
    auto found = windows_.find(reinterpret_cast<uintptr_t>(child));
    if (found != windows_.end() && static_cast<int>(found->second->id) == id) return child;
  }
  return nullptr;
}

HWND WindowManager::Add(std::shared_ptr<WindowObject> window) {
  std::lock_guard guard(lock_);
  auto handle = reinterpret_cast<HWND>(nextHandle_);
  nextHandle_ += 4;
  window->handle = handle;
  windows_[reinterpret_cast<uintptr_t>(handle)] = std::move(window);
  return handle;
}

void WindowManager::Remove(HWND window) {
  std::lock_guard guard(lock_);
  windows_.erase(reinterpret_cast<uintptr_t>(window));
  if (focus == window) focus = nullptr;
  if (active == window) active = nullptr;
  if (foreground == window) foreground = nullptr;
  if (capture == window) capture = nullptr;
  for (auto& [thread, queue] : queues_) {
    std::erase_if(queue.timers, [window](const Timer& timer) { return timer.window == window; });
  }
}

std::shared_ptr<const WindowClass> WindowManager::FindClass(std::u16string_view name) {
  std::lock_guard guard(lock_);
  auto found = classes_.find(FoldCase(name));
  return found == classes_.end() ? nullptr : found->second;
}

bool WindowManager::AddClass(std::shared_ptr<WindowClass> windowClass) {
  std::lock_guard guard(lock_);
  return classes_.emplace(FoldCase(windowClass->name), std::move(windowClass)).second;
}

bool WindowManager::RemoveClass(std::u16string_view name) {
  std::lock_guard guard(lock_);
  auto found = classes_.find(FoldCase(name));
  if (found == classes_.end() || found->second->system) return false;
  classes_.erase(found);
  return true;
}

std::vector<HWND>& WindowManager::SiblingsOf(const WindowObject& window) {
  if (window.parent) {
    if (auto parent = Find(window.parent)) return parent->children;
  }
  return topLevel_;
}

ThreadQueue& WindowManager::QueueOf(std::thread::id thread) {
  std::lock_guard guard(lock_);
  return queues_[thread];
}

void NotifyParentCommand(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
               reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, UINT code, NMHDR* header) {
  HWND parent = GetParent(control);
  if (!parent) return 0;
  header->hwndFrom = control;
  header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  header->code = code;
  return SendMessageW(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void Observe(const MSG& message, bool posted) {
  auto& manager = WindowManager::Current();
  if (manager.observerCount.load(std::memory_order_relaxed) == 0) return;
  std::vector<std::function<void(const MSG&, bool)>*> observers;
  {
    std::lock_guard guard(manager.Lock());
    observers = manager.observers;
  }
  for (auto* observer : observers) (*observer)(message, posted);
}

}  // namespace platform::ui
