#include "links/LinkList.h"

#include <algorithm>

#include "links/LinkCache.h"
#include "links/LinkStore.h"
#include "platform/text/Text.h"
#include "platform/ui/controls/ListViewTypes.h"

namespace calyra {

namespace {

// The places of the types in the list's order; appointments and tasks share one.
int Rank(LinkType type) {
  switch (type) {
    case LinkType::Contact:
      return 0;
    case LinkType::Appointment:
    case LinkType::Task:
      return 1;
    case LinkType::Web:
      return 2;
    case LinkType::File:
      return 3;
    default:
      return -1;
  }
}

int CompareTexts(const std::u16string& a, const std::u16string& b) {
  return platform::CompareNoCase(a, b);
}

}  // namespace

int CompareLinks(const ListedLink& a, const ListedLink& b) {
  int rankA = Rank(a.record.type);
  int rankB = Rank(b.record.type);
  if (rankA < 0 || rankB < 0) return 0;
  if (rankA != rankB) return rankA < rankB ? -1 : 1;
  if (rankA == 1) {
    int64_t dateA = a.date.value_or(0);
    int64_t dateB = b.date.value_or(0);
    if (dateA != dateB) return dateA < dateB ? -1 : 1;
  }
  return CompareTexts(a.record.text, b.record.text);
}

std::vector<ListedLink> SortedLinksOf(ItemOid item) {
  std::vector<ListedLink> links;
  LinkStore store;
  LinkRecord record;
  for (CEOID oid = store.FirstLinkOf(item, &record, true); oid; oid = store.NextLinkOf(item, &record, true)) {
    if (record.type == LinkType::Icon) continue;
    links.push_back({record, LinkItemDate(record)});
  }
  std::stable_sort(links.begin(), links.end(),
                   [](const ListedLink& a, const ListedLink& b) { return CompareLinks(a, b) < 0; });
  return links;
}

int LinkImageOf(LinkType type) {
  switch (type) {
    case LinkType::Contact:
      return kLinkImageContact;
    case LinkType::Appointment:
      return kLinkImageAppointment;
    case LinkType::Task:
      return kLinkImageTask;
    case LinkType::File:
      return kLinkImageFile;
    default:
      return kLinkImageWeb;
  }
}

int FillLinkList(ItemOid item, HWND listView) {
  std::vector<ListedLink> links = SortedLinksOf(item);
  if (links.empty()) return 0;
  int widest = 0;
  for (size_t row = 0; row < links.size(); ++row) {
    const LinkRecord& record = links[row].record;
    LVITEMW entry{};
    entry.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    entry.iItem = static_cast<int>(row);
    entry.pszText = const_cast<LPWSTR>(record.text.c_str());
    entry.iImage = LinkImageOf(record.type);
    entry.lParam = LinkRowData(record.type, record.linkId);
    ListView_InsertItem(listView, &entry);
    widest = std::max(widest, ListView_GetStringWidth(listView, record.text.c_str()));
  }
  return widest + kLinkListImageRoom;
}

LRESULT RemoveListedLink(LinkCache* cache, HWND listView, int row) {
  LVITEMW entry{};
  entry.mask = LVIF_PARAM;
  entry.iItem = row;
  if (!ListView_GetItem(listView, &entry)) return FALSE;
  if (WORD linkId = HIWORD(static_cast<DWORD>(entry.lParam))) LinkStore(cache).DeleteLink(linkId);
  return ListView_DeleteItem(listView, row);
}

}  // namespace calyra
