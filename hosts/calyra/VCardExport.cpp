#include "hosts/calyra/VCardExport.h"

#include <libebook-contacts/libebook-contacts.h>

#include <fstream>
#include <optional>
#include <vector>

#include "hosts/calyra/ItemNotes.h"
#include "hosts/calyra/OutlookItems.h"
#include "hosts/calyra/VCardCommands.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "store/PimItem.h"
#include "text/ContactPhotos.h"

namespace calyra::host {

namespace {

// A vCard text: lines end in LF, which the library escapes as \n.
std::string CardText(const std::u16string& text) {
  std::string utf8 = platform::ToUtf8(text);
  std::string result;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    result += utf8[i];
  }
  return result;
}

std::string Read(IContact* contact, HRESULT (IContact::*get)(BSTR*)) {
  return CardText(ReadText(contact, get));
}

std::optional<VCardContact::Date> ReadDate(IContact* contact, HRESULT (IContact::*get)(DATE*)) {
  DATE date = 0;
  SYSTEMTIME time{};
  if (FAILED((contact->*get)(&date)) || date >= platform::kNoDate || !VariantTimeToSystemTime(date, &time) ||
      !platform::IsDateSet(time)) {
    return std::nullopt;
  }
  return VCardContact::Date{time.wYear, time.wMonth, time.wDay};
}

VCardContact::Address ReadAddress(IContact* c, HRESULT (IContact::*street)(BSTR*),
                                  HRESULT (IContact::*city)(BSTR*), HRESULT (IContact::*state)(BSTR*),
                                  HRESULT (IContact::*code)(BSTR*), HRESULT (IContact::*country)(BSTR*)) {
  return {Read(c, street), Read(c, city), Read(c, state), Read(c, code), Read(c, country)};
}

std::vector<std::string> SplitCategories(const std::string& text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = std::min(text.find(',', start), text.size());
    std::string name = text.substr(start, comma - start);
    size_t first = name.find_first_not_of(' ');
    size_t last = name.find_last_not_of(' ');
    if (first != std::string::npos) names.push_back(name.substr(first, last - first + 1));
    start = comma + 1;
  }
  return names;
}

// The vCard types of each of the device's telephone numbers.
constexpr const char* kPhoneTypes[VCardContact::kPhones][2] = {
    {"WORK", "VOICE"},
    {"WORK", "VOICE"},
    {"HOME", "VOICE"},
    {"HOME", "VOICE"},
    {"CELL", nullptr},
    {"CAR", nullptr},
    {"PAGER", nullptr},
    {"WORK", "FAX"},
    {"HOME", "FAX"},
    {"X-EVOLUTION-ASSISTANT", nullptr},
    {"X-EVOLUTION-RADIO", nullptr},
};

void AddAttribute(EVCard* card, const char* name, const std::string& value, const char* type1 = nullptr,
                  const char* type2 = nullptr) {
  EVCardAttribute* attribute = e_vcard_attribute_new(nullptr, name);
  if (type1) {
    EVCardAttributeParam* param = e_vcard_attribute_param_new(EVC_TYPE);
    e_vcard_attribute_param_add_value(param, type1);
    if (type2) e_vcard_attribute_param_add_value(param, type2);
    e_vcard_attribute_add_param(attribute, param);
  }
  e_vcard_append_attribute_with_value(card, attribute, value.c_str());
}

void SetText(EContact* card, EContactField field, const std::string& value) {
  if (!value.empty()) e_contact_set(card, field, value.c_str());
}

void SetDate(EContact* card, EContactField field, const std::optional<VCardContact::Date>& date) {
  if (!date) return;
  EContactDate value{static_cast<guint>(date->year), static_cast<guint>(date->month),
                     static_cast<guint>(date->day)};
  e_contact_set(card, field, &value);
}

void SetAddress(EContact* card, EContactField field, const VCardContact::Address& address) {
  if (address.Empty()) return;
  EContactAddress value{};
  value.street = const_cast<char*>(address.street.c_str());
  value.locality = const_cast<char*>(address.city.c_str());
  value.region = const_cast<char*>(address.state.c_str());
  value.code = const_cast<char*>(address.postalCode.c_str());
  value.country = const_cast<char*>(address.country.c_str());
  value.po = const_cast<char*>("");
  value.ext = const_cast<char*>("");
  e_contact_set(card, field, &value);
}

const char* PhotoMimeType(const std::vector<unsigned char>& photo) {
  switch (PhotoFormatOf(photo.data(), photo.size())) {
    case PhotoFormat::kGif:
      return "image/gif";
    case PhotoFormat::kBmp:
      return "image/bmp";
    default:
      return "image/jpeg";
  }
}

std::string WriteCard(const VCardContact& contact) {
  EContact* card = e_contact_new();
  EContactName name{};
  name.family = const_cast<char*>(contact.last.c_str());
  name.given = const_cast<char*>(contact.first.c_str());
  name.additional = const_cast<char*>(contact.middle.c_str());
  name.prefixes = const_cast<char*>(contact.title.c_str());
  name.suffixes = const_cast<char*>(contact.suffix.c_str());
  e_contact_set(card, E_CONTACT_NAME, &name);
  SetText(card, E_CONTACT_FULL_NAME, contact.fullName);
  SetText(card, E_CONTACT_FILE_AS, contact.fileAs);
  SetText(card, E_CONTACT_NICKNAME, contact.nickname);
  SetText(card, E_CONTACT_ORG, contact.company);
  SetText(card, E_CONTACT_ORG_UNIT, contact.department);
  SetText(card, E_CONTACT_TITLE, contact.jobTitle);
  for (const std::string& email : contact.emails) {
    if (!email.empty()) AddAttribute(E_VCARD(card), EVC_EMAIL, email, "INTERNET");
  }
  for (size_t i = 0; i < contact.phones.size(); ++i) {
    if (!contact.phones[i].empty()) {
      AddAttribute(E_VCARD(card), EVC_TEL, contact.phones[i], kPhoneTypes[i][0], kPhoneTypes[i][1]);
    }
  }
  SetAddress(card, E_CONTACT_ADDRESS_HOME, contact.home);
  SetAddress(card, E_CONTACT_ADDRESS_WORK, contact.work);
  SetAddress(card, E_CONTACT_ADDRESS_OTHER, contact.other);
  SetText(card, E_CONTACT_HOMEPAGE_URL, contact.webPage);
  SetDate(card, E_CONTACT_BIRTH_DATE, contact.birthday);
  SetDate(card, E_CONTACT_ANNIVERSARY, contact.anniversary);
  SetText(card, E_CONTACT_NOTE, contact.notes);
  if (!contact.categories.empty()) {
    GList* categories = nullptr;
    for (const std::string& category : contact.categories) {
      categories = g_list_append(categories, const_cast<char*>(category.c_str()));
    }
    e_contact_set(card, E_CONTACT_CATEGORY_LIST, categories);
    g_list_free(categories);
  }
  if (!contact.photo.empty()) {
    EContactPhoto* photo = e_contact_photo_new();
    e_contact_photo_set_inlined(photo, contact.photo.data(), contact.photo.size());
    e_contact_photo_set_mime_type(photo, PhotoMimeType(contact.photo));
    e_contact_set(card, E_CONTACT_PHOTO, photo);
    e_contact_photo_free(photo);
  }
  gchar* text = e_vcard_to_string(E_VCARD(card), EVC_FORMAT_VCARD_30);
  std::string result = text ? text : "";
  g_free(text);
  g_object_unref(card);
  return result;
}

}  // namespace

VCardContact ContactOfDevice(IContact* c) {
  VCardContact contact;
  contact.fileAs = Read(c, &IContact::get_FileAs);
  contact.first = Read(c, &IContact::get_FirstName);
  contact.middle = Read(c, &IContact::get_MiddleName);
  contact.last = Read(c, &IContact::get_LastName);
  contact.suffix = Read(c, &IContact::get_Suffix);
  contact.title = Read(c, &IContact::get_Title);
  contact.nickname = Read(c, &IContact::get_Nickname);
  contact.company = Read(c, &IContact::get_CompanyName);
  contact.department = Read(c, &IContact::get_Department);
  contact.jobTitle = Read(c, &IContact::get_JobTitle);
  // The card's formatted name: the name as it is spoken, else the file-as text.
  for (const std::string* part :
       {&contact.title, &contact.first, &contact.middle, &contact.last, &contact.suffix}) {
    if (part->empty()) continue;
    if (!contact.fullName.empty()) contact.fullName += ' ';
    contact.fullName += *part;
  }
  if (contact.fullName.empty()) contact.fullName = contact.fileAs;
  contact.emails = {Read(c, &IContact::get_Email1Address), Read(c, &IContact::get_Email2Address),
                    Read(c, &IContact::get_Email3Address)};
  contact.phones = {Read(c, &IContact::get_BusinessTelephoneNumber),
                    Read(c, &IContact::get_Business2TelephoneNumber),
                    Read(c, &IContact::get_HomeTelephoneNumber),
                    Read(c, &IContact::get_Home2TelephoneNumber),
                    Read(c, &IContact::get_MobileTelephoneNumber),
                    Read(c, &IContact::get_CarTelephoneNumber),
                    Read(c, &IContact::get_PagerNumber),
                    Read(c, &IContact::get_BusinessFaxNumber),
                    Read(c, &IContact::get_HomeFaxNumber),
                    Read(c, &IContact::get_AssistantTelephoneNumber),
                    Read(c, &IContact::get_RadioTelephoneNumber)};
  contact.home = ReadAddress(c, &IContact::get_HomeAddressStreet, &IContact::get_HomeAddressCity,
                             &IContact::get_HomeAddressState, &IContact::get_HomeAddressPostalCode,
                             &IContact::get_HomeAddressCountry);
  contact.work = ReadAddress(c, &IContact::get_BusinessAddressStreet, &IContact::get_BusinessAddressCity,
                             &IContact::get_BusinessAddressState, &IContact::get_BusinessAddressPostalCode,
                             &IContact::get_BusinessAddressCountry);
  contact.other = ReadAddress(c, &IContact::get_OtherAddressStreet, &IContact::get_OtherAddressCity,
                              &IContact::get_OtherAddressState, &IContact::get_OtherAddressPostalCode,
                              &IContact::get_OtherAddressCountry);
  contact.webPage = Read(c, &IContact::get_WebPage);
  contact.birthday = ReadDate(c, &IContact::get_Birthday);
  contact.anniversary = ReadDate(c, &IContact::get_Anniversary);
  LONG oid = 0;
  c->get_Oid(&oid);
  contact.notes = CardText(NotesText(c, static_cast<ItemOid>(oid), calyra::ItemKind::Contact));
  contact.categories = SplitCategories(Read(c, &IContact::get_Categories));
  std::vector<BYTE> photo = ReadContactPhotoFile(platform::FromUtf8(contact.fileAs));
  contact.photo.assign(photo.begin(), photo.end());
  return contact;
}

std::string WriteVCards(const std::vector<VCardContact>& contacts) {
  std::string text;
  for (const VCardContact& contact : contacts) text += WriteCard(contact) + "\r\n";
  return text;
}

int ExportContacts(const std::string& path, std::FILE* out, std::FILE* err) {
  OutlookItems items;
  std::string error;
  if (!items.Open(nullptr, &error)) {
    std::fprintf(err, "calyra: %s\n", error.c_str());
    return 1;
  }
  std::vector<VCardContact> contacts;
  for (const auto& item : items.Items(ItemKind::kContact)) {
    platform::ComPtr<IContact> contact = item.As<IContact>(IID_IContact);
    if (contact) contacts.push_back(ContactOfDevice(contact.Get()));
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  std::string text = WriteVCards(contacts);
  if (!file || !file.write(text.data(), static_cast<std::streamsize>(text.size())) || !file.flush()) {
    std::fprintf(err, "calyra: cannot write %s\n", path.c_str());
    return 1;
  }
  std::fprintf(out, "exported %zu contacts to %s\n", contacts.size(), path.c_str());
  return 0;
}

}  // namespace calyra::host
