// The paint path: what DrawScreen and UpdateWindow ask of windows, where their drawing lands, and
// what the controls' painters draw.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/paint/Paint.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;

struct PaintLog {
  std::vector<UINT> messages;
  RECT paintRect{};
};
// Fills its client area in the colour kept in its user data, through BeginPaint; logs into the
// PaintLog its first extra slot points to.
LRESULT ColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* log = reinterpret_cast<PaintLog*>(GetWindowLongPtrW(window, 0));
  if (log && (message == WM_PAINT || message == WM_ERASEBKGND)) log->messages.push_back(message);
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (log) log->paintRect = paint.rcPaint;
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
  FillRect(dc, &paint.rcPaint, brush);
  DeleteObject(brush);
  EndPaint(window, &paint);
  return 0;
}

class PaintTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    platform::ui::RegisterSystemClasses();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ColourProc;
    windowClass.lpszClassName = u"Colour";
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    RegisterClassW(&windowClass);
  }
  HWND Make(HWND parent, int x, int y, int width, int height, COLORREF colour, bool visible = true) {
    DWORD style = (parent ? WS_CHILD : WS_POPUP) | (visible ? WS_VISIBLE : 0);
    HWND window =
        CreateWindowExW(0, u"Colour", u"", style, x, y, width, height, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(&log_));
    return window;
  }
  PaintLog log_;
};

TEST_F(PaintTest, TheScreenShowsWindowsAtTheirPlacesWithChildrenClippedToTheirParents) {
  HWND top = Make(nullptr, 20, 30, 100, 80, RGB(255, 0, 0));
  Make(top, 90, 10, 40, 20, RGB(0, 255, 0));         // sticks out on the right: clipped at 120
  Make(top, 10, 10, 20, 20, RGB(0, 0, 255), false);  // hidden: not drawn
  platform::Pixels screen = platform::DrawScreen();
  ASSERT_EQ(screen.width, 240);
  ASSERT_EQ(screen.height, 320);
  EXPECT_EQ(screen.At(19, 50), kWhite) << "left of the window";
  EXPECT_EQ(screen.At(20, 30), kRed) << "the window's corner";
  EXPECT_EQ(screen.At(119, 109), kRed) << "its far corner";
  EXPECT_EQ(screen.At(120, 50), kWhite) << "right of the window";
  EXPECT_EQ(screen.At(115, 45), kGreen) << "the child over its parent";
  EXPECT_EQ(screen.At(121, 45), kWhite) << "the child is cut at its parent's edge";
  EXPECT_EQ(screen.At(35, 45), kRed) << "the hidden child leaves its parent showing";
  EXPECT_EQ(log_.paintRect.right, 40) << "the last painted (the visible child) got its client rectangle";
}

TEST_F(PaintTest, HigherWindowsCoverLowerOnesAndNothingIsPaintedUnlessAsked) {
  HWND lower = Make(nullptr, 0, 0, 100, 100, RGB(255, 0, 0));
  HWND upper = Make(nullptr, 50, 50, 100, 100, RGB(0, 255, 0));
  EXPECT_TRUE(log_.messages.empty()) << "creating and showing windows paints nothing";
  platform::Pixels screen = platform::DrawScreen();
  EXPECT_EQ(screen.At(60, 60), kGreen);
  EXPECT_EQ(screen.At(40, 40), kRed);
  EXPECT_EQ(log_.messages, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT, WM_ERASEBKGND, WM_PAINT}));
  BringWindowToTop(lower);
  EXPECT_EQ(platform::DrawScreen().At(60, 60), kRed);
  log_.messages.clear();
  EXPECT_TRUE(UpdateWindow(upper));
  EXPECT_EQ(log_.messages, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
  HDC screenDc = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screenDc, 60, 60), RGB(0, 255, 0)) << "UpdateWindow paints onto the screen surface";
  ReleaseDC(nullptr, screenDc);
  EXPECT_FALSE(UpdateWindow(nullptr));
}

TEST_F(PaintTest, TheScreenFollowsTheDevicesResolution) {
  Device().SetSetting("Screen.Width", u"480");
  Device().SetSetting("Screen.Height", u"640");
  Make(nullptr, 400, 600, 80, 40, RGB(255, 0, 0));
  platform::Pixels screen = platform::DrawScreen();
  EXPECT_EQ(screen.width, 480);
  EXPECT_EQ(screen.height, 640);
  EXPECT_EQ(screen.At(479, 639), kRed);
}

// Counts the pixels of a colour inside a window's screen rectangle.
int CountIn(const platform::Pixels& screen, HWND window, uint32_t colour) {
  RECT rect{};
  GetWindowRect(window, &rect);
  int count = 0;
  for (LONG y = std::max<LONG>(0, rect.top); y < std::min<LONG>(screen.height, rect.bottom); ++y) {
    for (LONG x = std::max<LONG>(0, rect.left); x < std::min<LONG>(screen.width, rect.right); ++x) {
      count += screen.At(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

TEST_F(PaintTest, ControlsPaintTheirStateTextAndSelection) {
  HWND top = Make(nullptr, 0, 0, 240, 200, RGB(255, 255, 255));
  DWORD child = WS_CHILD | WS_VISIBLE;
  HWND check = CreateWindowExW(0, WC_BUTTON, u"Done", child | BS_AUTOCHECKBOX, 5, 5, 100, 19, top, nullptr,
                               nullptr, nullptr);
  HWND edit = CreateWindowExW(0, WC_EDIT, u"Meeting", child | WS_BORDER, 5, 40, 150, 19, top, nullptr,
                              nullptr, nullptr);
  HWND label = CreateWindowExW(0, WC_STATIC, u"", child, 5, 80, 150, 13, top, nullptr, nullptr, nullptr);
  platform::Pixels before = platform::DrawScreen();
  EXPECT_EQ(CountIn(before, label, 0), 0) << "an empty label draws no ink";
  int unchecked = CountIn(before, check, 0);
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  SetWindowTextW(label, u"Where");
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, 4);
  platform::Pixels after = platform::DrawScreen();
  EXPECT_GT(CountIn(after, check, 0), unchecked) << "the tick";
  EXPECT_GT(CountIn(after, label, 0), 0) << "the label's text";
  uint32_t blue = 0x0055C6;
  EXPECT_GT(CountIn(after, edit, blue), 4 * 7 * 5) << "the selection of four characters";
  EXPECT_EQ(CountIn(before, edit, blue), 0) << "no selection shows in a field without the focus";
}

// A person who looks at the screen while a message box waits.
class LookingAgent : public platform::CancellingUserAgent {
 public:
  int AnswerMessageBox(HWND, std::u16string_view, std::u16string_view, UINT) override {
    seen = platform::DrawScreen();
    return IDNO;
  }
  platform::Pixels seen;
};

TEST_F(PaintTest, AMessageBoxShowsWhileItWaitsForItsAnswer) {
  platform::Pixels before = platform::DrawScreen();
  LookingAgent person;
  platform::SetUserAgent(&person);
  EXPECT_EQ(MessageBoxW(nullptr, u"Delete the appointment?", u"Calyra", MB_YESNO), IDNO);
  platform::SetUserAgent(nullptr);
  int changed = 0;
  for (size_t i = 0; i < before.values.size(); ++i)
    changed += before.values[i] != person.seen.values[i] ? 1 : 0;
  EXPECT_GT(changed, 2000) << "the box, its caption bar, text and buttons";
  EXPECT_EQ(platform::DrawScreen().values, before.values) << "gone once answered";
}

}  // namespace
