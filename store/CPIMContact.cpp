#include "store/CPIMContact.h"

#include <algorithm>
#include <array>

#include "platform/time/TimeConversion.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/OutlookSession.h"
#include "store/PimDatabase.h"
#include "store/RecurrencePattern.h"
#include "store/StoreTransaction.h"

namespace calyra {

namespace {

using Getter = HRESULT (IContact::*)(BSTR*);
using Setter = HRESULT (IContact::*)(BSTR);

struct ContactField {
  CEPROPID tag;
  Getter get;
  Setter set;
};

#define CALYRA_CONTACT_FIELD_ROW(Name, tag) {tag, &IContact::get_##Name, &IContact::put_##Name},
constexpr ContactField kFields[] = {CALYRA_CONTACT_TEXT_FIELDS(CALYRA_CONTACT_FIELD_ROW)};
#undef CALYRA_CONTACT_FIELD_ROW

// The string properties the contact reader takes: the contact properties of the record.
constexpr std::array<CEPROPID, 15> kMapiStrings = {
    0x3A05001F, 0x3A06001F, 0x3A08001F, 0x3A09001F, 0x3A11001F, 0x3A16001F, 0x3A17001F, 0x3A18001F,
    0x3A19001F, 0x3A1C001F, 0x3A1D001F, 0x3A1E001F, 0x3A24001F, 0x3A25001F, 0x3A2F001F};

bool InRange(CEPROPID tag, CEPROPID first, CEPROPID last) {
  return tag >= first && tag <= last && (tag & 0xFFFF) == CEVT_LPWSTR;
}

SYSTEMTIME DateOfRecord(const PropertyValue& value) {
  FILETIME time = value.AsTime();
  SYSTEMTIME date = platform::kNoDateSystemTime;
  FileTimeToSystemTime(&time, &date);
  return date;
}

}  // namespace

bool CPIMContact::IsContactProperty(CEPROPID tag) {
  if (std::find(kMapiStrings.begin(), kMapiStrings.end(), tag) != kMapiStrings.end()) return true;
  return tag == 0x4002001F || InRange(tag, 0x4004001F, 0x400A001F) || tag == kFileAs || tag == 0x4023001F ||
         tag == 0x4024001F || InRange(tag, 0x4040001F, 0x404E001F) || tag == 0x4083001F ||
         tag == 0x4093001F || tag == 0x40A3001F;
}

void CPIMContact::Reset() {
  ResetCommon();
  texts.clear();
  birthday = anniversary = editedBirthday = editedAnniversary = platform::kNoDateSystemTime;
}

std::u16string CPIMContact::Text(CEPROPID tag) const {
  auto found = texts.find(tag);
  return found == texts.end() ? std::u16string() : found->second;
}

void CPIMContact::SetText(CEPROPID tag, std::u16string text) {
  texts[tag] = std::move(text);
}

bool CPIMContact::Load(const ItemContext&) {
  StoreTransaction step(StoreTransaction::Kind::Read);
  Database contacts;
  if (!oid || !contacts.OpenByName(ContactsDatabaseName()) || !contacts.SeekToOid(oid)) return false;
  Record record;
  if (!contacts.ReadRecord(record)) return false;
  ItemOid keep = oid;
  Reset();
  oid = keep;
  for (const PropertyValue& value : record.Values()) {
    if (value.IsAbsent()) continue;
    if (IsContactProperty(value.Tag())) texts[value.Tag()] = value.AsString();
    if (value.Tag() == kBirthday) birthday = editedBirthday = DateOfRecord(value);
    if (value.Tag() == kAnniversary) anniversary = editedAnniversary = DateOfRecord(value);
  }
  categories = ReadCategorySet(oid, ItemKind::Contact);
  loaded = true;
  return true;
}

platform::ComPtr<IContact> CPIMContact::Fetch(OutlookSession& session, bool createWhenNew) const {
  if (!oid) return createWhenNew ? session.NewContact() : nullptr;
  return session.GetItem<IContact>(oid, IID_IContact);
}

HRESULT CPIMContact::Save(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return E_FAIL;
  StoreTransaction step(StoreTransaction::Kind::Write);
  platform::ComPtr<IContact> contact = Fetch(session, true);
  if (!contact || !step.Active()) return E_FAIL;
  int failures = 0;
  for (const ContactField& field : kFields) {
    auto found = texts.find(field.tag);
    if (found == texts.end() || ReadText(contact.Get(), field.get) == found->second) continue;
    BSTR text = SysAllocString(found->second.c_str());
    failures += FAILED((contact.Get()->*field.set)(text)) ? 1 : 0;
    SysFreeString(text);
  }
  failures += FAILED(contact->put_Birthday(DateOfSystemTime(editedBirthday))) ? 1 : 0;
  failures += FAILED(contact->put_Anniversary(DateOfSystemTime(editedAnniversary))) ? 1 : 0;
  if (failures) return E_FAIL;
  HRESULT result = contact->Save();
  if (FAILED(result)) return result;
  LONG saved = 0;
  contact->get_Oid(&saved);
  ItemOid before = oid;
  oid = static_cast<ItemOid>(saved);
  // A record this save made holds no category set yet.
  auto saveCategories = oid != before ? SaveNewCategorySet : SaveCategorySet;
  if (!WriteNotes() || !saveCategories(oid, ItemKind::Contact, categories, context.categoryCounts) ||
      !step.Commit()) {
    oid = before;
    return E_FAIL;
  }
  birthday = editedBirthday;
  anniversary = editedAnniversary;
  return result;
}

bool CPIMContact::Delete(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return false;
  StoreTransaction step(StoreTransaction::Kind::Write);
  platform::ComPtr<IContact> contact = Fetch(session, false);
  if (!contact) return false;
  LeaveCategories();
  if (FAILED(contact->Delete()) || !step.Commit()) return false;
  Reset();
  return true;
}

ItemOid CPIMContact::Copy(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return 0;
  StoreTransaction step(StoreTransaction::Kind::Write);
  platform::ComPtr<IContact> source = Fetch(session, false);
  platform::ComPtr<IContact> copy;
  if (!source || FAILED(source->Copy(&copy)) || !copy || FAILED(copy->Save())) return 0;
  LONG copyOid = 0;
  copy->get_Oid(&copyOid);
  auto target = static_cast<ItemOid>(copyOid);
  return CopyRawTo(target, ItemKind::Contact) && step.Commit() ? target : 0;
}

bool CPIMContact::Show(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return false;
  platform::ComPtr<IContact> contact = Fetch(session, false);
  return contact && SUCCEEDED(contact->Display()) && SUCCEEDED(contact->Save());
}

HRESULT CPIMContact::SendByInfrared(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return E_FAIL;
  platform::ComPtr<IContact> contact = Fetch(session, false);
  return contact ? session.SendByInfrared(contact.Get()) : E_FAIL;
}

}  // namespace calyra
