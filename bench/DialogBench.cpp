// The window system: making and destroying a dialog of 30 controls from its template, beside the raw
// cost of the same number of heap objects holding the same texts.
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "platform/core/System.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"

namespace {

constexpr int kControls = 30;
constexpr int kDialog = 100;

HINSTANCE BenchModule() {
  static HINSTANCE module = [] {
    calyra::bench::AttachBenchDevice();
    auto resources = std::make_shared<platform::ResourceModule>();
    platform::DialogTemplate dialog;
    dialog.caption = u"Thirty";
    dialog.rect = RECT{0, 0, 160, 200};
    const char16_t* classes[] = {WC_STATIC, WC_EDIT, WC_BUTTON, WC_COMBOBOX, WC_LISTBOX};
    for (int i = 0; i < kControls; ++i) {
      dialog.items.push_back({classes[i % 5], 1000 + i, u"Control text", WS_VISIBLE | WS_TABSTOP, 0,
                              RECT{4, 4 + i * 6, 80, 10}});
    }
    resources->AddDialog(kDialog, dialog);
    return platform::RegisterResourceModule(resources);
  }();
  return module;
}

INT_PTR Proc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

void Ours_Dialog30(benchmark::State& state) {
  HINSTANCE module = BenchModule();
  for (auto _ : state) {
    HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(kDialog), nullptr, Proc, 0);
    benchmark::DoNotOptimize(dialog);
    DestroyWindow(dialog);
  }
}

struct RawControl {
  std::u16string className;
  std::u16string text;
  int id;
};

void Raw_Dialog30(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::unique_ptr<RawControl>> controls;
    for (int i = 0; i < kControls; ++i)
      controls.push_back(std::make_unique<RawControl>(RawControl{u"EDIT", u"Control text", i}));
    benchmark::DoNotOptimize(controls.data());
  }
}

}  // namespace

BENCHMARK(Ours_Dialog30);
BENCHMARK(Raw_Dialog30);
