#include "hosts/calyra/VCardReader.h"

#include <libebook-contacts/libebook-contacts.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string_view>

namespace calyra::host {

namespace {

// One card of the file: its text, given to the library, and where it stands.
struct CardText {
  std::string text;
  int firstLine = 0;
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (size_t i = 0; i + part.size() <= text.size(); ++i) {
    if (EqualsIgnoringCase(text.substr(i, part.size()), part)) return true;
  }
  return false;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string_view TrimEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
    line.remove_suffix(1);
  return line;
}

bool Fail(VCardError* error, int line, int card, std::string message) {
  *error = {line, card, std::move(message)};
  return false;
}

// The line of the first byte that is not UTF-8, or 0 when the text is UTF-8.
int FirstLineNotUtf8(std::string_view text) {
  const gchar* end = nullptr;
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), &end)) return 0;
  return 1 + static_cast<int>(std::count(text.data(), end, '\n'));
}

// Cuts the file into cards, checking that BEGIN:VCARD and END:VCARD pair up and that only blank
// lines stand outside the cards. A quoted-printable value broken with a soft line break ('=' at the
// end of the line, as 2.1 writers do) is joined here: the library does not join such lines.
bool SplitCards(std::string_view text, std::vector<CardText>* cards, VCardError* error) {
  bool inCard = false;
  bool joining = false;  // the last line ended in a quoted-printable soft line break
  CardText card;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    start = end + 1;
    ++lineNumber;
    std::string_view line = TrimEnd(raw);
    int cardNumber = static_cast<int>(cards->size()) + 1;
    if (EqualsIgnoringCase(line, "BEGIN:VCARD")) {
      if (inCard) {
        return Fail(
            error, lineNumber, cardNumber,
            "BEGIN:VCARD before the END:VCARD of the card begun on line " + std::to_string(card.firstLine));
      }
      inCard = true;
      joining = false;
      card = {std::string(line) + "\r\n", lineNumber};
      continue;
    }
    if (EqualsIgnoringCase(line, "END:VCARD")) {
      if (!inCard) return Fail(error, lineNumber, 0, "END:VCARD without a BEGIN:VCARD");
      card.text += "END:VCARD\r\n";
      cards->push_back(std::move(card));
      inCard = false;
      continue;
    }
    if (!inCard) {
      if (!line.empty()) return Fail(error, lineNumber, 0, "text outside BEGIN:VCARD ... END:VCARD");
      continue;
    }
    if (joining) {
      // The soft line break of the previous line is dropped, and this line continues it.
      card.text.resize(card.text.size() - 3);
      card.text += std::string(raw) + "\r\n";
      joining = !raw.empty() && raw.back() == '=';
      continue;
    }
    if (line.empty()) continue;
    bool continuation = raw.front() == ' ' || raw.front() == '\t';
    if (!continuation) {
      size_t colon = raw.find(':');
      if (colon == std::string_view::npos) {
        return Fail(error, lineNumber, cardNumber, "the line is not a property (NAME:value)");
      }
      joining = raw.back() == '=' && ContainsIgnoringCase(raw.substr(0, colon), "QUOTED-PRINTABLE");
    }
    card.text += std::string(raw) + "\r\n";
  }
  if (inCard)
    return Fail(error, card.firstLine, static_cast<int>(cards->size()) + 1, "the card has no END:VCARD");
  if (cards->empty()) return Fail(error, lineNumber, 0, "no BEGIN:VCARD in the file");
  return true;
}

// What the library complains of while it reads a card: a card it cannot read is a fault of the file.
struct LibraryComplaints {
  std::vector<std::string> messages;
};

void CollectComplaint(const gchar*, GLogLevelFlags, const gchar* message, gpointer data) {
  static_cast<LibraryComplaints*>(data)->messages.emplace_back(message ? message : "");
}

// Keeps the library's warnings for the duration of one card, instead of printing them.
class ComplaintCatcher {
 public:
  explicit ComplaintCatcher(LibraryComplaints* complaints)
      : handler_(g_log_set_handler("libebook-contacts",
                                   static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL |
                                                               G_LOG_LEVEL_MESSAGE | G_LOG_FLAG_RECURSION),
                                   CollectComplaint, complaints)) {}
  ~ComplaintCatcher() { g_log_remove_handler("libebook-contacts", handler_); }
  ComplaintCatcher(const ComplaintCatcher&) = delete;
  ComplaintCatcher& operator=(const ComplaintCatcher&) = delete;

 private:
  guint handler_;
};

struct ObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
using ContactPtr = std::unique_ptr<EContact, ObjectUnref>;

// A text of the device: lines end in CR LF, as the handheld's edit controls write them.
std::string DeviceText(const char* text) {
  std::string result;
  if (!text) return result;
  for (const char* p = text; *p; ++p) {
    if (*p == '\r' && p[1] == '\n') continue;
    if (*p == '\n') result += '\r';
    result += *p;
  }
  return result;
}

// A string field of the contact; the library gives it decoded and unescaped.
std::string Field(EContact* contact, EContactField field) {
  gchar* text = static_cast<gchar*>(e_contact_get(contact, field));
  std::string result = DeviceText(text);
  g_free(text);
  return result;
}

// The first value of the card's attribute `name`, or empty.
std::string AttributeText(EContact* contact, const char* name) {
  EVCardAttribute* attribute = e_vcard_get_attribute(E_VCARD(contact), name);
  if (!attribute) return {};
  gchar* text = e_vcard_attribute_get_value(attribute);
  std::string result = DeviceText(text);
  g_free(text);
  return result;
}

// The lower-case types of an attribute. 2.1 writes them as bare parameters (TEL;WORK;VOICE), which
// the library turns into TYPE; 4.0 may quote a list ("voice,work"), which it keeps as one value.
std::vector<std::string> Types(EVCardAttribute* attribute) {
  std::vector<std::string> types;
  for (GList* value = e_vcard_attribute_get_param(attribute, EVC_TYPE); value; value = value->next) {
    std::string text = static_cast<const char*>(value->data);
    size_t start = 0;
    while (start <= text.size()) {
      size_t comma = std::min(text.find(',', start), text.size());
      std::string type = text.substr(start, comma - start);
      type.erase(std::remove(type.begin(), type.end(), '"'), type.end());
      if (!type.empty()) types.push_back(Lower(type));
      start = comma + 1;
    }
  }
  return types;
}

bool HasType(const std::vector<std::string>& types, std::string_view type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

// The first of `slots` not yet taken gets the number; when all are taken the device has no room.
void PutPhone(VCardContact* contact, std::initializer_list<VCardContact::Phone> slots,
              const std::string& number) {
  for (VCardContact::Phone slot : slots) {
    if (contact->phones[slot].empty()) {
      contact->phones[slot] = number;
      return;
    }
  }
}

void ReadPhone(EVCardAttribute* attribute, VCardContact* contact) {
  gchar* value = e_vcard_attribute_get_value(attribute);
  std::string number = value ? value : "";
  g_free(value);
  if (number.size() > 4 && EqualsIgnoringCase(std::string_view(number).substr(0, 4), "tel:"))
    number.erase(0, 4);
  if (number.empty()) return;
  std::vector<std::string> types = Types(attribute);
  bool work = HasType(types, "work");
  bool home = HasType(types, "home");
  using P = VCardContact::Phone;
  if (HasType(types, "fax")) {
    if (home && !work) return PutPhone(contact, {P::kHomeFax, P::kWorkFax}, number);
    return PutPhone(contact, {P::kWorkFax, P::kHomeFax}, number);
  }
  if (HasType(types, "cell")) return PutPhone(contact, {P::kMobile}, number);
  if (HasType(types, "car")) return PutPhone(contact, {P::kCar}, number);
  if (HasType(types, "pager")) return PutPhone(contact, {P::kPager}, number);
  if (HasType(types, "x-evolution-assistant") || HasType(types, "assistant")) {
    return PutPhone(contact, {P::kAssistant}, number);
  }
  if (HasType(types, "x-evolution-radio") || HasType(types, "radio"))
    return PutPhone(contact, {P::kRadio}, number);
  if (work) return PutPhone(contact, {P::kWork, P::kWork2}, number);
  PutPhone(contact, {P::kHome, P::kHome2, P::kWork, P::kWork2}, number);
}

void ReadAddress(EVCardAttribute* attribute, VCardContact* contact) {
  std::vector<std::string> types = Types(attribute);
  VCardContact::Address* address = HasType(types, "home")   ? &contact->home
                                   : HasType(types, "work") ? &contact->work
                                                            : &contact->other;
  if (!address->Empty()) return;  // the device keeps one address of each kind: the first
  std::vector<std::string> parts;
  for (GList* value = e_vcard_attribute_get_values(attribute); value; value = value->next) {
    parts.push_back(DeviceText(static_cast<const char*>(value->data)));
  }
  parts.resize(7);
  // Post office box and extended address go before the street, each on its own line.
  std::string street;
  for (int i : {0, 1, 2}) {
    if (parts[i].empty()) continue;
    if (!street.empty()) street += "\r\n";
    street += parts[i];
  }
  *address = {street, parts[3], parts[4], parts[5], parts[6]};
}

// A date of BDAY or ANNIVERSARY. A date without a year (4.0's "--MMDD") is not kept: the device's
// dates have years. False when the text is not a date.
bool ReadDate(const std::string& text, std::optional<VCardContact::Date>* date) {
  if (text.empty() || text.rfind("--", 0) == 0) return true;
  EContactDate* parsed = e_contact_date_from_string(text.c_str());
  if (!parsed) return false;
  VCardContact::Date result{static_cast<int>(parsed->year), static_cast<int>(parsed->month),
                            static_cast<int>(parsed->day)};
  e_contact_date_free(parsed);
  if (result.year < 1900 || result.year > 2999 || result.month < 1 || result.month > 12 ||
      !g_date_valid_dmy(static_cast<GDateDay>(result.day), static_cast<GDateMonth>(result.month),
                        static_cast<GDateYear>(result.year))) {
    return false;
  }
  *date = result;
  return true;
}

bool AllUtf8(const VCardContact& contact) {
  auto valid = [](const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
  };
  std::vector<const std::string*> texts = {
      &contact.fileAs,   &contact.fullName, &contact.first,    &contact.middle,  &contact.last,
      &contact.suffix,   &contact.title,    &contact.nickname, &contact.company, &contact.department,
      &contact.jobTitle, &contact.webPage,  &contact.notes};
  for (const auto* address : {&contact.home, &contact.work, &contact.other}) {
    for (const std::string* part :
         {&address->street, &address->city, &address->state, &address->postalCode, &address->country}) {
      texts.push_back(part);
    }
  }
  for (const std::string& text : contact.emails) texts.push_back(&text);
  for (const std::string& text : contact.phones) texts.push_back(&text);
  for (const std::string& text : contact.categories) texts.push_back(&text);
  return std::all_of(texts.begin(), texts.end(), [&](const std::string* text) { return valid(*text); });
}

// Only the formats the device's contact photos are looked for in are kept.
bool IsPhotoFormat(const unsigned char* data, size_t size) {
  return PhotoFormatOf(data, size) != PhotoFormat::kNone;
}

// Version 4.0 puts an inline picture in a data URI, which the library splits at its comma as a list
// of values; linked pictures are not fetched.
void ReadPhotoDataUri(EContact* c, VCardContact* contact) {
  EVCardAttribute* attribute = e_vcard_get_attribute(E_VCARD(c), EVC_PHOTO);
  std::string uri;
  for (GList* value = attribute ? e_vcard_attribute_get_values(attribute) : nullptr; value;
       value = value->next) {
    uri += (uri.empty() ? "" : ",") + std::string(static_cast<const char*>(value->data));
  }
  constexpr std::string_view kBase64 = ";base64,";
  size_t start = uri.find(kBase64);
  if (uri.rfind("data:", 0) != 0 || start == std::string::npos) return;
  gsize size = 0;
  guchar* decoded = g_base64_decode(uri.c_str() + start + kBase64.size(), &size);
  if (decoded && IsPhotoFormat(decoded, size)) contact->photo.assign(decoded, decoded + size);
  g_free(decoded);
}

void ReadPhoto(EContact* c, VCardContact* contact) {
  auto* photo = static_cast<EContactPhoto*>(e_contact_get(c, E_CONTACT_PHOTO));
  if (!photo) {
    ReadPhotoDataUri(c, contact);
    return;
  }
  gsize size = 0;
  const guchar* data = e_contact_photo_get_inlined(photo, &size);
  bool inlined = data != nullptr;
  if (inlined && IsPhotoFormat(data, size)) contact->photo.assign(data, data + size);
  e_contact_photo_free(photo);
  if (!inlined) ReadPhotoDataUri(c, contact);
}

bool ReadCard(const CardText& card, int number, VCardContact* contact, VCardError* error) {
  LibraryComplaints complaints;
  ContactPtr parsed;
  {
    ComplaintCatcher catcher(&complaints);
    parsed.reset(e_contact_new_from_vcard(card.text.c_str()));
  }
  if (!parsed || !complaints.messages.empty()) {
    return Fail(
        error, card.firstLine, number,
        "the card cannot be read" + (complaints.messages.empty() ? "" : ": " + complaints.messages[0]));
  }
  EContact* c = parsed.get();
  std::string version = AttributeText(c, EVC_VERSION);
  if (version != "2.1" && version != "3.0" && version != "4.0") {
    return Fail(
        error, card.firstLine, number,
        version.empty() ? "the card has no VERSION" : "VERSION " + version + " is not 2.1, 3.0 or 4.0");
  }
  contact->fileAs = AttributeText(c, "X-EVOLUTION-FILE-AS");
  contact->fullName = Field(c, E_CONTACT_FULL_NAME);
  if (EContactName* name = static_cast<EContactName*>(e_contact_get(c, E_CONTACT_NAME))) {
    contact->last = DeviceText(name->family);
    contact->first = DeviceText(name->given);
    contact->middle = DeviceText(name->additional);
    contact->title = DeviceText(name->prefixes);
    contact->suffix = DeviceText(name->suffixes);
    e_contact_name_free(name);
  }
  contact->nickname = Field(c, E_CONTACT_NICKNAME);
  contact->company = Field(c, E_CONTACT_ORG);
  contact->department = Field(c, E_CONTACT_ORG_UNIT);
  contact->jobTitle = Field(c, E_CONTACT_TITLE);
  contact->webPage = Field(c, E_CONTACT_HOMEPAGE_URL);
  contact->notes = Field(c, E_CONTACT_NOTE);
  GList* emails = static_cast<GList*>(e_contact_get(c, E_CONTACT_EMAIL));
  size_t next = 0;
  for (GList* email = emails; email && next < contact->emails.size(); email = email->next) {
    std::string address = DeviceText(static_cast<const char*>(email->data));
    if (!address.empty()) contact->emails[next++] = address;
  }
  g_list_free_full(emails, g_free);
  ReadPhoto(c, contact);
  GList* categories = static_cast<GList*>(e_contact_get(c, E_CONTACT_CATEGORY_LIST));
  for (GList* category = categories; category; category = category->next) {
    std::string text = DeviceText(static_cast<const char*>(category->data));
    if (!text.empty()) contact->categories.push_back(text);
  }
  g_list_free_full(categories, g_free);
  for (GList* item = e_vcard_get_attributes(E_VCARD(c)); item; item = item->next) {
    auto* attribute = static_cast<EVCardAttribute*>(item->data);
    const char* attributeName = e_vcard_attribute_get_name(attribute);
    if (EqualsIgnoringCase(attributeName, EVC_TEL)) ReadPhone(attribute, contact);
    if (EqualsIgnoringCase(attributeName, EVC_ADR)) ReadAddress(attribute, contact);
  }
  if (!ReadDate(AttributeText(c, EVC_BDAY), &contact->birthday)) {
    return Fail(error, card.firstLine, number, "BDAY is not a date");
  }
  std::string anniversary = AttributeText(c, "ANNIVERSARY");
  if (anniversary.empty()) anniversary = AttributeText(c, EVC_X_ANNIVERSARY);
  if (!ReadDate(anniversary, &contact->anniversary)) {
    return Fail(error, card.firstLine, number, "ANNIVERSARY is not a date");
  }
  if (!AllUtf8(*contact)) return Fail(error, card.firstLine, number, "a decoded value is not UTF-8");
  if (contact->fullName.empty() && contact->first.empty() && contact->last.empty() &&
      contact->company.empty()) {
    return Fail(error, card.firstLine, number, "the card has no name (N, FN or ORG)");
  }
  return true;
}

}  // namespace

bool ReadVCards(std::string_view text, std::vector<VCardContact>* contacts, VCardError* error) {
  contacts->clear();
  if (int line = FirstLineNotUtf8(text)) return Fail(error, line, 0, "the text is not UTF-8");
  std::vector<CardText> cards;
  if (!SplitCards(text, &cards, error)) return false;
  std::vector<VCardContact> read(cards.size());
  for (size_t i = 0; i < cards.size(); ++i) {
    if (!ReadCard(cards[i], static_cast<int>(i) + 1, &read[i], error)) return false;
  }
  *contacts = std::move(read);
  return true;
}

}  // namespace calyra::host
