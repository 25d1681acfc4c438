#include "store/OutlookSession.h"

namespace calyra {

namespace {

constexpr int kFolderIds[] = {olFolderTasks, olFolderCalendar, olFolderContacts, olFolderCities,
                              olFolderInfrared};

}  // namespace

OutlookSession::~OutlookSession() {
  Logoff(true);
}

bool OutlookSession::Logon(HWND window) {
  std::lock_guard guard(lock_);
  ++useCount_;
  if (loggedOn_) return true;
  for (auto& folder : folders_) folder = nullptr;
  comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, 0));
  platform::ComPtr<IPOutlookApp> application;
  HRESULT result = comInitialised_
                       ? CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                                          reinterpret_cast<void**>(&application))
                       : E_FAIL;
  if (SUCCEEDED(result)) result = application->Logon(window);
  if (FAILED(result)) {
    if (comInitialised_) CoUninitialize();
    comInitialised_ = false;
    loggedOn_ = false;
    return false;
  }
  application_ = application;
  loggedOn_ = true;
  return true;
}

void OutlookSession::Logoff(bool force) {
  std::lock_guard guard(lock_);
  if (!loggedOn_) return;
  if (useCount_ < 1 && !force) return;
  useCount_ = force ? 0 : useCount_ - 1;
  if (useCount_ != 0) return;
  loggedOn_ = false;
  for (auto& folder : folders_) folder = nullptr;
  application_->Logoff();
  application_ = nullptr;
  if (comInitialised_) CoUninitialize();
  comInitialised_ = false;
}

IPOutlookApp* OutlookSession::Application() const {
  std::lock_guard guard(lock_);
  return application_.Get();
}

bool OutlookSession::LoggedOn() const {
  std::lock_guard guard(lock_);
  return loggedOn_;
}

int OutlookSession::UseCount() const {
  std::lock_guard guard(lock_);
  return useCount_;
}

HRESULT OutlookSession::GetItemFromOid(ItemOid oid, IDispatch** item) {
  std::lock_guard guard(lock_);
  if (!item) return E_POINTER;
  *item = nullptr;
  if (!loggedOn_) return E_FAIL;
  return application_->GetItemFromOid(oid, item);
}

template <class T>
platform::ComPtr<T> OutlookSession::NewItem(int itemType, REFIID iid) {
  std::lock_guard guard(lock_);
  if (!loggedOn_) return nullptr;
  platform::ComPtr<IDispatch> item;
  if (FAILED(application_->CreateItem(itemType, &item)) || !item) return nullptr;
  platform::ComPtr<T> typed;
  if (FAILED(item->QueryInterface(iid, reinterpret_cast<void**>(&typed)))) return nullptr;
  return typed;
}

platform::ComPtr<IAppointment> OutlookSession::NewAppointment() {
  return NewItem<IAppointment>(olAppointmentItem, IID_IAppointment);
}

platform::ComPtr<ITask> OutlookSession::NewTask() {
  return NewItem<ITask>(olTaskItem, IID_ITask);
}

platform::ComPtr<IContact> OutlookSession::NewContact() {
  return NewItem<IContact>(olContactItem, IID_IContact);
}

IFolder* OutlookSession::Folder(FolderSlot slot) {
  std::lock_guard guard(lock_);
  if (!application_) return nullptr;
  if (!folders_[slot]) {
    platform::ComPtr<IFolder> folder;
    if (FAILED(application_->GetDefaultFolder(kFolderIds[slot], &folder))) return nullptr;
    folders_[slot] = folder;
  }
  return folders_[slot].Get();
}

HRESULT OutlookSession::SendByInfrared(IDispatch* item) {
  std::lock_guard guard(lock_);
  if (!loggedOn_ || !item) return E_FAIL;
  IFolder* infrared = InfraredFolder();
  if (!infrared || FAILED(infrared->AddToInfraredFolder(item))) return E_FAIL;
  return infrared->SendToInfrared();
}

}  // namespace calyra
