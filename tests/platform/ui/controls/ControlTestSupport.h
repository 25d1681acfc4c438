#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/text/Text.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/shell/Shell.h"
#include "tests/support/DeviceTest.h"

namespace calyra::testing {

// What a control's parent heard: WM_NOTIFY codes and WM_COMMAND notification codes in order, with
// copies of the records of the list view, tree view and date picker. `answers` holds what the parent
// returns to a WM_NOTIFY code (a veto, for instance).
struct ParentLog {
  std::vector<UINT> notifications;
  std::vector<WORD> commands;
  std::vector<NMLISTVIEW> listEvents;
  std::vector<NMTREEVIEWW> treeEvents;
  std::vector<NMDATETIMECHANGE> dateEvents;
  std::vector<NMSELCHANGE> calendarEvents;
  std::vector<NMRGINFO> gestures;
  std::map<UINT, LRESULT> answers;

  void Clear() { *this = ParentLog(); }
};

inline ParentLog& Log() {
  static ParentLog log;
  return log;
}

inline LRESULT RecordingParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ParentLog& log = Log();
  if (message == WM_COMMAND) {
    log.commands.push_back(HIWORD(wParam));
    return 0;
  }
  if (message != WM_NOTIFY || !lParam) return DefWindowProcW(window, message, wParam, lParam);
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  log.notifications.push_back(header->code);
  HWND from = header->hwndFrom;
  if (header->code == GN_CONTEXTMENU) {
    log.gestures.push_back(*reinterpret_cast<const NMRGINFO*>(lParam));
  } else if (platform::ui::IsClass(from, WC_LISTVIEWW)) {
    NMLISTVIEW copy{};
    copy.hdr = *header;
    const auto* info = reinterpret_cast<const NMLISTVIEW*>(lParam);
    copy.iItem = info->iItem;
    copy.iSubItem = info->iSubItem;
    copy.uNewState = info->uNewState;
    copy.uOldState = info->uOldState;
    copy.uChanged = info->uChanged;
    copy.lParam = info->lParam;
    log.listEvents.push_back(copy);
  } else if (platform::ui::IsClass(from, WC_TREEVIEWW)) {
    log.treeEvents.push_back(*reinterpret_cast<const NMTREEVIEWW*>(lParam));
  } else if (header->code == DTN_DATETIMECHANGE) {
    log.dateEvents.push_back(*reinterpret_cast<const NMDATETIMECHANGE*>(lParam));
  } else if (header->code == MCN_SELCHANGE || header->code == MCN_SELECT) {
    log.calendarEvents.push_back(*reinterpret_cast<const NMSELCHANGE*>(lParam));
  }
  auto answer = log.answers.find(header->code);
  return answer == log.answers.end() ? 0 : answer->second;
}

// A fresh device with a top-level window whose procedure logs what its controls tell it.
class ControlTest : public DeviceTest {
 protected:
  static constexpr const char16_t* kParentClass = u"ControlTestParent";

  void SetUp() override {
    DeviceTest::SetUp();
    Log().Clear();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingParentProc;
    windowClass.lpszClassName = kParentClass;
    RegisterClassW(&windowClass);
    parent_ = CreateWindowExW(0, kParentClass, u"Parent", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 320, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
  }

  void TearDown() override {
    if (IsWindow(parent_)) DestroyWindow(parent_);
    Log().Clear();
    DeviceTest::TearDown();
  }

  HWND Parent() const { return parent_; }

  HWND Child(const char16_t* className, DWORD style, int id, int width = 200, int height = 200) {
    return CreateWindowExW(0, className, nullptr, WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent_,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  }

 private:
  HWND parent_ = nullptr;
};

inline SYSTEMTIME Date(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  return time;
}

}  // namespace calyra::testing
