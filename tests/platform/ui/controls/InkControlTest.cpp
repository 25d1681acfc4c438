#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "tests/platform/ui/controls/ControlTestSupport.h"

namespace {

using calyra::testing::ControlTest;
using calyra::testing::Log;

constexpr int kInkId = 501;
constexpr int kViewId = 502;

std::u16string WindowText(HWND window) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::vector<BYTE> Blob(HWND ink) {
  std::vector<BYTE> data(static_cast<size_t>(SendMessageW(ink, IM_GETDATALEN, 0, 0)));
  BYTE spare = 0;
  BYTE* buffer = data.empty() ? &spare : data.data();
  EXPECT_TRUE(SendMessageW(ink, IM_GETDATA, data.size(), reinterpret_cast<LPARAM>(buffer)));
  return data;
}

class InkControlTest : public ControlTest {};

TEST_F(InkControlTest, BlobRoundTripModesZoomAndView) {
  EXPECT_TRUE(InitInkX());
  EXPECT_TRUE(InitRichInkDLL());
  HWND ink = Child(WC_INKX, 0, kInkId, 240, 200);
  ASSERT_NE(ink, nullptr);
  EXPECT_EQ(SendMessageW(ink, IM_GETDATALEN, 0, 0), 0);

  std::vector<BYTE> small{1, 2, 3, 0, 255};
  EXPECT_TRUE(SendMessageW(ink, IM_SETDATA, small.size(), reinterpret_cast<LPARAM>(small.data())));
  EXPECT_EQ(Blob(ink), small);
  BYTE tooSmall[2] = {};
  EXPECT_FALSE(SendMessageW(ink, IM_GETDATA, 2, reinterpret_cast<LPARAM>(tooSmall)));
  EXPECT_FALSE(SendMessageW(ink, IM_GETDATA, 100, 0));
  EXPECT_FALSE(SendMessageW(ink, IM_SETDATA, 10, 0)) << "a size without bytes";
  EXPECT_EQ(Blob(ink), small) << "failures change nothing";

  std::vector<BYTE> large(64 * 1024);
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<BYTE>(i * 7 + 3);
  EXPECT_TRUE(SendMessageW(ink, IM_SETDATA, large.size(), reinterpret_cast<LPARAM>(large.data())));
  EXPECT_EQ(SendMessageW(ink, IM_GETDATALEN, 0, 0), 64 * 1024);
  EXPECT_EQ(Blob(ink), large);

  EXPECT_TRUE(SendMessageW(ink, IM_SETDATA, 0, 0)) << "an empty blob";
  EXPECT_EQ(SendMessageW(ink, IM_GETDATALEN, 0, 0), 0);
  EXPECT_TRUE(Blob(ink).empty());

  EXPECT_EQ(static_cast<WPARAM>(SendMessageW(ink, IM_GETINPUTMODE, 0, 0)), IM_INPUT_INK);
  EXPECT_TRUE(SendMessageW(ink, IM_SETINPUTMODE, IM_INPUT_TYPING, 0));
  EXPECT_FALSE(SendMessageW(ink, IM_SETINPUTMODE, 9, 0));
  EXPECT_EQ(static_cast<WPARAM>(SendMessageW(ink, IM_GETINPUTMODE, 0, 0)), IM_INPUT_TYPING);
  EXPECT_EQ(static_cast<WPARAM>(SendMessageW(ink, IM_GETZOOM, 0, 0)), IM_ZOOM_DEFAULT);
  EXPECT_TRUE(SendMessageW(ink, IM_SETZOOM, 150, 0));
  EXPECT_FALSE(SendMessageW(ink, IM_SETZOOM, 5000, 0));
  EXPECT_EQ(SendMessageW(ink, IM_GETZOOM, 0, 0), 150);
  EXPECT_TRUE(SendMessageW(ink, IM_SETVIEW, IM_VIEW_DRAWING, 0));
  EXPECT_FALSE(SendMessageW(ink, IM_SETVIEW, 4, 0));
  EXPECT_EQ(static_cast<WPARAM>(SendMessageW(ink, IM_GETVIEW, 0, 0)), IM_VIEW_DRAWING);

  EXPECT_FALSE(SendMessageW(ink, IM_GETMODIFY, 0, 0));
  SendMessageW(ink, IM_SETMODIFY, TRUE, 0);
  EXPECT_TRUE(SendMessageW(ink, IM_GETMODIFY, 0, 0));
  SendMessageW(ink, IM_SETDATA, small.size(), reinterpret_cast<LPARAM>(small.data()));
  EXPECT_FALSE(SendMessageW(ink, IM_GETMODIFY, 0, 0)) << "loading clears the flag";
  DestroyWindow(ink);
}

TEST_F(InkControlTest, RichInkTextSelectionAndLinks) {
  HWND ink = Child(WC_INKX, 0, kInkId, 240, 200);
  HWND rich = reinterpret_cast<HWND>(SendMessageW(ink, IM_GETRICHWND, 0, 0));
  ASSERT_NE(rich, nullptr);
  EXPECT_EQ(GetParent(rich), ink);
  WCHAR className[16] = {};
  GetClassNameW(rich, className, 16);
  EXPECT_EQ(std::u16string(className), WC_RICHINK);

  Log().Clear();
  EXPECT_TRUE(SetWindowTextW(rich, u"Call Ann about the report"));
  EXPECT_EQ(WindowText(rich), u"Call Ann about the report");
  EXPECT_TRUE(Log().commands.empty()) << "setting the text is not an edit";

  SendMessageW(rich, EM_SETSEL, 5, 8);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(rich, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 5u);
  EXPECT_EQ(end, 8u);
  SendMessageW(rich, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"Bob"));
  EXPECT_EQ(WindowText(rich), u"Call Bob about the report");
  EXPECT_EQ(Log().commands, std::vector<WORD>{EN_CHANGE}) << "passed on by the ink control";
  EXPECT_TRUE(SendMessageW(ink, IM_GETMODIFY, 0, 0));
  EXPECT_TRUE(SendMessageW(rich, EM_GETMODIFY, 0, 0));

  // A link goes in at the caret; text typed before it moves it along.
  SendMessageW(rich, EM_SETSEL, 25, 25);
  RICHINKLINKW link{u" (file)", u"\\My Documents\\report.doc"};
  EXPECT_TRUE(SendMessageW(rich, EM_INSERTLINK, 0, reinterpret_cast<LPARAM>(&link)));
  EXPECT_EQ(WindowText(rich), u"Call Bob about the report (file)");
  SendMessageW(rich, EM_SETSEL, 0, 0);
  SendMessageW(rich, WM_CHAR, u'!', 0);
  auto links = platform::RichInkLinks(rich);
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].text, u" (file)");
  EXPECT_EQ(links[0].target, u"\\My Documents\\report.doc");
  EXPECT_EQ(links[0].position, 26u);
  EXPECT_EQ(SendMessageW(rich, EM_GETLINKCOUNT, 0, 0), 1);
  EXPECT_FALSE(SendMessageW(rich, EM_INSERTLINK, 0, 0));
  RICHINKLINKW empty{nullptr, u"x"};
  EXPECT_FALSE(SendMessageW(rich, EM_INSERTLINK, 0, reinterpret_cast<LPARAM>(&empty)));
  EXPECT_EQ(Log().commands.size(), 3u);
  EXPECT_TRUE(platform::RichInkLinks(ink).empty()) << "not a rich-ink window";

  SendMessageW(ink, IM_CLEARALL, 0, 0);
  EXPECT_EQ(WindowText(rich), u"");
  EXPECT_TRUE(platform::RichInkLinks(rich).empty());
  DestroyWindow(ink);
}

class RichTextViewTest : public ControlTest {};

bool WriteDeviceFile(const char16_t* path, const std::string& bytes) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

TEST_F(RichTextViewTest, LoadsFileKeepsRtfAndPlainText) {
  const std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}{\\*\\generator Calyra;}\\f0 Hello \\b world\\b0\\par\r\n"
      "Caf\\'e9 \\{x\\} \\u8364?\\tab end}";
  ASSERT_TRUE(WriteDeviceFile(u"\\note.rtf", rtf));
  HWND view = Child(WC_RICHVIEW, 0, kViewId);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(SendMessageW(view, RV_LOADFILE, 0, reinterpret_cast<LPARAM>(u"\\note.rtf")));
  EXPECT_EQ(WindowText(view), u"Hello world\r\nCaf\u00e9 {x} \u20ac\tend");
  EXPECT_EQ(platform::RichViewRawText(view), rtf);
  EXPECT_EQ(SendMessageW(view, RV_GETRAWLENGTH, 0, 0), static_cast<LRESULT>(rtf.size()));
  char head[5] = {};
  EXPECT_EQ(SendMessageW(view, RV_GETRAW, 5, reinterpret_cast<LPARAM>(head)), 5);
  EXPECT_EQ(std::string(head, 5), "{\\rtf");

  EXPECT_FALSE(SendMessageW(view, RV_LOADFILE, 0, reinterpret_cast<LPARAM>(u"\\missing.rtf")));
  EXPECT_FALSE(SendMessageW(view, RV_LOADFILE, 0, 0));
  EXPECT_EQ(platform::RichViewRawText(view), rtf) << "a failed load keeps what was shown";

  ASSERT_TRUE(WriteDeviceFile(u"\\plain.txt", "Just text"));
  EXPECT_TRUE(SendMessageW(view, RV_LOADFILE, 0, reinterpret_cast<LPARAM>(u"\\plain.txt")));
  EXPECT_EQ(WindowText(view), u"Just text");
  DestroyWindow(view);
}

}  // namespace
