#pragma once

#include <mutex>
#include <string>

namespace calyra {

// The two folders notes live in, worked out the first time they are asked for and then kept for the
// process (the component's one object holds them): the documents folder, where plain notes are made,
// and its "CalyraAlarmNotes" subfolder, made then, where alarm notes are made. Both end in a backslash.
class AlarmNoteFolders {
 public:
  const std::u16string& Documents();
  const std::u16string& AlarmNotes();

 private:
  std::once_flag documentsFound_;
  std::once_flag alarmNotesMade_;
  std::u16string documents_;
  std::u16string alarmNotes_;
};

}  // namespace calyra
