#include "host/ContactSummaryFields.h"

#include <string>

#include "host/Component.h"
#include "host/SummaryFields.h"
#include "lists/ListConstants.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/time/TimeConversion.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "text/CountryTable.h"

namespace calyra {

using namespace resources;
namespace props = platform::outlook;

namespace {

struct LabelledTag {
  unsigned label;
  CEPROPID tag;
};

constexpr LabelledTag kPhones[] = {
    {kStringSummaryWorkPhone, props::kPropContactBusinessTelephoneNumber},
    {kStringSummaryWorkPhone, props::kPropContactBusiness2TelephoneNumber},
    {kStringSummaryHomePhone, props::kPropContactHomeTelephoneNumber},
    {kStringSummaryHomePhone, props::kPropContactHome2TelephoneNumber},
    {kStringSummaryMobilePhone, props::kPropContactMobileTelephoneNumber},
    {kStringSummaryFax, props::kPropContactBusinessFaxNumber},
    {kStringSummaryFax, props::kPropContactHomeFaxNumber},
};

constexpr CEPROPID kEmails[] = {props::kPropContactEmail1Address, props::kPropContactEmail2Address,
                                props::kPropContactEmail3Address};

struct AddressTags {
  unsigned label;
  CEPROPID street;
  CEPROPID city;
  CEPROPID state;
  CEPROPID postalCode;
  CEPROPID country;
};

constexpr AddressTags kAddresses[] = {
    {kStringSummaryWorkAddress, props::kPropContactBusinessAddressStreet,
     props::kPropContactBusinessAddressCity, props::kPropContactBusinessAddressState,
     props::kPropContactBusinessAddressPostalCode, props::kPropContactBusinessAddressCountry},
    {kStringSummaryHomeAddress, props::kPropContactHomeAddressStreet, props::kPropContactHomeAddressCity,
     props::kPropContactHomeAddressState, props::kPropContactHomeAddressPostalCode,
     props::kPropContactHomeAddressCountry},
    {kStringSummaryOtherAddress, props::kPropContactOtherAddressStreet, props::kPropContactOtherAddressCity,
     props::kPropContactOtherAddressState, props::kPropContactOtherAddressPostalCode,
     props::kPropContactOtherAddressCountry},
};

std::u16string AddressOf(const CPIMContact& contact, const AddressTags& tags) {
  std::u16string country = contact.Text(tags.country);
  return AddressText(contact.Text(tags.street),
                     ComposedCityLine(Component::Process().Countries(), country, contact.Text(tags.city),
                                      contact.Text(tags.state), contact.Text(tags.postalCode)),
                     country);
}

void AddDate(lists::FieldTable& fields, unsigned label, const SYSTEMTIME& date) {
  if (platform::IsDateSet(date)) fields.AddValue(SummaryText(label), SummaryDate(date, false));
}

}  // namespace

std::u16string ContactFullName(const CPIMContact& contact) {
  std::u16string name;
  for (CEPROPID tag : {props::kPropContactTitle, props::kPropContactFirstName, props::kPropContactMiddleName,
                       props::kPropContactLastName, props::kPropContactSuffix}) {
    std::u16string part = contact.Text(tag);
    if (!part.empty()) name += (name.empty() ? u"" : u" ") + part;
  }
  return name;
}

std::unique_ptr<lists::FieldTable> ContactSummaryFields(ItemOid oid, const ItemContext& context) {
  auto fields = std::make_unique<lists::FieldTable>();
  CPIMContact contact;
  contact.oid = oid;
  if (!contact.Load(context)) return fields;
  fields->AddHeading(contact.DisplayText(), lists::kRowBold | lists::kRowLineBelow);
  fields->AddValue(SummaryText(kStringColumnName), ContactFullName(contact));
  fields->AddValue(SummaryText(kStringSummaryCompany), contact.Text(props::kPropContactCompanyName));
  fields->AddValue(SummaryText(kStringSummaryJobTitle), contact.Text(props::kPropContactJobTitle));
  for (const LabelledTag& phone : kPhones) {
    fields->AddValue(SummaryText(phone.label), contact.Text(phone.tag), 0, lists::kFieldLabelBeside);
  }
  for (CEPROPID email : kEmails) {
    fields->AddValue(SummaryText(kStringColumnEmail), contact.Text(email), lists::kRowEmail);
  }
  fields->AddValue(SummaryText(kStringSummaryWebPage), contact.Text(props::kPropContactWebPage),
                   lists::kRowWeb);
  for (const AddressTags& address : kAddresses) {
    fields->AddValue(SummaryText(address.label), AddressOf(contact, address));
  }
  AddDate(*fields, kStringSummaryBirthday, contact.birthday);
  AddDate(*fields, kStringSummaryAnniversary, contact.anniversary);
  return fields;
}

}  // namespace calyra
