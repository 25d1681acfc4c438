#pragma once

#include <map>

#include "platform/outlook/OutlookInternal.h"

namespace platform::outlook {

// A contact: a record of "Contacts Database", or not yet saved. Every text field is one string
// property (CALYRA_CONTACT_TEXT_FIELDS); birthday and anniversary are local days.
class ContactItem final : public RefCounted<IContact> {
 public:
  static ContactItem* New();
  static ContactItem* FromRecord(CEOID oid, const PropertyMap& properties);
  CEOID Oid() const { return oid_; }

  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT get_Oid(LONG* oid) override;
#define CALYRA_CONTACT_FIELD_OVERRIDE(Name, tag) \
  HRESULT get_##Name(BSTR* text) override;       \
  HRESULT put_##Name(BSTR text) override;
  CALYRA_CONTACT_TEXT_FIELDS(CALYRA_CONTACT_FIELD_OVERRIDE)
#undef CALYRA_CONTACT_FIELD_OVERRIDE
  HRESULT get_Birthday(DATE* date) override;
  HRESULT put_Birthday(DATE date) override;
  HRESULT get_Anniversary(DATE* date) override;
  HRESULT put_Anniversary(DATE date) override;
  HRESULT get_Sensitivity(LONG* sensitivity) override;
  HRESULT put_Sensitivity(LONG sensitivity) override;
  HRESULT Save() override;
  HRESULT Delete() override;
  HRESULT Display() override;
  HRESULT Copy(IContact** copy) override;

 private:
  ContactItem() = default;

  CEOID oid_ = 0;
  bool deleted_ = false;
  std::map<CEPROPID, std::u16string> texts_;
  DATE birthday_ = kNoDate, anniversary_ = kNoDate;
  LONG sensitivity_ = 0;
  PropertyMap carried_;
};

}  // namespace platform::outlook
