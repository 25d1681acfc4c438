#include "templates/TemplatePicker.h"

#include "editors/EditorMessages.h"
#include "editors/ImageStrip.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Message.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"
#include "templates/TemplateList.h"

namespace calyra {

namespace {

using namespace resources;

// The result that ends the dialog with a choice, a template or a blank item.
constexpr INT_PTR kChosen = 1;

}  // namespace

TemplatePicker::~TemplatePicker() {
  if (images_) ImageList_Destroy(images_);
}

std::optional<ItemOid> TemplatePicker::Show(HWND owner, HINSTANCE resources) {
  chosen_ = 0;
  if (Run(resources, kDialogTemplatePicker, owner) != kChosen) return std::nullopt;
  return chosen_;
}

INT_PTR TemplatePicker::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Init();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          ChooseSelected();
          return TRUE;
        case kTemplatePickerBlank:
          chosen_ = 0;
          EndDialog(Window(), kChosen);
          return TRUE;
        case IDCANCEL:
          EndDialog(Window(), 0);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == static_cast<UINT_PTR>(kTemplatePickerList) && header.code == LVN_ITEMACTIVATE)
        ChooseRow(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
      return FALSE;
    }
    case kMsgModalSwitchAway:  // the host switches away: nothing is chosen
      EndDialog(Window(), 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void TemplatePicker::Init() {
  std::u16string title = ResourceText(Resources(), kStringTemplatePickerTitle);
  SetWindowTextW(Window(), title.c_str());
  SetDlgItemTextW(Window(), kTemplatePickerTitle, title.c_str());
  HWND list = Item(kTemplatePickerList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  images_ = LoadImageStrip(Resources(), kBitmapItemIcons, kBitmapItemIconsLarge, kItemImageCount);
  ListView_SetImageList(Item(kTemplatePickerList), images_, LVSIL_SMALL);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  RECT client{};
  GetClientRect(list, &client);
  column.cx = client.right - client.left;
  ListView_InsertColumn(list, 0, &column);
  TemplateList(list).Fill(kind_, true);
  ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SetFocus(list);
}

void TemplatePicker::ChooseRow(int row) {
  ItemOid chosen = TemplateList(Item(kTemplatePickerList)).TemplateAt(row);
  if (!chosen) return;
  chosen_ = chosen;
  EndDialog(Window(), kChosen);
}

// OK without a selected row chooses nothing and leaves the dialog open.
void TemplatePicker::ChooseSelected() {
  ChooseRow(ListView_GetNextItem(Item(kTemplatePickerList), -1, LVNI_SELECTED));
}

}  // namespace calyra
