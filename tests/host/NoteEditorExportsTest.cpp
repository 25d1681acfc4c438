// The note editor through its exports: new alarm and plain notes typed and saved, existing notes
// edited (renamed, the host's note overwritten only on a change), refusals and Cancel writing
// nothing, the next full hour, and the host's switch-away while a note is open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "CalyraEditor.h"
#include "editors/AlarmNoteEditor.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "notes/AlarmNoteActions.h"
#include "notes/NoteName.h"
#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/notify/Notifications.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/shell/Shell.h"
#include "resources/ResourceIds.h"
#include "tests/support/DateSupport.h"
#include "tests/support/NoteFiles.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

using Step = platform::ScriptedUserAgent::DialogStep;

constexpr const char16_t* kDocuments = u"\\My Documents\\";
constexpr const char16_t* kAlarmFolder = u"\\My Documents\\CalyraAlarmNotes\\";
constexpr int64_t kTicksPerSecond = 10'000'000;
// The device clock stands at 2024-03-15 10:30 local time; a new note's alarm set "tomorrow" from the
// alarm dialog's start (a quarter of an hour from now) is then:
constexpr SYSTEMTIME kTomorrow = Date(2024, 3, 16, 10, 45);
// An alarm note of this time, moved to tomorrow in the alarm dialog, keeps its hour and minute.
constexpr SYSTEMTIME kNextWeek = Date(2024, 3, 20, 9, 30);
constexpr SYSTEMTIME kNextWeekTomorrow = Date(2024, 3, 16, 9, 30);

// The note editor's view of the component for a mode no export opens.
class TestNoteHost : public NoteEditorHost {
 public:
  HINSTANCE Resources() const override { return Component::Process().Resources(); }
  HINSTANCE OwnModule() const override { return Component::Process().OwnModule(); }
  HFONT TitleLabelFont() const override { return nullptr; }
  AlarmNoteFolders& Folders() override { return Component::Process().noteFolders; }
  CalyraNoteOptions NoteOptions() const override {
    CalyraNoteOptions options{};
    Component::Process().Options().GetNoteOptions(&options);
    return options;
  }
  void SetNoteZoom(DWORD) override {}
};

class NoteEditorExportsTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    CreateDirectoryW(u"\\My Documents", nullptr);
  }

  static HWND Ink(HWND dialog) { return GetDlgItem(dialog, kNoteEditorInk); }
  static std::u16string TextOf(HWND dialog, int id) {
    WCHAR text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
  }
  static std::string Bytes(const std::u16string& path) { return FileBytes(path); }
  static std::string AsBytes(const std::vector<BYTE>& blob) { return std::string(blob.begin(), blob.end()); }
  static std::vector<std::u16string> NamesIn(const std::u16string& folder) { return FileNamesIn(folder); }
  static std::u16string WithHandle(std::u16string_view stamp, DWORD handle, std::u16string_view title) {
    return AlarmNoteName(stamp, handle, title);
  }
  static std::vector<platform::PendingNotification> Pending() { return platform::ReadPendingNotifications(); }
  static int64_t UtcTicksOf(const SYSTEMTIME& local) {
    FILETIME utc{};
    platform::LocalSystemTimeToUtc(local, &utc);
    return platform::TicksOf(utc);
  }
  // Stands the running device's clock at a local time (the component stays attached).
  static void SetClock(SYSTEMTIME local) {
    platform::System::Current().DeviceClock().SetFixed(UtcTicksOf(local));
  }

  // The editor as it appears: what is typed into the title and the ink, and the ink's blob kept.
  Step& ExpectEditor() { return user_->ExpectDialog(kDialogNoteEditor); }
  Step& TypeNote(Step& step, std::u16string title, std::u16string content) {
    return step.Type(kNoteEditorTitle, std::move(title))
        .Do("type the note", [content](HWND dialog) { return platform::UserType(Ink(dialog), content); })
        .Do("keep the blob", [this](HWND dialog) {
          typed_ = AsBytes(InkBlob(Ink(dialog)));
          return !typed_.empty();
        });
  }
  static Step& Command(Step& step, int command) {
    return step.Do("command " + std::to_string(command),
                   [command](HWND dialog) { return platform::UserCommand(dialog, command); });
  }
  // Sets the alarm through the alarm button: tomorrow at the dialog's start time.
  void AlarmTomorrow() {
    Command(ExpectEditor(), kCommandNoteAlarm);
    user_->ExpectDialog(kDialogAlarmTime).Click(kAlarmTimeTomorrow).Click(IDOK);
  }

  // An alarm note saved on the device with a registered alarm.
  AlarmNote SavedAlarmNote(const std::u16string& title, const SYSTEMTIME& time, std::string_view content) {
    std::u16string path = BuildNoteName(Component::Process().noteFolders.AlarmNotes(), title, time, 0);
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    AlarmNote note;
    RecogniseNote(note, path);
    return note;
  }

  std::string typed_;
  std::string shown_;
  std::u16string label_;
  std::u16string title_;
  LRESULT view_ = -1;
  bool titleFocused_ = false;
  bool open_ = false;
  bool enabled_ = false;
  bool untitled_ = false;
};

TEST_F(NoteEditorExportsTest, ANewAlarmNoteLandsInTheAlarmFolderWithItsAlarm) {
  Step& editor = ExpectEditor().Do("read the title line", [this](HWND dialog) {
    label_ = TextOf(dialog, kNoteEditorTitleLabel);
    title_ = TextOf(dialog, kNoteEditorTitle);
    return true;
  });
  TypeNote(editor, u"Call Bank", u"Ask about the loan");
  AlarmTomorrow();
  Command(ExpectEditor(), kCommandOk);
  EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, 0), 1);

  EXPECT_EQ(label_, u"Subject: ");
  EXPECT_EQ(title_, u"New alarm note");
  auto pending = Pending();
  ASSERT_EQ(pending.size(), 1u);
  auto handle = static_cast<DWORD>(reinterpret_cast<uintptr_t>(pending[0].handle));
  std::u16string name = WithHandle(u"202403161045", handle, u"Call Bank");
  EXPECT_EQ(NamesIn(kAlarmFolder), std::vector<std::u16string>{name});
  EXPECT_EQ(pending[0].arguments, u"OpenAlarmNote " + (kAlarmFolder + name));
  EXPECT_EQ(pending[0].fireTimeUtc, UtcTicksOf(kTomorrow));
  EXPECT_EQ(Bytes(kAlarmFolder + name), typed_) << "the file's bytes are the ink's blob";
  EXPECT_EQ(Component::Process().noteEditor, nullptr) << "no note editor open any more";
}

TEST_F(NoteEditorExportsTest, ANewPlainNoteLandsInTheDocumentsFolder) {
  Step& editor = ExpectEditor().Do("read the title and the view", [this](HWND dialog) {
    title_ = TextOf(dialog, kNoteEditorTitle);
    view_ = SendMessageW(Ink(dialog), IM_GETVIEW, 0, 0);
    return true;
  });
  TypeNote(editor, u"Ideas", u"A bigger tent");
  Command(editor, kCommandOk);
  // A note without alarm time is saved as a plain note when the person says so.
  user_->ExpectDialog(kPlainNoteQuestionDialog).Click(IDYES);
  EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, 1), 1);

  EXPECT_EQ(title_, u"New note");
  EXPECT_EQ(view_, static_cast<LRESULT>(IM_VIEW_DRAWING)) << "the view switch is on";
  EXPECT_EQ(NamesIn(kDocuments), std::vector<std::u16string>{u"Ideas.pwi"});
  EXPECT_EQ(Bytes(std::u16string(kDocuments) + u"Ideas.pwi"), typed_);
  EXPECT_TRUE(NamesIn(kAlarmFolder).empty());
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteEditorExportsTest, EditingShowsTheNoteAndOverwritesTheHostsNoteOnlyOnAChange) {
  AlarmNote saved = SavedAlarmNote(u"Call bank", kNextWeek, "");
  ASSERT_EQ(saved.kind, NoteKind::Alarm);
  ASSERT_NE(saved.notification, 0u);

  // First the person writes the note and keeps its title and time.
  CalyraAlarmNote host = ToHostNote(saved);
  Step& first = ExpectEditor().Do("read the title", [this](HWND dialog) {
    title_ = TextOf(dialog, kNoteEditorTitle);
    return true;
  });
  first.Do("type the note", [](HWND dialog) { return platform::UserType(Ink(dialog), u"Loan papers"); })
      .Do("keep the blob", [this](HWND dialog) {
        typed_ = AsBytes(InkBlob(Ink(dialog)));
        return true;
      });
  Command(first, kCommandOk);
  CalyraAlarmNote before = host;
  ASSERT_EQ(CalyraEditor_EditAlarmNote(host_, &host), 1);
  EXPECT_EQ(title_, u"Call bank");
  EXPECT_EQ(std::memcmp(&host, &before, sizeof(host)), 0) << "nothing changed: the host's note is left";
  EXPECT_EQ(Bytes(saved.Path()), typed_);

  // Then it reads the content back, and gets a new title and a new time.
  Step& second = ExpectEditor().Do("read the ink", [this](HWND dialog) {
    shown_ = AsBytes(InkBlob(Ink(dialog)));
    return true;
  });
  second.Type(kNoteEditorTitle, u"Call The Bank");
  AlarmTomorrow();
  Command(ExpectEditor(), kCommandOk);
  ASSERT_EQ(CalyraEditor_EditAlarmNote(host_, &host), 1);
  EXPECT_EQ(shown_, typed_) << "the file's bytes read back into the ink";
  EXPECT_EQ(std::u16string(host.title), u"Call The Bank");
  EXPECT_EQ(host.alarmTime, kNextWeekTomorrow);
  std::u16string name = WithHandle(u"202403160930", host.notification, u"Call The Bank");
  EXPECT_EQ(std::u16string(host.fileName), name);
  EXPECT_EQ(NamesIn(kAlarmFolder), std::vector<std::u16string>{name}) << "renamed, not copied";
  EXPECT_EQ(Bytes(kAlarmFolder + name), typed_);
  auto pending = Pending();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].fireTimeUtc, UtcTicksOf(kNextWeekTomorrow));

  EXPECT_EQ(CalyraEditor_EditAlarmNote(host_, nullptr), 0);
}

TEST_F(NoteEditorExportsTest, ARefusedTitleKeepsTheEditorOpenOnTheTitle) {
  Step& editor = ExpectEditor();
  TypeNote(editor, u"A/B", u"Notes");
  AlarmTomorrow();
  Command(ExpectEditor().Do("focus the ink",
                            [](HWND dialog) {
                              SetFocus(Ink(dialog));
                              return GetFocus() == Ink(dialog);
                            }),
          kCommandOk);
  user_->ExpectMessageBoxString(kStringNoteTitleInvalid, IDOK);
  ExpectEditor()
      .Do("see the focus on the title",
          [this](HWND dialog) {
            titleFocused_ = GetFocus() == GetDlgItem(dialog, kNoteEditorTitle);
            return true;
          })
      .Click(IDCANCEL);
  EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, 0), 0);
  EXPECT_TRUE(titleFocused_);
  EXPECT_TRUE(NamesIn(kAlarmFolder).empty());
  EXPECT_TRUE(NamesIn(kDocuments).empty());
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteEditorExportsTest, CancelWritesNothing) {
  for (int command : {static_cast<int>(IDCANCEL), kCommandCancel}) {
    Step& editor = ExpectEditor();
    TypeNote(editor, u"Call bank", u"Notes");
    Command(editor, command);
    EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, 0), 0) << command;
  }
  AlarmNote saved = SavedAlarmNote(u"Call bank", Date(2024, 3, 20, 9, 30), "old");
  CalyraAlarmNote host = ToHostNote(saved);
  CalyraAlarmNote before = host;
  Command(ExpectEditor().Type(kNoteEditorTitle, u"Other"), kCommandCancel);
  EXPECT_EQ(CalyraEditor_EditAlarmNote(host_, &host), 0);
  EXPECT_EQ(std::memcmp(&host, &before, sizeof(host)), 0);
  EXPECT_EQ(Bytes(saved.Path()), "old");
  EXPECT_EQ(NamesIn(kAlarmFolder).size(), 1u);
  EXPECT_TRUE(NamesIn(kDocuments).empty());
}

TEST_F(NoteEditorExportsTest, TheNextFullHourSavesTheOpenNoteAtThatHour) {
  struct Case {
    SYSTEMTIME now;
    SYSTEMTIME alarm;
    const char16_t* stamp;
    const char16_t* title;
  };
  const Case cases[] = {
      {Date(2024, 3, 15, 10, 20), Date(2024, 3, 15, 11, 0), u"202403151100", u"Early"},
      {Date(2024, 3, 15, 10, 50), Date(2024, 3, 15, 12, 0), u"202403151200", u"Late"},
  };
  for (const Case& c : cases) {
    SYSTEMTIME now = c.now;
    now.wSecond = 15;
    SetClock(now);
    Step& editor = ExpectEditor();
    TypeNote(editor, c.title, u"Notes");
    editor.Do("the host asks for the next full hour",
              [](HWND) { return CalyraEditor_NewAlarmNote(nullptr, 2) == 1; });
    ASSERT_EQ(CalyraEditor_NewAlarmNote(host_, 0), 1) << c.now.wMinute;
    auto pending = Pending();
    ASSERT_FALSE(pending.empty());
    // The name holds the minute, and the alarm is registered as the name reads.
    EXPECT_EQ(pending.back().fireTimeUtc, UtcTicksOf(c.alarm)) << c.now.wMinute;
    auto handle = static_cast<DWORD>(reinterpret_cast<uintptr_t>(pending.back().handle));
    std::vector<std::u16string> names = NamesIn(kAlarmFolder);
    EXPECT_NE(std::find(names.begin(), names.end(), WithHandle(c.stamp, handle, c.title)), names.end())
        << c.now.wMinute;
  }
}

TEST_F(NoteEditorExportsTest, TheNextFullHourKeepsTheSecondsAndSkipsAnHourFromMinute46) {
  struct Case {
    WORD minute;
    SYSTEMTIME next;
  };
  const Case cases[] = {
      {0, Date(2024, 3, 15, 11, 0)},
      {45, Date(2024, 3, 15, 11, 0)},
      {46, Date(2024, 3, 15, 12, 0)},
      {59, Date(2024, 3, 15, 12, 0)},
  };
  for (const Case& c : cases) {
    SYSTEMTIME now = Date(2024, 3, 15, 10, c.minute);
    EXPECT_EQ(AlarmNoteEditor::NextFullHour(now), c.next) << c.minute;
  }
  SYSTEMTIME late = Date(2024, 12, 31, 23, 50);
  late.wSecond = 7;
  SYSTEMTIME next = Date(2025, 1, 1, 1, 0);
  next.wSecond = 7;
  EXPECT_EQ(AlarmNoteEditor::NextFullHour(late), next) << "across the year";
}

TEST_F(NoteEditorExportsTest, TheNextFullHourWithoutAnOpenEditorDoesNothing) {
  for (WORD mode : {WORD{2}, WORD{3}, WORD{0xFFFF}}) {
    EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, mode), 1) << mode;
  }
  EXPECT_TRUE(NamesIn(kAlarmFolder).empty());
  EXPECT_TRUE(NamesIn(kDocuments).empty());
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteEditorExportsTest, TheHostsSwitchAwayIsToldToWaitAndTheNoteStaysOpen) {
  ExpectEditor().Do("switch away to a target",
                    [](HWND dialog) { return PostMessageW(dialog, kMsgModalSwitchAway, 0, 1) != FALSE; });
  user_->ExpectMessageBoxString(kStringCloseNoteFirst, IDOK);
  ExpectEditor().Do("switch away",
                    [](HWND dialog) { return PostMessageW(dialog, kMsgModalSwitchAway, 0, 0) != FALSE; });
  user_->ExpectMessageBoxString(kStringNoteBeingEdited, IDOK);
  ExpectEditor()
      .Do("see it open",
          [this](HWND dialog) {
            open_ = Component::Process().noteEditor == dialog && Component::Process().modalDialog == dialog;
            return true;
          })
      .Click(IDCANCEL);
  EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, 0), 0);
  EXPECT_TRUE(open_);
  EXPECT_EQ(Component::Process().modalDialog, nullptr);
}

TEST_F(NoteEditorExportsTest, TheInputModeMessageEnablesTheDrawingButtonForAPen) {
  struct Case {
    WPARAM mode;
    bool pen;
  };
  const Case cases[] = {{2, true}, {3, true}, {0, false}, {1, false}, {4, false}};
  for (const Case& c : cases) {
    ExpectEditor()
        .Do("switch the mode",
            [&](HWND dialog) {
              SendMessageW(dialog, kMsgNoteInputMode, c.mode, 0);
              HWND bar = SHFindMenuBar(dialog);
              enabled_ = SendMessageW(bar, TB_ISBUTTONENABLED, kCommandDrawingMode, 0) != 0;
              return bar != nullptr;
            })
        .Click(IDCANCEL);
    EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, 0), 0);
    EXPECT_EQ(enabled_, c.pen) << c.mode;
  }
}

TEST_F(NoteEditorExportsTest, ClearingEmptiesTheNoteAndTheViewButtonToggles) {
  CalyraNoteOptions options{};
  Component::Process().Options().GetNoteOptions(&options);
  options.setting2 = 0;  // empty notes are typed
  options.setting3 = 2;  // the editor starts with the pen
  Component::Process().Options().SetNoteOptions(options);
  std::vector<LRESULT> seen;
  Step& editor = ExpectEditor();
  TypeNote(editor, u"Call bank", u"Notes");
  editor.Do("see the pen", [&](HWND dialog) {
    seen.push_back(SendMessageW(Ink(dialog), IM_GETINPUTMODE, 0, 0));
    return true;
  });
  Command(editor, kCommandClearNote);
  Command(editor, kCommandViewSwitch);
  ExpectEditor()
      .Do("see the note emptied, typing, the view switched",
          [&](HWND dialog) {
            seen.push_back(SendMessageW(Ink(dialog), IM_GETDATALEN, 0, 0));
            seen.push_back(SendMessageW(Ink(dialog), IM_GETINPUTMODE, 0, 0));
            seen.push_back(SendMessageW(Ink(dialog), IM_GETVIEW, 0, 0));
            seen.push_back(SendMessageW(SHFindMenuBar(dialog), TB_ISBUTTONCHECKED, kCommandViewSwitch, 0));
            return true;
          })
      .Click(IDCANCEL);
  EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, 0), 0);
  std::vector<LRESULT> expected = {static_cast<LRESULT>(IM_INPUT_INK), 0,
                                   static_cast<LRESULT>(IM_INPUT_TYPING),
                                   static_cast<LRESULT>(IM_VIEW_DRAWING), 1};
  EXPECT_EQ(seen, expected);
}

TEST_F(NoteEditorExportsTest, WithoutTitleLineTheInkFillsTheEditor) {
  TestNoteHost host;
  AlarmNote note;
  note.title = u"Scratch";
  AlarmNoteEditor editor(host, NoteEditorMode::Untitled, note);
  ExpectEditor()
      .Do("see no title line",
          [this](HWND dialog) {
            RECT ink{};
            GetWindowRect(Ink(dialog), &ink);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ink), 2);
            untitled_ = !GetDlgItem(dialog, kNoteEditorTitleLabel) && !GetDlgItem(dialog, kNoteEditorTitle) &&
                        ink.top == 0;
            return true;
          })
      .Click(IDCANCEL);
  EXPECT_EQ(editor.Show(host_), 0);
  EXPECT_TRUE(untitled_);
}

TEST_F(NoteEditorExportsTest, AZoomOutOfRangeIsResetAndAMissingFileIsAnEmptyNote) {
  CalyraNoteOptions options{};
  Component::Process().Options().GetNoteOptions(&options);
  options.zoom = 5;
  Component::Process().Options().SetNoteOptions(options);
  AlarmNote saved = SavedAlarmNote(u"Call bank", kNextWeek, "old");
  CalyraAlarmNote host = ToHostNote(saved);
  ASSERT_TRUE(DeleteFileW(saved.Path().c_str()));
  LRESULT zoom = 0;
  LRESULT length = -1;
  ExpectEditor()
      .Do("read zoom and content",
          [&](HWND dialog) {
            zoom = SendMessageW(Ink(dialog), IM_GETZOOM, 0, 0);
            length = SendMessageW(Ink(dialog), IM_GETDATALEN, 0, 0);
            return true;
          })
      .Click(IDCANCEL);
  EXPECT_EQ(CalyraEditor_EditAlarmNote(host_, &host), 0);
  EXPECT_EQ(zoom, 100);
  EXPECT_EQ(length, 0);
  Component::Process().Options().GetNoteOptions(&options);
  EXPECT_EQ(options.zoom, 1u) << "the option itself is reset";
}

TEST_F(NoteEditorExportsTest, TheFileLinkCommandInsertsTheFilesHyperlink) {
  const std::u16string path = u"\\My Documents\\Plans.psw";
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  std::vector<platform::RichInkLink> links;
  Command(ExpectEditor(), kCommandInsertFileLink);
  user_->ExpectFileDialog(path);
  ExpectEditor()
      .Do("read the links",
          [&](HWND dialog) {
            links = platform::RichInkLinks(
                reinterpret_cast<HWND>(SendMessageW(Ink(dialog), IM_GETRICHWND, 0, 0)));
            return true;
          })
      .Click(IDCANCEL);
  EXPECT_EQ(CalyraEditor_NewAlarmNote(host_, 0), 0);
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].text, u"File: <file:" + path + u"{Plans.psw}  >");
  EXPECT_EQ(links[0].target, path);
}

}  // namespace
