// The journal entry dialog on its own: the Phrase button with the phrase selection it is given, the
// Field button's menu of the general field codes, and what OK and Cancel answer.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "editors/JournalEntryDialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using calyra::testing::Date;
using calyra::testing::DeviceTest;
using calyra::testing::ScriptedUser;

using Step = platform::ScriptedUserAgent::DialogStep;

constexpr UINT kShortDateCode = 15;  // "[ds]" in the table of general codes
constexpr UINT kTimeCode = 18;       // "[tm]"

// Passes everything to the scripted person and keeps the entries of each popup menu.
class MenuReader : public platform::UserAgent {
 public:
  explicit MenuReader(platform::UserAgent& person) : person_(person) {}
  bool ActOnDialog(HWND dialog) override { return person_.ActOnDialog(dialog); }
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override {
    return person_.AnswerMessageBox(owner, text, caption, flags);
  }
  UINT ChooseMenuCommand(HMENU menu, HWND owner) override {
    entries.clear();
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
      WCHAR text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(index), text, 64, MF_BYPOSITION);
      entries.emplace_back(text);
    }
    return person_.ChooseMenuCommand(menu, owner);
  }
  std::optional<std::u16string> ChooseFile(const platform::FileDialogRequest& request) override {
    return person_.ChooseFile(request);
  }

  std::vector<std::u16string> entries;

 private:
  platform::UserAgent& person_;
};

class JournalEntryDialogTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    resources_ = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
    user_.emplace();
    user_->SetResourceModule(resources_);
  }
  void TearDown() override {
    user_.reset();
    DeviceTest::TearDown();
  }

  // The dialog over no owner with `phrases` as its phrase selection.
  std::optional<JournalEntry> Show(PhraseSelector phrases = {}) {
    JournalEntryDialog dialog(std::move(phrases), codeValues_);
    return dialog.Show(nullptr, resources_, &slot_);
  }
  static Step& SelectText(Step& step, int from, int to) {
    return step.Do("select " + std::to_string(from) + " to " + std::to_string(to), [from, to](HWND dialog) {
      SendMessageW(GetDlgItem(dialog, kJournalEntryText), EM_SETSEL, static_cast<WPARAM>(from), to);
      return true;
    });
  }

  HINSTANCE resources_ = nullptr;
  GeneralCodeValues codeValues_;
  HWND slot_ = nullptr;
  std::optional<ScriptedUser> user_;
};

TEST_F(JournalEntryDialogTest, OkWithTextAnswersThePersonsEntry) {
  HWND during = nullptr;
  user_->ExpectDialog(kDialogJournalEntry)
      .Do("look at the slot",
          [&](HWND dialog) {
            during = slot_;
            return slot_ == dialog;
          })
      .Type(kJournalEntryText, u"Watered the plants")
      .Click(IDOK);
  std::optional<JournalEntry> entry = Show();
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->text, u"Watered the plants");
  EXPECT_EQ(entry->time, Date(2024, 3, 15, 10, 30));
  EXPECT_EQ(entry->time.wDayOfWeek, 5) << "a Friday";
  EXPECT_EQ(entry->entryType, 0u);
  EXPECT_EQ(entry->item, 0u);
  EXPECT_NE(during, nullptr);
  EXPECT_EQ(slot_, nullptr) << "the slot is given back";
}

TEST_F(JournalEntryDialogTest, NothingIsAnsweredWithoutTextOrForCancel) {
  user_->ExpectDialog(kDialogJournalEntry).Click(IDOK);
  EXPECT_FALSE(Show().has_value()) << "OK with an empty text";
  user_->ExpectDialog(kDialogJournalEntry).Type(kJournalEntryText, u"Not this").Click(IDCANCEL);
  EXPECT_FALSE(Show().has_value()) << "Cancel";
}

TEST_F(JournalEntryDialogTest, ThePhraseTakesThePlaceOfTheSelection) {
  struct Case {
    const char* what;
    int from, to;  // the selection before the Phrase button
    std::optional<std::u16string> phrase;
    const char16_t* text;
  };
  const Case cases[] = {
      {"in place of the selection", 6, 11, u"there", u"Hello there!"},
      {"at the caret", 5, 5, u",", u"Hello, world!"},
      {"at the end", 12, 12, u" Bye.", u"Hello world! Bye."},
      {"nothing chosen", 6, 11, std::nullopt, u"Hello world!"},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.what);
    HWND owner = nullptr, dialogShown = nullptr;
    DWORD usage = 0;
    Step& step = user_->ExpectDialog(kDialogJournalEntry).Type(kJournalEntryText, u"Hello world!");
    SelectText(step, entry.from, entry.to)
        .Do("remember the dialog",
            [&](HWND dialog) {
              dialogShown = dialog;
              return true;
            })
        .Click(kJournalEntryPhrase)
        .Click(IDOK);
    std::optional<JournalEntry> written = Show([&](HWND phraseOwner, DWORD phraseUsage) {
      owner = phraseOwner;
      usage = phraseUsage;
      return entry.phrase;
    });
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->text, entry.text);
    EXPECT_EQ(owner, dialogShown) << "the selection opens over the entry dialog";
    EXPECT_EQ(usage, 0xFFFF0004u) << "the notes-text field of every item kind";
  }
}

TEST_F(JournalEntryDialogTest, TheFieldMenuOffersTheGeneralCodesAndInsertsTheChosenExpansion) {
  MenuReader reader(*user_);
  platform::SetUserAgent(&reader);
  Step& step = user_->ExpectDialog(kDialogJournalEntry).Type(kJournalEntryText, u"On : done");
  SelectText(step, 3, 3).Click(kJournalEntryField).Click(IDOK);
  user_->ExpectPopupMenu(kCommandFirstFieldCode + kShortDateCode);
  std::optional<JournalEntry> entry = Show();
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->text, u"On 3/15/24: done");
  ASSERT_EQ(reader.entries.size(), kGeneralCodeCount);
  EXPECT_EQ(reader.entries.front(), u"Start timer 1");
  EXPECT_EQ(reader.entries[kShortDateCode], u"Date (short)");
  EXPECT_EQ(reader.entries.back(), u"Owner's e-mail");

  user_->ExpectDialog(kDialogJournalEntry)
      .Type(kJournalEntryText, u"At ")
      .Click(kJournalEntryField)
      .Click(kJournalEntryField)
      .Click(IDOK);
  user_->ExpectPopupMenu(kCommandFirstFieldCode + kTimeCode);
  user_->ExpectPopupMenu(0);
  entry = Show();
  platform::SetUserAgent(&*user_);
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->text, u"At " + ExpandGeneralCodes(u"[tm]")) << "a dismissed menu inserts nothing";
  EXPECT_NE(entry->text, u"At [tm]");
}

}  // namespace
