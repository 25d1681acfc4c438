// The notes page of the appointment, task, contact and project editors, driven as a host and a
// person do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/EditorMessages.h"
#include "editors/NoteInk.h"
#include "editors/NotesPage.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "platform/files/FileSystem.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/shell/Shell.h"
#include "projects/Project.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/PimDatabase.h"
#include "tests/support/DateSupport.h"
#include "tests/support/PhraseFiles.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

// The blob of a note holding only `text`: header 8, text 4 + 2 per character, three empty counts.
std::vector<BYTE> TextBlob(const std::u16string& text) {
  platform::InkContent content;
  content.text = text;
  return platform::WriteInkBlob(content);
}

class NotesPageTest : public EditorHostTest {
 protected:
  ItemOid SaveContact(const std::u16string& fileAs) {
    CPIMContact contact;
    contact.SetText(CPIMContact::kFileAs, fileAs);
    EXPECT_EQ(contact.Save(ItemContext()), S_OK);
    return contact.oid;
  }
  static void WriteNotes(ItemOid item, ItemKind kind, const std::vector<BYTE>& blob) {
    ASSERT_TRUE(WritePimProperty(item, kind, kNotesTag, blob.data(), static_cast<DWORD>(blob.size())));
  }
  static std::optional<std::vector<BYTE>> StoredNotes(ItemOid item, ItemKind kind) {
    std::vector<BYTE> blob;
    if (!ReadPimProperty(item, kind, kNotesTag, &blob)) return std::nullopt;
    return blob;
  }
  NotesPage* Page(PageNumber number = PageNumber::Notes) {
    return dynamic_cast<NotesPage*>(Frame().Pages().GetPage(number));
  }
  void Open(EditorKind kind, ItemOid oid, PageNumber number = PageNumber::Notes) {
    ASSERT_EQ(EditItem(kind, oid).Post(), 1);
    Pump();
    ShowNotes(number);
  }
  void ShowNotes(PageNumber number = PageNumber::Notes) {
    ASSERT_TRUE(Frame().IsOpen());
    ASSERT_NE(Page(number), nullptr);
    if (TabCtrl_GetCurSel(Tabs()) != Page(number)->TabIndex()) {
      ASSERT_TRUE(platform::UserSelectTab(Tabs(), Page(number)->TabIndex()));
    }
    Pump();
  }
  void Command(int command, PageNumber number = PageNumber::Notes) {
    SendMessageW(Page(number)->GetWindow(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    Pump();
  }
  void Ok() {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandOk, 0);
    Pump();
  }
  HWND Ink(PageNumber number = PageNumber::Notes) { return Page(number)->Ink(); }
  HWND Rich(PageNumber number = PageNumber::Notes) {
    return reinterpret_cast<HWND>(SendMessageW(Ink(number), IM_GETRICHWND, 0, 0));
  }
  std::u16string Text(PageNumber number = PageNumber::Notes) {
    HWND rich = Rich(number);
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(rich)) + 1, u'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(rich, text.data(), static_cast<int>(text.size()))));
    return text;
  }
  static void MakeFile(const std::u16string& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  CalyraNoteOptions& Options() {
    static CalyraNoteOptions options;
    Component::Process().Options().GetNoteOptions(&options);
    return options;
  }
  void SetOptions(DWORD setting1, DWORD setting2, DWORD zoom) {
    OptionStore& store = Component::Process().Options();
    store.SetNoteSetting(1, setting1);
    store.SetNoteSetting(2, setting2);
    store.SetNoteZoom(zoom);
  }
};

TEST_F(NotesPageTest, TheEditorsShowTheNotesTabWithTheInkFillingThePage) {
  ItemOid trip = SaveTask(u"Trip");
  Open(EditorKind::EditTask, trip);
  HWND ink = Ink();
  ASSERT_NE(ink, nullptr);
  WCHAR name[32] = {};
  GetWindowTextW(ink, name, 32);
  EXPECT_EQ(std::u16string(name), u"CY.NoteEditor");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(ink, GWL_STYLE)) & kNoteInkStyle, kNoteInkStyle);
  RECT page{}, area{};
  GetClientRect(Page()->GetWindow(), &page);
  GetClientRect(ink, &area);
  EXPECT_EQ(area.right, page.right);
  EXPECT_EQ(area.bottom, page.bottom);
  EXPECT_EQ(Page()->GetPageKind(), PageKind::Notes);
  EXPECT_EQ(Page()->TabIndex(), 2) << "after the task and recurrence pages";
  EXPECT_EQ(GetFocus(), ink) << "the notes take the focus";
}

TEST_F(NotesPageTest, TheMenuBarButtonsShowTheirImages) {
  ItemOid trip = SaveTask(u"Trip");
  Open(EditorKind::EditTask, trip);
  HWND bar = Page()->MenuBar();
  ASSERT_NE(bar, nullptr);
  const std::pair<int, int> buttons[] = {{kCommandTypingMode, 0},  {kCommandPenMode, 2},
                                         {kCommandDrawingMode, 6}, {kCommandZoom, 20},
                                         {kCommandCancel, 4},      {kCommandOk, 3}};
  for (auto [command, image] : buttons) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_IMAGE;
    ASSERT_GE(
        SendMessageW(bar, TB_GETBUTTONINFOW, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(&info)),
        0)
        << command;
    EXPECT_EQ(info.iImage, image) << command;
  }
}

TEST_F(NotesPageTest, TypedNotesSurviveSaveAndReloadByteForByte) {
  struct Case {
    EditorKind kind;
    ItemKind item;
  };
  ItemOid task = SaveTask(u"Trip");
  ItemOid contact = SaveContact(u"Berg, Anna");
  ItemOid appointment = SaveWeeklyAppointment(u"Choir");
  const Case cases[] = {{EditorKind::EditTask, ItemKind::Task},
                        {EditorKind::EditContact, ItemKind::Contact},
                        {EditorKind::EditAppointment, ItemKind::Appointment}};
  for (const Case& c : cases) {
    ItemOid oid = c.item == ItemKind::Task ? task : c.item == ItemKind::Contact ? contact : appointment;
    // The whole series.
    if (c.item == ItemKind::Appointment) user_->ExpectMessageBoxString(kStringRecurringQuestion, IDNO);
    SCOPED_TRACE(static_cast<int>(c.item));
    Open(c.kind, oid);
    Command(kCommandTypingMode);
    ASSERT_TRUE(platform::UserType(Ink(), u"Pack the tent\nCheck tyres"));
    SendMessageW(Ink(), EM_SETSEL, 0, 4);
    Command(kCommandItalic);
    Command(kCommandPenMode);
    std::vector<POINT> stroke{{5, 5}, {40, 60}, {80, 20}};
    ASSERT_TRUE(SendMessageW(Ink(), IM_ADDSTROKE, stroke.size(), reinterpret_cast<LPARAM>(stroke.data())));
    std::vector<BYTE> typed = InkBlob(Ink());
    ASSERT_FALSE(typed.empty());
    Ok();
    ASSERT_FALSE(Frame().IsOpen());
    EXPECT_EQ(StoredNotes(oid, c.item), typed) << "the blob in the item's record";
    if (c.item == ItemKind::Appointment) user_->ExpectMessageBoxString(kStringRecurringQuestion, IDNO);
    Open(c.kind, oid);
    EXPECT_EQ(InkBlob(Ink()), typed) << "read back by the next editor";
    EXPECT_EQ(Text(), u"Pack the tent\r\nCheck tyres");
    EXPECT_EQ(SendMessageW(Ink(), IM_GETSTROKECOUNT, 0, 0), 1);
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandCancel, 0);
    Pump();
  }
}

TEST_F(NotesPageTest, NotesOfExactlyTheCapacityAreSavedAndLargerOnesRefused) {
  ItemOid anna = SaveContact(u"Berg, Anna");
  constexpr DWORD kCapacity = CPIMContact::kNotesCapacity;  // 44256 bytes
  const std::u16string fits((kCapacity - 24) / 2, u'n');
  ASSERT_EQ(TextBlob(fits).size(), kCapacity);
  Open(EditorKind::EditContact, anna);
  SetWindowTextW(Rich(), (fits + u"x").c_str());  // the smallest step beyond: one character, two bytes
  user_->ExpectMessageBox(u"The notes are too large to be saved: 43.22 KB, at most 43.22 KB.", IDOK);
  Ok();
  EXPECT_TRUE(Frame().IsOpen()) << "the editor stays open";
  EXPECT_FALSE(StoredNotes(anna, ItemKind::Contact));
  SetWindowTextW(Rich(), fits.c_str());
  Ok();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(StoredNotes(anna, ItemKind::Contact), TextBlob(fits));
}

TEST_F(NotesPageTest, ClearingAllNotesSavesAnEmptyBlob) {
  ItemOid trip = SaveTask(u"Trip");
  WriteNotes(trip, ItemKind::Task, TextBlob(u"Old notes"));
  Open(EditorKind::EditTask, trip);
  EXPECT_EQ(Text(), u"Old notes");
  ASSERT_TRUE(platform::UserType(Ink(), u""));
  Ok();
  Database tasks;
  ASSERT_TRUE(tasks.OpenByName(TasksDatabaseName()));
  ASSERT_TRUE(tasks.SeekToOid(trip));
  Record record;
  ASSERT_TRUE(tasks.ReadRecord(record));
  ASSERT_NE(record.Find(kNotesTag), nullptr) << "the old blob is overwritten";
  EXPECT_EQ(record.Find(kNotesTag)->AsBlob().size(), 0u);
  Open(EditorKind::EditTask, trip);
  EXPECT_EQ(Text(), u"") << "the old notes do not come back";
}

TEST_F(NotesPageTest, AFileOfA259CharacterPathIsLinked) {
  const std::u16string folder = u"\\My Documents\\" + std::u16string(100, u'f');
  const std::u16string name = std::u16string(140, u'n') + u".txt";
  const std::u16string path = folder + u"\\" + name;
  ASSERT_EQ(path.size(), 259u);
  CreateDirectoryW(u"\\My Documents", nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  MakeFile(path);
  ItemOid trip = SaveTask(u"Trip");
  Open(EditorKind::EditTask, trip);
  user_->ExpectFileDialog(path);
  Command(kCommandInsertFileLink);
  const std::u16string link = u"File: <file:" + path + u"{" + name + u"}  >";
  EXPECT_EQ(Text(), link);
  std::vector<platform::RichInkLink> links = platform::RichInkLinks(Rich());
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].text, link) << "the whole text is the link";
  EXPECT_EQ(links[0].target, path);
  user_->ExpectFileDialog(std::nullopt);
  Command(kCommandInsertFileLink);
  EXPECT_EQ(Text(), link) << "nothing chosen, nothing inserted";
}

TEST_F(NotesPageTest, TheFileChooserOffersTheEightFileTypes) {
  std::vector<std::u16string> parts;
  for (const char16_t* at = kNoteFileFilter; *at; at += std::char_traits<char16_t>::length(at) + 1)
    parts.emplace_back(at);
  EXPECT_EQ(parts,
            (std::vector<std::u16string>{
                u"Word/Notes (*.psw;*.pwi;*.rtf;*.txt)", u"*.psw;*.pwi;*.rtf;*.txt", u"Excel (*.pxl)",
                u"*.pxl", u"Keyvra Wallet (*.wal)", u"*.wal", u"Images (*.bmp;*.gif;*.jpg;*.png...)",
                u"*.bmp;*.gif;*.jpg;*.png;*.2bp", u"Sounds (*.wav)", u"*.wav", u"Windows Media (*.wma)",
                u"*.wma", u"HTML (*.htm;*.html)", u"*.htm*", u"All Files (*.*)", u"*.*"}));
  EXPECT_EQ(FileHyperlinkText(u"File:", u"\\a\\b.txt"), u"File: <file:\\a\\b.txt{b.txt}  >");
}

TEST_F(NotesPageTest, AnOccurrenceShowsTheSeriesNotes) {
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  WriteNotes(series, ItemKind::Appointment, TextBlob(u"Bring the scores"));
  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDYES);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 3, 25)).Post(), 1);
  Pump();
  ShowNotes();
  EXPECT_EQ(Text(), u"Bring the scores");
}

TEST_F(NotesPageTest, TheZoomComesFromTheOptionAndAnIndexBeyondTheListIsReset) {
  struct Case {
    DWORD stored;
    WPARAM percent;
    DWORD after;
  };
  const Case cases[] = {{0, 75, 0}, {3, 200, 3}, {4, 300, 4}, {5, 100, 1}, {90, 100, 1}};
  ItemOid trip = SaveTask(u"Trip");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    SetOptions(1, 2, c.stored);
    Open(EditorKind::EditTask, trip);
    EXPECT_EQ(static_cast<WPARAM>(SendMessageW(Ink(), IM_GETZOOM, 0, 0)), c.percent);
    EXPECT_EQ(Options().zoom, c.after);
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandCancel, 0);
    Pump();
  }
}

TEST_F(NotesPageTest, TheModeFollowsTheNoteSettingOfEmptyOrNonEmptyNotes) {
  struct Case {
    bool notes;
    DWORD setting1;  // notes with content
    DWORD setting2;  // empty notes
    WPARAM input;
    bool pen;
  };
  const Case cases[] = {
      {false, 0, 0, IM_INPUT_TYPING, false}, {false, 0, 2, IM_INPUT_INK, true},
      {false, 0, 7, IM_INPUT_DRAWING, true}, {true, 0, 2, IM_INPUT_TYPING, false},
      {true, 2, 0, IM_INPUT_INK, true},      {true, 1, 0, IM_INPUT_DRAWING, true},
  };
  ItemOid empty = SaveTask(u"Empty");
  ItemOid full = SaveTask(u"Full");
  WriteNotes(full, ItemKind::Task, TextBlob(u"Some notes"));
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.notes << " " << c.setting1 << " " << c.setting2);
    SetOptions(c.setting1, c.setting2, 1);
    Open(EditorKind::EditTask, c.notes ? full : empty);
    EXPECT_EQ(static_cast<WPARAM>(SendMessageW(Ink(), IM_GETINPUTMODE, 0, 0)), c.input);
    HWND bar = Page()->MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageW(bar, TB_ISBUTTONCHECKED, kCommandPenMode, 0) != 0, c.pen);
    EXPECT_EQ(SendMessageW(bar, TB_ISBUTTONENABLED, kCommandDrawingMode, 0) != 0, c.pen);
    SIPINFO sip{};
    sip.cbSize = sizeof(sip);
    ASSERT_TRUE(SipGetInfo(&sip));
    if (!c.pen) {
      EXPECT_TRUE(sip.fdwFlags & SIPF_ON) << "typing brings the input panel up";
    }
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandCancel, 0);
    Pump();
  }
}

TEST_F(NotesPageTest, TheModeCommandsSwitchBetweenTypingAndThePens) {
  struct Step {
    int command;
    NoteMode mode;
    WPARAM input;
  };
  const Step steps[] = {
      {kCommandTypingMode, NoteMode::Typing, IM_INPUT_TYPING},
      {kCommandDrawingMode, NoteMode::Typing, IM_INPUT_TYPING},  // drawing needs a pen
      {kCommandPenMode, NoteMode::Writing, IM_INPUT_INK},
      {kCommandDrawingMode, NoteMode::Drawing, IM_INPUT_DRAWING},
      {kCommandDrawingMode, NoteMode::Writing, IM_INPUT_INK},
      {kCommandPenMode, NoteMode::Typing, IM_INPUT_TYPING},
  };
  ItemOid trip = SaveTask(u"Trip");
  Open(EditorKind::EditTask, trip);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.command);
    Command(step.command);
    EXPECT_EQ(Page()->Mode(), step.mode);
    EXPECT_EQ(static_cast<WPARAM>(SendMessageW(Ink(), IM_GETINPUTMODE, 0, 0)), step.input);
    EXPECT_EQ(SendMessageW(Page()->MenuBar(), TB_ISBUTTONCHECKED, kCommandPenMode, 0) != 0,
              step.mode != NoteMode::Typing);
  }
}

TEST_F(NotesPageTest, TheFormatCommandsToggleTheSelection) {
  ItemOid trip = SaveTask(u"Trip");
  Open(EditorKind::EditTask, trip);
  SetWindowTextW(Rich(), u"abcdef");
  SendMessageW(Ink(), EM_SETSEL, 1, 3);
  Command(kCommandStrikeThrough);
  Command(kCommandItalic);
  Command(kCommandHighlight);
  Command(kCommandItalic);  // off again
  auto blob = InkBlob(Ink());
  auto content = platform::ReadInkBlob(blob.data(), blob.size());
  ASSERT_TRUE(content);
  EXPECT_EQ(content->runs, (std::vector<platform::InkFormatRun>{{1, 2, CFE_STRIKEOUT | CFE_HIGHLIGHT}}));
}

TEST_F(NotesPageTest, APhraseForTheItemsKindAndAContactByNameGoInAtTheCaret) {
  WritePhraseFile(R"(<q><phrase title="Appointment" usage="text appointment">no</phrase>
                     <phrase title="Task" usage="text task">, then book it</phrase></q>)");
  ItemOid anna = SaveContact(u"Berg, Anna");
  ItemOid trip = SaveTask(u"Trip");
  (void)anna;
  Open(EditorKind::EditTask, trip);
  SetWindowTextW(Rich(), u"Ask");
  SendMessageW(Ink(), EM_SETSEL, 3, 3);
  user_->ExpectDialog(kDialogPhraseSelection)
      .Do("see the task's phrase alone",
          [](HWND dialog) { return ListView_GetItemCount(GetDlgItem(dialog, kPhraseList)) == 1; })
      .Choose(kPhraseList, 0);
  Command(kCommandInsertPhrase);
  EXPECT_EQ(Text(), u"Ask, then book it");
  user_->ExpectDialog(kDialogContactChooser).Choose(kContactChooserList, 0).Click(IDOK);
  Command(kCommandInsertContact);
  EXPECT_EQ(Text(), u"Ask, then book it @ Berg, Anna");
}

TEST_F(NotesPageTest, TheNoteOptionsDialogWritesTheOptionsAndASwitchAwayClosesTheEditor) {
  ItemOid trip = SaveTask(u"Trip");
  SetOptions(1, 2, 1);
  Open(EditorKind::EditTask, trip);
  user_->ExpectDialog(kDialogNoteOptions)
      .Choose(kNoteOptionsNewMode, 0)
      .Choose(kNoteOptionsZoom, 3)
      .Click(IDOK);
  Command(kCommandNoteOptions);
  EXPECT_EQ(Options().setting2, 0u);
  EXPECT_EQ(Options().zoom, 3u);
  EXPECT_EQ(SendMessageW(Ink(), IM_GETZOOM, 0, 0), 200);
  user_->ExpectDialog(kDialogNoteOptions).Do("the host asks to switch away", [](HWND dialog) {
    SendMessageW(dialog, kMsgModalSwitchAway, 0, 0);
    return true;
  });
  Command(kCommandNoteOptions);
  EXPECT_FALSE(Frame().IsOpen());
}

TEST_F(NotesPageTest, TheProjectNotesPageEditsTheProjectsNotesText) {
  ItemOid record = SaveProject(u"Garden");
  {
    Project project;
    ASSERT_TRUE(project.Load(record));
    project.notes = u"Order seeds";
    ASSERT_NE(project.Save(), 0u);
  }
  Open(EditorKind::EditProject, record, PageNumber::ProjectNotes);
  EXPECT_EQ(Page(PageNumber::ProjectNotes)->GetPageKind(), PageKind::Notes);
  EXPECT_EQ(Text(PageNumber::ProjectNotes), u"Order seeds");
  SendMessageW(Ink(PageNumber::ProjectNotes), IM_SETINPUTMODE, IM_INPUT_TYPING, 0);
  ASSERT_TRUE(platform::UserType(Ink(PageNumber::ProjectNotes), u"Order seeds and bulbs"));
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  Project saved;
  ASSERT_TRUE(saved.Load(record));
  EXPECT_EQ(saved.notes, u"Order seeds and bulbs");
}

}  // namespace
