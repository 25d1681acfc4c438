#pragma once

#include <vector>

#include "editors/EditorPage.h"
#include "links/LinkOperations.h"
#include "platform/gdi/ImageList.h"

namespace calyra {

// The links page of the appointment, task and contact editors: the item's links, and what the person
// adds to them while the editor is open: contacts, tasks and appointments marked in three pick lists,
// files chosen with the file dialog and web addresses. Additions wait until the item is saved (a new
// item has no record to link yet); removing a listed link deletes it at once. The item a new item was
// made from is linked with it even when the page was never shown.
class LinksPage : public EditorPage {
 public:
  LinksPage() : EditorPage(PageNumber::Links) {}
  ~LinksPage() override;

  void Load() override;
  // Never refuses: collects the additions to write after the save.
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;
  // Writes what Store collected for the saved item; false when a write failed.
  bool WriteAfterSave(ItemOid saved) override;

  // What the last Store collected and the save has not written yet.
  const PendingLinks& Pending() const { return pending_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND Control(int id) const;
  ItemOid EditedItem() const;
  void SetUpControls();
  void Clear();
  void FillPickList(int listId, ItemKind kind, ItemOid except);
  void ShowPickList(int index);
  void TogglePick(HWND list, int row);
  void ShowHintsIfEmpty();
  void DropHints();
  void AddPicked(LinkType type, const std::u16string& text);
  void AddFile();
  void AddWebAddress();
  void RemoveSelected();
  std::vector<ItemOid> Checked(int listId) const;
  void CollectRows();

  HIMAGELIST images_ = nullptr;
  PendingLinks pending_;
  bool linkedWithSource_ = false;  // the item it was made from is linked already
};

}  // namespace calyra
