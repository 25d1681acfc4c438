// The recurrence page's Store of a weekly pattern ending after 999 occurrences, beside the engine's
// expansion to the 999th occurrence alone: what the page adds around the one calculation it cannot
// do without (reading its controls and writing the item).
#include "CalyraEditorResources.h"
#include "bench/BenchSupport.h"
#include "editors/EditorContext.h"
#include "editors/EditorHost.h"
#include "editors/RecurrencePage.h"
#include "platform/outlook/Recurrence.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"

namespace {

using namespace calyra;

constexpr SYSTEMTIME kMonday{2024, 3, 1, 18, 10, 0, 0, 0};
constexpr LONG kOccurrences = 999;
constexpr DATE kFarFuture = 2958465.0;
constexpr int kEndAfter = 2;  // the end list's entry "end after"

// Just enough of an editor frame for one page: its resources and its parent window.
class BenchHost : public EditorHost {
 public:
  BenchHost() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"RecurrenceBenchMain";
    RegisterClassW(&windowClass);
    main_ = CreateWindowExW(0, u"RecurrenceBenchMain", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr,
                            nullptr, nullptr, nullptr);
    resources_ = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  }
  HINSTANCE Resources() const override { return resources_; }
  HWND MainWindow() const override { return main_; }
  HWND HostWindow() const override { return main_; }
  std::optional<EditorKind> OpenEditorKind() const override { return EditorKind::EditAppointment; }
  void SetCloseAction(CloseAction) override {}
  void SetFocusedPage(HWND) override {}
  int ScaledX(int size) const override { return size; }
  HFONT PageFont() const override { return nullptr; }
  ItemContext ItemContextFor(HWND owner) const override { return ItemContext{owner, resources_, {}}; }
  bool DeleteItem(ItemKind, ItemOid, const SYSTEMTIME*) override { return false; }
  ItemOid AddToProject(ItemOid, ItemKind, ItemOid, const SYSTEMTIME*) override { return 0; }

 private:
  HWND main_ = nullptr;
  HINSTANCE resources_ = nullptr;
};

// The page loaded for an appointment on a Monday, with "every Monday", "end after 999" chosen.
struct LoadedPage {
  LoadedPage() {
    appointment.start = appointment.end = kMonday;
    appointment.end.wHour = 11;
    context.kind = ItemKind::Appointment;
    context.item = &appointment;
    context.host = &host;
    page.Attach(&context, 0, true);
    page.Create();
    page.Activate(0);
    platform::PumpMessages();
    HWND dialog = page.GetWindow();
    platform::UserChoose(GetDlgItem(dialog, resources::kRecurrenceQuick),
                         static_cast<int>(ReadyMade::Weekly));
    platform::UserChoose(GetDlgItem(dialog, resources::kRecurrenceEnd), kEndAfter);
    platform::UserType(GetDlgItem(dialog, resources::kRecurrenceOccurrences), u"999");
  }
  // The device comes first: the windows and the appointment's defaults need it.
  struct Device {
    Device() { bench::AttachBenchDevice(); }
  } device;
  BenchHost host;
  CPIMAppointment appointment;
  EditorContext context;
  RecurrencePage page;
};

void Ours_RecurrenceStoreEndAfter999(benchmark::State& state) {
  static LoadedPage loaded;
  for (auto _ : state) {
    bool stored = loaded.page.Store(CloseAction::Ok);
    benchmark::DoNotOptimize(stored);
  }
  if (loaded.appointment.recurrence.occurrences != kOccurrences) state.SkipWithError("not stored");
}

void Raw_RecurrenceStoreEndAfter999(benchmark::State& state) {
  platform::RecurrenceData weekly;
  weekly.type = olRecursWeekly;
  weekly.interval = 1;
  weekly.dayOfWeekMask = 2;  // Monday
  SYSTEMTIME day = kMonday;
  day.wHour = 0;
  SystemTimeToVariantTime(&day, &weekly.patternStartDate);
  for (auto _ : state) {
    std::vector<DATE> occurrences =
        platform::ExpandOccurrences(weekly, weekly.patternStartDate, kFarFuture, kOccurrences);
    benchmark::DoNotOptimize(occurrences.back());
  }
}

}  // namespace

BENCHMARK(Ours_RecurrenceStoreEndAfter999);
BENCHMARK(Raw_RecurrenceStoreEndAfter999);
