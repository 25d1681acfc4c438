#include <gtest/gtest.h>

#include "platform/core/LastError.h"
#include "platform/text/CodePage.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"

namespace {

using namespace platform;

TEST(TextTest, BoundedCopiesCutAndTerminate) {
  char16_t buffer[6];
  EXPECT_EQ(BoundedCopy(buffer, 6, u"Dentist"), 5u);
  EXPECT_EQ(std::u16string(buffer), u"Denti");
  EXPECT_EQ(BoundedCopy(buffer, 1, u"x"), 0u);
  EXPECT_EQ(buffer[0], u'\0');
  buffer[0] = u'#';
  EXPECT_EQ(BoundedCopy(buffer, 0, u"x"), 0u);
  EXPECT_EQ(buffer[0], u'#') << "a zero capacity writes nothing";
  EXPECT_EQ(BoundedCopy(nullptr, 5, u"x"), 0u);
  EXPECT_EQ(BoundedCopy(buffer, 3, u"a\U0001F600"), 1u) << "a surrogate pair is never cut in half";
  EXPECT_EQ(TextView(nullptr), u"");
  const char16_t unterminated[3] = {u'a', u'b', u'c'};
  EXPECT_EQ(TextView(unterminated, 3), u"abc");
}

TEST(TextTest, CaseFoldingComparesNamesAsThePlatformDoes) {
  EXPECT_TRUE(EqualsNoCase(u"Tasks Database", u"TASKS DATABASE"));
  EXPECT_TRUE(EqualsNoCase(u"Stra\u00dfe", u"STRASSE")) << "full case folding";
  EXPECT_TRUE(EqualsNoCase(u"\u00c4rger", u"\u00e4RGER"));
  EXPECT_LT(CompareNoCase(u"apple", u"Banana"), 0);
  EXPECT_GT(CompareNoCase(u"b", u"A"), 0);
  EXPECT_EQ(FoldCase(u"CalyraUpdateAlarmDBMtx"), u"calyraupdatealarmdbmtx");
  EXPECT_EQ(FoldCase(u""), u"");
}

TEST(TextTest, Utf8RoundTripsAndReplacesWhatCannotBe) {
  std::u16string text = u"K\u00f6ln \u20ac \U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\u00e9"), "\xc3\xa9");
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t{0xD800})), "\xef\xbf\xbd") << "a lone surrogate";
  EXPECT_EQ(FromUtf8("\xff"), u"\ufffd");
}

TEST(FormatterTest, IntegersWithFlagsWidthsAndPrecision) {
  EXPECT_EQ(FormatText(u"%d|%i|%u", {-42, 7, 42u}), u"-42|7|42");
  EXPECT_EQ(FormatText(u"%02d:%02d", {9, 5}), u"09:05");
  EXPECT_EQ(FormatText(u"%04d%02d%02d", {2024, 3, 15}), u"20240315");
  EXPECT_EQ(FormatText(u"%08X", {0xBEEFu}), u"0000BEEF");
  EXPECT_EQ(FormatText(u"%x %X %#x %o", {255, 255, 255, 8}), u"ff FF 0xff 10");
  EXPECT_EQ(FormatText(u"%05d", {-42}), u"-0042") << "zero padding goes after the sign";
  EXPECT_EQ(FormatText(u"%-5d|%5d|%+d|% d", {42, 42, 42, 42}), u"42   |   42|+42| 42");
  EXPECT_EQ(FormatText(u"%.3d", {7}), u"007");
  EXPECT_EQ(FormatText(u"%d", {INT32_MIN}), u"-2147483648");
  EXPECT_EQ(FormatText(u"%d", {INT64_MIN}), u"-9223372036854775808");
  EXPECT_EQ(FormatText(u"%u", {-1}), u"4294967295") << "an int printed unsigned shows its 32 bits";
  EXPECT_EQ(FormatText(u"%ld %lu %I64d", {5L, 6UL, 7LL}), u"5 6 7");
  EXPECT_EQ(FormatText(u"%*d|%-*d", {4, 1, 3, 2}), u"   1|2  ");
  EXPECT_EQ(FormatText(u"%d", {0}), u"0");
}

TEST(FormatterTest, TextsCharactersAndDoubles) {
  EXPECT_EQ(FormatText(u"%s, %s", {u"Lee", std::u16string(u"Ann")}), u"Lee, Ann");
  EXPECT_EQ(FormatText(u"[%5s][%-5s][%.2s]", {u"ab", u"ab", u"abc"}), u"[   ab][ab   ][ab]");
  EXPECT_EQ(FormatText(u"%ls %S %hs", {u"a", u"b", u"c"}), u"a b c");
  EXPECT_EQ(FormatText(u"%s", {static_cast<const char16_t*>(nullptr)}), u"(null)");
  EXPECT_EQ(FormatText(u"%c%c", {u'O', 75}), u"OK");
  EXPECT_EQ(FormatText(u"a%cb", {u'\0'}).size(), 3u) << "a zero character is written";
  EXPECT_EQ(FormatText(u"%.2f %5.1f %e", {3.14159, 2.25, 1000.0}), u"3.14   2.2 1.000000e+03");
  EXPECT_EQ(FormatText(u"100%%", {}), u"100%");
}

TEST(FormatterTest, WrongOrMissingArgumentsWriteNothing) {
  EXPECT_EQ(FormatText(u"[%d]", {u"text"}), u"[]");
  EXPECT_EQ(FormatText(u"[%s]", {42}), u"[]");
  EXPECT_EQ(FormatText(u"[%s][%d]", {u"one"}), u"[one][]");
  EXPECT_EQ(FormatText(u"[%f]", {u"x"}), u"[]");
  EXPECT_EQ(FormatText(u"[%q]", {1}), u"[]") << "an unknown conversion";
  EXPECT_EQ(FormatText(u"50%", {}), u"50%") << "a trailing percent stands as it is";
  EXPECT_EQ(FormatText(u"%-0", {}), u"%-0");
  EXPECT_EQ(FormatText(u"%999999999999d", {1}).size(), size_t{1} << 20) << "widths are bounded";
}

TEST(FormatterTest, BoundedFormattingNeverOverruns) {
  char16_t buffer[8];
  EXPECT_EQ(FormatBounded(buffer, 8, u"%s-%d", {u"abcdef", 12345}), 7u);
  EXPECT_EQ(std::u16string(buffer), u"abcdef-");
  EXPECT_EQ(FormatBounded(buffer, 1, u"%d", {5}), 0u);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(FormatBounded(buffer, 0, u"%d", {5}), 0u);
  EXPECT_EQ(FormatBounded(buffer, 3, u"%d", {12}), 2u) << "exactly the bound";
  std::u16string huge(100000, u'x');
  EXPECT_EQ(FormatText(u"<%s>", {huge}).size(), 100002u);
}

TEST(CodePageTest, Code1252AndUtf8WithThePlatformsCounts) {
  EXPECT_EQ(ToCodePage1252(u"\u20ac\u00e4"), "\x80\xe4");
  EXPECT_EQ(FromCodePage1252("\x80\xe4"), u"\u20ac\u00e4");
  EXPECT_EQ(ToCodePage1252(u"\u4e2d"), "?") << "what 1252 lacks becomes a question mark";

  WCHAR wide[8];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab\x80", -1, nullptr, 0), 4) << "count mode includes the zero";
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab\x80", -1, wide, 8), 4);
  EXPECT_EQ(std::u16string(wide), u"ab\u20ac");
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, wide, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xc3\xa9", 2, wide, 8), 1);
  EXPECT_EQ(wide[0], u'\u00e9');
  EXPECT_EQ(MultiByteToWideChar(437, 0, "a", 1, wide, 8), 0) << "an unknown code page";
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 1, wide, 8), 0);

  char bytes[8];
  BOOL usedDefault = FALSE;
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"\u20ac\u4e2d", 2, bytes, 8, nullptr, &usedDefault), 2);
  EXPECT_EQ(std::string(bytes, 2), "\x80?");
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u00e9", -1, nullptr, 0, nullptr, nullptr), 3);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u00e9", -1, bytes, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace
