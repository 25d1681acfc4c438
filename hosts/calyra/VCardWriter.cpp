#include "hosts/calyra/VCardWriter.h"

#include <array>
#include <utility>

#include "hosts/calyra/ImportCategories.h"
#include "hosts/calyra/ItemNotes.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMContact.h"
#include "text/ContactNameFormat.h"

namespace calyra::host {

namespace {

using namespace platform::outlook;

// The phone fields in the order of VCardContact::phones.
constexpr CEPROPID kPhones[VCardContact::kPhones] = {
    kPropContactBusinessTelephoneNumber,
    kPropContactBusiness2TelephoneNumber,
    kPropContactHomeTelephoneNumber,
    kPropContactHome2TelephoneNumber,
    kPropContactMobileTelephoneNumber,
    kPropContactCarTelephoneNumber,
    kPropContactPagerNumber,
    kPropContactBusinessFaxNumber,
    kPropContactHomeFaxNumber,
    kPropContactAssistantTelephoneNumber,
    kPropContactRadioTelephoneNumber,
};
constexpr CEPROPID kEmails[3] = {kPropContactEmail1Address, kPropContactEmail2Address,
                                 kPropContactEmail3Address};

void Put(CPIMContact* item, CEPROPID tag, const std::string& text) {
  if (!text.empty()) item->SetText(tag, platform::FromUtf8(text));
}

// The street, city, state, postal code and country fields of one address.
using AddressTags = std::array<CEPROPID, 5>;
constexpr AddressTags kHomeAddress = {kPropContactHomeAddressStreet, kPropContactHomeAddressCity,
                                      kPropContactHomeAddressState, kPropContactHomeAddressPostalCode,
                                      kPropContactHomeAddressCountry};
constexpr AddressTags kBusinessAddress = {
    kPropContactBusinessAddressStreet, kPropContactBusinessAddressCity, kPropContactBusinessAddressState,
    kPropContactBusinessAddressPostalCode, kPropContactBusinessAddressCountry};
constexpr AddressTags kOtherAddress = {kPropContactOtherAddressStreet, kPropContactOtherAddressCity,
                                       kPropContactOtherAddressState, kPropContactOtherAddressPostalCode,
                                       kPropContactOtherAddressCountry};

void PutAddress(CPIMContact* item, const AddressTags& tags, const VCardContact::Address& address) {
  const std::string* parts[] = {&address.street, &address.city, &address.state, &address.postalCode,
                                &address.country};
  for (size_t i = 0; i < tags.size(); ++i) Put(item, tags[i], *parts[i]);
}

SYSTEMTIME DateOf(const std::optional<VCardContact::Date>& date) {
  if (!date) return platform::kNoDateSystemTime;
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date->year);
  time.wMonth = static_cast<WORD>(date->month);
  time.wDay = static_cast<WORD>(date->day);
  return time;
}

std::u16string FileAsOf(const VCardContact& contact) {
  if (!contact.fileAs.empty()) return platform::FromUtf8(contact.fileAs);
  ContactName name{platform::FromUtf8(contact.first), platform::FromUtf8(contact.middle),
                   platform::FromUtf8(contact.last), platform::FromUtf8(contact.suffix),
                   platform::FromUtf8(contact.company)};
  FileAsFormat format = FileAsFormat::LastFirstMiddle;
  std::u16string fileAs = BuildFileAs(format, name, {}, {});
  return fileAs.empty() ? platform::FromUtf8(contact.fullName) : fileAs;
}

}  // namespace

CEOID SaveVCardContact(const VCardContact& contact, ImportCategories& known, std::u16string* fileAs) {
  CPIMContact item;
  *fileAs = FileAsOf(contact);
  item.SetText(CPIMContact::kFileAs, *fileAs);
  Put(&item, kPropContactTitle, contact.title);
  Put(&item, kPropContactFirstName, contact.first);
  Put(&item, kPropContactMiddleName, contact.middle);
  Put(&item, kPropContactLastName, contact.last);
  Put(&item, kPropContactSuffix, contact.suffix);
  Put(&item, kPropContactNickname, contact.nickname);
  Put(&item, kPropContactCompanyName, contact.company);
  Put(&item, kPropContactDepartment, contact.department);
  Put(&item, kPropContactJobTitle, contact.jobTitle);
  Put(&item, kPropContactWebPage, contact.webPage);
  if (!contact.notes.empty()) {
    item.hasNotes = true;
    item.notes = NotesBlobOfText(platform::FromUtf8(contact.notes), item.NotesCapacity());
  }
  for (size_t i = 0; i < contact.emails.size(); ++i) Put(&item, kEmails[i], contact.emails[i]);
  for (size_t i = 0; i < contact.phones.size(); ++i) Put(&item, kPhones[i], contact.phones[i]);
  PutAddress(&item, kHomeAddress, contact.home);
  PutAddress(&item, kBusinessAddress, contact.work);
  PutAddress(&item, kOtherAddress, contact.other);
  std::string categories;
  for (const std::string& category : contact.categories)
    categories += (categories.empty() ? "" : ", ") + category;
  Put(&item, kPropContactCategories, categories);
  item.categories = known.SetOf(contact.categories);
  item.editedBirthday = DateOf(contact.birthday);
  item.editedAnniversary = DateOf(contact.anniversary);
  ItemContext context;
  context.categoryCounts = known.Counts();
  if (FAILED(item.Save(context))) return 0;
  return item.oid;
}

}  // namespace calyra::host
