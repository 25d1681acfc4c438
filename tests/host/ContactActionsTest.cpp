#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Component.h"
#include "host/ContactActions.h"
#include "platform/files/FileSystem.h"
#include "platform/process/Processes.h"
#include "platform/registry/Registry.h"
#include "platform/text/Text.h"
#include "tests/support/DialerLog.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

using Row = ContactActionRow;

struct Launch {
  std::u16string program;
  std::u16string arguments;
  bool operator==(const Launch&) const = default;
};

std::vector<Launch> Launches() {
  std::vector<Launch> launches;
  for (const auto& entry : platform::ReadLaunchLog()) launches.push_back({entry.program, entry.arguments});
  return launches;
}

void PrintTo(const Launch& launch, std::ostream* out) {
  *out << platform::ToUtf8(launch.program) << " " << platform::ToUtf8(launch.arguments);
}

TEST(ContactActionRowTest, DataWordsNameKindNumberAndLine) {
  struct Case {
    DWORD data;
    int choice;
    int line;
  } cases[] = {
      {Row::kPhone, -1, -1},         {Row::kPhone | 0x100, 0, -1},  {Row::kPhone | 0x200, 1, -1},
      {Row::kPhone | 0x400, 2, -1},  {Row::kMail | 0x10000, -1, 0}, {Row::kMail | 0x20000, -1, 1},
      {Row::kWeb | 0x800000, -1, 7},
  };
  for (const Case& c : cases) {
    Row row{c.data, u"x"};
    EXPECT_EQ(row.NumberChoice(), c.choice) << std::hex << c.data;
    EXPECT_EQ(row.Line(), c.line) << std::hex << c.data;
  }
}

TEST(ContactActionRowTest, SpannedValuesJoinTheirLinesInOrderAndStopAtTheNextValue) {
  std::vector<Row> rows = SpanRows(Row::kMail, {u"a.very.long.", u"address@exa", u"mple.org"});
  rows.push_back({Row::kWeb, u"www.example.org"});
  EXPECT_EQ(ContactRowValue(rows, 0), u"a.very.long.address@example.org");
  EXPECT_EQ(ContactRowValue(rows, 2), u"a.very.long.address@example.org")
      << "a later line stands for the value";
  EXPECT_EQ(ContactRowValue(rows, 3), u"www.example.org");
  EXPECT_EQ(ContactRowValue(rows, 4), u"") << "past the last row";
  EXPECT_EQ(SpanRows(Row::kWeb, {u"one"}).front().data, Row::kWeb) << "a single line carries no index";
}

TEST(ContactActionRowTest, AValueSpansAtMostEightRows) {
  std::vector<std::u16string> lines(10, u"ab");
  std::vector<Row> rows = SpanRows(Row::kMail, lines);
  ASSERT_EQ(rows.size(), 8u);
  // Even a ninth row that claimed to continue the value is not read.
  rows.push_back({Row::kMail | Row::LineBit(7), u"zz"});
  EXPECT_EQ(ContactRowValue(rows, 0), u"abababababababab");
}

class ContactActionsTest : public EditorHostTest {
 protected:
  ContactActions Actions() {
    return ContactActions(Component::Process().Options(), Component::Process().dialer);
  }
  void SetContactOptions(std::initializer_list<LONG> values) {
    CalyraContactOptions options{};
    std::copy(values.begin(), values.end(), options.values);
    ASSERT_EQ(CalyraEditor_SetContactOptions(&options), 1);
  }
  void SetSignature(LONG number, const std::u16string& text) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegSetValueExW(key, u"EmailSig", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    RegSetValueExW(key, u"EmailSig.2", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * 2));
    RegCloseKey(key);
  }
  std::vector<DialerCall> Dials() {
    std::vector<DialerCall> dials;
    for (auto& call : DialerCalls(Device())) {
      if (call.front() != "Initialize") dials.push_back(call);
    }
    return dials;
  }
};

TEST_F(ContactActionsTest, MailRowsStartTheMailProgramWithTheChosenSignature) {
  std::vector<Row> rows = {{Row::kMail, u"ann@example.org"}};
  EXPECT_EQ(Actions().Activate(host_, rows, 0), ContactAction::Mail);
  SetSignature(2, u"Regards, Ann");
  EXPECT_EQ(Actions().Activate(host_, rows, 0), ContactAction::Mail);
  Device().SetSetting("PlatformType", u"Jupiter");
  EXPECT_EQ(Actions().Activate(host_, rows, 0), ContactAction::Mail);
  EXPECT_EQ(Launches(), (std::vector<Launch>{
                            {u"tmail.exe", u"-to \"ann@example.org\""},
                            {u"tmail.exe", u"-to \"ann@example.org\" -body \"Regards, Ann\""},
                            {u"pmail.exe", u"-to \"ann@example.org\" -body \"Regards, Ann\""},
                        }));
}

TEST_F(ContactActionsTest, WebRowsOpenTheBrowserAndEmptyRowsStartNothing) {
  std::vector<Row> rows = {{Row::kWeb, u"www.example.org"}, {Row::kWeb, u""}, {Row::kMail, u""}, {0, u"Ann"}};
  ContactActions actions = Actions();
  EXPECT_EQ(actions.Activate(host_, rows, 0), ContactAction::Web);
  EXPECT_EQ(actions.Activate(host_, rows, 1), ContactAction::None);
  EXPECT_EQ(actions.Activate(host_, rows, 2), ContactAction::None);
  EXPECT_EQ(actions.Activate(host_, rows, 3), ContactAction::None);
  EXPECT_EQ(actions.Activate(host_, rows, 9), ContactAction::None);
  EXPECT_EQ(Launches(), (std::vector<Launch>{{u"iexplore.exe", u"www.example.org"}}));
}

TEST_F(ContactActionsTest, PhoneRowsDialTheirOwnTextOrTheKeptNumberWithTheContactOptions) {
  SetContactOptions({1, 0, 7, -1, 1, 3, 0});
  ContactActions actions = Actions();
  actions.SetNumbers({u"+49 30 111", u"+49 30 222", u""});
  std::vector<Row> rows = {
      {Row::kPhone, u"Work: +49 30 999"},
      {Row::kPhone | 0x200, u"Mobile"},
      {Row::kPhone | 0x400, u"Car"},
  };
  EXPECT_EQ(actions.Activate(host_, rows, 0), ContactAction::Dialled);
  EXPECT_EQ(actions.Activate(host_, rows, 1), ContactAction::Dialled);
  EXPECT_EQ(actions.Activate(host_, rows, 2), ContactAction::None) << "the third kept number is empty";
  EXPECT_TRUE(actions.OffersDialCancel());
  actions.CancelDial();
  auto dials = Dials();
  ASSERT_EQ(dials.size(), 3u);
  EXPECT_EQ(dials[0][2], "Work: +49 30 999");
  EXPECT_EQ(dials[1][2], "+49 30 222");
  // dial options, dialer state, prefix options, country options
  EXPECT_EQ((std::vector<std::string>(dials[1].begin() + 3, dials[1].begin() + 7)),
            (std::vector<std::string>{"7", "1", "-1", "3"}));
  EXPECT_EQ(dials[2], DialerCall{"DialNumberCancel"});
}

TEST_F(ContactActionsTest, ARefusedDialIsToldApartAndTheCancelIsOfferedOnlyByTheOption) {
  // The dialer refuses a number without a digit.
  std::vector<Row> rows = {{Row::kPhone, u"ask at the desk"}};
  ContactActions actions = Actions();
  EXPECT_EQ(actions.Activate(host_, rows, 0), ContactAction::DialRefused);
  EXPECT_FALSE(actions.OffersDialCancel()) << "the default contact options do not offer it";
}

TEST_F(ContactActionsTest, ThePhotoProgramStartsBesideTheRunningProgramWithTheContact) {
  platform::SetModuleFileName(u"\\Program Files\\Calyra\\Calyra.exe");
  EXPECT_TRUE(StartPhotoSelect(4711));
  EXPECT_EQ(Launches(),
            (std::vector<Launch>{{u"\\Program Files\\Calyra\\CalyraPhotoSelect.exe", u"[4711]"}}));
}

}  // namespace
