#include "text/FieldCodes.h"

#include <algorithm>

#include "platform/core/LocalMemory.h"
#include "platform/core/System.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"

namespace calyra {

const FieldCode kContactCodes[kContactCodeCount] = {
    {4000, u"[ti]", 41000}, {4001, u"[fn]", 41001}, {4002, u"[mn]", 41002}, {4003, u"[ln]", 41003},
    {4004, u"[su]", 41004}, {4005, u"[fa]", 41005}, {4006, u"[jt]", 41006}, {4007, u"[dp]", 41007},
    {4008, u"[co]", 41008}, {4009, u"[wt]", 41009}, {4010, u"[w2]", 41010}, {4011, u"[ht]", 41011},
    {4012, u"[h2]", 41012}, {4013, u"[mt]", 41013}, {4014, u"[pg]", 41014}, {4015, u"[ct]", 41015},
    {4016, u"[wf]", 41016}, {4017, u"[hf]", 41017}, {4018, u"[at]", 41018}, {4019, u"[rt]", 41019},
    {4020, u"[em]", 41020}, {4021, u"[e2]", 41021}, {4022, u"[e3]", 41022}, {4023, u"[wp]", 41023},
    {4024, u"[wa]", 41024}, {4025, u"[wc]", 41025}, {4026, u"[ws]", 41026}, {4027, u"[wz]", 41027},
    {4028, u"[wy]", 41028}, {4029, u"[of]", 41029}, {4030, u"[ha]", 41030}, {4031, u"[hc]", 41031},
    {4032, u"[hs]", 41032}, {4033, u"[hz]", 41033}, {4034, u"[hy]", 41034}, {4035, u"[oa]", 41035},
    {4036, u"[oc]", 41036}, {4037, u"[os]", 41037}, {4038, u"[oz]", 41038}, {4039, u"[oy]", 41039},
    {4040, u"[cg]", 41040}, {4041, u"[as]", 41041}, {4042, u"[bd]", 41042}, {4043, u"[ad]", 41043},
    {4044, u"[sp]", 41044}, {4045, u"[ch]", 41045}, {4050, u"[fy]", 41046}, {4051, u"[ly]", 41047},
    {4052, u"[cy]", 41048},
};

const FieldCode kGeneralCodes[kGeneralCodeCount] = {
    {5000, u"[1+]", 41100}, {5001, u"[1-]", 41101}, {5002, u"[1@]", 41102}, {5003, u"[1#]", 41103},
    {5004, u"[1X]", 41104}, {5010, u"[2+]", 41105}, {5011, u"[2-]", 41106}, {5012, u"[2@]", 41107},
    {5013, u"[2#]", 41108}, {5014, u"[2X]", 41109}, {5020, u"[3+]", 41110}, {5021, u"[3-]", 41111},
    {5022, u"[3@]", 41112}, {5023, u"[3#]", 41113}, {5024, u"[3X]", 41114}, {6000, u"[ds]", 41115},
    {6001, u"[dl]", 41116}, {6002, u"[ym]", 41117}, {6003, u"[tm]", 41118}, {6010, u"[d1]", 41119},
    {7000, u"[dy]", 41120}, {7001, u"[dr]", 41121}, {8000, u"[%n]", 41122}, {8001, u"[%c]", 41123},
    {8002, u"[%a]", 41124}, {8003, u"[%t]", 41125}, {8004, u"[%e]", 41126},
};

namespace {

constexpr const char16_t* kPhraseKey = u"SOFTWARE\\Velmora\\Quillon";
constexpr const char16_t* kOwnerKey = u"ControlPanel\\Owner";
constexpr int kPictureChars = 128;  // at most 127 characters and the zero

// 1 January 1998, 23:59:59 UTC, in FILETIME ticks.
constexpr int64_t kTimerEpochTicks = 125'281'727'990'000'000;

uint32_t TimerNow() {
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  FILETIME now{};
  SystemTimeToFileTime(&utc, &now);
  return static_cast<uint32_t>((platform::TicksOf(now) - kTimerEpochTicks) / 10'000'000);
}

std::u16string Timer(uint32_t number) {
  int timer = static_cast<int>((number - 5000) / 10) + 1;
  std::u16string start = platform::FormatText(u"t%ds", {timer});
  std::u16string total = platform::FormatText(u"t%da", {timer});
  auto key = platform::RegistryKey::Create(HKEY_CURRENT_USER, kPhraseKey);
  uint32_t now = TimerNow();
  uint32_t started = key.Number(start.c_str()).value_or(now);
  uint32_t accumulated = key.Number(total.c_str()).value_or(0);
  switch (number % 10) {
    case 0:
      key.SetNumber(start.c_str(), now);
      return {};
    case 1:
      key.SetNumber(total.c_str(), now - started + accumulated);
      return {};
    case 2:
      return FormatDuration(now - started);
    case 3:
      return FormatDuration(accumulated);
    default:
      key.SetNumber(total.c_str(), 0);
      return {};
  }
}

std::u16string LocalePicture(LCTYPE type) {
  char16_t picture[kPictureChars];
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, picture, kPictureChars) == 0) return {};
  return picture;
}

std::u16string FormatAt(const std::u16string& picture, const SYSTEMTIME& when, bool time) {
  char16_t buffer[kPictureChars];
  int written = time
                    ? GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &when, picture.c_str(), buffer, kPictureChars)
                    : GetDateFormatW(LOCALE_SYSTEM_DEFAULT, 0, &when, picture.c_str(), buffer, kPictureChars);
  return written ? std::u16string(buffer) : std::u16string();
}

int DayOfYear(const SYSTEMTIME& date) {
  static constexpr int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  bool leap = platform::IsLeapYear(date.wYear);
  int month = std::clamp<int>(date.wMonth, 1, 12);
  return kBefore[month - 1] + (leap && month > 2 ? 1 : 0) + date.wDay;
}

struct OwnerField {
  size_t offset;
  size_t length;  // characters; 0 = the rest of the record
  const char16_t* separateValue;
};

constexpr OwnerField kOwnerFields[] = {
    {0, 36, u"Name"}, {36, 36, nullptr}, {72, 186, nullptr}, {258, 25, u"Telephone"}, {283, 0, u"E-mail"}};

// One owner field: from the record when there is one, else from its separate value.
std::u16string OwnerText(const platform::RegistryKey& key, const std::optional<std::u16string>& record,
                         const OwnerField& field) {
  if (record) {
    // A field counts only when the record reaches beyond its first byte.
    if (record->size() * 2 <= field.offset * 2) return {};
    std::u16string_view rest = std::u16string_view(*record).substr(field.offset);
    if (field.length) rest = rest.substr(0, field.length);
    return std::u16string(platform::TextView(rest.data(), rest.size()));
  }
  if (field.separateValue == nullptr) return {};
  auto value = key.Chars(field.separateValue, 512);
  return value ? std::u16string(platform::TextView(value->c_str())) : std::u16string();
}

// The date codes, in the order of the texts one expansion keeps, and the locale pictures of the first four.
constexpr uint32_t kDateCodes[] = {6000, 6001, 6002, 6003, 6010, 7000, 7001};
constexpr LCTYPE kPictureTypes[] = {LOCALE_SSHORTDATE, LOCALE_SLONGDATE, LOCALE_SYEARMONTH,
                                    LOCALE_STIMEFORMAT};

const FieldCode* FindGeneral(std::u16string_view token) {
  // Every code is "[", two characters and "]", and the caller has seen the brackets.
  for (const FieldCode& code : kGeneralCodes) {
    if (token[1] == code.code[1] && token[2] == code.code[2]) return &code;
  }
  return nullptr;
}

}  // namespace

// One run of the general pass: it holds the kept values for its length, brings them up to date with
// the device first, and keeps the texts of the date codes, so that they show one moment.
class GeneralCodeExpansion {
 public:
  explicit GeneralCodeExpansion(GeneralCodeValues& values) : values_(values), guard_(values.lock_) {
    Refresh();
  }

  std::u16string Expand(uint32_t number) {
    if (number < 6000) return Timer(number);
    if (number >= 8000) return Owner(number - 8000);
    auto slot = static_cast<size_t>(std::find(std::begin(kDateCodes), std::end(kDateCodes), number) -
                                    std::begin(kDateCodes));
    if (!dateTexts_[slot]) dateTexts_[slot] = DateText(number);
    return *dateTexts_[slot];
  }

 private:
  // One look at the device's change counts: what a change may have made stale is read again.
  void Refresh() {
    std::optional<platform::Device::ChangeCounts> counts;
    if (platform::Device* device = platform::CurrentDevice()) {
      try {
        counts = device->Changes();
      } catch (const std::exception&) {
        // Unknown counts: everything is read again.
      }
    }
    bool known = counts && values_.counted_;
    if (!known || counts->settings != values_.settingsCount_) {
      for (auto& picture : values_.pictures_) picture.reset();
    }
    if (!known || counts->registry != values_.registryCount_) {
      values_.stamp_.reset();
      for (auto& field : values_.owner_) field.reset();
    }
    values_.counted_ = counts.has_value();
    if (counts) {
      values_.settingsCount_ = counts->settings;
      values_.registryCount_ = counts->registry;
    }
  }

  const SYSTEMTIME& Now() {
    if (!now_) {
      now_.emplace();
      GetLocalTime(&*now_);
    }
    return *now_;
  }

  const std::u16string& Picture(size_t index) {
    auto& picture = values_.pictures_[index];
    if (!picture) picture = LocalePicture(kPictureTypes[index]);
    return *picture;
  }

  const GeneralCodeValues::Stamp& Stamp() {
    if (!values_.stamp_) {
      auto key = platform::RegistryKey::Create(HKEY_CURRENT_USER, kPhraseKey);
      std::u16string datePicture = key.Chars(u"UserDateFormat", 260).value_or(u"MMMM dd ''''yy");
      std::u16string timePicture = key.Chars(u"UserTimeFormat", 260).value_or(u"hh':'mm':'ss");
      values_.stamp_ = GeneralCodeValues::Stamp{std::u16string(platform::TextView(datePicture.c_str())),
                                                std::u16string(platform::TextView(timePicture.c_str())),
                                                (key.Number(u"UserDateTimeOrder").value_or(0) & 4) != 0};
    }
    return *values_.stamp_;
  }

  const std::u16string& Owner(size_t field) {
    if (!values_.owner_[field]) {
      auto key = platform::RegistryKey::Open(HKEY_CURRENT_USER, kOwnerKey);
      auto record = key.Chars(u"Owner", 2048);
      for (size_t i = 0; i < GeneralCodeValues::kOwnerFields; ++i)
        values_.owner_[i] = OwnerText(key, record, kOwnerFields[i]);
    }
    return *values_.owner_[field];
  }

  std::u16string DateText(uint32_t number) {
    const SYSTEMTIME& now = Now();
    switch (number) {
      case 6000:
      case 6001:
      case 6002:
        return FormatAt(Picture(number - 6000), now, false);
      case 6003:
        return FormatAt(Picture(3), now, true);
      case 6010: {
        const GeneralCodeValues::Stamp& stamp = Stamp();
        std::u16string date = FormatAt(stamp.datePicture, now, false);
        std::u16string time = FormatAt(stamp.timePicture, now, true);
        return platform::FormatText(u"%s %s", {stamp.timeFirst ? time : date, stamp.timeFirst ? date : time});
      }
      case 7000:
        return platform::FormatText(u"%d", {DayOfYear(now)});
      default:
        return platform::FormatText(u"%d", {(platform::IsLeapYear(now.wYear) ? 366 : 365) - DayOfYear(now)});
    }
  }

  GeneralCodeValues& values_;
  std::lock_guard<std::mutex> guard_;
  std::optional<SYSTEMTIME> now_;
  std::optional<std::u16string> dateTexts_[std::size(kDateCodes)];
};

bool ContainsContactCode(std::u16string_view text) {
  return std::any_of(std::begin(kContactCodes), std::end(kContactCodes), [&](const FieldCode& code) {
    return text.find(code.code) != std::u16string_view::npos;
  });
}

std::u16string ExpandContactCodes(std::u16string_view text, ContactFieldSource& contact) {
  std::u16string out(text);
  for (const FieldCode& code : kContactCodes) {
    std::u16string_view token = code.code;
    for (size_t at = out.find(token); at != std::u16string::npos; at = out.find(token, at)) {
      std::u16string value = u" ";
      if (code.number == 4042 || code.number == 4043) {
        if (auto date = contact.Date(code.number)) {
          char16_t buffer[kPictureChars];
          std::u16string picture = LocalePicture(LOCALE_SSHORTDATE);
          if (GetDateFormatW(LOCALE_SYSTEM_DEFAULT, 0, &*date, picture.c_str(), buffer, kPictureChars))
            value = buffer;
        }
      } else if (auto property = contact.Text(code.number)) {
        value = *property;
      }
      out.replace(at, token.size(), value);
      at += value.size();  // the inserted text is not searched again for the same code
    }
  }
  return out;
}

std::u16string ExpandGeneralCodes(std::u16string_view text, GeneralCodeValues& values) {
  GeneralCodeExpansion expansion(values);
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text[i] == u'[' && i + 4 <= text.size() && text[i + 3] == u']') {
      if (const FieldCode* code = FindGeneral(text.substr(i, 4))) {
        out += expansion.Expand(code->number);
        i += 4;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

std::u16string ExpandGeneralCodes(std::u16string_view text) {
  GeneralCodeValues values;
  return ExpandGeneralCodes(text, values);
}

std::u16string FormatDuration(uint32_t seconds) {
  uint32_t hours = seconds / 3600;
  uint32_t minutes = (seconds - hours * 3600) / 60;
  return platform::FormatText(u"%d:%02d:%02d", {hours, minutes, seconds % 60});
}

char16_t* ExpandPhrase(const char16_t* phrase, CEOID contact, const ContactOpener& openContact,
                       GeneralCodeValues& values) {
  std::u16string_view text = platform::TextView(phrase);
  if (text.empty()) return nullptr;
  size_t capacity = PhraseOutputCapacity(text.size());
  auto* output = static_cast<char16_t*>(LocalAlloc(LPTR, capacity * sizeof(char16_t)));
  if (output == nullptr) return nullptr;
  std::u16string withContact(text);
  if (contact != 0 && openContact && ContainsContactCode(text)) {
    if (std::unique_ptr<ContactFieldSource> source = openContact(contact)) {
      withContact = ExpandContactCodes(text, *source);
    }
  }
  platform::BoundedCopy(output, capacity, ExpandGeneralCodes(withContact, values));
  return output;
}

char16_t* ExpandPhrase(const char16_t* phrase, CEOID contact, const ContactOpener& openContact) {
  GeneralCodeValues values;
  return ExpandPhrase(phrase, contact, openContact, values);
}

size_t PhraseOutputCapacity(size_t length) {
  return std::max<size_t>(length, 4096) + 4096;
}

}  // namespace calyra
