#include "editors/CloseAction.h"

namespace calyra {

namespace {

struct CloseRow {
  CloseAction action;
  bool savesItem;
  std::optional<ItemCommand> command;
};

constexpr CloseRow kCloseRows[] = {
    {CloseAction::None, false, std::nullopt},
    {CloseAction::Cancel, false, std::nullopt},
    {CloseAction::ReturnToHost, false, std::nullopt},
    {CloseAction::Delete, false, ItemCommand::Delete},
    {CloseAction::Convert, true, ItemCommand::Convert},
    {CloseAction::SendByInfrared, true, ItemCommand::SendByInfrared},
    {CloseAction::Copy, true, ItemCommand::Copy},
    {CloseAction::ShowInOutlook, true, ItemCommand::ShowInOutlook},
    {CloseAction::Ok, true, std::nullopt},
    {CloseAction::Other, true, std::nullopt},
};

constexpr ItemCommand kItemCommands[] = {ItemCommand::Delete, ItemCommand::Convert,
                                         ItemCommand::SendByInfrared, ItemCommand::Copy,
                                         ItemCommand::ShowInOutlook};

const CloseRow& RowOf(CloseAction action) {
  for (const CloseRow& row : kCloseRows) {
    if (row.action == action) return row;
  }
  return kCloseRows[0];
}

}  // namespace

bool SavesItem(CloseAction action) {
  return RowOf(action).savesItem;
}

std::optional<ItemCommand> ItemCommandOf(CloseAction action) {
  return RowOf(action).command;
}

bool NeedsLoadedItem(ItemCommand command) {
  return command == ItemCommand::Convert || command == ItemCommand::Copy;
}

std::optional<ItemCommand> ItemCommandFromMessage(WPARAM wParam) {
  for (ItemCommand command : kItemCommands) {
    if (ToMessage(command) == wParam) return command;
  }
  return std::nullopt;
}

WPARAM ToMessage(ItemCommand command) {
  return static_cast<WPARAM>(command);
}

}  // namespace calyra
