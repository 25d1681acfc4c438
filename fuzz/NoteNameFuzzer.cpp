// Reads note file names of any shape, and takes files of such names as notes: reading must hold to its
// bounds, a name it builds must read back the same, and recognising a file must leave the note naming
// a file that is there, with any registered notification pointing at it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzDevice.h"
#include "notes/AlarmNoteActions.h"
#include "notes/AlarmNotification.h"
#include "notes/NoteName.h"
#include "platform/files/FileSystem.h"
#include "platform/notify/Notifications.h"

namespace {

using namespace calyra;

// Other bytes become what note names are made of, so that most inputs come near the forms.
constexpr char16_t kAlphabet[] = u"0123456789]].aAfFxX (1)pwi";
constexpr std::u16string_view kNotInNames = u"\\/:*?\"<>|";

// A printable character that a file name may hold is taken as it is.
char16_t NameCharacter(uint8_t byte) {
  if (byte >= 0x20 && byte < 0x7F && kNotInNames.find(byte) == std::u16string_view::npos) return byte;
  return kAlphabet[byte % (std::size(kAlphabet) - 1)];
}
constexpr const char16_t* kFolder = u"\\My Documents\\CalyraAlarmNotes\\";

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckRead(std::u16string_view name) {
  auto read = ParseNoteName(name);
  IsAlarmNoteName(name);
  Check(PlainNoteTitle(name).size() <= name.size());
  if (!read) return;
  Check(read->title.size() <= kNoteTitleChars);
  Check(read->title.find(u'.') == std::u16string::npos);
  if (!read->hasTime) return;
  Check(IsValidNoteTime(read->time) && read->time.wMonth >= 1 && read->time.wMonth <= 12);
  // A title without "]" goes through a name and back unchanged.
  if (read->title.find(u']') != std::u16string::npos) return;
  auto again = ParseNoteName(BuildNoteName(u"", read->title, read->time, read->handle));
  Check(again && again->title == read->title && again->handle == read->handle &&
        SameNoteMinute(again->time, read->time));
}

void CheckRecognition(const std::u16string& name) {
  std::u16string path = kFolder + name;
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  CloseHandle(file);
  AlarmNote note;
  RecogniseNote(note, path);
  Check(GetFileAttributesW(note.Path().c_str()) != INVALID_FILE_ATTRIBUTES);
  Check(note.title.size() <= kNoteTitleChars);
  for (const platform::PendingNotification& pending : platform::ReadPendingNotifications()) {
    Check(pending.arguments == u"OpenAlarmNote " + note.Path());
    CeClearUserNotification(pending.handle);
  }
  DeleteFileW(note.Path().c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AttachFuzzDevice()) return 0;
  static const bool folders = [] {
    AlarmNoteFolders made;
    CreateDirectoryW(u"\\My Documents", nullptr);
    return !made.AlarmNotes().empty();
  }();
  if (!folders || size == 0) return 0;
  // The first byte chooses: any UTF-16 text, read only (odd); or a name, also taken as a file (even).
  if (data[0] & 1) {
    std::u16string text((size - 1) / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<char16_t>(data[1 + 2 * i] | data[2 + 2 * i] << 8);
    CheckRead(text);
    return 0;
  }
  std::u16string name;
  for (size_t i = 1; i < size && name.size() < 200; ++i) name += NameCharacter(data[i]);
  CheckRead(name);
  CheckRecognition(name);
  return 0;
}
