#pragma once

#include <array>
#include <mutex>

#include "platform/outlook/PocketOutlook.h"
#include "store/ItemKind.h"

namespace calyra {

// The one way to Pocket Outlook: the application object, its logon and its default folders. Logon
// calls are counted, so that a Logoff ends the logon only when every Logon of this session has been
// matched (a forced Logoff ends it at once); destroying the session forces the logoff. The folders are
// fetched once per logon. Every member is guarded by the session's own lock.
class OutlookSession {
 public:
  OutlookSession() = default;
  explicit OutlookSession(DWORD owner) : owner_(owner) {}
  ~OutlookSession();
  OutlookSession(const OutlookSession&) = delete;
  OutlookSession& operator=(const OutlookSession&) = delete;

  // True when logged on, now or already. A failed logon still counts.
  bool Logon(HWND window);
  void Logoff(bool force);

  IPOutlookApp* Application() const;
  // E_FAIL without asking Pocket Outlook when not logged on.
  HRESULT GetItemFromOid(ItemOid oid, IDispatch** item);
  // The item of an oid as the interface `iid` names; null when it cannot be had or is of another kind.
  template <class T>
  platform::ComPtr<T> GetItem(ItemOid oid, REFIID iid) {
    platform::ComPtr<IDispatch> item;
    platform::ComPtr<T> typed;
    if (FAILED(GetItemFromOid(oid, &item)) || !item ||
        FAILED(item->QueryInterface(iid, reinterpret_cast<void**>(&typed)))) {
      return nullptr;
    }
    return typed;
  }
  platform::ComPtr<IAppointment> NewAppointment();
  platform::ComPtr<ITask> NewTask();
  platform::ComPtr<IContact> NewContact();

  IFolder* CalendarFolder() { return Folder(kCalendar); }
  IFolder* ContactsFolder() { return Folder(kContacts); }
  IFolder* TasksFolder() { return Folder(kTasks); }
  IFolder* CitiesFolder() { return Folder(kCities); }
  IFolder* InfraredFolder() { return Folder(kInfrared); }
  // Adds the item to the infrared folder and sends that folder.
  HRESULT SendByInfrared(IDispatch* item);

  DWORD Owner() const { return owner_; }
  bool LoggedOn() const;
  int UseCount() const;

 private:
  enum FolderSlot { kTasks, kCalendar, kContacts, kCities, kInfrared, kFolderSlots };

  IFolder* Folder(FolderSlot slot);
  template <class T>
  platform::ComPtr<T> NewItem(int itemType, REFIID iid);

  mutable std::recursive_mutex lock_;
  DWORD owner_ = 0;
  bool loggedOn_ = false;
  bool comInitialised_ = false;
  int useCount_ = 0;
  platform::ComPtr<IPOutlookApp> application_;
  // Released in this order at logoff: tasks, calendar, contacts, cities, infrared.
  std::array<platform::ComPtr<IFolder>, kFolderSlots> folders_;
};

}  // namespace calyra
