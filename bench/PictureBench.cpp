// Pictures: the whole screen drawn with the appointment page of the default resources shown (every
// control asked to erase and paint itself, text drawn glyph by glyph), beside a raw fill of a bitmap of
// the same size read back the same way.
#include <cstdlib>

#include "CalyraEditorResources.h"
#include "bench/BenchSupport.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/paint/Paint.h"
#include "resources/ResourceIds.h"

namespace {

INT_PTR Proc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

// The appointment page of the default resources, shown in a window below the task bar.
HWND ShownPage() {
  static HWND page = [] {
    calyra::bench::AttachBenchDevice();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"PictureBenchFrame";
    RegisterClassW(&windowClass);
    HWND frame = CreateWindowExW(0, u"PictureBenchFrame", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268,
                                 nullptr, nullptr, nullptr, nullptr);
    HINSTANCE resources = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
    HWND dialog = CreateDialogParamW(resources, MAKEINTRESOURCEW(calyra::resources::kDialogAppointmentPage),
                                     frame, Proc, 0);
    ShowWindow(dialog, SW_SHOW);
    if (const char* picture = std::getenv("CALYRA_BENCH_PICTURE"))
      platform::WritePngFile(platform::DrawScreen(), picture);
    return dialog;
  }();
  return page;
}

void Ours_DrawPage(benchmark::State& state) {
  ShownPage();
  for (auto _ : state) {
    platform::Pixels screen = platform::DrawScreen();
    benchmark::DoNotOptimize(screen.values.data());
  }
}

void Raw_DrawPage(benchmark::State& state) {
  calyra::bench::AttachBenchDevice();
  SIZE size = platform::ScreenSize();
  for (auto _ : state) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(dc, old);
    DeleteDC(dc);
    platform::Pixels pixels = platform::BitmapPixels(bitmap);
    DeleteObject(bitmap);
    benchmark::DoNotOptimize(pixels.values.data());
  }
}

BENCHMARK(Ours_DrawPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(Raw_DrawPage)->Unit(benchmark::kMicrosecond);

}  // namespace
