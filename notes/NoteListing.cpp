#include "notes/NoteListing.h"

#include "notes/AlarmNoteActions.h"
#include "notes/NoteName.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"

namespace calyra {

std::vector<AlarmNote> ListNotesIn(std::u16string_view folder) {
  // The names are read before any note is touched: recognising one may rename it within the folder.
  std::vector<std::u16string> paths;
  std::u16string pattern(folder);
  pattern += u"*";
  pattern += kNoteExtension;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      paths.push_back(std::u16string(folder) + std::u16string(platform::TextView(found.cFileName, MAX_PATH)));
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  std::vector<AlarmNote> notes(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) RecogniseNote(notes[i], paths[i]);
  return notes;
}

std::vector<AlarmNote> ListNotes(AlarmNoteFolders& folders) {
  std::vector<AlarmNote> notes = ListNotesIn(folders.Documents());
  std::vector<AlarmNote> alarms = ListNotesIn(folders.AlarmNotes());
  notes.insert(notes.end(), std::make_move_iterator(alarms.begin()), std::make_move_iterator(alarms.end()));
  return notes;
}

}  // namespace calyra
