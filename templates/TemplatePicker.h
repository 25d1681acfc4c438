#pragma once

#include <optional>

#include "editors/ModalDialog.h"
#include "platform/gdi/ImageList.h"
#include "store/ItemKind.h"

namespace calyra {

// The template picker (595) for a new item: the templates of one kind in one sorted column with
// their item images, the first selected, a button for a blank item, OK and Cancel. OK or activating
// a row chooses that row's template; the blank-item button chooses none.
class TemplatePicker : public ModalDialog {
 public:
  explicit TemplatePicker(ItemKind kind) : kind_(kind) {}
  ~TemplatePicker() override;

  // The chosen template, 0 for a blank item; nothing when the person cancelled.
  std::optional<ItemOid> Show(HWND owner, HINSTANCE resources);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Init();
  void ChooseRow(int row);
  void ChooseSelected();

  ItemKind kind_;
  ItemOid chosen_ = 0;
  HIMAGELIST images_ = nullptr;
};

}  // namespace calyra
