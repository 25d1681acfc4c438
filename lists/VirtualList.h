#pragma once

#include <memory>
#include <string>
#include <vector>

#include "lists/FieldProvider.h"
#include "lists/ListEnvironment.h"
#include "lists/ListPainter.h"
#include "platform/ui/WindowTypes.h"

namespace calyra::lists {

class ListModel;

// How a list frame is made: its name, style, place and parent (and control id), the provider with
// its display, and what it takes from the component.
struct ListCreation {
  std::u16string name;
  DWORD style = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;
  int id = 0;
  std::unique_ptr<FieldProvider> provider;
  ListDisplay display;
  ListEnvironment environment;
};

// The read-only virtual list: a frame ("VL_LISTUI_CE_1.5") that keeps an inner list
// ("VL_VIRTUAL_LIST_CE_1.5") over its client area. The functions below take the frame or the inner
// window.
class VirtualList {
 public:
  // Registers both classes for the environment's module (once; later calls keep the first).
  static bool RegisterClasses(const ListEnvironment& environment);
  // Creates the frame, its inner list and the rows of the provider; null on failure.
  static HWND Create(ListCreation creation);
  // Shows another provider or display in an existing frame; a frame a dialog template made also
  // takes its environment here.
  static bool Attach(HWND list, std::unique_ptr<FieldProvider> provider, const ListDisplay& display,
                     const ListEnvironment* environment = nullptr);
  // Takes new fonts and colours; keeps the provider and lays the rows out again.
  static bool SetDisplay(HWND list, const ListDisplay& display);

  // The total height of the rows, so that the owner can size the frame.
  static int ContentHeight(HWND list);
  static int RowCount(HWND list);
  static int CurrentRow(HWND list);
  static std::u16string RowText(HWND list, int row);
  static void SelectNext(HWND list);
  static void SelectPrevious(HWND list);
  static void SelectFirst(HWND list);
  // Starts the mail program or browser for the current row; true when one was started.
  static bool ActivateCurrent(HWND list);
  // Paints the inner list into `dc` and says what it drew.
  static std::vector<DrawnText> Paint(HWND list, HDC dc);

  static HWND Inner(HWND list);
  static ListModel* Model(HWND list);
};

}  // namespace calyra::lists
