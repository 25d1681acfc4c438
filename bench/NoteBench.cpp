// Listing a folder of 1,000 alarm notes with their state (each name recognised and read) beside a raw
// listing of the same folder's note files.
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "notes/AlarmNoteFolders.h"
#include "notes/NoteListing.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Formatter.h"

namespace {

using namespace calyra;

constexpr int kNotes = 1000;

// The alarm notes folder of the bench device with 1,000 registered notes whose alarms are far ahead,
// so that listing them changes nothing.
const std::u16string& NoteFolder() {
  static const std::u16string folder = [] {
    bench::AttachBenchDevice();
    CreateDirectoryW(u"\\My Documents", nullptr);
    AlarmNoteFolders folders;
    std::u16string made = folders.AlarmNotes();
    for (int i = 0; i < kNotes; ++i) {
      std::u16string name = platform::FormatText(u"%s2990%02d%02d0930]%08X]Note %d.pwi",
                                                 {made, 1 + i % 12, 1 + i % 28, 0x10000 + i, i});
      HANDLE file =
          CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      CloseHandle(file);
    }
    return made;
  }();
  return folder;
}

void Ours_ListAlarmNotes(benchmark::State& state) {
  const std::u16string& folder = NoteFolder();
  for (auto _ : state) {
    std::vector<AlarmNote> notes = ListNotesIn(folder);
    benchmark::DoNotOptimize(notes.data());
  }
  state.SetItemsProcessed(state.iterations() * kNotes);
}
BENCHMARK(Ours_ListAlarmNotes)->Unit(benchmark::kMillisecond);

// The same folder's note files by name alone.
void Raw_ListAlarmNotes(benchmark::State& state) {
  std::u16string pattern = NoteFolder() + u"*.pwi";
  for (auto _ : state) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        names.emplace_back(found.cFileName);
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    benchmark::DoNotOptimize(names.data());
  }
  state.SetItemsProcessed(state.iterations() * kNotes);
}
BENCHMARK(Raw_ListAlarmNotes)->Unit(benchmark::kMillisecond);

}  // namespace
