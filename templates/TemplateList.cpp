#include "templates/TemplateList.h"

#include <string>

#include "platform/text/Text.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "templates/TemplateWalk.h"

namespace calyra {

namespace {

int ItemImageOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return resources::kItemImageAppointment;
    case ItemKind::Task:
      return resources::kItemImageTask;
    default:
      return resources::kItemImageContact;
  }
}

}  // namespace

int TemplateList::Fill(ItemKind kind, bool withIcons) {
  int added = 0;
  TemplateWalk(kind).Run([&](const TemplateEntry& entry) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | (withIcons ? LVIF_IMAGE : 0u);
    item.iItem = SortedIndex(entry.text);
    item.pszText = const_cast<WCHAR*>(entry.text.c_str());
    item.lParam = static_cast<LPARAM>(entry.oid);
    item.iImage = withIcons ? ItemImageOf(kind) : 0;
    if (ListView_InsertItem(list_, &item) >= 0) ++added;
    return true;
  });
  return added;
}

int TemplateList::SortedIndex(std::u16string_view text) const {
  std::u16string_view key = text.substr(0, kSortChars);
  int rows = ListView_GetItemCount(list_);
  for (int row = 0; row < rows; ++row) {
    char16_t shown[kSortChars + 1] = {};
    ListView_GetItemText(list_, row, 0, shown, static_cast<int>(std::size(shown)));
    if (platform::CompareNoCase(platform::TextView(shown, kSortChars), key) >= 0) return row;
  }
  return rows;
}

ItemOid TemplateList::TemplateAt(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  return row >= 0 && ListView_GetItem(list_, &item) ? static_cast<ItemOid>(item.lParam) : 0;
}

}  // namespace calyra
