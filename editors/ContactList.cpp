#include "editors/ContactList.h"

#include <algorithm>

#include "platform/text/Text.h"
#include "store/CPIMContact.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/StoreTransaction.h"

namespace calyra {

namespace {

constexpr CEPROPID kFirstName = 0x3A06001F;
constexpr CEPROPID kMiddleName = 0x4004001F;
constexpr CEPROPID kLastName = 0x3A11001F;
constexpr CEPROPID kSuffix = 0x3A05001F;
constexpr CEPROPID kCompany = 0x3A16001F;
constexpr CEPROPID kEmailAddresses[] = {0x4083001F, 0x4093001F, 0x40A3001F};

std::u16string TextOf(const Record& record, CEPROPID tag) {
  const PropertyValue* value = record.Find(tag);
  return value ? value->AsString() : std::u16string();
}

ContactSummary SummaryOf(const Record& record) {
  ContactSummary contact;
  contact.oid = record.Oid();
  contact.fileAs = TextOf(record, CPIMContact::kFileAs);
  contact.name = {TextOf(record, kFirstName), TextOf(record, kMiddleName), TextOf(record, kLastName),
                  TextOf(record, kSuffix), TextOf(record, kCompany)};
  for (CEPROPID tag : kEmailAddresses) {
    contact.email = TextOf(record, tag);
    if (!contact.email.empty()) break;
  }
  return contact;
}

}  // namespace

std::vector<ContactSummary> ReadContacts() {
  std::vector<ContactSummary> contacts;
  StoreTransaction step(StoreTransaction::Kind::Read);
  Database database;
  if (!database.OpenByName(ContactsDatabaseName())) return contacts;
  Record names;
  for (CEPROPID tag : {CPIMContact::kFileAs, kFirstName, kMiddleName, kLastName, kSuffix, kCompany}) {
    names.Request(tag);
  }
  for (CEPROPID tag : kEmailAddresses) names.Request(tag);
  database.Enumerate(names, [&](Record& record) {
    contacts.push_back(SummaryOf(record));
    return true;
  });
  std::stable_sort(contacts.begin(), contacts.end(), [](const ContactSummary& a, const ContactSummary& b) {
    return platform::CompareNoCase(a.fileAs, b.fileAs) < 0;
  });
  return contacts;
}

}  // namespace calyra
