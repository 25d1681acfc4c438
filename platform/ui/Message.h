#pragma once

#include "platform/ui/WindowTypes.h"

// Messages: one queue per thread. SendMessage calls the window procedure at once (on the caller's
// thread: the emulation does not marshal sends between threads); PostMessage queues on the thread
// that created the window. WM_TIMER is made when the queue is otherwise empty, as on the device.

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Waits for a message; FALSE for WM_QUIT. A thread whose queue stays empty waits for another thread.
BOOL GetMessageW(MSG* message, HWND window, UINT first, UINT last);
BOOL PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT remove);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageW(const MSG* message);
// Numbers from 0xC000 up, the same number for the same name in every process of the device.
UINT RegisterWindowMessageW(LPCWSTR name);
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND window, UINT_PTR id);
DWORD GetCurrentThreadId();
DWORD GetWindowThreadProcessId(HWND window, DWORD* processId);

namespace platform {

// Dispatches what the calling thread's queue holds, and what handlers post meanwhile, until it is
// empty (IsDialogMessage is tried for modeless dialogs first). Leaves a WM_QUIT in the queue and
// stops there. Returns the number of messages dispatched.
int PumpMessages();
// Makes every timer of the calling thread due at once, so that tests need not wait.
void ElapseTimers();
// Posted messages waiting in the calling thread's queue.
size_t PendingMessageCount();

}  // namespace platform
