// The phrase selection through its export, as a host and the editors' pages call it: the phrases a
// field is offered, the contact a phrase's contact codes read, the phrase-editing program, and the
// list following the input panel.
#include <gtest/gtest.h>

#include "CalyraEditor.h"
#include "editors/EditorKind.h"
#include "editors/EditorMessages.h"
#include "editors/PhraseSelectionDialog.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "platform/files/FileSystem.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/shell/Shell.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "tests/support/PhraseFiles.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

constexpr CEPROPID kFirstName = 0x3A06001F;
constexpr CEPROPID kLastName = 0x3A11001F;

// Day 75 of 2024 is the fixed clock's 15 March.
constexpr char kPhrases[] = R"(<quillon>
  <phrase title="Call back" usage="subject task">Call [fn] [ln] back</phrase>
  <phrase title="Meet" usage="subject appointment">Meeting on day [dy]</phrase>
  <phrase title="Room" usage="location">Room 4</phrase>
  <phrase title="Anywhere">Anything</phrase>
  <phrase title="Signature" usage="text">
    Kind regards  </phrase>
  <phrase title="Empty"></phrase>
</quillon>)";

class PhraseSelectionTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    WritePhraseFile(kPhrases);
  }

  static ItemOid SaveContact(const std::u16string& first, const std::u16string& last) {
    CPIMContact contact;
    contact.SetText(CPIMContact::kFileAs, last + u", " + first);
    contact.SetText(kFirstName, first);
    contact.SetText(kLastName, last);
    ItemContext context;
    EXPECT_EQ(contact.Save(context), S_OK);
    return contact.oid;
  }
  static HWND List(HWND dialog) { return GetDlgItem(dialog, kPhraseList); }
  // The rows as "title:image".
  static std::vector<std::u16string> Rows(HWND dialog) {
    std::vector<std::u16string> rows;
    for (int row = 0; row < ListView_GetItemCount(List(dialog)); ++row) {
      WCHAR text[64] = {};
      ListView_GetItemText(List(dialog), row, 0, text, 64);
      LVITEMW item{};
      item.mask = LVIF_IMAGE;
      item.iItem = row;
      ListView_GetItem(List(dialog), &item);
      rows.push_back(std::u16string(text) + u":" + platform::FromUtf8(std::to_string(item.iImage)));
    }
    return rows;
  }
  static std::u16string Title(HWND dialog) {
    WCHAR text[64] = {};
    GetDlgItemTextW(dialog, kPhraseTitle, text, 64);
    return text;
  }
  // Taps the row of that title.
  static auto Tap(std::u16string title) {
    return [title](HWND dialog) {
      std::vector<std::u16string> rows = Rows(dialog);
      for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].starts_with(title + u":"))
          return platform::UserClickListViewItem(List(dialog), static_cast<int>(row));
      }
      return false;
    };
  }

  // Calls the export; the text chosen, "(cancelled)" or "(null)".
  std::u16string Select(DWORD filter, CEOID* contact = nullptr) {
    WCHAR* text = nullptr;
    int chosen = CalyraEditor_DoPhraseSelection(host_, filter, contact, &text);
    std::u16string result = chosen ? (text ? std::u16string(text) : u"(null)") : u"(cancelled)";
    if (!chosen) {
      EXPECT_EQ(text, nullptr);
    }
    CalyraEditor_FreePhraseBuffer(text);
    return result;
  }
};

TEST_F(PhraseSelectionTest, AFieldIsOfferedThePhrasesThatSuitIt) {
  struct Case {
    DWORD filter;
    std::u16string title;
    std::vector<std::u16string> rows;  // contact codes show image 2, others 6
  };
  const Case cases[] = {
      {0x10001, u"Phrases: Subject", {u"Call back:2", u"Anywhere:6", u"Empty:6"}},
      {0x20001, u"Phrases: Subject", {u"Meet:6", u"Anywhere:6", u"Empty:6"}},
      {0x20002, u"Phrases: Location", {u"Room:6", u"Anywhere:6", u"Empty:6"}},
      {0x20004, u"Phrases: Notes", {u"Anywhere:6", u"Signature:6", u"Empty:6"}},
      {0x20000, u"Phrases: Text", {u"Anywhere:6", u"Empty:6"}},
      {0xFFFFFFFF,
       u"Phrases: Subject",
       {u"Call back:2", u"Meet:6", u"Room:6", u"Anywhere:6", u"Signature:6", u"Empty:6"}},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.filter);
    std::vector<std::u16string> rows;
    std::u16string title;
    user_->ExpectDialog(kDialogPhraseSelection)
        .Do("read the dialog",
            [&](HWND dialog) {
              rows = Rows(dialog);
              title = Title(dialog);
              return true;
            })
        .Click(IDCANCEL);
    EXPECT_EQ(Select(each.filter), u"(cancelled)");
    EXPECT_EQ(rows, each.rows);
    EXPECT_EQ(title, each.title);
  }
}

TEST_F(PhraseSelectionTest, AChosenPhraseComesBackExpandedInABufferTheHostFrees) {
  user_->ExpectDialog(kDialogPhraseSelection).Do("tap Meet", Tap(u"Meet"));
  EXPECT_EQ(Select(0x20001), u"Meeting on day 75");
  user_->ExpectDialog(kDialogPhraseSelection).Do("tap Signature", Tap(u"Signature"));
  EXPECT_EQ(Select(0x20004), u"Kind regards  ");
  // An empty phrase is chosen all the same, with no text.
  user_->ExpectDialog(kDialogPhraseSelection).Do("tap Empty", Tap(u"Empty"));
  EXPECT_EQ(Select(0x20004), u"(null)");
  EXPECT_EQ(CalyraEditor_DoPhraseSelection(host_, 0x20004, nullptr, nullptr), 0);
}

TEST_F(PhraseSelectionTest, ASubjectPhraseWithContactCodesAsksForTheContactAndHandsItBack) {
  SaveContact(u"Bo", u"Berg");
  ItemOid ann = SaveContact(u"Ann", u"Lee");
  CEOID contact = 0;
  user_->ExpectDialog(kDialogPhraseSelection).Do("tap Call back", Tap(u"Call back"));
  user_->ExpectDialog(kDialogContactChooser).Choose(kContactChooserList, 1).Click(IDOK);
  EXPECT_EQ(Select(0x10001, &contact), u"Call Ann Lee back");
  EXPECT_EQ(contact, ann);

  // A contact already set is used without asking.
  user_->ExpectDialog(kDialogPhraseSelection).Do("tap Call back", Tap(u"Call back"));
  EXPECT_EQ(Select(0x10001, &contact), u"Call Ann Lee back");
  EXPECT_EQ(contact, ann);
}

TEST_F(PhraseSelectionTest, WithoutTheSubjectBitTheContactIsAskedForButNotHandedBack) {
  ItemOid ann = SaveContact(u"Ann", u"Lee");
  WritePhraseFile("<q><phrase title=\"Dear\" usage=\"text\">Dear [fn],</phrase></q>");
  CEOID contact = 12345;  // not read without the subject bit
  user_->ExpectDialog(kDialogPhraseSelection).Do("tap Dear", Tap(u"Dear"));
  user_->ExpectDialog(kDialogContactChooser).Choose(kContactChooserList, 0).Click(IDOK);
  EXPECT_EQ(Select(0x40004, &contact), u"Dear Ann,");
  EXPECT_EQ(contact, 12345u);
  EXPECT_NE(ann, 0u);
}

TEST_F(PhraseSelectionTest, CancellingTheContactLeavesTheSelectionOpen) {
  SaveContact(u"Ann", u"Lee");
  user_->ExpectDialog(kDialogPhraseSelection)
      .Do("tap Call back", Tap(u"Call back"))
      .Do("tap Anywhere instead", Tap(u"Anywhere"));
  user_->ExpectDialog(kDialogContactChooser).Click(IDCANCEL);
  CEOID contact = 0;
  EXPECT_EQ(Select(0x10001, &contact), u"Anything");
  EXPECT_EQ(contact, 0u);
}

TEST_F(PhraseSelectionTest, EditPhrasesStartsThePhraseEditorAndCancels) {
  user_->ExpectDialog(kDialogPhraseSelection).Do("tap Edit Phrases", [](HWND dialog) {
    return platform::UserPressMenuBarButton(SHFindMenuBar(dialog), kCommandEditPhrases);
  });
  EXPECT_EQ(Select(0x10001), u"(cancelled)");
  std::vector<platform::LaunchEntry> launched = platform::ReadLaunchLog();
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].program, u"\\Program Files\\Calyra\\CalyraQuillon.exe");
  EXPECT_EQ(launched[0].arguments, u"");
}

TEST(PhraseEditorPathTest, IsCutAfterTheThirdBackslash) {
  struct Case {
    std::u16string_view executable;
    std::u16string_view program;
  };
  const Case cases[] = {
      {u"\\Program Files\\Calyra\\Calyra.exe", u"\\Program Files\\Calyra\\CalyraQuillon.exe"},
      {u"\\Program Files\\Calyra\\Tools\\Find.exe", u"\\Program Files\\Calyra\\CalyraQuillon.exe"},
      {u"\\Windows\\Calyra.exe", u""},
      {u"Calyra.exe", u""},
      {u"", u""},
  };
  for (const Case& each : cases)
    EXPECT_EQ(PhraseEditorPath(each.executable), each.program) << platform::ToUtf8(each.executable);
}

TEST_F(PhraseSelectionTest, WithoutAPhraseFileTheListIsEmpty) {
  DeleteFileW(u"\\My Documents\\quillon.xml");
  int rows = -1;
  user_->ExpectDialog(kDialogPhraseSelection)
      .Do("count the rows",
          [&](HWND dialog) {
            rows = ListView_GetItemCount(List(dialog));
            return true;
          })
      .Click(IDCANCEL);
  EXPECT_EQ(Select(0x10001), u"(cancelled)");
  EXPECT_EQ(rows, 0);
  ASSERT_NE(Component::Process().phraseLibrary, nullptr);
  EXPECT_EQ(Component::Process().phraseLibrary->loadCount, 1u);
  EXPECT_FALSE(Component::Process().phraseLibrary->loaded);
}

TEST_F(PhraseSelectionTest, TheListFollowsTheInputPanelAndLeavesRoomForTheScrollBar) {
  std::string xml = "<q>";
  for (int i = 0; i < 40; ++i) xml += "<phrase title=\"P" + std::to_string(i) + "\">t</phrase>";
  WritePhraseFile(xml + "</q>");
  int heightDown = 0, heightUp = 0, column = 0, listWidth = 0;
  auto listHeight = [](HWND dialog) {
    RECT rect{};
    GetClientRect(List(dialog), &rect);
    return static_cast<int>(rect.bottom - rect.top);
  };
  user_->ExpectDialog(kDialogPhraseSelection)
      .Do("raise the input panel",
          [&](HWND dialog) {
            heightDown = listHeight(dialog);
            SipShowIM(SIPF_ON);
            heightUp = listHeight(dialog);
            RECT rect{};
            GetClientRect(List(dialog), &rect);
            listWidth = rect.right - rect.left;
            column = ListView_GetColumnWidth(List(dialog), 0);
            SipShowIM(SIPF_OFF);
            return true;
          })
      .Click(IDCANCEL);
  EXPECT_EQ(Select(0x10001), u"(cancelled)");
  EXPECT_LT(heightUp, heightDown);
  EXPECT_GT(heightUp, 0);
  EXPECT_EQ(column, listWidth - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(PhraseSelectionTest, TheHostSwitchingAwayCancelsTheSelection) {
  HWND named = nullptr;
  user_->ExpectDialog(kDialogPhraseSelection).Do("the host switches away", [&](HWND dialog) {
    named = Component::Process().modalDialog;
    return PostMessageW(dialog, kMsgModalSwitchAway, 0, 1) != FALSE;
  });
  EXPECT_EQ(Select(0x10001), u"(cancelled)");
  EXPECT_NE(named, nullptr);
  EXPECT_EQ(Component::Process().modalDialog, nullptr);
}

TEST_F(PhraseSelectionTest, DestroyReleasesTheLibrary) {
  user_->ExpectDialog(kDialogPhraseSelection).Click(IDCANCEL);
  Select(0x10001);
  ASSERT_NE(Component::Process().phraseLibrary, nullptr);
  EXPECT_EQ(Component::Process().phraseLibrary->phrases.size(), 6u);
  CalyraEditor_Destroy();
  EXPECT_EQ(Component::Process().phraseLibrary, nullptr);
}

TEST_F(PhraseSelectionTest, TheTaskPageInsertsTheChosenPhraseIntoItsSubject) {
  ASSERT_EQ(NewItem(EditorKind::NewTask).Subject(u"Re: ").Post(), 1);
  Pump();
  HWND subject = GetDlgItem(Frame().FocusedPage(), kTaskSubject);
  ASSERT_NE(subject, nullptr);
  SendMessageW(subject, EM_SETSEL, 4, 4);
  SaveContact(u"Ann", u"Lee");
  user_->ExpectDialog(kDialogPhraseSelection).Do("tap Call back", Tap(u"Call back"));
  user_->ExpectDialog(kDialogContactChooser).Choose(kContactChooserList, 0).Click(IDOK);
  SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandInsertPhrase, 0);
  Pump();
  WCHAR text[128] = {};
  GetWindowTextW(subject, text, 128);
  EXPECT_EQ(std::u16string(text), u"Re: Call Ann Lee back");
}

}  // namespace
