#include "notes/AlarmNoteFolders.h"

#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

constexpr std::u16string_view kAlarmNotesFolder = u"CalyraAlarmNotes";

}  // namespace

const std::u16string& AlarmNoteFolders::Documents() {
  std::call_once(documentsFound_, [this] {
    WCHAR buffer[MAX_PATH] = {};
    // Made when missing: the notes are written into it.
    SHGetSpecialFolderPath(nullptr, buffer, CSIDL_PERSONAL, TRUE);
    documents_ = platform::TextView(buffer, MAX_PATH);
    if (documents_.empty() || documents_.back() != u'\\') documents_ += u'\\';
  });
  return documents_;
}

const std::u16string& AlarmNoteFolders::AlarmNotes() {
  std::call_once(alarmNotesMade_, [this] {
    std::u16string folder = Documents();
    folder += kAlarmNotesFolder;
    // A folder that is there already is as good as a new one.
    CreateDirectoryW(folder.c_str(), nullptr);
    alarmNotes_ = folder + u'\\';
  });
  return alarmNotes_;
}

}  // namespace calyra
