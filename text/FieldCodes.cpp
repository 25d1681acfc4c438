#include "text/FieldCodes.h"

#include <algorithm>

#include "platform/core/LocalMemory.h"
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

std::u16string FormatNow(const std::u16string& picture, bool time) {
  char16_t buffer[kPictureChars];
  int written =
      time ? GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, nullptr, picture.c_str(), buffer, kPictureChars)
           : GetDateFormatW(LOCALE_SYSTEM_DEFAULT, 0, nullptr, picture.c_str(), buffer, kPictureChars);
  return written ? std::u16string(buffer) : std::u16string();
}

std::u16string DateTimeStamp() {
  auto key = platform::RegistryKey::Create(HKEY_CURRENT_USER, kPhraseKey);
  std::u16string datePicture = key.Chars(u"UserDateFormat", 260).value_or(u"MMMM dd ''''yy");
  std::u16string timePicture = key.Chars(u"UserTimeFormat", 260).value_or(u"hh':'mm':'ss");
  datePicture = std::u16string(platform::TextView(datePicture.c_str()));
  timePicture = std::u16string(platform::TextView(timePicture.c_str()));
  std::u16string date = FormatNow(datePicture, false), time = FormatNow(timePicture, true);
  bool timeFirst = key.Number(u"UserDateTimeOrder").value_or(0) & 4;
  return platform::FormatText(u"%s %s", {timeFirst ? time : date, timeFirst ? date : time});
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

std::u16string Owner(uint32_t number) {
  static constexpr OwnerField kFields[] = {
      {0, 36, u"Name"}, {36, 36, nullptr}, {72, 186, nullptr}, {258, 25, u"Telephone"}, {283, 0, u"E-mail"}};
  const OwnerField& field = kFields[number - 8000];
  auto key = platform::RegistryKey::Open(HKEY_CURRENT_USER, kOwnerKey);
  if (auto record = key.Chars(u"Owner", 2048)) {
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

std::u16string ExpandGeneral(uint32_t number) {
  if (number < 6000) return Timer(number);
  SYSTEMTIME today{};
  GetLocalTime(&today);
  switch (number) {
    case 6000:
      return FormatNow(LocalePicture(LOCALE_SSHORTDATE), false);
    case 6001:
      return FormatNow(LocalePicture(LOCALE_SLONGDATE), false);
    case 6002:
      return FormatNow(LocalePicture(LOCALE_SYEARMONTH), false);
    case 6003:
      return FormatNow(LocalePicture(LOCALE_STIMEFORMAT), true);
    case 6010:
      return DateTimeStamp();
    case 7000:
      return platform::FormatText(u"%d", {DayOfYear(today)});
    case 7001:
      return platform::FormatText(u"%d",
                                  {(platform::IsLeapYear(today.wYear) ? 366 : 365) - DayOfYear(today)});
    default:
      return Owner(number);
  }
}

const FieldCode* FindGeneral(std::u16string_view token) {
  for (const FieldCode& code : kGeneralCodes) {
    if (token == code.code) return &code;
  }
  return nullptr;
}

}  // namespace

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

std::u16string ExpandGeneralCodes(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text[i] == u'[' && i + 4 <= text.size() && text[i + 3] == u']') {
      if (const FieldCode* code = FindGeneral(text.substr(i, 4))) {
        out += ExpandGeneral(code->number);
        i += 4;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

std::u16string FormatDuration(uint32_t seconds) {
  uint32_t hours = seconds / 3600;
  uint32_t minutes = (seconds - hours * 3600) / 60;
  return platform::FormatText(u"%d:%02d:%02d", {hours, minutes, seconds % 60});
}

char16_t* ExpandPhrase(const char16_t* phrase, CEOID contact, const ContactOpener& openContact) {
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
  platform::BoundedCopy(output, capacity, ExpandGeneralCodes(withContact));
  return output;
}

size_t PhraseOutputCapacity(size_t length) {
  return std::max<size_t>(length, 4096) + 4096;
}

}  // namespace calyra
