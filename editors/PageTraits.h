#pragma once

#include <span>

#include "editors/PageKind.h"
#include "store/ItemKind.h"

namespace calyra {

// What a page asks of the input panel when it takes the focus.
enum class SipPreference { Unchanged, Down, Up };

// Everything the framework knows about a page by its number. The page factory, the page container,
// activation, focus and the shared commands read this table; page classes only add behaviour.
// Adding a page is one row here, one class and one maker in the page factory.
struct PageTraits {
  PageNumber number;
  PageKind kind;
  int dialogTemplate;
  int menu;             // the menu bar while the page is enabled
  int disabledMenu;     // the reduced menu bar of a page shown but not editable
  bool remembersFocus;  // brings back the control that had the focus when the page was left
  SipPreference sip;
  // The main page of an editor of this item kind: it carries the item commands, and after a save
  // it adds the saved item to the editor's project. None for every other page.
  ItemKind mainPageOf;
};

// The row of a page number; numbers outside 1-13 have none.
const PageTraits* FindPageTraits(PageNumber number);
const PageTraits& TraitsOf(PageNumber number);
// Every row, in page-number order.
std::span<const PageTraits> AllPageTraits();

}  // namespace calyra
