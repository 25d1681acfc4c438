#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "host/CallHistory.h"
#include "platform/files/FileSystem.h"
#include "platform/phone/CallLogFile.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceLibrary.h"
#include "tests/support/DeviceTest.h"
#include "text/DateTimeText.h"

namespace {

using calyra::CallHistory;
using calyra::CallHistoryEntry;
using calyra::testing::DeviceTest;
using platform::CallLogRecord;

// 2026-12-01 10:00:00 UTC (11:00 in Berlin) in FILETIME ticks.
constexpr int64_t kStart = 134'405'928'000'000'000;
constexpr int64_t kTicksPerHour = 36'000'000'000;

// A contact's call history over the device's stand-in phone library, whose log the test writes.
class CallHistoryTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    resources_ = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  }
  static void Call(DWORD kind, int hour, uint32_t seconds, std::u16string number,
                   std::u16string label = u"") {
    ASSERT_TRUE(platform::AppendToCallLogFile(
        {kind, kStart + hour * kTicksPerHour, seconds, std::move(number), u"Anna Berg", std::move(label)}));
  }
  CallHistory Load(std::vector<std::u16string> numbers, LPCWSTR library = PHONE_LIBRARY) {
    CallHistory history(std::move(numbers));
    history.Load(resources_, dates_, library);
    return history;
  }
  static std::vector<std::u16string> Numbers(const CallHistory& history) {
    std::vector<std::u16string> numbers;
    for (const CallHistoryEntry& entry : history.Entries()) numbers.push_back(entry.number);
    return numbers;
  }

  HINSTANCE resources_ = nullptr;
  calyra::DateTimeText dates_;
};

TEST_F(CallHistoryTest, EachCallIsShownWithItsTexts) {
  Call(CALLLOG_KIND_INCOMING, 0, 95, u"+49 30 1234", u"Work");
  Call(CALLLOG_KIND_OUTGOING, 2, 3725, u"+49 30 1234");
  Call(CALLLOG_KIND_MISSED, 27, 0, u"+49 30 1234", u"Work");
  CallHistory history = Load({u"+49 30 1234"});

  ASSERT_EQ(history.Entries().size(), 3u);
  const CallHistoryEntry& incoming = history.Entries()[0];
  EXPECT_EQ(incoming.kind, DWORD{CALLLOG_KIND_INCOMING});
  EXPECT_EQ(incoming.kindText, u"Incoming");
  EXPECT_EQ(incoming.when, u"12/1/26 11:00a") << "the date and time texts in local time";
  EXPECT_EQ(incoming.duration, u"00:01:35");
  EXPECT_EQ(incoming.number, u"[Work]  +49 30 1234");
  EXPECT_EQ(incoming.seconds, 95);
  EXPECT_EQ(platform::TicksOf(incoming.start), kStart);

  const CallHistoryEntry& outgoing = history.Entries()[1];
  EXPECT_EQ(outgoing.kindText, u"Outgoing");
  EXPECT_EQ(outgoing.when, u"12/1/26 1:00p");
  EXPECT_EQ(outgoing.duration, u"01:02:05");
  EXPECT_EQ(outgoing.number, u"+49 30 1234") << "no label, no brackets";

  const CallHistoryEntry& missed = history.Entries()[2];
  EXPECT_EQ(missed.kindText, u"Missed");
  EXPECT_EQ(missed.when, u"12/2/26 2:00p");
  EXPECT_EQ(missed.duration, u"00:00:00");
}

TEST_F(CallHistoryTest, OnlyTheContactsNumbersAreKeptIgnoringCase) {
  Call(CALLLOG_KIND_INCOMING, 0, 1, u"0301234");
  Call(CALLLOG_KIND_INCOMING, 1, 1, u"0405678");
  Call(CALLLOG_KIND_INCOMING, 2, 1, u"ext. 12");
  Call(CALLLOG_KIND_INCOMING, 3, 1, u"EXT. 12");
  Call(CALLLOG_KIND_INCOMING, 4, 1, u"030123");
  Call(CALLLOG_KIND_INCOMING, 5, 1, u"0301234 ");
  Call(CALLLOG_KIND_MISSED, 6, 0, u"");
  Call(CALLLOG_KIND_OUTGOING, 7, 1, u"0301234");

  EXPECT_EQ(Numbers(Load({u"0301234", u"", u"Ext. 12"})),
            (std::vector<std::u16string>{u"0301234", u"ext. 12", u"EXT. 12", u"0301234"}))
      << "a part of a number, a number with a space more and a withheld number are other numbers";
  EXPECT_TRUE(Load({}).Entries().empty()) << "a contact without numbers";
  EXPECT_TRUE(Load({u""}).Entries().empty()) << "an empty number matches no withheld call";
}

TEST_F(CallHistoryTest, IncomingAndOutgoingTimeAreSummedApart) {
  Call(CALLLOG_KIND_INCOMING, 0, 95, u"0301234");
  Call(CALLLOG_KIND_INCOMING, 1, 3600, u"0171555");
  Call(CALLLOG_KIND_OUTGOING, 2, 59, u"0301234");
  Call(CALLLOG_KIND_OUTGOING, 3, 1, u"0301234");
  Call(CALLLOG_KIND_MISSED, 4, 600, u"0301234");
  Call(CALLLOG_KIND_OUTGOING, 5, 7200, u"0405678");

  CallHistory history = Load({u"0301234", u"0171555"});
  EXPECT_EQ(history.IncomingSeconds(), 3695);
  EXPECT_EQ(history.IncomingTotal(), u"01:01:35");
  EXPECT_EQ(history.OutgoingSeconds(), 60) << "neither the missed call nor another number's call";
  EXPECT_EQ(history.OutgoingTotal(), u"00:01:00");
}

TEST_F(CallHistoryTest, DurationsKeepTheirHours) {
  struct Case {
    int64_t seconds;
    const char16_t* text;
  };
  const Case kCases[] = {{0, u"00:00:00"},       {59, u"00:00:59"},   {60, u"00:01:00"},
                         {3599, u"00:59:59"},    {3600, u"01:00:00"}, {359999, u"99:59:59"},
                         {360000, u"100:00:00"}, {-5, u"00:00:00"}};
  for (const Case& c : kCases) EXPECT_EQ(CallHistory::DurationText(c.seconds), c.text) << c.seconds;
}

TEST_F(CallHistoryTest, NoCallsGiveAnEmptyHistoryAndZeroTotals) {
  CallHistory history = Load({u"0301234"});
  EXPECT_TRUE(history.Entries().empty());
  EXPECT_EQ(history.IncomingTotal(), u"00:00:00");
  EXPECT_EQ(history.OutgoingTotal(), u"00:00:00");

  Call(CALLLOG_KIND_INCOMING, 0, 95, u"0405678");
  history = Load({u"0301234"});
  EXPECT_TRUE(history.Entries().empty()) << "calls with others only";
  EXPECT_EQ(history.IncomingTotal(), u"00:00:00");
}

TEST_F(CallHistoryTest, LoadingAgainReplacesTheHistory) {
  Call(CALLLOG_KIND_INCOMING, 0, 95, u"0301234");
  CallHistory history({u"0301234"});
  history.Load(resources_, dates_);
  Call(CALLLOG_KIND_INCOMING, 1, 5, u"0301234");
  history.Load(resources_, dates_);
  EXPECT_EQ(history.Entries().size(), 2u);
  EXPECT_EQ(history.IncomingSeconds(), 100);
}

// Where the history cannot be read, it is empty: no library, a library without the entry points, or a
// log that does not open.
TEST_F(CallHistoryTest, WithoutAReadableLogTheHistoryIsEmpty) {
  Call(CALLLOG_KIND_INCOMING, 0, 95, u"0301234");
  const LPCWSTR kLibraries[] = {u"NoSuchPhone.dll", u"CalyraEditorResources.dll", u"CalyraDialer.dll"};
  for (LPCWSTR library : kLibraries) {
    CallHistory history = Load({u"0301234"}, library);
    EXPECT_TRUE(history.Entries().empty()) << platform::ToUtf8(library);
    EXPECT_EQ(history.IncomingTotal(), u"00:00:00");
  }

  ASSERT_TRUE(DeleteFileW(platform::kCallLogFile));
  ASSERT_TRUE(CreateDirectoryW(platform::kCallLogFile, nullptr)) << "a folder where the log belongs";
  EXPECT_TRUE(Load({u"0301234"}).Entries().empty());
}

}  // namespace
