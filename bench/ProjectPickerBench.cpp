// The project picker over 500 projects (50 top-level projects of 9 sub-projects each): the tree loaded
// from the store, every label made and every row put into the tree, the picker closed at once, beside
// a raw walk over the same 500 project records.
#include <string>

#include "CalyraEditor.h"
#include "CalyraEditorResources.h"
#include "bench/BenchSupport.h"
#include "host/Component.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "projects/Project.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectStore.h"

namespace {

using namespace calyra;

constexpr int kTopLevel = 50;
constexpr int kSubProjects = 9;
constexpr int kProjects = kTopLevel * (kSubProjects + 1);

// The person cancels whatever dialog comes up.
class CancelPresser : public platform::CancellingUserAgent {
 public:
  bool ActOnDialog(HWND dialog) override { return platform::UserClick(GetDlgItem(dialog, IDCANCEL)); }
};

void MakeProjects() {
  static bool made = [] {
    bench::AttachBenchDevice();
    for (int top = 0; top < kTopLevel; ++top) {
      platform::AdvanceSystemClock(1);  // a project's identifier is made from the clock's second
      std::unique_ptr<ProjectEntry> project = CreateProjectEntry(ProjectEntryType::Project, 0);
      project->name = platform::FormatText(u"Project %d", {top});
      ItemOid record = project->Save();
      for (int sub = 0; sub < kSubProjects; ++sub) {
        platform::AdvanceSystemClock(1);
        std::unique_ptr<ProjectEntry> child = CreateProjectEntry(ProjectEntryType::Project, record);
        child->name = platform::FormatText(u"Part %d of project %d", {sub, top});
        child->Save();
      }
    }
    Component& component = Component::Process();
    if (!component.Resources())
      component.SetResources(
          RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table())));
    return true;
  }();
  benchmark::DoNotOptimize(made);
}

void Ours_ProjectPicker500(benchmark::State& state) {
  MakeProjects();
  CancelPresser person;
  platform::SetUserAgent(&person);
  for (auto _ : state)
    benchmark::DoNotOptimize(CalyraEditor_AddItemToProject(nullptr, 0, u"", 1, nullptr, nullptr));
  platform::SetUserAgent(nullptr);
  state.SetItemsProcessed(state.iterations() * kProjects);
}
BENCHMARK(Ours_ProjectPicker500)->Unit(benchmark::kMillisecond);

// Every project record read by the entry-type sort order.
void Raw_ProjectPicker500(benchmark::State& state) {
  MakeProjects();
  for (auto _ : state) {
    ProjectDatabase database;
    database.Open(kEntryTypeTag);
    PropertyValue type = PropertyValue::Integer(kEntryTypeTag, static_cast<DWORD>(ProjectEntryType::Project));
    int read = 0;
    for (bool found = database.SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, type); found;
         found = database.SeekValue(CEDB_SEEK_VALUENEXTEQUAL, type)) {
      Record values;
      if (database.ReadRecord(values)) ++read;
    }
    benchmark::DoNotOptimize(read);
  }
  state.SetItemsProcessed(state.iterations() * kProjects);
}
BENCHMARK(Raw_ProjectPicker500)->Unit(benchmark::kMillisecond);

}  // namespace
