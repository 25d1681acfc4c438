// Opening and closing an editor on a store of 10,000 tasks (and appointments and contacts), as a host
// sees it: from CalyraEditor_EditTask (EditAppointment, EditContact) to the first page shown, beside raw
// SQLite reading the task's rows; and from OK to the host's close notification, beside the save of the task
// alone.
#include <functional>
#include <random>

#include "CalyraEditor.h"
#include "CalyraEditorResources.h"
#include "bench/BenchSupport.h"
#include "bench/PimStores.h"
#include "editors/EditorPage.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"

namespace {

using namespace calyra;
using calyra::bench::PimStores;

constexpr UINT kEditorClosed = 6383;

constexpr CalyraResourceDialogItem kPageItems[] = {
    {u"EDIT", 100, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 4, 4, 150, 12},
    {u"EDIT", 101, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 4, 20, 150, 12},
};
constexpr CalyraResourceDialog kPageDialogs[] = {
    {resources::kDialogTaskPage, u"", WS_CHILD, 0, 0, 0, 160, 200, kPageItems, std::size(kPageItems)},
};
constexpr CalyraResourceTable kPageTable = {
    CALYRA_RESOURCES_VERSION, nullptr, 0, kPageDialogs, 1, nullptr, 0, nullptr, 0};

// A task page that shows the subject, as the real one does first; its template lies in the bench's
// own module.
class SubjectPage : public EditorPage {
 public:
  explicit SubjectPage(HINSTANCE module) : EditorPage(PageNumber::Task), module_(module) {}
  void Load() override { SetDlgItemTextW(GetWindow(), 100, context_->item->DisplayText().c_str()); }
  bool Store(CloseAction) override { return true; }
  void Reset(CloseAction) override { SetDlgItemTextW(GetWindow(), 100, u""); }

 protected:
  HINSTANCE TemplateModule() const override { return module_; }

 private:
  HINSTANCE module_;
};

bool closed = false;

LRESULT HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kEditorClosed) closed = true;
  return DefWindowProcW(window, message, wParam, lParam);
}

// The component started once on the bench device with its default resources and a host window.
void StartComponent() {
  static bool started = false;
  if (started) return;
  PimStores::Get();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HostProc;
  windowClass.lpszClassName = u"BenchHost";
  RegisterClassW(&windowClass);
  HWND host =
      CreateWindowExW(0, u"BenchHost", u"", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  HINSTANCE resources = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  RECT area{0, 0, 240, 320};
  CalyraEditor_Initialize(host, resources, &area, 1);
  HINSTANCE pages = RegisterResourceModule(platform::ResourceModuleFromTable(&kPageTable));
  Component::Process().mainWindow->Frame().Pages().SetMaker(
      PageNumber::Task, [pages] { return std::make_unique<SubjectPage>(pages); });
  started = true;
}

EditorFrame& Frame() {
  return Component::Process().mainWindow->Frame();
}

void OpenTask(ItemOid task) {
  CalyraEditor_EditTask(0, nullptr, task, 0, 0, 0);
  platform::PumpMessages();
}

void CloseWith(UINT command) {
  closed = false;
  SendMessageW(Component::Process().mainWindow->Window(), WM_COMMAND, command, 0);
  platform::PumpMessages();
}

// Opens editors on random items of `items` through `open`, timing each to its first page shown.
void OpenEachToFirstPage(benchmark::State& state, const std::vector<ItemOid>& items, unsigned seed,
                         const std::function<void(ItemOid)>& open) {
  StartComponent();
  std::mt19937 random(seed);
  std::uniform_int_distribution<size_t> pick(0, items.size() - 1);
  for (auto _ : state) {
    open(items[pick(random)]);
    platform::PumpMessages();
    benchmark::DoNotOptimize(Frame().FocusedPage());
    state.PauseTiming();
    if (!Frame().IsOpen()) state.SkipWithError("the editor did not open");
    CloseWith(IDCANCEL);
    state.ResumeTiming();
  }
}

void Ours_EditTaskToFirstPage(benchmark::State& state) {
  OpenEachToFirstPage(state, PimStores::Get().Tasks(), 7,
                      [](ItemOid task) { CalyraEditor_EditTask(0, nullptr, task, 0, 0, 0); });
}

// The real appointment page: subject, location history, times, reminder, busy status.
void Ours_EditAppointmentToFirstPage(benchmark::State& state) {
  OpenEachToFirstPage(state, PimStores::Get().Appointments(), 11, [](ItemOid appointment) {
    CalyraEditor_EditAppointment(0, nullptr, appointment, 0, 0, 0, 1);
  });
}

// The real contact page: every field, the file-as name recognised, the addresses' city lines.
void Ours_EditContactToFirstPage(benchmark::State& state) {
  OpenEachToFirstPage(state, PimStores::Get().Contacts(), 13,
                      [](ItemOid contact) { CalyraEditor_EditContact(0, contact, 0, 0, 0); });
}

void Ours_OkToEditorClosed(benchmark::State& state) {
  StartComponent();
  const auto& tasks = PimStores::Get().Tasks();
  std::mt19937 random(9);
  std::uniform_int_distribution<size_t> pick(0, tasks.size() - 1);
  for (auto _ : state) {
    state.PauseTiming();
    OpenTask(tasks[pick(random)]);
    state.ResumeTiming();
    CloseWith(IDOK);
    if (!closed) state.SkipWithError("the host was not told");
  }
}

// The raw work of an open: the rows of the task read by its key.
void Raw_EditTaskToFirstPage(benchmark::State& state) {
  bench::RawItemRead(state, PimStores::Get().Tasks());
}

void Raw_EditAppointmentToFirstPage(benchmark::State& state) {
  bench::RawItemRead(state, PimStores::Get().Appointments());
}

void Raw_EditContactToFirstPage(benchmark::State& state) {
  bench::RawItemRead(state, PimStores::Get().Contacts());
}

// What OK cannot do without: the save of the task alone, without the editor around it.
void Raw_OkToEditorClosed(benchmark::State& state) {
  const auto& tasks = PimStores::Get().Tasks();
  std::mt19937 random(9);
  std::uniform_int_distribution<size_t> pick(0, tasks.size() - 1);
  ItemContext context;
  for (auto _ : state) {
    state.PauseTiming();
    CPIMTask task;
    task.oid = tasks[pick(random)];
    task.Load(context);
    state.ResumeTiming();
    benchmark::DoNotOptimize(task.Save(context));
  }
}

}  // namespace

BENCHMARK(Ours_EditTaskToFirstPage);
BENCHMARK(Raw_EditTaskToFirstPage);
BENCHMARK(Ours_EditAppointmentToFirstPage);
BENCHMARK(Raw_EditAppointmentToFirstPage);
BENCHMARK(Ours_EditContactToFirstPage);
BENCHMARK(Raw_EditContactToFirstPage);
BENCHMARK(Ours_OkToEditorClosed);
BENCHMARK(Raw_OkToEditorClosed);
