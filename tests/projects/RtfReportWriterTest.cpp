// The rich-text writer of the project report: the header, each operation's bytes, the text in the
// ANSI code page, and a file that cannot be created.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "projects/RtfReportWriter.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr const char16_t* kPath = u"\\report.rtf";

std::string DeviceFileBytes(const char16_t* path) {
  std::ifstream file(*platform::HostPathOf(path), std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteDeviceFile(const char16_t* path, const std::string& bytes) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Tabs(int count) {
  std::string tabs;
  for (int i = 0; i < count; ++i) tabs += "\\tab";
  return tabs;
}

class RtfReportWriterTest : public DeviceTest {};

TEST_F(RtfReportWriterTest, OpenWritesTheHeaderAndCloseTheBrace) {
  RtfReportWriter writer;
  ASSERT_TRUE(writer.Open(kPath));
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(
      DeviceFileBytes(kPath),
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Tahoma;}}"
      "\\viewkind4\\uc1\\pard\\tx270\\tx540\\tx810\\tx1080\\tx1350\\tx1620\\tx1890\\tx2160\\tx2430"
      "\\tx2700\\tx2970\\tx3240\\tx3510\\tx3780\\tx4050\\tx4320\\f0\\fs20 }");
}

TEST_F(RtfReportWriterTest, EachOperationWritesItsBytes) {
  struct Case {
    const char* name;
    std::function<void(ReportWriter&)> operation;
    std::string bytes;
  };
  const Case cases[] = {
      {"bold on", [](ReportWriter& w) { w.BoldOn(); }, "\\b "},
      {"bold off", [](ReportWriter& w) { w.BoldOff(); }, "\\b0 "},
      {"begin value", [](ReportWriter& w) { w.BeginValue(); }, ""},
      {"end value", [](ReportWriter& w) { w.EndValue(); }, ""},
      {"end paragraph", [](ReportWriter& w) { w.EndParagraph(); }, "\\par\r\n"},
      {"indent 0", [](ReportWriter& w) { w.Indent(0); }, ""},
      {"indent 1", [](ReportWriter& w) { w.Indent(1); }, "\\tab "},
      {"indent 3", [](ReportWriter& w) { w.Indent(3); }, "\\tab\\tab\\tab "},
      {"indent 16", [](ReportWriter& w) { w.Indent(16); }, Tabs(16) + " "},
      {"indent 17 stops at 16", [](ReportWriter& w) { w.Indent(17); }, Tabs(16) + " "},
      {"indent 40 stops at 16", [](ReportWriter& w) { w.Indent(40); }, Tabs(16) + " "},
      {"text as it is", [](ReportWriter& w) { w.WriteText(u"Plan: {draft}\\1"); }, "Plan: {draft}\\1"},
      {"text in code page 1252", [](ReportWriter& w) { w.WriteText(u"Caf\u00e9 \u20ac5 \u2013 \u00dc"); },
       "Caf\xe9 \x80"
       "5 \x96 \xdc"},
      {"characters 1252 lacks", [](ReportWriter& w) { w.WriteText(u"\u4e2d\u2116"); }, "??"},
      {"empty text", [](ReportWriter& w) { w.WriteText(u""); }, ""},
  };
  for (const Case& c : cases) {
    {
      RtfReportWriter writer;
      ASSERT_TRUE(writer.Open(kPath)) << c.name;
      c.operation(writer);
      ASSERT_TRUE(writer.Close()) << c.name;
    }
    std::string bytes = DeviceFileBytes(kPath);
    std::string body = bytes.substr(RtfReportWriter::kHeader.size());
    EXPECT_EQ(body, c.bytes + "}") << c.name;
  }
}

TEST_F(RtfReportWriterTest, LongTextIsWrittenWhole) {
  std::u16string text(100'000, u'x');
  text[50'000] = u'\u00e9';
  {
    RtfReportWriter writer;
    ASSERT_TRUE(writer.Open(kPath));
    writer.WriteText(text);
    for (int i = 0; i < 5'000; ++i) writer.EndParagraph();
    ASSERT_TRUE(writer.Close());
  }
  std::string bytes = DeviceFileBytes(kPath);
  std::string expected(RtfReportWriter::kHeader);
  expected += std::string(50'000, 'x') + "\xe9" + std::string(49'999, 'x');
  for (int i = 0; i < 5'000; ++i) expected += "\\par\r\n";
  expected += "}";
  EXPECT_TRUE(bytes == expected) << bytes.size() << " bytes instead of " << expected.size();
}

TEST_F(RtfReportWriterTest, TextInPiecesIsConvertedAsAWhole) {
  // A character of two units split between two pieces of text, where the first piece fills the
  // writer's buffer, and around there.
  size_t filling = RtfReportWriter::kPieceChars - RtfReportWriter::kHeader.size() - 1;
  for (size_t split = filling - 3; split <= filling + 3; ++split) {
    std::u16string text(split, u'x');
    text += u"\U0001F600 end";
    {
      RtfReportWriter writer;
      ASSERT_TRUE(writer.Open(kPath));
      writer.WriteText(std::u16string_view(text).substr(0, split + 1));
      writer.WriteText(std::u16string_view(text).substr(split + 1));
      ASSERT_TRUE(writer.Close());
    }
    std::string expected = std::string(RtfReportWriter::kHeader) + platform::ToCodePage1252(text) + "}";
    ASSERT_TRUE(DeviceFileBytes(kPath) == expected) << split;
  }
}

TEST_F(RtfReportWriterTest, AnOldFileIsReplaced) {
  WriteDeviceFile(kPath, std::string(5'000, 'o'));
  RtfReportWriter writer;
  ASSERT_TRUE(writer.Open(kPath));
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(DeviceFileBytes(kPath), std::string(RtfReportWriter::kHeader) + "}");
}

TEST_F(RtfReportWriterTest, AFileThatCannotBeCreatedLeavesTheOldOne) {
  WriteDeviceFile(kPath, "old report");
  ASSERT_TRUE(SetFileAttributesW(kPath, FILE_ATTRIBUTE_READONLY));
  struct Case {
    const char* name;
    const char16_t* path;
  };
  const Case cases[] = {
      {"a read-only file", kPath},
      {"a folder that is not there", u"\\Missing\\report.rtf"},
      {"an invalid name", u"\\re|port.rtf"},
  };
  for (const Case& c : cases) {
    RtfReportWriter writer;
    EXPECT_FALSE(writer.Open(c.path)) << c.name;
    EXPECT_FALSE(writer.Close()) << c.name << ": nothing to close";
  }
  EXPECT_EQ(DeviceFileBytes(kPath), "old report");
}

TEST_F(RtfReportWriterTest, AWriterLeftOpenClosesItsFileWithoutTheBrace) {
  {
    RtfReportWriter writer;
    ASSERT_TRUE(writer.Open(kPath));
    writer.WriteText(u"cut");
  }
  EXPECT_EQ(DeviceFileBytes(kPath), std::string(RtfReportWriter::kHeader) + "cut");
  RtfReportWriter again;
  EXPECT_TRUE(again.Open(kPath)) << "the file was closed";
  EXPECT_TRUE(again.Close());
}

}  // namespace
