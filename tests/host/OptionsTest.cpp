#include <gtest/gtest.h>

#include "host/ComponentSettings.h"
#include "host/OptionStore.h"
#include "host/PlatformTests.h"
#include "platform/registry/Registry.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

TEST(OptionStoreTest, StartsWithTheHostsDefaults) {
  OptionStore store;
  EXPECT_EQ(store.Marker(), 0u) << "no Set export called yet";
  EXPECT_TRUE(store.ConfirmDeletions());
  EXPECT_EQ(store.NewAppointmentReminder(), 15u);
  EXPECT_EQ(store.ReminderHour(), 8);
  EXPECT_EQ(store.ReminderMinute(), 0);
  EXPECT_EQ(store.DisplayFontName(), u"Tahoma");
  EXPECT_EQ(store.CalendarColor(3), 0x990000u);
  EXPECT_EQ(store.ContactValue(3), -1);
  EXPECT_EQ(store.JournalWindowState(1), 1u);
  EXPECT_EQ(store.NoteZoomPercent(), 100);
}

TEST(OptionStoreTest, SetExportsReplaceTheirGroupAndCutStrings) {
  OptionStore store;
  CalyraEditorOptions editor{};
  editor.newAppointmentReminder = OptionStore::kNoReminder;
  editor.timeOfDay = 9 * 60 + 45;
  std::fill(std::begin(editor.categoryImageFolder), std::end(editor.categoryImageFolder), u'x');  // no zero
  store.SetEditorOptions(editor);
  EXPECT_EQ(store.Marker(), OptionStore::kMarker);
  EXPECT_FALSE(store.ConfirmDeletions());
  EXPECT_EQ(store.NewAppointmentReminder(), 0xFFFFFFFFu);
  EXPECT_EQ(store.ReminderHour(), 9);
  EXPECT_EQ(store.ReminderMinute(), 45);
  EXPECT_EQ(store.CategoryImageFolder().size(), 259u) << "cut at 259 characters";

  store.SetConfirmDeletions(true);  // as a delete export does with its own argument
  EXPECT_TRUE(store.ConfirmDeletions());
}

TEST(OptionStoreTest, NoteAndJournalOptionsReadBackWhatWasStoredLast) {
  OptionStore store;
  CalyraNoteOptions note{};
  note.zoom = 7;
  note.fontSize = 12;
  std::u16string(u"Segoe").copy(note.fontName, 5);
  store.SetNoteOptions(note);
  EXPECT_EQ(store.NoteZoom(), 1u) << "a zoom of 7 is reset to 100 percent";
  EXPECT_EQ(store.NoteZoomPercent(), 100);
  store.SetNoteZoom(4);
  EXPECT_EQ(store.NoteZoomPercent(), 300);
  store.SetNoteSetting(2, 3);
  store.SetNoteFontName(u"A font name far longer than the sixty-three characters the field can hold, really");
  CalyraNoteOptions back{};
  store.GetNoteOptions(&back);
  EXPECT_EQ(back.zoom, 4u);
  EXPECT_EQ(back.setting2, 3u);
  EXPECT_EQ(std::u16string(back.fontName).size(), 63u);

  CalyraJournalOptions journal{};
  journal.flags = 1;
  journal.windowState[0] = 5;
  std::u16string(u"\\My Documents\\Journal").copy(journal.location, 21);
  store.SetJournalOptions(journal);
  store.SetJournalWindowState(8, 9);  // the journal window closed
  CalyraJournalOptions read{};
  read.reserved = 0xABCD;
  store.GetJournalOptions(&read);
  EXPECT_EQ(read.reserved, 0xABCDu) << "the first field is not written";
  EXPECT_EQ(read.windowState[0], 8u) << "the state the window stored, not the one the host set";
  EXPECT_EQ(read.windowState[1], 9u);
  EXPECT_TRUE(store.JournalOn());
  EXPECT_EQ(store.JournalLocation(), u"\\My Documents\\Journal");
}

class ComponentSettingsTest : public DeviceTest {};

TEST_F(ComponentSettingsTest, SignaturesColoursFormatsAndPalette) {
  EXPECT_EQ(EmailSignatureNumber(), 0);
  MailCommand mail = BuildMailCommand(u"ann@example.org");
  EXPECT_EQ(mail.program, u"tmail.exe");
  EXPECT_EQ(mail.arguments, u"-to \"ann@example.org\"");

  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr);
  LONG two = 2;
  RegSetValueExW(key, u"EmailSig", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4);
  std::u16string signature = u"Regards, Ann";
  RegSetValueExW(key, u"EmailSig.2", 0, REG_SZ, reinterpret_cast<const BYTE*>(signature.c_str()),
                 static_cast<DWORD>((signature.size() + 1) * 2));
  RegCloseKey(key);
  mail = BuildMailCommand(u"bob@example.org");
  EXPECT_EQ(mail.arguments, u"-to \"bob@example.org\" -body \"Regards, Ann\"");
  Device().SetSetting("PlatformType", u"Jupiter");
  EXPECT_EQ(BuildMailCommand(u"x").program, u"pmail.exe") << "not a Pocket PC";

  EXPECT_EQ(CategoryColor(u"Business"), 0xFFFFFFu);
  SetCategoryColor(u"Business", 0x0000FF);
  EXPECT_EQ(CategoryColor(u"Business"), 0x0000FFu);
  SetCategoryColor(u"Business", std::nullopt);
  EXPECT_EQ(CategoryColor(u"Business"), 0xFFFFFFu) << "a category written without a colour loses it";

  SaveFormatStrings({u"one", u"two", u"three"});
  SaveFormatStrings({u"only"});
  EXPECT_EQ(FormatStrings(), std::vector<std::u16string>{u"only"}) << "saving replaces the whole list";

  EXPECT_FALSE(CustomPalette().has_value());
  Palette palette{};
  palette[23] = 0x123456;
  SaveCustomPalette(palette);
  ASSERT_TRUE(CustomPalette().has_value());
  EXPECT_EQ((*CustomPalette())[23], 0x123456u);
}

TEST_F(ComponentSettingsTest, PlatformTests) {
  EXPECT_TRUE(IsPocketPc3OrLater());
  EXPECT_TRUE(IsPocketPc4());
  EXPECT_TRUE(IsPocketPc4OrLater());
  EXPECT_FALSE(IsPalmSizePc3());
  EXPECT_FALSE(IsPhoneCapable());
  Device().SetSetting("Phone", u"1");
  EXPECT_TRUE(IsPhoneCapable());
  Device().SetSetting("Version.Major", u"3");
  Device().SetSetting("PlatformType", u"Palm PC2");
  EXPECT_TRUE(IsPalmSizePc3());
  EXPECT_FALSE(IsPocketPc3OrLater());
  Device().SetSetting("PlatformType", u"pocketpc");
  EXPECT_TRUE(IsPocketPc3OrLater()) << "the platform type compares without regard to case";
  EXPECT_FALSE(IsPocketPc4());
}

}  // namespace
