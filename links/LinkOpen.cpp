#include "links/LinkOpen.h"

#include <string>

#include "links/LinkStore.h"
#include "platform/core/HandleTable.h"
#include "platform/process/Processes.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"

namespace calyra {

namespace {

constexpr const char16_t* kBrowser = u"iexplore.exe";

void OpenFile(HWND owner, const std::u16string& path) {
  SHELLEXECUTEINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = owner;
  info.lpVerb = u"open";
  info.lpFile = path.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteEx(&info) && info.hProcess) CloseHandle(info.hProcess);
}

void OpenWebAddress(std::u16string address) {
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(kBrowser, address.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                      &process))
    return;
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
}

// The host opens the far end: the target, or the owner when the record is the reverse half.
void OpenItem(HWND hostWindow, ItemOid item, const LinkRecord& record) {
  ItemKind kind = ItemKindOfLink(record.type);
  if (kind == ItemKind::None) return;
  ItemOid farEnd = record.target == item ? record.owner : record.target;
  PostMessageW(hostWindow, kOpenLinkedItemMessage, static_cast<WPARAM>(kind), static_cast<LPARAM>(farEnd));
}

}  // namespace

int OpenLink(HWND owner, HWND hostWindow, ItemOid item, DWORD linkId) {
  LinkStore store;
  LinkRecord record;
  if (!store.ReadLinkById(linkId, &record)) return 1;
  switch (record.type) {
    case LinkType::File:
      OpenFile(owner, record.text);
      break;
    case LinkType::Web:
      OpenWebAddress(record.text);
      break;
    default:
      OpenItem(hostWindow, item, record);
      break;
  }
  return 1;
}

}  // namespace calyra
