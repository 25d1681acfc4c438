#include "tests/lists/ListTestSupport.h"

#include "lists/FieldProvider.h"

namespace calyra::testing {

using namespace lists;

void ListTest::SetUp() {
  DeviceTest::SetUp();
  LOGFONTW font{};
  font.lfHeight = -13;
  font.lfWeight = FW_NORMAL;
  normal_ = CreateFontIndirectW(&font);
  font.lfWeight = FW_BOLD;
  bold_ = CreateFontIndirectW(&font);
}

void ListTest::TearDown() {
  if (list_ && IsWindow(list_)) DestroyWindow(list_);
  DeleteObject(normal_);
  DeleteObject(bold_);
  DeviceTest::TearDown();
}

ListEnvironment ListTest::Environment() {
  ListEnvironment environment;
  environment.font = [this](int size, int style) {
    sizesAsked_.push_back(size);
    return style == ListEnvironment::kBoldStyle ? bold_ : normal_;
  };
  HDC screen = GetDC(nullptr);
  environment.dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  environment.dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return environment;
}

HWND ListTest::MakeList(std::vector<ListField> fields, int height, ListDisplay display) {
  auto table = std::make_unique<FieldTable>();
  for (auto& field : fields) table->Add(std::move(field));
  ListCreation creation;
  creation.name = u"list";
  creation.style = WS_POPUP | WS_VISIBLE;
  creation.width = GetSystemMetrics(SM_CXSCREEN);
  creation.height = height;
  creation.provider = std::move(table);
  creation.display = display;
  creation.environment = Environment();
  list_ = VirtualList::Create(std::move(creation));
  return list_;
}

int ListTest::WrappedHeight(const std::u16string& text, int width, HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT rect{0, 0, width, 0};
  int height = DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK);
  DeleteDC(dc);
  return height / metrics.tmHeight * Model().lineHeight;
}

ListField ListTest::Value(std::u16string label, std::u16string value, DWORD rowFlags, DWORD flags) {
  ListField field;
  field.label = std::move(label);
  field.value = std::move(value);
  field.rowFlags = rowFlags;
  field.flags = flags;
  return field;
}

ListField ListTest::Heading(std::u16string text) {
  ListField field;
  field.label = std::move(text);
  field.flags = kFieldHeading;
  return field;
}

}  // namespace calyra::testing
