#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/outlook/PocketOutlook.h"

namespace calyra::host {

// The kinds of PIM item, numbered as the component numbers them.
enum class ItemKind { kNone = 0, kAppointment = 1, kContact = 2, kTask = 3 };

const char* KindName(ItemKind kind);
// The kind of the record `oid`, from the name of the database that holds it (the object store, as
// the component finds it); kNone when there is no such record or it is not a PIM item.
ItemKind ItemKindOf(CEOID oid);

struct ItemSummary {
  CEOID oid = 0;
  std::string title;  // subject, or the file-as name of a contact
  std::string dates;
};

struct ItemField {
  std::string name;
  std::string value;
};

// The device's items read through Pocket Outlook's object model, as a host's list views read them.
class OutlookItems {
 public:
  OutlookItems() = default;
  ~OutlookItems();
  OutlookItems(const OutlookItems&) = delete;
  OutlookItems& operator=(const OutlookItems&) = delete;

  // Creates the application object and logs on; false with `error` when the model refuses.
  bool Open(HWND owner, std::string* error);
  // Every item of the kind's default folder, in the folder's order.
  std::vector<ItemSummary> List(ItemKind kind);
  // The same items as the model's objects.
  std::vector<platform::ComPtr<IDispatch>> Items(ItemKind kind);
  // The item with the oid, or null.
  platform::ComPtr<IDispatch> Item(CEOID oid);
  // The oids of List, to see what a step added.
  std::set<CEOID> Oids(ItemKind kind);
  // The item's fields (empty ones left out), or nothing when the item cannot be read as `kind`.
  std::vector<ItemField> Fields(CEOID oid, ItemKind kind);

 private:
  platform::ComPtr<IPOutlookApp> app_;
  bool comStarted_ = false;
  bool loggedOn_ = false;
};

}  // namespace calyra::host
