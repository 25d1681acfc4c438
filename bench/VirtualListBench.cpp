// Attaching 150 fields to the virtual list and laying them out (rows built, the line height
// measured, every row measured in the hidden edit control, the second pass beside the scroll bar
// because 150 rows are taller than the window). Beside it, the raw cost of measuring the same 150
// texts directly with DrawTextW and its calculate-only flag at the same width, twice.
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "lists/ListConstants.h"
#include "lists/VirtualList.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/ui/Window.h"

namespace {

using namespace calyra;

constexpr int kFields = lists::kMaxRows;

// Values of one to four lines at the screen's width.
std::vector<lists::ListField> Fields() {
  std::vector<lists::ListField> fields;
  for (int i = 0; i < kFields; ++i) {
    lists::ListField field;
    field.flags = lists::kFieldNoLabel;
    field.value = u"Field " + platform::FromUtf8(std::to_string(i));
    for (int words = 0; words < (i % 4) * 8; ++words) field.value += u" wrapped";
    fields.push_back(std::move(field));
  }
  return fields;
}

HFONT Font(LONG weight) {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfWeight = weight;
  return CreateFontIndirectW(&font);
}

struct Fonts {
  HFONT normal = Font(FW_NORMAL);
  HFONT bold = Font(FW_BOLD);
};

Fonts& BenchFonts() {
  static Fonts fonts;
  return fonts;
}

std::unique_ptr<lists::FieldTable> Table(const std::vector<lists::ListField>& fields) {
  auto table = std::make_unique<lists::FieldTable>();
  for (const auto& field : fields) table->Add(field);
  return table;
}

lists::ListEnvironment Environment() {
  lists::ListEnvironment environment;
  environment.font = [](int, int style) {
    return style == lists::ListEnvironment::kBoldStyle ? BenchFonts().bold : BenchFonts().normal;
  };
  return environment;
}

void Ours_VirtualListLayout150(benchmark::State& state) {
  bench::AttachBenchDevice();
  std::vector<lists::ListField> fields = Fields();
  lists::ListCreation creation;
  creation.style = WS_POPUP;
  creation.width = GetSystemMetrics(SM_CXSCREEN);
  creation.height = 300;
  creation.provider = Table({});
  creation.environment = Environment();
  HWND list = lists::VirtualList::Create(std::move(creation));
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<lists::FieldTable> table = Table(fields);
    state.ResumeTiming();
    lists::VirtualList::Attach(list, std::move(table), lists::ListDisplay{});
    benchmark::DoNotOptimize(lists::VirtualList::ContentHeight(list));
  }
  state.counters["rows"] = lists::VirtualList::RowCount(list);
  DestroyWindow(list);
}

void Raw_VirtualListLayout150(benchmark::State& state) {
  bench::AttachBenchDevice();
  std::vector<lists::ListField> fields = Fields();
  int width = GetSystemMetrics(SM_CXSCREEN) - 4;
  for (auto _ : state) {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, BenchFonts().normal);
    int sum = 0;
    for (int pass = 0; pass < 2; ++pass) {
      int passWidth = width - pass * GetSystemMetrics(SM_CXVSCROLL);
      for (const auto& field : fields) {
        RECT rect{0, 0, passWidth, 0};
        sum += DrawTextW(dc, field.value.c_str(), static_cast<int>(field.value.size()), &rect,
                         DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
      }
    }
    DeleteDC(dc);
    benchmark::DoNotOptimize(sum);
  }
  state.counters["rows"] = kFields;
}

}  // namespace

BENCHMARK(Ours_VirtualListLayout150)->Unit(benchmark::kMicrosecond);
BENCHMARK(Raw_VirtualListLayout150)->Unit(benchmark::kMicrosecond);
