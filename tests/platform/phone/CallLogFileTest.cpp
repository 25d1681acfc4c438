#include <gtest/gtest.h>

#include <string>

#include "platform/phone/CallLogFile.h"

namespace {

using platform::CallLogRecord;

// 2026-12-01 10:00:00 UTC in FILETIME ticks.
constexpr int64_t kStart = 134'405'928'000'000'000;
constexpr int64_t kTicksPerSecond = 10'000'000;

TEST(CallLogFileTest, TimesAreReadAndWrittenAsUtcText) {
  EXPECT_EQ(platform::CallLogTime(kStart), "2026-12-01T10:00:00Z");
  EXPECT_EQ(platform::ParseCallLogTime("2026-12-01T10:00:00Z"), kStart);
  EXPECT_EQ(platform::ParseCallLogTime("2024-02-29T23:59:59Z"),
            platform::ParseCallLogTime("2024-03-01T00:00:00Z").value() - kTicksPerSecond)
      << "a leap day";
  EXPECT_EQ(platform::ParseCallLogTime("1601-01-01T00:00:00Z"), 0);
  EXPECT_EQ(platform::CallLogTime(0), "1601-01-01T00:00:00Z");
  EXPECT_EQ(platform::CallLogTime(-1), "");
}

TEST(CallLogFileTest, AWellFormedLineIsACall) {
  EXPECT_EQ(platform::ParseCallLogLine("incoming\t2026-12-01T10:00:00Z\t95\t+49 30 1234\tAnna Berg\tWork"),
            (CallLogRecord{CALLLOG_KIND_INCOMING, kStart, 95, u"+49 30 1234", u"Anna Berg", u"Work"}));
  EXPECT_EQ(platform::ParseCallLogLine("missed\t2026-12-01T10:00:00Z\t0\t\r"),
            (CallLogRecord{CALLLOG_KIND_MISSED, kStart, 0, u"", u"", u""}))
      << "a withheld number, no name or label; a carriage return ends the line too";
  EXPECT_EQ(platform::ParseCallLogLine("outgoing\t2026-12-01T10:00:00Z\t999999999\t0301234\tB\u00e9a"),
            (CallLogRecord{CALLLOG_KIND_OUTGOING, kStart, 999'999'999, u"0301234", u"B\u00e9a", u""}));
}

struct BadLine {
  const char* line;
  const char* why;
};

TEST(CallLogFileTest, MalformedLinesAreNoCalls) {
  const BadLine kBadLines[] = {
      {"", "empty"},
      {"# incoming\t2026-12-01T10:00:00Z\t95\t1", "a comment"},
      {"incoming\t2026-12-01T10:00:00Z\t95", "the number missing"},
      {"incoming\t2026-12-01T10:00:00Z\t95\t1\tA\tW\textra", "a field too many"},
      {"Incoming\t2026-12-01T10:00:00Z\t95\t1", "the kind's word is lower case"},
      {"rejected\t2026-12-01T10:00:00Z\t95\t1", "an unknown kind"},
      {"incoming\t2026-02-30T10:00:00Z\t95\t1", "no such day"},
      {"incoming\t2026-12-01T24:00:00Z\t95\t1", "no such hour"},
      {"incoming\t1600-12-31T23:59:59Z\t95\t1", "before the first FILETIME"},
      {"incoming\t2026-12-01 10:00:00Z\t95\t1", "a space for the T"},
      {"incoming\t2026-12-01T10:00:00\t95\t1", "no Z"},
      {"incoming\t2026-1-01T10:00:00Z\t95\t1", "a one-digit month"},
      {"incoming\t2026-12-01T10:00:00Z\t-5\t1", "a negative length"},
      {"incoming\t2026-12-01T10:00:00Z\t1000000000\t1", "a length beyond the longest"},
      {"incoming\t2026-12-01T10:00:00Z\t\t1", "no length"},
      {"incoming\t2026-12-01T10:00:00Z\t9x\t1", "a length that is no number"},
      {"incoming\t2026-12-01T10:00:00Z\t95\t1\xff", "bytes that are not UTF-8"},
      {"incoming\t2026-12-01T10:00:00Z\t95\t\xed\xa0\x80", "an encoded surrogate"},
      {"incoming\t2026-12-01T10:00:00Z\t95\t1\x01", "a control character"},
      {"incoming\t2026-12-01T10:00:00Z\t95\t1\r\r", "a carriage return inside"},
  };
  for (const BadLine& bad : kBadLines) {
    EXPECT_EQ(platform::ParseCallLogLine(bad.line), std::nullopt) << bad.why;
  }
  std::string zero = "incoming\t2026-12-01T10:00:00Z\t95\t1";
  zero += '\0';
  EXPECT_EQ(platform::ParseCallLogLine(zero), std::nullopt) << "a zero byte";
}

TEST(CallLogFileTest, AFileKeepsItsGoodLinesInOrder) {
  std::string text =
      "\xEF\xBB\xBF"
      "incoming\t2026-12-01T10:00:00Z\t95\t1\r\n"
      "garbage\n"
      "\n"
      "outgoing\t2026-12-01T10:00:00Z\t5\t2\n"
      "missed\t2026-12-01T10:00:00Z\t0\t3";  // the last line without its line break
  auto records = platform::ParseCallLog(text);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].number, u"1") << "the byte-order mark is not part of the first line";
  EXPECT_EQ(records[1].number, u"2");
  EXPECT_EQ(records[2].number, u"3");
  EXPECT_TRUE(platform::ParseCallLog("").empty());
}

TEST(CallLogFileTest, AWrittenLineReadsBackAsTheSameCall) {
  const CallLogRecord kRecords[] = {
      {CALLLOG_KIND_MISSED, kStart, 0, u"", u"", u""},
      {CALLLOG_KIND_INCOMING, kStart + 7, 95, u"+49 30 1234", u"Anna Berg", u"Work"},
      {CALLLOG_KIND_OUTGOING, 0, 999'999'999, u"\U0001F4DE 1", u"\u00c9mile", u"Mobile"},
  };
  for (const CallLogRecord& record : kRecords) {
    std::string line = platform::CallLogLine(record);
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\n');
    CallLogRecord expected = record;
    expected.startTicks -= expected.startTicks % kTicksPerSecond;  // the file keeps whole seconds
    EXPECT_EQ(platform::ParseCallLogLine(line.substr(0, line.size() - 1)), expected) << line;
  }
}

TEST(CallLogFileTest, WrittenTextsStayOnTheirLine) {
  CallLogRecord record{CALLLOG_KIND_INCOMING, kStart, 1, u"03\t0", u"A\nB", u"W\r"};
  EXPECT_EQ(platform::CallLogLine(record), "incoming\t2026-12-01T10:00:00Z\t1\t03 0\tA B\tW \n");
}

TEST(CallLogFileTest, ARecordThatTheFileCannotHoldIsNotWritten) {
  EXPECT_EQ(platform::CallLogLine({3, kStart, 1, u"1", u"", u""}), "") << "an unknown kind";
  EXPECT_EQ(platform::CallLogLine({CALLLOG_KIND_MISSED, -1, 1, u"1", u"", u""}), "") << "before 1601";
  EXPECT_EQ(platform::CallLogLine({CALLLOG_KIND_MISSED, kStart, 1'000'000'000, u"1", u"", u""}), "");
}

}  // namespace
