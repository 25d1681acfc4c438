// Filling a report-mode list view with 10,000 rows of 3 columns (LVM_INSERTITEMW, then LVM_SETITEMTEXTW
// for the two subitems), with the time per row. Beside it, the raw floor of the same work: pushing
// the same texts into a std::vector of rows of std::u16string.
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"

namespace {

using namespace calyra;

constexpr int kColumns = 3;
constexpr const char16_t* kParentClass = u"ListViewBenchParent";

// The texts of every row, made before the timing starts.
std::vector<std::u16string> RowTexts(int64_t rows) {
  std::vector<std::u16string> texts;
  texts.reserve(static_cast<size_t>(rows * kColumns));
  for (int64_t row = 0; row < rows; ++row) {
    std::u16string number = platform::FromUtf8(std::to_string(row));
    texts.push_back(u"Contact " + number);
    texts.push_back(u"+1 425 555 " + number);
    texts.push_back(u"contact" + number + u"@example.com");
  }
  return texts;
}

HWND ParentWindow() {
  static HWND parent = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = kParentClass;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, kParentClass, u"Bench", WS_OVERLAPPED, 0, 0, 240, 320, nullptr, nullptr,
                           nullptr, nullptr);
  }();
  return parent;
}

void PerRow(benchmark::State& state, int64_t rows) {
  state.counters["per_row"] = benchmark::Counter(
      static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Ours_ListViewFill(benchmark::State& state) {
  bench::AttachBenchDevice();
  int64_t rows = state.range(0);
  std::vector<std::u16string> texts = RowTexts(rows);
  HWND parent = ParentWindow();
  for (auto _ : state) {
    state.PauseTiming();
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_CHILD | LVS_REPORT, 0, 0, 240, 300, parent,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(1)), nullptr, nullptr);
    for (int column = 0; column < kColumns; ++column) {
      LVCOLUMNW info{};
      info.mask = LVCF_TEXT | LVCF_WIDTH;
      info.cx = 80;
      info.pszText = const_cast<LPWSTR>(u"Column");
      ListView_InsertColumn(list, column, &info);
    }
    state.ResumeTiming();
    for (int64_t row = 0; row < rows; ++row) {
      const std::u16string* cells = &texts[static_cast<size_t>(row * kColumns)];
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = static_cast<int>(row);
      item.pszText = const_cast<LPWSTR>(cells[0].c_str());
      item.lParam = static_cast<LPARAM>(row);
      int index = ListView_InsertItem(list, &item);
      ListView_SetItemText(list, index, 1, cells[1].c_str());
      ListView_SetItemText(list, index, 2, cells[2].c_str());
    }
    state.PauseTiming();
    benchmark::DoNotOptimize(ListView_GetItemCount(list));
    DestroyWindow(list);
    state.ResumeTiming();
  }
  PerRow(state, rows);
}

struct RawRow {
  std::u16string cells[kColumns];
  LPARAM param = 0;
};

void Raw_ListViewFill(benchmark::State& state) {
  int64_t rows = state.range(0);
  std::vector<std::u16string> texts = RowTexts(rows);
  for (auto _ : state) {
    std::vector<RawRow> table;
    for (int64_t row = 0; row < rows; ++row) {
      const std::u16string* cells = &texts[static_cast<size_t>(row * kColumns)];
      RawRow entry;
      entry.cells[0] = cells[0].c_str();
      entry.param = static_cast<LPARAM>(row);
      table.push_back(std::move(entry));
      table.back().cells[1] = cells[1].c_str();
      table.back().cells[2] = cells[2].c_str();
    }
    benchmark::DoNotOptimize(table.data());
    state.PauseTiming();
    table = {};
    state.ResumeTiming();
  }
  PerRow(state, rows);
}

}  // namespace

BENCHMARK(Ours_ListViewFill)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw_ListViewFill)->Arg(10000)->Unit(benchmark::kMillisecond);
