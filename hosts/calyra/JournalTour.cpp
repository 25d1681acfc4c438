#include "hosts/calyra/JournalTour.h"

#include <functional>
#include <string>
#include <vector>

#include "hosts/calyra/JournalCommands.h"
#include "hosts/calyra/PersonSession.h"
#include "platform/text/Text.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "platform/ui/agent/ScriptedUserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"

namespace calyra::host {

namespace {

constexpr int kViewDateAndTime = 2;  // the third entry of the view choice

// Lets `person` answer while `call` runs; true when the person did everything and met nothing else.
bool WithPerson(EditorSession& session, platform::ScriptedUserAgent& person,
                const std::function<void()>& call, std::FILE* out) {
  std::vector<std::string> failures = AnswerWithPerson(session, person, call);
  for (const std::string& failure : failures) std::fprintf(out, "  %s\n", failure.c_str());
  return failures.empty();
}

// The list's rows as the person reads them: the first column, then the entry.
void PrintRows(HWND window, std::FILE* out) {
  HWND list = GetDlgItem(window, resources::kJournalList);
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    WCHAR when[64] = {}, text[256] = {};
    ListView_GetItemText(list, row, 0, when, 64);
    ListView_GetItemText(list, row, 1, text, 256);
    std::fprintf(out, "    %s | %s\n", platform::ToUtf8(when).c_str(), platform::ToUtf8(text).c_str());
  }
}

}  // namespace

int RunJournalTour(EditorSession& session, std::FILE* out) {
  const EditorExports& e = session.Exports();
  HWND host = session.Host().Handle();
  std::fprintf(out, "\nthe journal: the deletion and the completion above were written into %s\n",
               platform::ToUtf8(EditorSession::JournalPath()).c_str());
  std::fprintf(out, "  the person writes an entry of their own (CalyraEditor_AddJournalEntryCustom)\n");
  platform::ScriptedUserAgent writer;
  writer.ExpectDialog(resources::kDialogJournalEntry)
      .Type(resources::kJournalEntryText, u"Booked the dentist again for next month")
      .Click(IDOK);
  bool written = WithPerson(
      session, writer, [&] { e.addJournalEntryCustom(host); }, out);

  std::fprintf(out, "  calyra journal:\n");
  std::fflush(out);
  ListJournal(ListingFormat::kText, out, out);

  std::fprintf(out, "  the journal window (CalyraEditor_OpenJournal), newest first:\n");
  platform::ScriptedUserAgent reader;
  reader.ExpectDialog(resources::kDialogJournal)
      .Do("dump the window",
          [out](HWND window) {
            std::fprintf(out, "%s", platform::DumpWindowTree(window).c_str());
            return true;
          })
      .Click(resources::kJournalSortDescending)
      .Choose(resources::kJournalView, kViewDateAndTime)
      .Do("read the rows",
          [out](HWND window) {
            PrintRows(window, out);
            std::fprintf(out, "  the person shows the date and time, and closes it with OK\n");
            return true;
          })
      .Click(IDOK);
  bool shown = WithPerson(
      session, reader, [&] { e.openJournal(host); }, out);
  std::fflush(out);
  return written && shown ? 0 : 1;
}

}  // namespace calyra::host
