#include <string>

#include "platform/outlook/Appointment.h"
#include "platform/outlook/Contact.h"
#include "platform/outlook/Outbox.h"
#include "platform/outlook/Task.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"

namespace platform::outlook {
namespace {

ItemKind KindOfItemType(int itemType) {
  switch (itemType) {
    case olAppointmentItem:
      return ItemKind::Appointment;
    case olContactItem:
      return ItemKind::Contact;
    case olTaskItem:
      return ItemKind::Task;
    default:
      return ItemKind::None;
  }
}

// The items of a folder when it was asked for them.
class ItemCollection final : public RefCounted<IPOutlookItemCollection> {
 public:
  explicit ItemCollection(ItemKind kind) : kind_(kind) {
    if (kind != ItemKind::None) oids_ = ListItemRecords(kind);
  }
  HRESULT QueryInterface(REFIID iid, void** object) override {
    bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IPOutlookItemCollection;
    return AnswerInterface(object, match ? static_cast<IPOutlookItemCollection*>(this) : nullptr);
  }
  HRESULT get_Count(int* count) override { return ReturnValue(oids_.size(), count); }
  HRESULT Item(int index, IDispatch** item) override {
    if (item == nullptr) return E_POINTER;
    *item = nullptr;
    if (index < 1 || static_cast<size_t>(index) > oids_.size()) return E_INVALIDARG;
    return LoadItem(oids_[static_cast<size_t>(index - 1)], item);
  }
  HRESULT Add(IDispatch** item) override {
    if (item == nullptr) return E_POINTER;
    *item = nullptr;
    if (kind_ == ItemKind::None) return E_FAIL;
    return NewItem(kind_, item);
  }
  // Deletes the item as its Delete does (a series with its exceptions).
  HRESULT Remove(int index) override {
    ComPtr<IDispatch> item;
    HRESULT loaded = Item(index, &item);
    if (FAILED(loaded)) return loaded;
    HRESULT deleted = E_FAIL;
    if (auto appointment = item.As<IAppointment>(IID_IAppointment)) deleted = appointment->Delete();
    if (auto task = item.As<ITask>(IID_ITask)) deleted = task->Delete();
    if (auto contact = item.As<IContact>(IID_IContact)) deleted = contact->Delete();
    if (SUCCEEDED(deleted)) oids_.erase(oids_.begin() + (index - 1));
    return deleted;
  }

 private:
  ItemKind kind_;
  std::vector<CEOID> oids_;
};

class Folder final : public RefCounted<IFolder> {
 public:
  Folder(int folder, ItemKind kind) : folder_(folder), kind_(kind) {}
  HRESULT QueryInterface(REFIID iid, void** object) override {
    bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IFolder;
    return AnswerInterface(object, match ? static_cast<IFolder*>(this) : nullptr);
  }
  HRESULT get_Items(IPOutlookItemCollection** items) override {
    if (items == nullptr) return E_POINTER;
    *items = new ItemCollection(kind_);
    return S_OK;
  }
  HRESULT get_DefaultItemType(int* itemType) override {
    switch (folder_) {
      case olFolderCalendar:
        return ReturnValue(olAppointmentItem, itemType);
      case olFolderContacts:
        return ReturnValue(olContactItem, itemType);
      case olFolderTasks:
        return ReturnValue(olTaskItem, itemType);
      default:
        return ReturnValue(olCitiesItem, itemType);
    }
  }
  // Only saved items can wait for the beam.
  HRESULT AddToInfraredFolder(IDispatch* item) override {
    if (item == nullptr) return E_POINTER;
    ItemKind kind = ItemKind::None;
    CEOID oid = OidOfItem(item, &kind);
    if (oid == 0) return E_INVALIDARG;
    AddToInfrared(oid);
    return S_OK;
  }
  // Beams what waits in the infrared folder: it is recorded in the outbox and the folder empties.
  HRESULT SendToInfrared() override {
    std::vector<CEOID> oids = TakeInfrared();
    if (oids.empty()) return S_FALSE;
    PostToOutbox(OutlookOutboxEntry{u"Infrared", std::move(oids), {}, {}});
    return S_OK;
  }

 private:
  int folder_;
  ItemKind kind_;
};

class Application final : public RefCounted<IPOutlookApp> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IPOutlookApp;
    return AnswerInterface(object, match ? static_cast<IPOutlookApp*>(this) : nullptr);
  }
  HRESULT Logon(HWND /*window*/) override {
    loggedOn_ = true;
    return S_OK;
  }
  HRESULT Logoff() override {
    if (!loggedOn_) return E_FAIL;
    loggedOn_ = false;
    return S_OK;
  }
  HRESULT get_Version(BSTR* version) override { return ReturnText(u"3.0", version); }
  HRESULT GetDefaultFolder(int folder, IFolder** result) override {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    if (!loggedOn_) return E_FAIL;
    ItemKind kind = ItemKind::None;
    switch (folder) {
      case olFolderCalendar:
        kind = ItemKind::Appointment;
        break;
      case olFolderContacts:
        kind = ItemKind::Contact;
        break;
      case olFolderTasks:
        kind = ItemKind::Task;
        break;
      case olFolderCities:
      case olFolderInfrared:
        break;
      default:
        return E_INVALIDARG;
    }
    *result = new Folder(folder, kind);
    return S_OK;
  }
  HRESULT CreateItem(int itemType, IDispatch** item) override {
    if (item == nullptr) return E_POINTER;
    *item = nullptr;
    if (!loggedOn_) return E_FAIL;
    ItemKind kind = KindOfItemType(itemType);
    if (kind == ItemKind::None) return E_INVALIDARG;
    return NewItem(kind, item);
  }
  HRESULT GetItemFromOid(CEOID oid, IDispatch** item) override {
    if (item == nullptr) return E_POINTER;
    *item = nullptr;
    if (!loggedOn_) return E_FAIL;
    return LoadItem(oid, item);
  }

 private:
  bool loggedOn_ = false;
};

}  // namespace

IPOutlookApp* NewApplication() {
  return new Application();
}

HRESULT NewItem(ItemKind kind, IDispatch** item) {
  switch (kind) {
    case ItemKind::Appointment:
      *item = AppointmentItem::New();
      return S_OK;
    case ItemKind::Task:
      *item = TaskItem::New();
      return S_OK;
    case ItemKind::Contact:
      *item = ContactItem::New();
      return S_OK;
    default:
      return E_INVALIDARG;
  }
}

HRESULT LoadItem(CEOID oid, IDispatch** item) {
  *item = nullptr;
  ItemKind kind = KindOfRecord(oid);
  PropertyMap properties;
  if (kind == ItemKind::None || !ReadItemRecord(kind, oid, &properties, true)) return E_INVALIDARG;
  switch (kind) {
    case ItemKind::Appointment:
      *item = AppointmentItem::FromRecord(oid, properties);
      break;
    case ItemKind::Task:
      *item = TaskItem::FromRecord(oid, properties);
      break;
    default:
      *item = ContactItem::FromRecord(oid, properties);
      break;
  }
  return S_OK;
}

CEOID OidOfItem(IDispatch* item, ItemKind* kind) {
  ComPtr<IDispatch> held(item);
  item->AddRef();
  LONG oid = 0;
  *kind = ItemKind::None;
  if (auto appointment = held.As<IAppointment>(IID_IAppointment)) {
    appointment->get_Oid(&oid);
    *kind = ItemKind::Appointment;
  } else if (auto task = held.As<ITask>(IID_ITask)) {
    task->get_Oid(&oid);
    *kind = ItemKind::Task;
  } else if (auto contact = held.As<IContact>(IID_IContact)) {
    contact->get_Oid(&oid);
    *kind = ItemKind::Contact;
  }
  return static_cast<CEOID>(oid);
}

HRESULT DisplayItem(CEOID oid) {
  if (oid == 0) return E_FAIL;
  std::u16string arguments = u"Display " + FromUtf8(std::to_string(oid));
  return CreateProcessW(u"poutlook.exe", arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        nullptr, nullptr)
             ? S_OK
             : E_FAIL;
}

HRESULT ReturnText(const std::u16string& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::u16string TextOf(BSTR text) {
  return std::u16string(TextView(text));
}

std::optional<RecurrenceData> RecurrenceOf(const PropertyMap& properties) {
  auto found = properties.find(kPropRecurrence);
  if (found == properties.end() || found->second.blob.empty()) return std::nullopt;
  return DecodeRecurrence(found->second.blob.data(), found->second.blob.size());
}

}  // namespace platform::outlook
