#pragma once

#include <vector>

#include "editors/EditorPage.h"
#include "platform/gdi/ImageList.h"
#include "store/CategorySet.h"

namespace calyra {

// The categories page of the appointment, task and contact editors: every category with a check box
// and its icon, in name order, the item's categories checked. A category listed only on request
// shows only when the item carries it. The page's button and menu run the category dialog; the
// checked rows become the item's category set.
class CategoriesPage : public EditorPage {
 public:
  CategoriesPage() : EditorPage(PageNumber::Categories) {}
  ~CategoriesPage() override;

  void Load() override;
  // Never refuses: once any check changed, the item's set becomes the checked rows' categories.
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;

  // The category indexes of the checked rows, in list order.
  std::vector<int> CheckedIndexes() const;

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND List() const;
  void AddColumn();
  void Fill(const CategorySet& checked);
  void Clear();
  void EditCategories();
  void Toggle(int row);

  HIMAGELIST images_ = nullptr;
  std::vector<int> loadedChecks_;  // the rows checked when the item was loaded
};

}  // namespace calyra
