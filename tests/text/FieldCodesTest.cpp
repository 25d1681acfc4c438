#include <gtest/gtest.h>

#include <map>

#include "platform/core/LocalMemory.h"
#include "platform/registry/Registry.h"
#include "platform/time/TimeConversion.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/DeviceTest.h"
#include "text/FieldCodes.h"

namespace {

using namespace calyra;
using calyra::testing::ChildProcess;
using calyra::testing::DeviceTest;
using calyra::testing::HelperProgram;

class FakeContact : public ContactFieldSource {
 public:
  std::map<uint32_t, std::u16string> texts;
  std::optional<SYSTEMTIME> birthday;
  std::optional<std::u16string> Text(uint32_t number) override {
    auto found = texts.find(number);
    return found == texts.end() ? std::nullopt : std::optional(found->second);
  }
  std::optional<SYSTEMTIME> Date(uint32_t number) override {
    return number == 4042 ? birthday : std::nullopt;
  }
};

class FieldCodesTest : public DeviceTest {
 protected:
  void Advance(int64_t seconds) {
    auto& clock = platform::System::Current().DeviceClock();
    clock.SetFixed(clock.NowUtc() + seconds * 10'000'000);
  }
  void SetClockLocal(SYSTEMTIME local) { SetLocalTime(&local); }
  HKEY Key(const char16_t* path) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
  }
  void SetBinary(HKEY key, const char16_t* name, const std::u16string& chars) {
    RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(chars.data()),
                   static_cast<DWORD>(chars.size() * 2));
  }
};

TEST_F(FieldCodesTest, TablesHoldEveryCodeInOrder) {
  EXPECT_EQ(kContactCodes[0].number, 4000u);
  EXPECT_EQ(std::u16string(kContactCodes[46].code), u"[fy]");
  EXPECT_EQ(kContactCodes[48].descriptionId, 41048u);
  EXPECT_EQ(std::u16string(kGeneralCodes[26].code), u"[%e]");
  EXPECT_EQ(kGeneralCodes[19].number, 6010u);
  EXPECT_EQ(PhraseOutputCapacity(10), 8192u);
  EXPECT_EQ(PhraseOutputCapacity(5000), 9096u);
}

TEST_F(FieldCodesTest, ContactCodesInsertPropertiesOnce) {
  FakeContact ann;
  ann.texts = {{4001, u"Ann"}, {4003, u"Lee"}, {4008, u""}};
  EXPECT_EQ(ExpandContactCodes(u"Call [fn] [ln]", ann), u"Call Ann Lee");
  EXPECT_EQ(ExpandContactCodes(u"[co]|[jt]", ann), u"| ") << "an empty property, and one that cannot be read";
  EXPECT_EQ(ExpandContactCodes(u"[bd]", ann), u" ") << "no birthday";
  ann.birthday = SYSTEMTIME{1980, 7, 0, 4, 0, 0, 0, 0};
  EXPECT_EQ(ExpandContactCodes(u"born [bd]", ann), u"born 7/4/80");
  EXPECT_EQ(ExpandContactCodes(u"[FN] [fn", ann), u"[FN] [fn") << "exact case, whole codes only";

  FakeContact loop;
  loop.texts = {{4001, u"[fn][ln]"}, {4003, u"[fn]"}};
  EXPECT_EQ(ExpandContactCodes(u"[fn]", loop), u"[fn][fn]")
      << "a value holding its own code is not expanded again; a later code sees earlier insertions";
  EXPECT_TRUE(ContainsContactCode(u"x [em] y"));
  EXPECT_FALSE(ContainsContactCode(u"x [EM] [ds]"));
}

TEST_F(FieldCodesTest, TimersPersistInTheRegistry) {
  EXPECT_EQ(ExpandGeneralCodes(u"[1@]"), u"0:00:00") << "no start stored";
  EXPECT_EQ(ExpandGeneralCodes(u"a[1+]b"), u"ab");
  Advance(3725);
  EXPECT_EQ(ExpandGeneralCodes(u"[1@]"), u"1:02:05");
  EXPECT_EQ(ExpandGeneralCodes(u"[1-]"), u"");
  Advance(10);
  EXPECT_EQ(ExpandGeneralCodes(u"[1-][1#]"), u"2:04:20") << "each stop adds the whole span since the start";
  EXPECT_EQ(ExpandGeneralCodes(u"[1X][1#]"), u"0:00:00");
  EXPECT_EQ(ExpandGeneralCodes(u"[2#]"), u"0:00:00") << "timers are separate";
  ReopenDevice();
  EXPECT_EQ(ExpandGeneralCodes(u"[1@]"), u"0:00:00") << "the fixture clock again: the stored start is now";

  HKEY key = Key(u"SOFTWARE\\Velmora\\Quillon");
  RegSetValueExW(key, u"t3a", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"7"), 4);
  EXPECT_EQ(ExpandGeneralCodes(u"[3#]"), u"0:00:00") << "a value of the wrong type reads as missing";
  RegCloseKey(key);
  EXPECT_EQ(FormatDuration(0xFFFFFFFF), u"1193046:28:15");
}

TEST_F(FieldCodesTest, DatesTimesAndDayCounts) {
  // The fixture's clock: 15 March 2024, 10:30 local (Berlin).
  EXPECT_EQ(ExpandGeneralCodes(u"[ds]"), u"3/15/24");
  EXPECT_EQ(ExpandGeneralCodes(u"[dl]"), u"Friday, March 15, 2024");
  EXPECT_EQ(ExpandGeneralCodes(u"[ym]"), u"March 2024");
  EXPECT_EQ(ExpandGeneralCodes(u"[tm]"), u"10:30:00 AM");
  EXPECT_EQ(ExpandGeneralCodes(u"[d1]"), u"March 15 '24 10:30:00");
  EXPECT_EQ(ExpandGeneralCodes(u"[dy] [dr]"), u"75 291");

  HKEY key = Key(u"SOFTWARE\\Velmora\\Quillon");
  DWORD order = 4;
  RegSetValueExW(key, u"UserDateTimeOrder", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&order), 4);
  std::u16string format = u"yyyy-MM-dd";
  RegSetValueExW(key, u"UserDateFormat", 0, REG_SZ, reinterpret_cast<const BYTE*>(format.c_str()),
                 static_cast<DWORD>((format.size() + 1) * 2));
  EXPECT_EQ(ExpandGeneralCodes(u"[d1]"), u"10:30:00 2024-03-15") << "time first";
  RegCloseKey(key);

  SetClockLocal(SYSTEMTIME{2024, 12, 0, 31, 12, 0, 0, 0});
  EXPECT_EQ(ExpandGeneralCodes(u"[dy]/[dr]"), u"366/0") << "the last day of a leap year";
  SetClockLocal(SYSTEMTIME{2023, 3, 0, 1, 12, 0, 0, 0});
  EXPECT_EQ(ExpandGeneralCodes(u"[dy]/[dr]"), u"60/305");
}

TEST_F(FieldCodesTest, UnknownAndMalformedCodesStay) {
  EXPECT_EQ(ExpandGeneralCodes(u"[zz] [ds [DS] [d"), u"[zz] [ds [DS] [d");
  EXPECT_EQ(ExpandGeneralCodes(u"[[dy]"), u"[75") << "a failed start does not hide the code behind it";
  EXPECT_EQ(ExpandGeneralCodes(u"end [dy]"), u"end 75") << "a code at the very end";
  EXPECT_EQ(ExpandGeneralCodes(u""), u"");
  std::u16string huge;
  for (int i = 0; i < 20000; ++i) huge += u"[dy]";
  EXPECT_EQ(ExpandGeneralCodes(huge).size(), 40000u);
}

TEST_F(FieldCodesTest, OwnerDetailsFromTheRecordOrTheSeparateValues) {
  EXPECT_EQ(ExpandGeneralCodes(u"[%n]|[%t]"), u"|") << "no owner at all";
  HKEY key = Key(u"ControlPanel\\Owner");
  std::u16string name = u"Ann Lee", phone = u"555-0100", mail = u"ann@example.org";
  RegSetValueExW(key, u"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()), 16);
  RegSetValueExW(key, u"Telephone", 0, REG_SZ, reinterpret_cast<const BYTE*>(phone.c_str()), 18);
  RegSetValueExW(key, u"E-mail", 0, REG_SZ, reinterpret_cast<const BYTE*>(mail.c_str()), 32);
  EXPECT_EQ(ExpandGeneralCodes(u"[%n]|[%c]|[%a]|[%t]|[%e]"), u"Ann Lee|||555-0100|ann@example.org");

  std::u16string record(300, u'\0');
  record.replace(0, 3, u"Bob");
  record.replace(36, 4, u"Acme");
  record.replace(72, 10, u"1 Main St.");
  record.replace(258, 4, u"1234");
  record.resize(283);  // ends before the e-mail field
  SetBinary(key, u"Owner", record);
  EXPECT_EQ(ExpandGeneralCodes(u"[%n]|[%c]|[%a]|[%t]|[%e]"), u"Bob|Acme|1 Main St.|1234|");
  SetBinary(key, u"Owner", record.substr(0, 50));
  EXPECT_EQ(ExpandGeneralCodes(u"[%a]|[%t]"), u"|")
      << "a record too short to reach the address and telephone fields";
  SetBinary(key, u"Owner", record.substr(0, 100));
  EXPECT_EQ(ExpandGeneralCodes(u"[%a]|[%t]"), u"1 Main St.|") << "the record ends inside the address";
  SetBinary(key, u"Owner", std::u16string(40, u'x'));
  EXPECT_EQ(ExpandGeneralCodes(u"[%n]"), std::u16string(36, u'x'))
      << "a field without its zero ends at its length";
  RegCloseKey(key);
}

TEST_F(FieldCodesTest, KeptValuesExpandAsFreshOnes) {
  GeneralCodeValues kept;
  HKEY key = Key(u"ControlPanel\\Owner");
  std::u16string record(300, u'\0');
  record.replace(0, 3, u"Bob");
  record.replace(72, 10, u"1 Main St.");
  SetBinary(key, u"Owner", record);
  RegCloseKey(key);
  const char16_t* every = u"[ds]|[dl]|[ym]|[tm]|[d1]|[dy]|[dr]|[%n]|[%c]|[%a]|[%t]|[%e]|[2#]";
  std::u16string fresh = ExpandGeneralCodes(every);
  EXPECT_EQ(fresh,
            u"3/15/24|Friday, March 15, 2024|March 2024|10:30:00 AM|March 15 '24 10:30:00|75|291|"
            u"Bob||1 Main St.|||0:00:00");
  EXPECT_EQ(ExpandGeneralCodes(every, kept), fresh);
  EXPECT_EQ(ExpandGeneralCodes(every, kept), fresh) << "and again from what they keep";

  SetClockLocal(SYSTEMTIME{2024, 12, 0, 31, 23, 59, 59, 0});
  EXPECT_EQ(ExpandGeneralCodes(u"[ds] [tm] [dy]/[dr]", kept), u"12/31/24 11:59:59 PM 366/0")
      << "the clock is read for every expansion";
}

TEST_F(FieldCodesTest, KeptValuesFollowChangesOfTheDevice) {
  GeneralCodeValues kept;
  EXPECT_EQ(ExpandGeneralCodes(u"[ds]|[d1]|[%n]", kept), u"3/15/24|March 15 '24 10:30:00|");

  Device().SetSetting("Locale.31", u"dd.MM.yyyy");  // the short date picture, as regional settings
  EXPECT_EQ(ExpandGeneralCodes(u"[ds]", kept), u"15.03.2024") << "a changed device setting";
  Device().ClearSetting("Locale.31");
  EXPECT_EQ(ExpandGeneralCodes(u"[ds]", kept), u"3/15/24") << "a removed one";

  HKEY owner = Key(u"ControlPanel\\Owner");
  std::u16string name = u"Ann Lee";
  RegSetValueExW(owner, u"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()), 16);
  EXPECT_EQ(ExpandGeneralCodes(u"[%n]", kept), u"Ann Lee") << "the owner's name";
  SetBinary(owner, u"Owner", std::u16string(u"Bob\0", 4));
  EXPECT_EQ(ExpandGeneralCodes(u"[%n]", kept), u"Bob") << "an owner record written over the separate values";
  RegDeleteValueW(owner, u"Owner");
  EXPECT_EQ(ExpandGeneralCodes(u"[%n]", kept), u"Ann Lee") << "and removed again";
  RegCloseKey(owner);

  HKEY phrases = Key(u"SOFTWARE\\Velmora\\Quillon");
  std::u16string format = u"yyyy-MM-dd";
  RegSetValueExW(phrases, u"UserDateFormat", 0, REG_SZ, reinterpret_cast<const BYTE*>(format.c_str()),
                 static_cast<DWORD>((format.size() + 1) * 2));
  EXPECT_EQ(ExpandGeneralCodes(u"[d1]", kept), u"2024-03-15 10:30:00") << "the stamp's picture";
  RegCloseKey(phrases);
  EXPECT_EQ(ExpandGeneralCodes(u"[ds]", kept), u"3/15/24") << "a registry change leaves the locale as it is";
}

TEST_F(FieldCodesTest, KeptValuesFollowChangesOfOtherConnectionsAndProcesses) {
  GeneralCodeValues kept;
  EXPECT_EQ(ExpandGeneralCodes(u"[ds]|[dl]|[%n]", kept), u"3/15/24|Friday, March 15, 2024|");

  // Another connection to the device's store, as another process has.
  auto other = platform::Device::Open(DeviceFolder() / "device");
  ASSERT_NE(other, nullptr);
  other->SetSetting("Locale.31", u"yyyy/MM/dd");
  EXPECT_EQ(ExpandGeneralCodes(u"[ds]", kept), u"2024/03/15")
      << "a setting changed through another connection";
  other.reset();

  // Another process.
  std::string device = (DeviceFolder() / "device").string();
  ChildProcess setting(HelperProgram("device_writer"), {device, "setting", "Locale.32", "dddd d MMMM yyyy"});
  ASSERT_EQ(setting.Wait(), 0);
  EXPECT_EQ(ExpandGeneralCodes(u"[dl]", kept), u"Friday 15 March 2024")
      << "a setting changed by another process";
  ChildProcess name(HelperProgram("device_writer"),
                    {device, "registry", "ControlPanel\\Owner", "Name", "Carol"});
  ASSERT_EQ(name.Wait(), 0);
  EXPECT_EQ(ExpandGeneralCodes(u"[%n]", kept), u"Carol") << "the owner's name changed by another process";
}

TEST_F(FieldCodesTest, ExpandPhraseRunsBothPassesIntoALocalBuffer) {
  int opened = 0;
  ContactOpener opener = [&](CEOID oid) -> std::unique_ptr<ContactFieldSource> {
    ++opened;
    if (oid != 42) return nullptr;
    auto ann = std::make_unique<FakeContact>();
    ann->texts = {{4001, u"Ann"}, {4003, u"Lee"}};
    return ann;
  };
  char16_t* out = ExpandPhrase(u"Call [fn] [ln] on day [dy]", 42, opener);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(std::u16string(out), u"Call Ann Lee on day 75");
  EXPECT_EQ(LocalSize(out), 8192u * sizeof(char16_t));
  EXPECT_EQ(LocalFree(out), nullptr);

  out = ExpandPhrase(u"Call [fn]", 0, opener);
  EXPECT_EQ(std::u16string(out), u"Call [fn]") << "without a contact the codes stay";
  LocalFree(out);
  out = ExpandPhrase(u"Call [fn]", 7, opener);
  EXPECT_EQ(std::u16string(out), u"Call [fn]") << "a contact that cannot be opened";
  LocalFree(out);
  out = ExpandPhrase(u"Only [dy]", 42, opener);
  LocalFree(out);
  EXPECT_EQ(opened, 2) << "no contact is opened for a phrase without contact codes";
  EXPECT_EQ(ExpandPhrase(u"", 42, opener), nullptr);
  EXPECT_EQ(ExpandPhrase(nullptr, 42, opener), nullptr);

  std::u16string many;
  for (int i = 0; i < 2000; ++i) many += u"[%a]";  // each 4 characters grows to 186
  HKEY key = Key(u"ControlPanel\\Owner");
  std::u16string record(300, u'a');
  SetBinary(key, u"Owner", record);
  RegCloseKey(key);
  out = ExpandPhrase(many.c_str(), 0, opener);
  EXPECT_EQ(std::u16string(out).size(), PhraseOutputCapacity(many.size()) - 1)
      << "cut to the buffer, never over it";
  LocalFree(out);
}

}  // namespace
