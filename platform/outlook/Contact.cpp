#include "platform/outlook/Contact.h"

#include "platform/outlook/OutlookDates.h"

namespace platform::outlook {
namespace {

constexpr CEPROPID kTextFields[] = {
#define CALYRA_CONTACT_FIELD_TAG(Name, tag) tag,
    CALYRA_CONTACT_TEXT_FIELDS(CALYRA_CONTACT_FIELD_TAG)
#undef CALYRA_CONTACT_FIELD_TAG
};

}  // namespace

ContactItem* ContactItem::New() {
  return new ContactItem();
}

ContactItem* ContactItem::FromRecord(CEOID oid, const PropertyMap& properties) {
  auto* item = new ContactItem();
  item->oid_ = oid;
  for (CEPROPID tag : kTextFields) {
    auto found = properties.find(tag);
    if (found != properties.end() && !found->second.text.empty()) item->texts_[tag] = found->second.text;
  }
  auto date = [&](CEPROPID tag) {
    auto found = properties.find(tag);
    return found == properties.end() ? kNoDate : DateOfFloatingTicks(found->second.ticks);
  };
  item->birthday_ = date(kPropBirthday);
  item->anniversary_ = date(kPropAnniversary);
  if (auto found = properties.find(kPropContactSensitivity); found != properties.end())
    item->sensitivity_ = static_cast<LONG>(found->second.number);
  if (auto found = properties.find(kPropNotesBlob); found != properties.end())
    item->carried_[kPropNotesBlob] = found->second;
  return item;
}

HRESULT ContactItem::QueryInterface(REFIID iid, void** object) {
  bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IContact;
  return AnswerInterface(object, match ? static_cast<IContact*>(this) : nullptr);
}

HRESULT ContactItem::get_Oid(LONG* oid) {
  return ReturnValue(oid_, oid);
}

#define CALYRA_CONTACT_FIELD_BODY(Name, tag)                                           \
  HRESULT ContactItem::get_##Name(BSTR* text) {                                        \
    auto found = texts_.find(tag);                                                     \
    return ReturnText(found == texts_.end() ? std::u16string() : found->second, text); \
  }                                                                                    \
  HRESULT ContactItem::put_##Name(BSTR text) {                                         \
    texts_[tag] = TextOf(text);                                                        \
    return S_OK;                                                                       \
  }
CALYRA_CONTACT_TEXT_FIELDS(CALYRA_CONTACT_FIELD_BODY)
#undef CALYRA_CONTACT_FIELD_BODY

HRESULT ContactItem::get_Birthday(DATE* date) {
  return ReturnValue(birthday_, date);
}
HRESULT ContactItem::put_Birthday(DATE date) {
  birthday_ = HasDate(date) ? DayOf(date) : kNoDate;
  return S_OK;
}
HRESULT ContactItem::get_Anniversary(DATE* date) {
  return ReturnValue(anniversary_, date);
}
HRESULT ContactItem::put_Anniversary(DATE date) {
  anniversary_ = HasDate(date) ? DayOf(date) : kNoDate;
  return S_OK;
}
HRESULT ContactItem::get_Sensitivity(LONG* sensitivity) {
  return ReturnValue(sensitivity_, sensitivity);
}
HRESULT ContactItem::put_Sensitivity(LONG sensitivity) {
  if (sensitivity < olNormal || sensitivity > olConfidential) return E_INVALIDARG;
  sensitivity_ = sensitivity;
  return S_OK;
}

HRESULT ContactItem::Save() {
  if (deleted_) return E_FAIL;
  if (oid_ != 0 && KindOfRecord(oid_) != ItemKind::Contact) return E_FAIL;
  PropertyMap props;
  // The notes of a saved contact stay as they are; a copy takes them along.
  if (oid_ == 0) props = carried_;
  for (CEPROPID tag : kTextFields) {
    auto found = texts_.find(tag);
    props[tag] = TextValue(found == texts_.end() ? std::u16string() : found->second);
  }
  auto date = [](DATE value) {
    PropValue v;
    v.absent = !HasDate(value);
    if (!v.absent) FloatingTicksOf(value, &v.ticks);
    return v;
  };
  props[kPropBirthday] = date(birthday_);
  props[kPropAnniversary] = date(anniversary_);
  props[kPropContactSensitivity] = NumberValue(static_cast<uint32_t>(sensitivity_));
  CEOID written = WriteItemRecord(ItemKind::Contact, oid_, props);
  if (written == 0) return E_FAIL;
  oid_ = written;
  return S_OK;
}

HRESULT ContactItem::Delete() {
  if (deleted_ || oid_ == 0) return E_FAIL;
  if (!DeleteItemRecord(ItemKind::Contact, oid_)) return E_FAIL;
  deleted_ = true;
  oid_ = 0;
  return S_OK;
}

HRESULT ContactItem::Display() {
  return DisplayItem(oid_);
}

HRESULT ContactItem::Copy(IContact** copy) {
  if (copy == nullptr) return E_POINTER;
  auto* item = new ContactItem();
  item->texts_ = texts_;
  item->birthday_ = birthday_;
  item->anniversary_ = anniversary_;
  item->sensitivity_ = sensitivity_;
  item->carried_ = carried_;
  *copy = item;
  return S_OK;
}

}  // namespace platform::outlook
