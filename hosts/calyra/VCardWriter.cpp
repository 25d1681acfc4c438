#include "hosts/calyra/VCardWriter.h"

#include <utility>

#include "hosts/calyra/IcsWriter.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMContact.h"
#include "text/ContactNameFormat.h"

namespace calyra::host {

namespace {

// The model's tags of the contact's text fields (docs/OUTLOOK.md).
constexpr CEPROPID kTitle = 0x4002001F;
constexpr CEPROPID kFirstName = 0x3A06001F;
constexpr CEPROPID kMiddleName = 0x4004001F;
constexpr CEPROPID kLastName = 0x3A11001F;
constexpr CEPROPID kSuffix = 0x3A05001F;
constexpr CEPROPID kNickname = 0x4005001F;
constexpr CEPROPID kCompanyName = 0x3A16001F;
constexpr CEPROPID kDepartment = 0x3A18001F;
constexpr CEPROPID kJobTitle = 0x3A17001F;
constexpr CEPROPID kWebPage = 0x4023001F;
constexpr CEPROPID kCategories = 0x4025001F;
constexpr CEPROPID kBody = 0x4026001F;
constexpr CEPROPID kEmails[3] = {0x4083001F, 0x4093001F, 0x40A3001F};
constexpr CEPROPID kPhones[VCardContact::kPhones] = {
    0x3A08001F,  // business
    0x400A001F,  // business 2
    0x3A09001F,  // home
    0x3A2F001F,  // home 2
    0x3A1C001F,  // mobile
    0x3A1E001F,  // car
    0x4024001F,  // pager
    0x3A24001F,  // business fax
    0x3A25001F,  // home fax
    0x4009001F,  // assistant
    0x3A1D001F,  // radio
};
// Street, city, state, postal code and country of the home, business and other addresses.
constexpr CEPROPID kHomeAddress = 0x4040001F;
constexpr CEPROPID kBusinessAddress = 0x4045001F;
constexpr CEPROPID kOtherAddress = 0x404A001F;

void Put(CPIMContact* item, CEPROPID tag, const std::string& text) {
  if (!text.empty()) item->SetText(tag, platform::FromUtf8(text));
}

void PutAddress(CPIMContact* item, CEPROPID first, const VCardContact::Address& address) {
  const std::string* parts[] = {&address.street, &address.city, &address.state, &address.postalCode,
                                &address.country};
  for (CEPROPID i = 0; i < 5; ++i) Put(item, first + (i << 16), *parts[i]);
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

CEOID SaveVCardContact(const VCardContact& contact, std::u16string* fileAs) {
  CPIMContact item;
  *fileAs = FileAsOf(contact);
  item.SetText(CPIMContact::kFileAs, *fileAs);
  Put(&item, kTitle, contact.title);
  Put(&item, kFirstName, contact.first);
  Put(&item, kMiddleName, contact.middle);
  Put(&item, kLastName, contact.last);
  Put(&item, kSuffix, contact.suffix);
  Put(&item, kNickname, contact.nickname);
  Put(&item, kCompanyName, contact.company);
  Put(&item, kDepartment, contact.department);
  Put(&item, kJobTitle, contact.jobTitle);
  Put(&item, kWebPage, contact.webPage);
  Put(&item, kBody, contact.notes);
  for (size_t i = 0; i < contact.emails.size(); ++i) Put(&item, kEmails[i], contact.emails[i]);
  for (size_t i = 0; i < contact.phones.size(); ++i) Put(&item, kPhones[i], contact.phones[i]);
  PutAddress(&item, kHomeAddress, contact.home);
  PutAddress(&item, kBusinessAddress, contact.work);
  PutAddress(&item, kOtherAddress, contact.other);
  std::string categories;
  for (const std::string& category : contact.categories)
    categories += (categories.empty() ? "" : ", ") + category;
  Put(&item, kCategories, categories);
  item.categories = CategorySet::FromNumbers(ics::CategoryNumbers(contact.categories));
  item.editedBirthday = DateOf(contact.birthday);
  item.editedAnniversary = DateOf(contact.anniversary);
  if (FAILED(item.Save(ItemContext{}))) return 0;
  return item.oid;
}

}  // namespace calyra::host
