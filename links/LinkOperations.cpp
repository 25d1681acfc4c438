#include "links/LinkOperations.h"

#include "links/LinkStore.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageDecoder.h"
#include "platform/process/Processes.h"
#include "platform/ui/Message.h"

namespace calyra {

namespace {

constexpr COLORREF kIconKeyColour = RGB(0, 255, 0);

// The icon file as an image list of its own size, pure green transparent; null when it cannot be read.
HIMAGELIST LoadIconImage(const std::u16string& path) {
  HBITMAP bitmap = platform::DecodeImageFile(path.c_str());
  if (!bitmap) return nullptr;
  BITMAP size{};
  GetObjectW(bitmap, sizeof(size), &size);
  HIMAGELIST list = ImageList_Create(size.bmWidth, size.bmHeight, ILC_MASK | ILC_COLORDDB, 0, 2);
  if (list && ImageList_AddMasked(list, bitmap, kIconKeyColour) < 0) {
    ImageList_Destroy(list);
    list = nullptr;
  }
  DeleteObject(bitmap);
  return list;
}

constexpr const char16_t* kBrowser = u"iexplore.exe";

void OpenWebAddress(const std::u16string& address) {
  std::u16string commandLine = address;
  CreateProcessW(kBrowser, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                 nullptr);
}

// Every link the item owns, as stored (no display texts).
std::vector<LinkRecord> LinksOwnedBy(LinkStore& store, ItemOid item) {
  std::vector<LinkRecord> links;
  LinkRecord record;
  for (CEOID at = store.FirstLinkOf(item, &record, false); at; at = store.NextLinkOf(item, &record, false))
    links.push_back(record);
  return links;
}

}  // namespace

void OpenDocument(HWND owner, const std::u16string& path) {
  SHELLEXECUTEINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = owner;
  info.lpVerb = u"open";
  info.lpFile = path.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteEx(&info) && info.hProcess) CloseHandle(info.hProcess);
}

bool PendingLinks::Empty() const {
  return contacts.empty() && tasks.empty() && appointments.empty() && files.empty() && webAddresses.empty();
}

bool OpenLink(HWND owner, HWND hostWindow, ItemOid item, DWORD linkId) {
  LinkRecord record;
  if (!LinkStore().ReadLinkById(linkId, &record)) return true;
  switch (record.type) {
    case LinkType::File:
      OpenDocument(owner, record.text);
      break;
    case LinkType::Web:
      OpenWebAddress(record.text);
      break;
    case LinkType::Contact:
    case LinkType::Appointment:
    case LinkType::Task: {
      ItemOid farEnd = record.target == item ? record.owner : record.target;
      PostMessageW(hostWindow, kOpenLinkedItemMessage, static_cast<WPARAM>(ItemKindOfLink(record.type)),
                   static_cast<LPARAM>(farEnd));
      break;
    }
    default:
      break;
  }
  return true;
}

void TransferLinks(LinkCache& cache, ItemOid oldItem, ItemOid newItem) {
  if (!IsItemLinked(cache, oldItem)) return;
  LinkStore store(&cache);
  // Read them all first: every addition reopens the store in another order.
  for (const LinkRecord& link : LinksOwnedBy(store, oldItem)) {
    if (HasLinkText(link.type)) {
      store.AddLink(newItem, nullptr, link.type, 0, link.text);
    } else if (ItemKindOfLink(link.type) != ItemKind::None) {
      store.AddTwoWayLink(newItem, nullptr, link.type, link.target);
    }
  }
  store.DeleteLinksOfItem(oldItem);
}

bool AddPendingLinks(LinkCache* cache, ItemOid item, const PendingLinks& links) {
  if (item == 0) return links.Empty();
  LinkStore store(cache);
  bool written = true;
  for (ItemOid contact : links.contacts) written = store.LinkContact(item, contact) && written;
  for (ItemOid task : links.tasks) written = store.LinkTask(item, task) && written;
  for (ItemOid appointment : links.appointments)
    written = store.LinkAppointment(item, appointment) && written;
  for (const std::u16string& path : links.files) written = store.AddFileLink(item, path) && written;
  for (const std::u16string& address : links.webAddresses)
    written = store.AddWebLink(item, address) && written;
  return written;
}

bool IsItemLinked(const LinkCache& cache, ItemOid item) {
  return cache.IsLinked(item);
}

bool AddLinkToItem(LinkCache& cache, ItemOid item, ItemOid other, ItemKind otherKind) {
  LinkType type = LinkTypeOfItem(otherKind);
  if (item == 0 || other == 0 || type == LinkType::None) return false;
  LinkStore(&cache).AddTwoWayLink(item, nullptr, type, other);
  return true;
}

HIMAGELIST GetIconLinkImage(LinkCache& cache, ItemOid item) {
  std::optional<LinkCacheNode> node = cache.FindOwnerType(item, LinkType::Icon);
  if (!node) return nullptr;
  if (node->image) return ImageList_Duplicate(node->image);
  LinkRecord record;
  if (!LinkStore(&cache).ReadLinkById(node->linkId, &record)) return nullptr;
  HIMAGELIST image = LoadIconImage(record.text);
  if (!image) return nullptr;
  HIMAGELIST copy = ImageList_Duplicate(image);
  cache.SetImage(node->linkId, image);
  return copy;
}

bool SetIconLink(LinkCache& cache, ItemOid item, std::u16string_view imagePath) {
  LinkStore store(&cache);
  if (std::optional<LinkCacheNode> node = cache.FindOwnerType(item, LinkType::Icon))
    store.DeleteLink(node->linkId);
  if (imagePath.empty()) return true;
  return store.AddIconLink(item, imagePath);
}

}  // namespace calyra
