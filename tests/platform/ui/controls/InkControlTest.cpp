#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "platform/ui/agent/UserInput.h"
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

class InkControlTest : public ControlTest {
 protected:
  HWND NewInk() {
    HWND ink = Child(WC_INKX, 0, kInkId, 240, 200);
    EXPECT_NE(ink, nullptr);
    return ink;
  }
  static HWND Rich(HWND ink) { return reinterpret_cast<HWND>(SendMessageW(ink, IM_GETRICHWND, 0, 0)); }
  static bool Draw(HWND ink, std::vector<POINT> points) {
    return SendMessageW(ink, IM_ADDSTROKE, points.size(), reinterpret_cast<LPARAM>(points.data())) != FALSE;
  }
  static bool Format(HWND ink, size_t start, size_t end, DWORD mask, DWORD effects) {
    SendMessageW(ink, EM_SETSEL, start, static_cast<LPARAM>(end));
    CHARFORMATW format{};
    format.cbSize = sizeof(format);
    format.dwMask = mask;
    format.dwEffects = effects;
    return SendMessageW(ink, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)) != FALSE;
  }
  static CHARFORMATW FormatOf(HWND ink, size_t start, size_t end) {
    SendMessageW(ink, EM_SETSEL, start, static_cast<LPARAM>(end));
    CHARFORMATW format{};
    format.cbSize = sizeof(format);
    SendMessageW(ink, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
  }
  // A note with every part: typed text, two formats, a link and two strokes.
  HWND FullNote() {
    HWND ink = NewInk();
    SendMessageW(ink, IM_SETINPUTMODE, IM_INPUT_TYPING, 0);
    for (char16_t c : std::u16string(u"Buy milk\rCall Ann")) SendMessageW(ink, WM_CHAR, c, 0);
    EXPECT_TRUE(Format(ink, 0, 3, CFM_ITALIC, CFE_ITALIC));
    EXPECT_TRUE(Format(ink, 10, 14, CFM_HIGHLIGHT | CFM_STRIKEOUT, CFE_HIGHLIGHT | CFE_STRIKEOUT));
    SendMessageW(ink, EM_SETSEL, 18, 18);
    RICHINKLINKW link{u" (plan)", u"\\My Documents\\plan.psw"};
    EXPECT_TRUE(SendMessageW(ink, EM_INSERTLINK, 0, reinterpret_cast<LPARAM>(&link)));
    SendMessageW(ink, IM_SETINPUTMODE, IM_INPUT_INK, 0);
    EXPECT_TRUE(Draw(ink, {{10, 10}, {20, 15}, {30, 25}}));
    SendMessageW(ink, IM_SETINPUTMODE, IM_INPUT_DRAWING, 0);
    EXPECT_TRUE(Draw(ink, {{-5, 300}}));
    return ink;
  }
};

TEST_F(InkControlTest, BlobRoundTripKeepsTextFormatsLinksAndStrokes) {
  EXPECT_TRUE(InitInkX());
  EXPECT_TRUE(InitRichInkDLL());
  HWND ink = FullNote();
  std::vector<BYTE> blob = Blob(ink);
  std::optional<platform::InkContent> content = platform::ReadInkBlob(blob.data(), blob.size());
  ASSERT_TRUE(content);
  EXPECT_EQ(content->text, u"Buy milk\r\nCall Ann (plan)");
  EXPECT_EQ(content->runs, (std::vector<platform::InkFormatRun>{{0, 3, CFE_ITALIC},
                                                                {10, 4, CFE_HIGHLIGHT | CFE_STRIKEOUT}}));
  ASSERT_EQ(content->links.size(), 1u);
  EXPECT_EQ(content->links[0], (platform::InkLinkSpan{18, 7, u"\\My Documents\\plan.psw"}));
  ASSERT_EQ(content->strokes.size(), 2u);
  EXPECT_EQ(content->strokes[0].points, (std::vector<platform::InkPoint>{{10, 10}, {20, 15}, {30, 25}}));
  EXPECT_EQ(content->strokes[1].points, (std::vector<platform::InkPoint>{{-5, 300}}));
  EXPECT_EQ(platform::InkBlobPlainText(blob.data(), blob.size()), u"Buy milk\r\nCall Ann (plan)");

  HWND other = NewInk();
  EXPECT_TRUE(SendMessageW(other, IM_SETDATA, blob.size(), reinterpret_cast<LPARAM>(blob.data())));
  EXPECT_EQ(Blob(other), blob) << "byte for byte";
  EXPECT_EQ(WindowText(Rich(other)), u"Buy milk\r\nCall Ann (plan)");
  EXPECT_EQ(SendMessageW(other, IM_GETSTROKECOUNT, 0, 0), 2);
  EXPECT_EQ(platform::InkStrokes(other).size(), 2u);
  ASSERT_EQ(platform::RichInkLinks(Rich(other)).size(), 1u);
  EXPECT_EQ(platform::RichInkLinks(Rich(other))[0].text, u" (plan)");
  EXPECT_EQ(FormatOf(other, 0, 3).dwEffects, CFE_ITALIC);
  EXPECT_FALSE(SendMessageW(other, IM_GETMODIFY, 0, 0)) << "loading is not an edit";

  BYTE tooSmall[2] = {};
  EXPECT_FALSE(SendMessageW(other, IM_GETDATA, 2, reinterpret_cast<LPARAM>(tooSmall)));
  EXPECT_FALSE(SendMessageW(other, IM_GETDATA, 100, 0));
  EXPECT_TRUE(SendMessageW(other, IM_SETDATA, 0, 0)) << "an empty blob empties the control";
  EXPECT_EQ(SendMessageW(other, IM_GETDATALEN, 0, 0), 0);
  EXPECT_EQ(WindowText(Rich(other)), u"");
  EXPECT_EQ(SendMessageW(other, IM_GETSTROKECOUNT, 0, 0), 0);
}

TEST_F(InkControlTest, MalformedBlobsAreRefusedAndLeaveTheControlEmpty) {
  HWND ink = FullNote();
  const std::vector<BYTE> good = Blob(ink);
  // Offsets in the full note's blob: header 8, text 4 + 2 * 25, runs 4 + 2 * 12, link 12 + 2 * 22.
  constexpr size_t kText = 8, kRuns = kText + 4 + 50, kLinks = kRuns + 4 + 24,
                   kStrokes = kLinks + 4 + 12 + 44;
  auto put32 = [](std::vector<BYTE>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<BYTE>(v >> (8 * i));
  };
  struct Case {
    const char* name;
    std::function<void(std::vector<BYTE>&)> edit;
  };
  const Case cases[] = {
      {"bad magic", [](std::vector<BYTE>& b) { b[0] ^= 0xFF; }},
      {"unknown version", [](std::vector<BYTE>& b) { b[4] = 9; }},
      {"reserved bits set", [](std::vector<BYTE>& b) { b[6] = 1; }},
      {"truncated header", [](std::vector<BYTE>& b) { b.resize(6); }},
      {"truncated in the text", [](std::vector<BYTE>& b) { b.resize(kText + 10); }},
      {"truncated in the runs", [](std::vector<BYTE>& b) { b.resize(kRuns + 8); }},
      {"truncated in the links", [](std::vector<BYTE>& b) { b.resize(kLinks + 20); }},
      {"truncated in the strokes", [](std::vector<BYTE>& b) { b.erase(b.end() - 3, b.end()); }},
      {"text longer than the data", [&](std::vector<BYTE>& b) { put32(b, kText, 0x7FFFFFFF); }},
      {"more runs than the data", [&](std::vector<BYTE>& b) { put32(b, kRuns, 1000); }},
      {"more links than the data", [&](std::vector<BYTE>& b) { put32(b, kLinks, 1000); }},
      {"more strokes than the data", [&](std::vector<BYTE>& b) { put32(b, kStrokes, 1000); }},
      {"more points than the data", [&](std::vector<BYTE>& b) { put32(b, kStrokes + 4, 4000); }},
      {"a stroke without points", [&](std::vector<BYTE>& b) { put32(b, kStrokes + 4, 0); }},
      {"a run outside the text", [&](std::vector<BYTE>& b) { put32(b, kRuns + 4, 30); }},
      {"a run without effects", [&](std::vector<BYTE>& b) { put32(b, kRuns + 12, 0); }},
      {"overlapping runs", [&](std::vector<BYTE>& b) { put32(b, kRuns + 16, 1); }},
      {"a link past the text", [&](std::vector<BYTE>& b) { put32(b, kLinks + 8, 8); }},
      {"bytes after the strokes", [](std::vector<BYTE>& b) { b.push_back(0); }},
      {"oversize", [](std::vector<BYTE>& b) { b.resize(platform::kInkBlobMaxBytes + 1); }},
  };
  HWND other = NewInk();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<BYTE> bad = good;
    c.edit(bad);
    EXPECT_FALSE(platform::ReadInkBlob(bad.data(), bad.size()));
    EXPECT_FALSE(platform::InkBlobPlainText(bad.data(), bad.size()));
    ASSERT_TRUE(SendMessageW(other, IM_SETDATA, good.size(), reinterpret_cast<LPARAM>(good.data())));
    EXPECT_FALSE(SendMessageW(other, IM_SETDATA, bad.size(), reinterpret_cast<LPARAM>(bad.data())));
    EXPECT_EQ(SendMessageW(other, IM_GETDATALEN, 0, 0), 0) << "the control stays empty";
    EXPECT_EQ(WindowText(Rich(other)), u"");
  }
  EXPECT_FALSE(SendMessageW(other, IM_SETDATA, 10, 0)) << "a size without bytes";
}

TEST_F(InkControlTest, StrokesComeFromThePenModesOnly) {
  HWND ink = NewInk();
  EXPECT_EQ(static_cast<WPARAM>(SendMessageW(ink, IM_GETINPUTMODE, 0, 0)), IM_INPUT_INK);
  Log().Clear();
  EXPECT_TRUE(Draw(ink, {{1, 2}, {3, 4}}));
  EXPECT_EQ(Log().commands, std::vector<WORD>{EN_CHANGE});
  EXPECT_TRUE(SendMessageW(ink, IM_GETMODIFY, 0, 0));
  EXPECT_TRUE(SendMessageW(ink, IM_SETINPUTMODE, IM_INPUT_TYPING, 0));
  EXPECT_FALSE(Draw(ink, {{1, 2}})) << "typing draws nothing";
  EXPECT_TRUE(SendMessageW(ink, IM_SETINPUTMODE, IM_INPUT_DRAWING, 0));
  EXPECT_FALSE(Draw(ink, {})) << "no points";
  EXPECT_FALSE(Draw(ink, std::vector<POINT>(platform::kInkStrokeMaxPoints + 1))) << "too many points";
  EXPECT_TRUE(Draw(ink, std::vector<POINT>(platform::kInkStrokeMaxPoints)));
  EXPECT_EQ(SendMessageW(ink, IM_GETSTROKECOUNT, 0, 0), 2);
  EXPECT_GT(SendMessageW(ink, IM_GETDATALEN, 0, 0), 0) << "strokes alone are content";
  SendMessageW(ink, IM_CLEARALL, 0, 0);
  EXPECT_EQ(SendMessageW(ink, IM_GETSTROKECOUNT, 0, 0), 0);

  EXPECT_FALSE(SendMessageW(ink, IM_SETINPUTMODE, 9, 0));
  EXPECT_EQ(static_cast<WPARAM>(SendMessageW(ink, IM_GETINPUTMODE, 0, 0)), IM_INPUT_DRAWING);
  EXPECT_EQ(static_cast<WPARAM>(SendMessageW(ink, IM_GETZOOM, 0, 0)), IM_ZOOM_DEFAULT);
  EXPECT_TRUE(SendMessageW(ink, IM_SETZOOM, 150, 0));
  EXPECT_FALSE(SendMessageW(ink, IM_SETZOOM, 5000, 0));
  EXPECT_EQ(SendMessageW(ink, IM_GETZOOM, 0, 0), 150);
  EXPECT_TRUE(SendMessageW(ink, IM_SETVIEW, IM_VIEW_DRAWING, 0));
  EXPECT_FALSE(SendMessageW(ink, IM_SETVIEW, 4, 0));
  EXPECT_EQ(static_cast<WPARAM>(SendMessageW(ink, IM_GETVIEW, 0, 0)), IM_VIEW_DRAWING);
}

TEST_F(InkControlTest, FormatsToggleOnTheSelectionAndTypedTextIsPlain) {
  HWND ink = NewInk();
  SetWindowTextW(Rich(ink), u"abcdef");
  EXPECT_FALSE(Format(ink, 2, 2, CFM_ITALIC, CFE_ITALIC)) << "an empty selection";
  EXPECT_TRUE(Format(ink, 1, 4, CFM_ITALIC, CFE_ITALIC));
  CHARFORMATW mixed = FormatOf(ink, 0, 4);
  EXPECT_FALSE(mixed.dwMask & CFM_ITALIC) << "the characters disagree";
  EXPECT_TRUE(mixed.dwMask & CFM_STRIKEOUT);
  EXPECT_EQ(FormatOf(ink, 1, 4).dwEffects, CFE_ITALIC);
  EXPECT_EQ(FormatOf(ink, 4, 4).dwEffects, CFE_ITALIC) << "the caret reports the character before it";
  EXPECT_TRUE(Format(ink, 2, 3, CFM_ITALIC, 0));
  SendMessageW(ink, EM_SETSEL, 2, 2);
  SendMessageW(ink, WM_CHAR, u'X', 0);
  std::vector<BYTE> blob = Blob(ink);
  auto content = platform::ReadInkBlob(blob.data(), blob.size());
  ASSERT_TRUE(content);
  EXPECT_EQ(content->text, u"abXcdef");
  EXPECT_EQ(content->runs, (std::vector<platform::InkFormatRun>{{1, 1, CFE_ITALIC}, {4, 1, CFE_ITALIC}}));
}

TEST_F(InkControlTest, TheWindowDumpShowsTextAndStrokes) {
  HWND ink = NewInk();
  SendMessageW(ink, IM_SETINPUTMODE, IM_INPUT_TYPING, 0);
  platform::UserType(ink, u"Line one\nLine two");
  SendMessageW(ink, IM_SETINPUTMODE, IM_INPUT_INK, 0);
  Draw(ink, {{1, 1}});
  std::string dump = platform::DumpWindowTree(ink);
  EXPECT_NE(dump.find("text=\"Line one\\nLine two\" strokes=1"), std::string::npos) << dump;
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
