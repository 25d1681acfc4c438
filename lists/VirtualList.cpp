#include "lists/VirtualList.h"

#include <string>

#include "lists/ListActivation.h"
#include "lists/ListLayout.h"
#include "lists/ListModel.h"
#include "lists/ListNavigation.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"

namespace calyra::lists {

namespace {

// What the frame hands its inner list on creation.
struct InnerCreation {
  ListEnvironment environment;
  std::unique_ptr<FieldProvider> provider;
  ListDisplay display;
};

ListModel* ModelOfInner(HWND inner) {
  return reinterpret_cast<ListModel*>(GetWindowLongPtrW(inner, GWLP_USERDATA));
}

void FitInner(HWND frame) {
  HWND inner = VirtualList::Inner(frame);
  RECT client{};
  GetClientRect(frame, &client);
  if (inner) MoveWindow(inner, 0, 0, client.right, client.bottom, TRUE);
}

// A row's text on the dump's one line: its line breaks shown as " / ".
std::u16string OneLine(const std::u16string& text) {
  std::u16string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    line += text[i] == u'\n' || text[i] == u'\r' ? std::u16string(u" / ") : std::u16string(1, text[i]);
  }
  return line;
}

// The dump lists the rows, one text each, the current one marked.
void Describe(const ListModel& model, std::u16string* text) {
  if (!text) return;
  *text += u" rows=" + platform::FromUtf8(std::to_string(model.RowCount()));
  for (int row = 0; row < model.RowCount(); ++row) {
    const ListField* field = model.FieldOf(row);
    std::u16string shown = model.RowText(row);
    if (field && (model.Row(row).flags & kRowBesideLabel)) shown = field->label + kLabelSeparator + shown;
    *text += (row == model.current ? u" [*" : u" [") + OneLine(shown) + u"]";
  }
}

LRESULT OnInnerCreate(HWND window, const CREATESTRUCTW& create) {
  auto* creation = static_cast<InnerCreation*>(create.lpCreateParams);
  if (!creation) return -1;
  auto* model = new ListModel(creation->environment);
  model->inner = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(model));
  Attach(*model, std::move(creation->provider), creation->display);
  return 0;
}

LRESULT InnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnInnerCreate(window, *reinterpret_cast<CREATESTRUCTW*>(lParam));
  ListModel* model = ModelOfInner(window);
  if (!model) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete model;
      return 0;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      UpdateScrollRange(*model);
      return 0;
    case WM_VSCROLL:
      Scroll(*model, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_PAINT: {
      HDC dc = GetDC(window);
      Paint(*model, dc);
      ReleaseDC(window, dc);
      return 0;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(model->normalFont);
    case WM_GETDLGCODE:
      return kDialogCode;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return 0;  // the keys are the owner's to turn into selection moves; a tap does nothing
    case WM_EMU_DESCRIBE:
      Describe(*model, reinterpret_cast<std::u16string*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT OnFrameCreate(HWND window, const CREATESTRUCTW& create) {
  // A frame a dialog template made has no creation record: its list starts empty.
  InnerCreation empty;
  auto* creation = create.lpCreateParams ? static_cast<InnerCreation*>(create.lpCreateParams) : &empty;
  if (!create.lpCreateParams) creation->environment.module = create.hInstance;
  RECT client{};
  GetClientRect(window, &client);
  HWND inner = CreateWindowExW(0, kInnerClass, u"", kInnerStyle, 0, 0, client.right, client.bottom, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInnerId)),
                               creation->environment.module, creation);
  return inner ? 0 : -1;
}

LRESULT FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnFrameCreate(window, *reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      FitInner(window);
      return 0;
    case WM_GETFONT:
    case WM_GETDLGCODE:
      return VirtualList::Inner(window) ? SendMessageW(VirtualList::Inner(window), message, wParam, lParam)
                                        : 0;
    case WM_SETFONT:
      return 0;  // the list takes its fonts from its display
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool Register(const char16_t* name, WNDPROC proc, HINSTANCE module) {
  WNDCLASSW existing{};
  if (GetClassInfoW(module, name, &existing)) return true;
  WNDCLASSW windowClass{};
  windowClass.style = kClassStyle;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = module;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = name;
  return RegisterClassW(&windowClass) != 0;
}

}  // namespace

bool VirtualList::RegisterClasses(const ListEnvironment& environment) {
  return Register(kFrameClass, FrameProc, environment.module) &&
         Register(kInnerClass, InnerProc, environment.module);
}

HWND VirtualList::Create(ListCreation creation) {
  if (!RegisterClasses(creation.environment)) return nullptr;
  InnerCreation inner{creation.environment, std::move(creation.provider), creation.display};
  return CreateWindowExW(0, kFrameClass, creation.name.c_str(), creation.style, creation.x, creation.y,
                         creation.width, creation.height, creation.parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.id)),
                         creation.environment.module, &inner);
}

bool VirtualList::Attach(HWND list, std::unique_ptr<FieldProvider> provider, const ListDisplay& display,
                         const ListEnvironment* environment) {
  ListModel* model = Model(list);
  if (!model) return false;
  if (environment) model->SetEnvironment(*environment);
  lists::Attach(*model, std::move(provider), display);
  InvalidateRect(model->inner, nullptr, TRUE);
  return true;
}

bool VirtualList::SetDisplay(HWND list, const ListDisplay& display) {
  ListModel* model = Model(list);
  if (!model) return false;
  model->ApplyDisplay(display);
  int current = model->current;
  BuildRows(*model);  // a label beside its value is measured again in the new bold font
  model->current = current < model->RowCount() ? current : 0;
  Layout(*model);
  InvalidateRect(model->inner, nullptr, TRUE);
  return true;
}

HWND VirtualList::Inner(HWND list) {
  if (!list || !IsWindow(list)) return nullptr;
  if (platform::ui::IsClass(list, kInnerClass)) return list;
  if (!platform::ui::IsClass(list, kFrameClass)) return nullptr;
  return GetDlgItem(list, kInnerId);
}

ListModel* VirtualList::Model(HWND list) {
  HWND inner = Inner(list);
  return inner ? ModelOfInner(inner) : nullptr;
}

int VirtualList::ContentHeight(HWND list) {
  ListModel* model = Model(list);
  return model ? model->contentHeight : 0;
}

int VirtualList::RowCount(HWND list) {
  ListModel* model = Model(list);
  return model ? model->RowCount() : 0;
}

int VirtualList::CurrentRow(HWND list) {
  ListModel* model = Model(list);
  return model ? model->current : -1;
}

std::u16string VirtualList::RowText(HWND list, int row) {
  ListModel* model = Model(list);
  return model && row >= 0 && row < model->RowCount() ? model->RowText(row) : std::u16string();
}

void VirtualList::SelectNext(HWND list) {
  if (ListModel* model = Model(list)) lists::SelectNext(*model);
}

void VirtualList::SelectPrevious(HWND list) {
  if (ListModel* model = Model(list)) lists::SelectPrevious(*model);
}

void VirtualList::SelectFirst(HWND list) {
  if (ListModel* model = Model(list)) lists::SelectFirst(*model);
}

bool VirtualList::ActivateCurrent(HWND list) {
  ListModel* model = Model(list);
  return model && lists::ActivateCurrent(*model);
}

std::vector<DrawnText> VirtualList::Paint(HWND list, HDC dc) {
  ListModel* model = Model(list);
  return model ? lists::Paint(*model, dc) : std::vector<DrawnText>();
}

}  // namespace calyra::lists
