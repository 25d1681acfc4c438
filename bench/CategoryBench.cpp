// The category dialog opened over 1,000 categories, and the editors' categories page loaded with
// 1,000 categories, each beside raw SQLite reading the same category records in name order.
#include <sqlite3.h>

#include <memory>
#include <string>

#include "CalyraEditorResources.h"
#include "bench/BenchSupport.h"
#include "bench/PimStores.h"
#include "categories/CategoryChangeFlags.h"
#include "categories/CategoryDialog.h"
#include "editors/CategoriesPage.h"
#include "editors/EditorContext.h"
#include "editors/EditorHost.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "store/CPIMAppointment.h"
#include "store/CategoryDatabase.h"
#include "store/StoreTransaction.h"

namespace {

using namespace calyra;

constexpr int kCategories = 1000;

// 1,000 categories for the length of one benchmark: the other benchmarks of the run count categories
// on every save, so they find the store as they left it.
class ThousandCategories {
 public:
  ThousandCategories() {
    bench::PimStores::Get();
    std::vector<CategoryRecord> existing = ReadCategoryRecords();
    StoreTransaction step(StoreTransaction::Kind::Write);
    for (int i = static_cast<int>(existing.size()); i < kCategories; ++i) {
      std::u16string name = u"Bench " + std::u16string(1, char16_t(u'A' + i % 26)) +
                            std::u16string(1, char16_t(u'a' + i / 26 % 26)) +
                            std::u16string(1, char16_t(u'0' + i % 10));
      CategoryRecord made = AddCategoryRecord(name, i);
      if (made.oid) added_.push_back(made.oid);
    }
    step.Commit();
  }
  ~ThousandCategories() {
    StoreTransaction step(StoreTransaction::Kind::Write);
    DeleteCategoryRecords(added_);
    step.Commit();
  }

 private:
  std::vector<CEOID> added_;
};

HINSTANCE Resources() {
  static HINSTANCE resources =
      RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  return resources;
}

HWND BenchWindow() {
  static HWND window =
      CreateWindowExW(0, u"STATIC", u"", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  return window;
}

// What the categories page asks of its editor: the resources and a window to live in.
class BenchEditorHost : public EditorHost {
 public:
  HINSTANCE Resources() const override { return ::Resources(); }
  HWND MainWindow() const override { return BenchWindow(); }
  HWND HostWindow() const override { return BenchWindow(); }
  std::optional<EditorKind> OpenEditorKind() const override { return EditorKind::EditAppointment; }
  void SetCloseAction(CloseAction) override {}
  void SetFocusedPage(HWND) override {}
  int ScaledX(int size) const override { return size; }
  HFONT PageFont() const override { return nullptr; }
  ItemContext ItemContextFor(HWND owner) const override { return {owner, ::Resources(), {}}; }
  bool DeleteItem(ItemKind, ItemOid, const SYSTEMTIME*) override { return false; }
  ItemOid AddToProject(ItemOid, ItemKind, ItemOid, const SYSTEMTIME*) override { return 0; }
};

void Ours_CategoryDialogOpen(benchmark::State& state) {
  ThousandCategories categories;
  CategoryChangeFlags flags;
  for (auto _ : state) {
    // Nobody works the dialog: it is made, filled, and cancelled as soon as it waits.
    CategoryDialog dialog(false, flags);
    benchmark::DoNotOptimize(dialog.Show(BenchWindow(), Resources()));
  }
}

void Ours_CategoriesPageLoad(benchmark::State& state) {
  ThousandCategories categories;
  BenchEditorHost host;
  CPIMAppointment appointment;
  appointment.categories = CategorySet::FromNumbers({1, 10, 100, 999});
  EditorContext context;
  context.owner = BenchWindow();
  context.kind = ItemKind::Appointment;
  context.item = &appointment;
  context.host = &host;
  CategoriesPage page;
  page.Attach(&context, 0, true);
  if (!page.Create()) state.SkipWithError("the page was not made");
  for (auto _ : state) {
    page.Load();
    state.PauseTiming();
    if (page.CheckedIndexes().size() != 4) state.SkipWithError("the checks are not the item's");
    page.Reset(CloseAction::Cancel);
    state.ResumeTiming();
  }
}

// The raw work of both: every category record's name, index and listing flag in name order.
void RawCategoryRead(benchmark::State& state) {
  ThousandCategories categories;
  sqlite3* device = nullptr;
  sqlite3_open_v2((bench::ScratchFolder() / "device" / "device.sqlite").c_str(), &device,
                  SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* read = nullptr;
  sqlite3_prepare_v2(
      device,
      "SELECT p.propid, p.value FROM sortkeys s JOIN props p ON p.record = s.record "
      "WHERE s.db = (SELECT oid FROM databases WHERE name = '\\Categories Database') AND s.slot = 0 "
      "AND p.propid IN (?1, ?2, ?3) ORDER BY s.rank, s.key, s.record",
      -1, &read, nullptr);
  sqlite3_bind_int64(read, 1, kCategoryNameTag);
  sqlite3_bind_int64(read, 2, kCategoryIndexTag);
  sqlite3_bind_int64(read, 3, kCategoryListedTag);
  int64_t rows = 0;
  for (auto _ : state) {
    while (sqlite3_step(read) == SQLITE_ROW) {
      benchmark::DoNotOptimize(sqlite3_column_value(read, 1));
      ++rows;
    }
    sqlite3_reset(read);
  }
  if (rows == 0) state.SkipWithError("no category rows");
  sqlite3_finalize(read);
  sqlite3_close(device);
}

void Raw_CategoryDialogOpen(benchmark::State& state) {
  RawCategoryRead(state);
}

void Raw_CategoriesPageLoad(benchmark::State& state) {
  RawCategoryRead(state);
}

}  // namespace

BENCHMARK(Ours_CategoryDialogOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw_CategoryDialogOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_CategoriesPageLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw_CategoriesPageLoad)->Unit(benchmark::kMillisecond);
