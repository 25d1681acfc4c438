#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/LastError.h"
#include "platform/ui/Message.h"
#include "platform/ui/MessageRecorder.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;
using platform::ExpectedMessage;
using platform::kLParam;
using platform::kOptional;
using platform::kPosted;
using platform::kSent;
using platform::kWParam;

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kPong = WM_USER + 2;
constexpr UINT kRefuseCreate = WM_USER + 3;

// A window that answers ping by posting pong to itself, and refuses creation when asked to.
LRESULT TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      return create->lpCreateParams == reinterpret_cast<void*>(kRefuseCreate) ? -1 : 0;
    }
    case kPing:
      PostMessageW(window, kPong, wParam + 1, 0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

class WindowTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TestProc;
    windowClass.lpszClassName = u"Test:Window";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
  }
  HWND Make(HWND parent = nullptr, DWORD style = WS_VISIBLE, int id = 0, const char16_t* text = u"") {
    DWORD childStyle = parent ? WS_CHILD : 0;
    return CreateWindowExW(0, u"Test:Window", text, style | childStyle, 10, 20, 100, 50, parent,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  }
};

TEST_F(WindowTest, ClassesAndCreation) {
  WNDCLASSW again{};
  again.lpfnWndProc = TestProc;
  again.lpszClassName = u"TEST:WINDOW";
  EXPECT_EQ(RegisterClassW(&again), 0) << "class names ignore case";
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);

  EXPECT_EQ(CreateWindowExW(0, u"No:Such", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
  EXPECT_EQ(CreateWindowExW(0, u"Test:Window", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            reinterpret_cast<void*>(kRefuseCreate)),
            nullptr)
      << "WM_CREATE answering -1 fails the creation";
  EXPECT_EQ(CreateWindowExW(0, u"Test:Window", u"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr)
      << "a child needs a parent";

  HWND top = Make(nullptr, WS_VISIBLE, 0, u"Main");
  ASSERT_NE(top, nullptr);
  WCHAR name[32];
  EXPECT_EQ(GetClassNameW(top, name, 32), 11);
  EXPECT_EQ(std::u16string(name), u"Test:Window");
  EXPECT_EQ(FindWindowW(u"test:window", nullptr), top);
  EXPECT_EQ(FindWindowW(nullptr, u"Main"), top);
  EXPECT_EQ(FindWindowW(u"Test:Window", u"Other"), nullptr);
  EXPECT_FALSE(UnregisterClassW(u"Dialog", nullptr)) << "the window system's classes stay";
}

TEST_F(WindowTest, TreeGeometryAndState) {
  HWND top = Make();
  HWND first = Make(top, WS_VISIBLE, 101);
  HWND second = Make(top, WS_VISIBLE, 102);
  HWND grandchild = Make(first, WS_VISIBLE, 201);
  EXPECT_EQ(GetParent(first), top);
  EXPECT_EQ(GetWindow(top, GW_CHILD), first) << "children keep creation order";
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
  EXPECT_EQ(GetDlgItem(top, 102), second);
  EXPECT_EQ(GetDlgItem(top, 999), nullptr);
  EXPECT_EQ(GetDlgCtrlID(grandchild), 201);
  EXPECT_TRUE(IsChild(top, grandchild));
  EXPECT_FALSE(IsChild(second, grandchild));

  RECT rect;
  ASSERT_TRUE(GetWindowRect(grandchild, &rect));
  EXPECT_EQ(rect.left, 30);  // 10 + 10 + 10: each level's offset adds up on the screen
  EXPECT_EQ(rect.top, 60);
  ASSERT_TRUE(GetClientRect(grandchild, &rect));
  EXPECT_EQ(rect.right, 100);
  EXPECT_EQ(rect.bottom, 50);
  POINT point{0, 0};
  ClientToScreen(grandchild, &point);
  EXPECT_EQ(point.x, 30);
  ScreenToClient(first, &point);
  EXPECT_EQ(point.x, 10);

  ShowWindow(top, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(grandchild)) << "a hidden parent hides its children";
  ShowWindow(top, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(grandchild));
  SetFocus(second);
  EXPECT_EQ(GetFocus(), second);
  EnableWindow(second, FALSE);
  EXPECT_FALSE(IsWindowEnabled(second));
  EXPECT_EQ(GetFocus(), nullptr) << "a disabled window loses the focus";

  HWND other = Make();
  EXPECT_EQ(GetActiveWindow(), other) << "a shown top-level window becomes active";
  SetForegroundWindow(top);
  EXPECT_EQ(GetForegroundWindow(), top);
  EXPECT_EQ(GetWindow(other, GW_HWNDFIRST), top) << "the foreground window comes to the top";
}

TEST_F(WindowTest, DestroySendsDestroyDownAndFreesChildrenFirst) {
  HWND top = Make();
  HWND child = Make(top, WS_VISIBLE, 1);
  HWND grandchild = Make(child, WS_VISIBLE, 2);
  HWND owned =
      CreateWindowExW(0, u"Test:Window", u"", WS_VISIBLE, 0, 0, 10, 10, child, nullptr, nullptr, nullptr);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), top) << "the owner is the parent's top-level window";

  platform::MessageRecorder recorder;
  for (HWND window : {top, child, grandchild, owned}) recorder.Watch(window);
  recorder.Ignore(WM_SHOWWINDOW);
  recorder.Ignore(WM_WINDOWPOSCHANGED);
  recorder.Ignore(WM_MOVE);
  recorder.Ignore(WM_SIZE);
  recorder.Ignore(WM_ACTIVATE);
  recorder.Ignore(WM_KILLFOCUS);
  ASSERT_TRUE(DestroyWindow(top));
  std::vector<std::pair<HWND, UINT>> order;
  for (const auto& message : recorder.Messages()) order.emplace_back(message.window, message.message);
  std::vector<std::pair<HWND, UINT>> expected{
      {owned, WM_DESTROY},      {owned, WM_NCDESTROY},      {top, WM_DESTROY},     {child, WM_DESTROY},
      {grandchild, WM_DESTROY}, {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}};
  EXPECT_EQ(order, expected);
  for (HWND window : {top, child, grandchild, owned}) EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowTest, TheStylusCaptureIsHeldUntilReleasedOrTheWindowGoes) {
  HWND first = Make();
  HWND second = Make();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SetCapture(first), nullptr);
  EXPECT_EQ(GetCapture(), first);
  EXPECT_EQ(SetCapture(second), first);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  SetCapture(second);
  DestroyWindow(second);
  EXPECT_EQ(GetCapture(), nullptr) << "a destroyed window holds no capture";
  EXPECT_EQ(SetCapture(second), nullptr);
  EXPECT_EQ(GetCapture(), nullptr) << "a dead handle cannot capture";
  DestroyWindow(first);
}

TEST_F(WindowTest, DeadAndUnknownHandlesChangeNothing) {
  HWND window = Make();
  DestroyWindow(window);
  HWND unknown = reinterpret_cast<HWND>(0x1234);
  for (HWND dead : {window, unknown}) {
    EXPECT_EQ(SendMessageW(dead, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"x")), 0);
    EXPECT_FALSE(PostMessageW(dead, kPing, 0, 0));
    EXPECT_FALSE(DestroyWindow(dead));
    EXPECT_FALSE(ShowWindow(dead, SW_SHOW));
    EXPECT_FALSE(SetWindowPos(dead, nullptr, 0, 0, 1, 1, 0));
    EXPECT_EQ(GetParent(dead), nullptr);
    EXPECT_EQ(GetWindowLongW(dead, GWL_STYLE), 0);
    EXPECT_EQ(SetFocus(dead), nullptr);
    RECT rect{};
    EXPECT_FALSE(GetWindowRect(dead, &rect));
    WCHAR text[8] = u"keep";
    EXPECT_EQ(GetWindowTextW(dead, text, 8), 0);
  }
  EXPECT_EQ(platform::PendingMessageCount(), 0u);
  HWND fresh = Make();
  EXPECT_NE(fresh, window) << "handles are never reused";
}

TEST_F(WindowTest, TextIsCutAtTheBuffer) {
  HWND window = Make(nullptr, WS_VISIBLE, 0, u"Appointment");
  WCHAR small[5];
  EXPECT_EQ(GetWindowTextW(window, small, 5), 4);
  EXPECT_EQ(std::u16string(small), u"Appo");
  EXPECT_EQ(GetWindowTextLengthW(window), 11);
  EXPECT_EQ(GetWindowTextW(window, small, 0), 0);
  std::u16string huge(100000, u'x');
  SetWindowTextW(window, huge.c_str());
  EXPECT_EQ(GetWindowTextLengthW(window), 32767);
}

TEST_F(WindowTest, PostedMessagesAndHandlersThatPost) {
  HWND window = Make();
  platform::MessageRecorder recorder;
  recorder.Watch(window);
  PostMessageW(window, kPing, 7, 0);
  EXPECT_EQ(platform::PendingMessageCount(), 1u);
  EXPECT_EQ(platform::PumpMessages(), 2) << "the pong posted by the handler is dispatched too";
  std::vector<ExpectedMessage> expected{{kPing, kPosted | kWParam, 7}, {kPong, kPosted | kWParam, 8}};
  EXPECT_EQ(platform::CompareMessages(recorder.Messages(), expected), "");

  recorder.Clear();
  SendMessageW(window, kPing, 1, 0);
  expected = {{kPing, kSent}, {kPong, kPosted | kWParam, 2}, {WM_NULL, kOptional}};
  EXPECT_EQ(platform::CompareMessages(recorder.Messages(), expected), "");
  std::string difference = platform::CompareMessages(recorder.Messages(), {{kPing, kPosted}});
  EXPECT_NE(difference.find("message 0: expected posted"), std::string::npos) << difference;
  EXPECT_NE(difference.find("actual:"), std::string::npos);
  platform::PumpMessages();
}

TEST_F(WindowTest, QuitStopsThePumpAndGetMessage) {
  HWND window = Make();
  PostMessageW(window, kPong, 0, 0);
  PostQuitMessage(3);
  EXPECT_EQ(platform::PumpMessages(), 1);
  MSG message;
  EXPECT_FALSE(GetMessageW(&message, nullptr, 0, 0));
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) << "the quit was taken";
}

TEST_F(WindowTest, TimersFireWhenDueAndStopWhenKilled) {
  HWND window = Make();
  platform::MessageRecorder recorder;
  recorder.Watch(window);
  ASSERT_EQ(SetTimer(window, 5, 60000, nullptr), 1u);
  platform::PumpMessages();
  EXPECT_TRUE(recorder.Messages().empty()) << "not due for a minute";
  platform::ElapseTimers();
  MSG message;
  ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
  EXPECT_EQ(message.message, WM_TIMER);
  EXPECT_EQ(message.wParam, 5u);
  EXPECT_TRUE(KillTimer(window, 5));
  EXPECT_FALSE(KillTimer(window, 5));
  platform::ElapseTimers();
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, RegisteredMessagesAreShared) {
  UINT photo = RegisterWindowMessageW(u"CalyraContactPhotoChange");
  EXPECT_GE(photo, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageW(u"calyracontactphotochange"), photo);
  UINT other = RegisterWindowMessageW(u"Another");
  EXPECT_NE(other, photo);
  EXPECT_EQ(RegisterWindowMessageW(u""), 0u);
  ReopenDevice();
  EXPECT_EQ(RegisterWindowMessageW(u"CalyraContactPhotoChange"), photo)
      << "another process gets the same number";
}

TEST_F(WindowTest, PositionChangesAreAnnounced) {
  HWND window = Make();
  platform::MessageRecorder recorder;
  recorder.Watch(window);
  MoveWindow(window, 0, 0, 240, 294, TRUE);
  std::vector<ExpectedMessage> expected{{WM_WINDOWPOSCHANGED, kSent},
                                        {WM_MOVE, kSent | kLParam, 0, 0},
                                        {WM_SIZE, kSent | kLParam, 0, MAKELPARAM(240, 294)}};
  EXPECT_EQ(platform::CompareMessages(recorder.Messages(), expected), "");
  recorder.Clear();
  MoveWindow(window, 0, 0, 240, 294, TRUE);
  EXPECT_TRUE(recorder.Messages().empty()) << "nothing moved";
}

TEST_F(WindowTest, DumpShowsTheTree) {
  HWND top = Make(nullptr, WS_VISIBLE, 0, u"Editor");
  HWND child = Make(top, WS_VISIBLE | WS_DISABLED, 7, u"Subject");
  SetFocus(top);
  std::string dump = platform::DumpWindowTree(top);
  EXPECT_EQ(dump,
            "Test:Window \"Editor\" (10,20 100x50) focus\n"
            "  Test:Window #7 \"Subject\" (10,20 100x50) disabled\n");
  EXPECT_EQ(platform::DumpWindowTree(), dump);
  DestroyWindow(child);
  EXPECT_EQ(platform::DumpWindowTree(child), "");
}

}  // namespace
