// The journal window and the person's own journal entry through their exports: what opens and what
// does not, the two columns, the order, adding, deleting and clearing rows and what OK writes, the
// text export, and the view and order the host reads back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalyraEditor.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "notes/JournalFile.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "tests/support/DateSupport.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/NoteFiles.h"
#include "tests/support/PhraseFiles.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

using Step = platform::ScriptedUserAgent::DialogStep;
using Rows = std::vector<std::u16string>;

constexpr const char16_t* kJournal = u"\\My Documents\\journal.dat";
constexpr const char16_t* kExported = u"\\My Documents\\journal.txt";
constexpr DWORD kAscending = 1;
constexpr DWORD kDescending = 0;
constexpr int kViewDate = 0;
constexpr int kViewTime = 1;
constexpr int kViewBoth = 2;
constexpr UINT kIconBits = 0xF0;  // the message box flags that choose its icon

class JournalExportsTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    CreateDirectoryW(u"\\My Documents", nullptr);
    SetOptions(kJournal, 0, kAscending);
  }

  static void SetOptions(const std::u16string& path, DWORD view, DWORD sort, DWORD flags = 0x3F) {
    CalyraJournalOptions options{};
    options.flags = flags;
    options.windowState[0] = view;
    options.windowState[1] = sort;
    platform::BoundedCopy(options.location, std::size(options.location), path);
    ASSERT_EQ(CalyraEditor_SetJournalOptions(&options), 1);
  }
  static CalyraJournalOptions Options() {
    CalyraJournalOptions options{};
    CalyraEditor_GetJournalOptions(&options);
    return options;
  }
  // An entry of the person's at 09:30 on that day of March 2024.
  static JournalEntry Entry(std::u16string text, WORD day, WORD hour = 9, WORD minute = 30) {
    return JournalEntry{Date(2024, 3, day, hour, minute), 0, 0, 0, std::move(text)};
  }
  static void Write(const std::vector<JournalEntry>& entries) {
    for (const JournalEntry& entry : entries) ASSERT_TRUE(JournalFile(kJournal).Append(entry));
  }
  static std::vector<std::u16string> Texts() {
    std::vector<std::u16string> texts;
    for (const JournalEntry& entry : JournalFile(kJournal).LoadAll().value_or(std::vector<JournalEntry>{}))
      texts.push_back(entry.text);
    return texts;
  }

  static HWND List(HWND dialog) { return GetDlgItem(dialog, kJournalList); }
  static std::u16string Cell(HWND dialog, int row, int column) {
    WCHAR text[128] = {};
    ListView_GetItemText(List(dialog), row, column, text, 128);
    return text;
  }
  // Each row as "first column | text", top to bottom.
  static Rows RowsOf(HWND dialog) {
    Rows rows;
    for (int row = 0; row < ListView_GetItemCount(List(dialog)); ++row)
      rows.push_back(Cell(dialog, row, 0) + u" | " + Cell(dialog, row, 1));
    return rows;
  }
  // The texts of the rows, top to bottom.
  static Rows TextsOf(HWND dialog) {
    Rows rows;
    for (int row = 0; row < ListView_GetItemCount(List(dialog)); ++row) rows.push_back(Cell(dialog, row, 1));
    return rows;
  }
  Step& ReadRows(Step& step, Rows* rows) {
    return step.Do("read the rows", [rows](HWND dialog) {
      *rows = RowsOf(dialog);
      return true;
    });
  }
  Step& ReadTexts(Step& step, Rows* rows) {
    return step.Do("read the texts", [rows](HWND dialog) {
      *rows = TextsOf(dialog);
      return true;
    });
  }
  static Step& Select(Step& step, int row) {
    return step.Do("select row " + std::to_string(row),
                   [row](HWND dialog) { return platform::UserChoose(List(dialog), row); });
  }
};

TEST_F(JournalExportsTest, AJournalThatCannotBeReadOpensNothing) {
  struct Case {
    const char* what;
    std::u16string path;
    std::string bytes;  // written to the path first, unless empty
  };
  const Case cases[] = {
      {"a wrong magic", kJournal, std::string("\x02\x20\xC7\x00\x00\x00\x00\x00", 8)},
      {"shorter than its header", kJournal, std::string("\x01\x20\xC7\x00", 4)},
      {"no path", u"", ""},
      {"a folder that is not there", u"\\Nowhere\\journal.dat", ""},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.what);
    if (!entry.bytes.empty()) {
      HANDLE file = CreateFileW(entry.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      WriteFile(file, entry.bytes.data(), static_cast<DWORD>(entry.bytes.size()), &written, nullptr);
      CloseHandle(file);
    }
    SetOptions(entry.path, kViewBoth, kDescending);
    EXPECT_EQ(CalyraEditor_OpenJournal(host_), 1);  // the scripted person expects no dialog
    if (!entry.bytes.empty()) {
      EXPECT_EQ(FileBytes(entry.path), entry.bytes) << "the file is untouched";
    }
    EXPECT_EQ(Options().windowState[0], static_cast<DWORD>(kViewBoth)) << "nothing handed back";
    EXPECT_EQ(Options().windowState[1], kDescending);
  }
}

TEST_F(JournalExportsTest, AMissingJournalIsMadeAndShownEmpty) {
  Rows rows{u"not read"};
  ReadRows(user_->ExpectDialog(kDialogJournal), &rows).Click(IDOK);
  EXPECT_EQ(CalyraEditor_OpenJournal(host_), 1);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(FileBytes(kJournal), std::string("\x01\x20\xC7\x00\x00\x00\x00\x00", 8)) << "an empty journal";
}

TEST_F(JournalExportsTest, TheFirstColumnShowsWhatTheViewSays) {
  struct Case {
    DWORD view;
    const char16_t* first;
    DWORD handedBack;
  };
  const Case cases[] = {
      {0, u"3/15/24 | Dentist", 0},
      {1, u"2:05 PM | Dentist", 1},
      {2, u"3/15/24 2:05 PM | Dentist", 2},
      {5, u"3/15/24 | Dentist", 0},  // any other value reads as the date
      {0xFFFFFFFF, u"3/15/24 | Dentist", 0},
  };
  Write({Entry(u"Dentist", 15, 14, 5)});
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.view);
    SetOptions(kJournal, entry.view, kAscending);
    Rows rows;
    int chosen = -2;
    ReadRows(user_->ExpectDialog(kDialogJournal), &rows)
        .Do("read the view choice",
            [&chosen](HWND dialog) {
              chosen = static_cast<int>(SendMessageW(GetDlgItem(dialog, kJournalView), CB_GETCURSEL, 0, 0));
              return true;
            })
        .Click(IDCANCEL);
    EXPECT_EQ(CalyraEditor_OpenJournal(host_), 1);
    EXPECT_EQ(rows, Rows{entry.first});
    EXPECT_EQ(chosen, static_cast<int>(entry.handedBack));
    EXPECT_EQ(Options().windowState[0], entry.handedBack);
  }
}

TEST_F(JournalExportsTest, TheColumnsShareTheListAThirdToTwoThirds) {
  std::u16string headings[2];
  int widths[2] = {};
  RECT client{};
  DWORD extended = 0;
  user_->ExpectDialog(kDialogJournal)
      .Do("read the columns",
          [&](HWND dialog) {
            for (int column = 0; column < 2; ++column) {
              WCHAR text[32] = {};
              LVCOLUMNW info{};
              info.mask = LVCF_TEXT | LVCF_WIDTH;
              info.pszText = text;
              info.cchTextMax = 32;
              ListView_GetColumn(List(dialog), column, &info);
              headings[column] = text;
              widths[column] = info.cx;
            }
            GetClientRect(List(dialog), &client);
            extended = ListView_GetExtendedListViewStyle(List(dialog));
            return true;
          })
      .Click(IDOK);
  CalyraEditor_OpenJournal(host_);
  EXPECT_EQ(headings[0], u"Date/Time");
  EXPECT_EQ(headings[1], u"Entry");
  EXPECT_EQ(widths[0], client.right / 3);
  EXPECT_EQ(widths[0] + widths[1], client.right);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT) << "rows are selected whole";
}

TEST_F(JournalExportsTest, ChoosingAViewRewritesTheFirstColumnAndIsHandedBack) {
  Write({Entry(u"a", 15, 8, 0)});
  Rows time, both;
  Step& step = user_->ExpectDialog(kDialogJournal).Choose(kJournalView, kViewTime);
  ReadRows(step, &time).Choose(kJournalView, kViewBoth);
  ReadRows(step, &both).Click(IDOK);
  CalyraEditor_OpenJournal(host_);
  EXPECT_EQ(time, Rows{u"8:00 AM | a"});
  EXPECT_EQ(both, Rows{u"3/15/24 8:00 AM | a"});
  EXPECT_EQ(Options().windowState[0], static_cast<DWORD>(kViewBoth));
  EXPECT_EQ(Options().reserved, 0u);
}

TEST_F(JournalExportsTest, RowsAreSortedByTimeAndSortedAgainOnEveryClick) {
  // In the file's order: the 14th, the 12th, two of the 13th (the later one written first), then the
  // 11th, and two of one time on the 12th: of these the one written later counts as the newer.
  Write({Entry(u"d", 14), Entry(u"b1", 12), Entry(u"c2", 13, 11), Entry(u"c1", 13, 10), Entry(u"a", 11),
         Entry(u"b2", 12)});
  struct Case {
    DWORD given;
    Rows opened;
  };
  const Case cases[] = {
      {kAscending, {u"a", u"b1", u"b2", u"c1", u"c2", u"d"}},
      {kDescending, {u"d", u"c2", u"c1", u"b2", u"b1", u"a"}},
      {7, {u"a", u"b1", u"b2", u"c1", u"c2", u"d"}},  // non-zero: oldest first
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.given);
    SetOptions(kJournal, kViewDate, entry.given);
    Rows opened;
    ReadTexts(user_->ExpectDialog(kDialogJournal), &opened).Click(IDCANCEL);
    CalyraEditor_OpenJournal(host_);
    EXPECT_EQ(opened, entry.opened);
    EXPECT_EQ(Options().windowState[1], entry.given == kDescending ? kDescending : kAscending);
  }

  Rows newest, oldest, again;
  Step& step = user_->ExpectDialog(kDialogJournal).Click(kJournalSortDescending);
  ReadTexts(step, &newest).Click(kJournalSortAscending);
  ReadTexts(step, &oldest).Click(kJournalSortAscending);
  ReadTexts(step, &again).Click(kJournalSortDescending).Click(IDOK);
  CalyraEditor_OpenJournal(host_);
  EXPECT_EQ(newest, (Rows{u"d", u"c2", u"c1", u"b2", u"b1", u"a"}));
  EXPECT_EQ(oldest, (Rows{u"a", u"b1", u"b2", u"c1", u"c2", u"d"}));
  EXPECT_EQ(again, oldest);
  EXPECT_EQ(Options().windowState[1], kDescending) << "the last click is handed back";
  EXPECT_EQ(Texts(), (Rows{u"d", u"b1", u"c2", u"c1", u"a", u"b2"})) << "sorting alone writes nothing";
}

TEST_F(JournalExportsTest, AddedAndDeletedRowsAreWrittenInTheOrderShownOnOk) {
  SetOptions(kJournal, kViewDate, kDescending);
  Write({Entry(u"b", 12), Entry(u"c", 14), Entry(u"a", 11)});
  Rows afterAdd, afterDelete;
  Step& journal = user_->ExpectDialog(kDialogJournal).Click(kJournalAdd);
  ReadTexts(journal, &afterAdd);
  Select(journal, 2).Click(kJournalDelete);  // "b"
  ReadTexts(journal, &afterDelete).Click(IDOK);
  user_->ExpectDialog(kDialogJournalEntry).Type(kJournalEntryText, u"Called the plumber").Click(IDOK);
  EXPECT_EQ(CalyraEditor_OpenJournal(host_), 1);
  EXPECT_EQ(afterAdd, (Rows{u"Called the plumber", u"c", u"b", u"a"})) << "now is the newest";
  EXPECT_EQ(afterDelete, (Rows{u"Called the plumber", u"c", u"a"}));

  std::vector<JournalEntry> entries = *JournalFile(kJournal).LoadAll();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].text, u"Called the plumber");
  EXPECT_EQ(entries[0].time, Date(2024, 3, 15, 10, 30)) << "the pickers start at now";
  EXPECT_EQ(entries[0].entryType, 0u);
  EXPECT_EQ(entries[0].item, 0u);
  EXPECT_EQ(entries[1].text, u"c");
  EXPECT_EQ(entries[2].text, u"a");
}

TEST_F(JournalExportsTest, ANewRowGoesWhereItsTimePutsItAsTheNewestOfThatTime) {
  // "x" has the time the entry dialog starts at: now.
  Write({Entry(u"later", 16), Entry(u"x", 15, 10, 30), Entry(u"earlier", 14)});
  struct Case {
    DWORD sort;
    Rows shown;
  };
  const Case cases[] = {
      {kAscending, {u"earlier", u"x", u"new", u"later"}},
      {kDescending, {u"later", u"new", u"x", u"earlier"}},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.sort);
    SetOptions(kJournal, kViewDate, entry.sort);
    Rows shown;
    int selected = -1;
    ReadTexts(user_->ExpectDialog(kDialogJournal).Click(kJournalAdd), &shown)
        .Do("read the selection",
            [&selected](HWND dialog) {
              selected = ListView_GetNextItem(List(dialog), -1, LVNI_SELECTED);
              return true;
            })
        .Click(IDCANCEL);
    user_->ExpectDialog(kDialogJournalEntry).Type(kJournalEntryText, u"new").Click(IDOK);
    CalyraEditor_OpenJournal(host_);
    EXPECT_EQ(shown, entry.shown);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(shown[static_cast<size_t>(selected)], u"new") << "the new row is selected";
  }
}

TEST_F(JournalExportsTest, OnlyOkWritesAndOnlyAfterAChange) {
  Write({Entry(u"c", 14), Entry(u"a", 11), Entry(u"b", 12)});
  std::string before = FileBytes(kJournal);
  struct Case {
    const char* what;
    std::function<void(Step&)> act;
  };
  const Case cases[] = {
      {"OK at once", [](Step& step) { step.Click(IDOK); }},
      {"sorted and viewed, then OK",
       [](Step& step) { step.Click(kJournalSortDescending).Choose(kJournalView, kViewBoth).Click(IDOK); }},
      {"a row deleted, then Cancel",
       [](Step& step) { Select(step, 0).Click(kJournalDelete).Click(IDCANCEL); }},
      {"cleared, then Cancel", [](Step& step) { step.Click(kJournalDeleteAll).Click(IDCANCEL); }},
      {"Delete without a selection, then OK", [](Step& step) { step.Click(kJournalDelete).Click(IDOK); }},
      {"an entry dialog cancelled, then OK",
       [this](Step& step) {
         step.Click(kJournalAdd).Click(IDOK);
         user_->ExpectDialog(kDialogJournalEntry).Type(kJournalEntryText, u"not kept").Click(IDCANCEL);
       }},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.what);
    SetOptions(kJournal, kViewDate, kAscending);
    entry.act(user_->ExpectDialog(kDialogJournal));
    EXPECT_EQ(CalyraEditor_OpenJournal(host_), 1);
    EXPECT_EQ(FileBytes(kJournal), before);
  }
}

TEST_F(JournalExportsTest, ClearAllLeavesAnEmptyJournalAfterOk) {
  Write({Entry(u"a", 11), Entry(u"b", 12)});
  Rows cleared{u"not read"};
  ReadTexts(user_->ExpectDialog(kDialogJournal).Click(kJournalDeleteAll), &cleared).Click(IDOK);
  CalyraEditor_OpenJournal(host_);
  EXPECT_TRUE(cleared.empty());
  EXPECT_EQ(FileBytes(kJournal), std::string("\x01\x20\xC7\x00\x00\x00\x00\x00", 8));
}

TEST_F(JournalExportsTest, ExportWritesTheTextFileBesideTheJournalAndSaysWhere) {
  Write({Entry(u"b", 12, 14, 5), Entry(u"a", 11)});
  MessageBoxRecorder watcher(*user_);
  platform::SetUserAgent(&watcher);
  user_->ExpectDialog(kDialogJournal).Click(kJournalExport).Click(IDOK);
  user_->ExpectMessageBox(u"The journal was exported to \\My Documents\\journal.txt.", IDOK);
  EXPECT_EQ(CalyraEditor_OpenJournal(host_), 1);
  platform::SetUserAgent(&*user_);
  EXPECT_EQ(FileBytes(kExported), "3/12/24 2:05 PM b\r\n3/11/24 9:30 AM a\r\n") << "in the file's order";
  ASSERT_EQ(watcher.captions.size(), 1u);
  EXPECT_EQ(watcher.captions[0], u"Calyra");
  EXPECT_EQ(watcher.flagsSeen[0] & kIconBits, MB_ICONINFORMATION);
}

TEST_F(JournalExportsTest, TheViewAndOrderAreHandedBackWhicheverWayTheWindowEnds) {
  struct Case {
    const char* what;
    std::function<void(Step&)> end;
  };
  const Case cases[] = {
      {"OK", [](Step& step) { step.Click(IDOK); }},
      {"Cancel", [](Step& step) { step.Click(IDCANCEL); }},
      {"the host switching away",
       [](Step& step) {
         step.Do("switch away",
                 [](HWND dialog) { return PostMessageW(dialog, kMsgModalSwitchAway, 0, 0) != FALSE; });
       }},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.what);
    SetOptions(kJournal, kViewDate, kAscending);
    Step& step =
        user_->ExpectDialog(kDialogJournal).Choose(kJournalView, kViewTime).Click(kJournalSortDescending);
    entry.end(step);
    EXPECT_EQ(CalyraEditor_OpenJournal(host_), 1);
    CalyraJournalOptions options = Options();
    EXPECT_EQ(options.windowState[0], static_cast<DWORD>(kViewTime));
    EXPECT_EQ(options.windowState[1], kDescending);
    EXPECT_EQ(options.flags, 0x3Fu) << "the rest of the options stays";
    EXPECT_EQ(platform::TextView(options.location, 260), kJournal);
  }
}

TEST_F(JournalExportsTest, TheComponentNamesEachDialogWhileItIsUp) {
  HWND journal = nullptr, entryDialog = nullptr, duringJournal = nullptr, duringEntry = nullptr;
  user_->ExpectDialog(kDialogJournal)
      .Do("look at the slot",
          [&](HWND dialog) {
            journal = dialog;
            duringJournal = Component::Process().modalDialog;
            return true;
          })
      .Click(kJournalAdd)
      .Do("look again", [&](HWND) { return Component::Process().modalDialog == journal; })
      .Click(IDCANCEL);
  user_->ExpectDialog(kDialogJournalEntry)
      .Do("look at the slot",
          [&](HWND dialog) {
            entryDialog = dialog;
            duringEntry = Component::Process().modalDialog;
            return true;
          })
      .Click(IDCANCEL);
  CalyraEditor_OpenJournal(host_);
  EXPECT_EQ(duringJournal, journal);
  EXPECT_EQ(duringEntry, entryDialog);
  EXPECT_EQ(Component::Process().modalDialog, nullptr);
}

TEST_F(JournalExportsTest, ACustomEntryIsAppendedOnlyForOkWithText) {
  SYSTEMTIME day = Date(2024, 4, 1);
  SYSTEMTIME hour = Date(2024, 3, 15, 14, 5);
  struct Case {
    const char* what;
    std::function<void(Step&)> act;
    std::vector<std::u16string> texts;  // in the journal afterwards
  };
  const Case cases[] = {
      {"Cancel", [](Step& step) { step.Type(kJournalEntryText, u"no").Click(IDCANCEL); }, {}},
      {"OK without text", [](Step& step) { step.Click(IDOK); }, {}},
      {"OK with text",
       [&](Step& step) {
         step.Type(kJournalEntryText, u"Paid the rent")
             .Do("pick 1 April",
                 [&](HWND dialog) {
                   return platform::UserPickDate(GetDlgItem(dialog, kJournalEntryDate), &day);
                 })
             .Do("pick 2:05 PM",
                 [&](HWND dialog) {
                   return platform::UserPickDate(GetDlgItem(dialog, kJournalEntryTime), &hour);
                 })
             .Click(IDOK);
       },
       {u"Paid the rent"}},
      {"OK with a line break",
       [](Step& step) { step.Type(kJournalEntryText, u"one\ntwo").Click(IDOK); },
       {u"Paid the rent", u"one\r\ntwo"}},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.what);
    entry.act(user_->ExpectDialog(kDialogJournalEntry));
    EXPECT_EQ(CalyraEditor_AddJournalEntryCustom(host_), 1);
    EXPECT_EQ(Texts(), entry.texts);
  }
  std::vector<JournalEntry> entries = *JournalFile(kJournal).LoadAll();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].time, Date(2024, 4, 1, 14, 5)) << "the picked date at the picked time";
  EXPECT_EQ(entries[0].time.wDayOfWeek, 1) << "a Monday";
  EXPECT_EQ(entries[0].entryType, 0u);
  EXPECT_EQ(entries[0].item, 0u);
  EXPECT_EQ(entries[1].time, Date(2024, 3, 15, 10, 30)) << "both pickers start at now";
}

TEST_F(JournalExportsTest, ACustomEntryNeedsAJournalFileButNotTheJournalFlag) {
  SetOptions(kJournal, kViewDate, kAscending, 0);
  user_->ExpectDialog(kDialogJournalEntry).Type(kJournalEntryText, u"Off but mine").Click(IDOK);
  EXPECT_EQ(CalyraEditor_AddJournalEntryCustom(host_), 1);
  EXPECT_EQ(Texts(), Rows{u"Off but mine"});

  SetOptions(u"", kViewDate, kAscending);
  user_->ExpectDialog(kDialogJournalEntry).Type(kJournalEntryText, u"Nowhere to go").Click(IDOK);
  EXPECT_EQ(CalyraEditor_AddJournalEntryCustom(host_), 1);
  EXPECT_EQ(Texts(), Rows{u"Off but mine"});
}

TEST_F(JournalExportsTest, ThePhraseButtonInsertsAPhraseForNotesText) {
  WritePhraseFile(R"(<q><phrase title="Subject" usage="subject">no</phrase>
                     <phrase title="Done" usage="text task">and done</phrase></q>)");
  int rows = -1;
  user_->ExpectDialog(kDialogJournalEntry)
      .Type(kJournalEntryText, u"Kept, ")
      .Click(kJournalEntryPhrase)
      .Click(IDOK);
  user_->ExpectDialog(kDialogPhraseSelection)
      .Do("count the phrases offered",
          [&](HWND dialog) {
            rows = ListView_GetItemCount(GetDlgItem(dialog, kPhraseList));
            return true;
          })
      .Choose(kPhraseList, 0);
  CalyraEditor_AddJournalEntryCustom(host_);
  EXPECT_EQ(rows, 1);
  EXPECT_EQ(Texts(), Rows{u"Kept, and done"});
}

}  // namespace
