#include "hosts/calyra/NoteTour.h"

#include <string>
#include <vector>

#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/NoteCommands.h"
#include "hosts/calyra/TickCommand.h"
#include "notes/NoteName.h"
#include "notes/NoteSave.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/controls/InkBlob.h"

namespace calyra::host {

namespace {

// Nobody is asked: the note has a title that a file name can hold and a valid alarm time.
class NoQuestions : public NoteSaveQuestions {
 public:
  void RefuseTitle() override {}
  bool SaveWithoutAlarm() override { return false; }
};

}  // namespace

int RunNoteTour(std::FILE* out) {
  std::fprintf(out, "\nan alarm note for one minute ahead\n");
  SYSTEMTIME alarm = CurrentLocalTime();
  alarm.wSecond = alarm.wMilliseconds = 0;
  platform::AddMinutes(&alarm, 1);
  platform::InkContent content;
  content.text = u"Ask about the loan for the kitchen";
  std::vector<uint8_t> blob = platform::WriteInkBlob(content);
  NoteSaveRequest request{u"Call the bank", alarm, NoteEditorMode::NewAlarm, blob};
  AlarmNote note;
  AlarmNoteFolders folders;
  NoQuestions questions;
  if (SaveNoteFromEditor(note, request, questions, folders) != NoteSaveResult::Saved) {
    std::fprintf(out, "  the note could not be written\n");
    return 1;
  }
  std::fprintf(out, "  calyra notes:\n");
  std::fflush(out);
  ListNoteFiles(ListingFormat::kText, out);
  std::fprintf(out, "  calyra tick --minutes 2:\n");
  std::fflush(out);
  Tick({{"--minutes", "2"}}, out, out);
  return note.notification != 0 ? 0 : 1;
}

}  // namespace calyra::host
