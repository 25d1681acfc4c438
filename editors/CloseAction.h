#pragma once

#include <optional>

#include "platform/ui/WindowTypes.h"

namespace calyra {

// How an open editor is closed: set by the page command that asks to close, read when it closes.
enum class CloseAction : int {
  None = 0,
  Cancel = 1,
  ReturnToHost = 2,  // without saving; the host's own pending message follows instead of 6383
  Delete = 10,
  Convert = 11,
  SendByInfrared = 12,
  Copy = 13,
  ShowInOutlook = 14,
  Ok = 15,
  Other = 16,  // saves; nothing follows beyond the common close
};

// What can be done to a stored item from an editor or the summary window. The numbers are the
// summary command message's wParam.
enum class ItemCommand : int {
  Delete = 10,
  Convert = 11,
  SendByInfrared = 12,
  Copy = 13,
  ShowInOutlook = 14,
};

// Whether the pages store and the item is committed before the editor closes.
bool SavesItem(CloseAction action);
// The item command that follows the close (Delete without a save, the others after it); none for
// OK, Cancel, the return to the host and the plain save.
std::optional<ItemCommand> ItemCommandOf(CloseAction action);
// Convert and copy need the whole item, so an item that is not loaded is loaded first.
bool NeedsLoadedItem(ItemCommand command);

// The summary command message's wParam and back; an unknown number is no command.
std::optional<ItemCommand> ItemCommandFromMessage(WPARAM wParam);
WPARAM ToMessage(ItemCommand command);

}  // namespace calyra
