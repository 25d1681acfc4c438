// Opening the journal window over 10,000 entries and closing it with OK at once, through its export
// (the file loaded, sorted by time, every row put into the list), beside loading the same file alone.
#include <random>
#include <string>
#include <vector>

#include "CalyraEditor.h"
#include "CalyraEditorResources.h"
#include "bench/BenchSupport.h"
#include "host/Component.h"
#include "notes/JournalFile.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"

namespace {

using namespace calyra;

constexpr int kEntries = 10000;
constexpr const char16_t* kJournal = u"\\My Documents\\bench-journal.dat";

// The person presses OK in whatever dialog comes up.
class OkPresser : public platform::CancellingUserAgent {
 public:
  bool ActOnDialog(HWND dialog) override { return platform::UserClick(GetDlgItem(dialog, IDOK)); }
};

// A journal of 10,000 entries written at random times of a year, in the order they were written, and
// the component's options pointing at it. The component takes the default resources unless another
// bench started it first.
void MakeJournal() {
  static bool made = [] {
    bench::AttachBenchDevice();
    CreateDirectoryW(u"\\My Documents", nullptr);
    std::mt19937 random(17);
    std::uniform_int_distribution<int> day(1, 28), month(1, 12), minute(0, 24 * 60 - 1);
    JournalFile journal(kJournal);
    for (int i = 0; i < kEntries; ++i) {
      int at = minute(random);
      JournalEntry entry{SYSTEMTIME{2024, static_cast<WORD>(month(random)), 0, static_cast<WORD>(day(random)),
                                    static_cast<WORD>(at / 60), static_cast<WORD>(at % 60), 0, 0},
                         1, 0, static_cast<ItemOid>(0x10000 + i),
                         platform::FormatText(u"Deleted: Appointment %d (3/15/24)", {i})};
      journal.Append(entry);
    }
    Component& component = Component::Process();
    if (!component.Resources())
      component.SetResources(
          RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table())));
    CalyraJournalOptions options{};
    options.flags = 1;
    options.windowState[1] = 1;
    platform::BoundedCopy(options.location, std::size(options.location), kJournal);
    CalyraEditor_SetJournalOptions(&options);
    return true;
  }();
  benchmark::DoNotOptimize(made);
}

void Ours_OpenJournal10000(benchmark::State& state) {
  MakeJournal();
  OkPresser person;
  platform::SetUserAgent(&person);
  for (auto _ : state) benchmark::DoNotOptimize(CalyraEditor_OpenJournal(nullptr));
  platform::SetUserAgent(nullptr);
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(Ours_OpenJournal10000)->Unit(benchmark::kMillisecond);

void Raw_OpenJournal10000(benchmark::State& state) {
  MakeJournal();
  for (auto _ : state) {
    auto entries = JournalFile(kJournal).LoadAll();
    benchmark::DoNotOptimize(entries->data());
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(Raw_OpenJournal10000)->Unit(benchmark::kMillisecond);

}  // namespace
