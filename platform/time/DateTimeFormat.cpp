// GetDateFormatW and GetTimeFormatW: the platform's date and time pictures.
#include <string>

#include "platform/core/LastError.h"
#include "platform/text/Text.h"
#include "platform/time/Locale.h"
#include "platform/time/LocaleText.h"
#include "platform/time/TimeConversion.h"

namespace {

std::u16string Value(LCID locale, LCTYPE type) {
  std::u16string value;
  platform::LocaleText(locale, type, &value);
  return value;
}

std::u16string TwoDigits(int value, bool padded) {
  std::u16string text = platform::FromUtf8(std::to_string(value));
  return padded && text.size() < 2 ? u"0" + text : text;
}

// Walks a picture: quoted text is copied without its quotes (two quotes inside quoted text are one
// quote, so four quotes make a lone quote), runs of a letter are handed to `field`, the rest is copied.
template <class F>
std::u16string Expand(std::u16string_view picture, F&& field) {
  std::u16string out;
  for (size_t i = 0; i < picture.size();) {
    char16_t c = picture[i];
    if (c == u'\'') {
      ++i;
      while (i < picture.size()) {
        if (picture[i] == u'\'') {
          if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
            out += u'\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (!field(c, run, &out)) out.append(run, c);
    i += run;
  }
  return out;
}

bool KnownLocale(LCID locale) {
  std::u16string probe;
  return platform::LocaleText(locale, LOCALE_SDATE, &probe);
}

bool IsTimeField(char16_t c) {
  return c == u'h' || c == u'H' || c == u'm' || c == u's' || c == u't';
}

// Removes the fields a flag leaves out, with the separator that joins each to the field before it
// (or, for a leading field, to the field after it).
std::u16string DropFields(std::u16string picture, bool minutes, bool seconds, bool marker) {
  auto drop = [&](char16_t letter) {
    for (size_t at = picture.find(letter); at != std::u16string::npos; at = picture.find(letter)) {
      size_t end = at;
      while (end < picture.size() && picture[end] == letter) ++end;
      size_t start = at;
      while (start > 0 && !IsTimeField(picture[start - 1])) --start;
      if (start == 0) {
        while (end < picture.size() && !IsTimeField(picture[end])) ++end;
      }
      picture.erase(start, end - start);
    }
  };
  if (seconds || minutes) drop(u's');
  if (minutes) drop(u'm');
  if (marker) drop(u't');
  return picture;
}

}  // namespace

int GetDateFormatW(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCWSTR picture, LPWSTR buffer,
                   int chars) {
  if (!KnownLocale(locale) || (picture != nullptr && (flags & (DATE_SHORTDATE | DATE_LONGDATE)))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  SYSTEMTIME when{};
  if (date) {
    FILETIME check{};
    SYSTEMTIME probe = *date;
    probe.wHour = probe.wMinute = probe.wSecond = probe.wMilliseconds = 0;
    if (!SystemTimeToFileTime(&probe, &check)) return 0;  // an invalid date
    FileTimeToSystemTime(&check, &when);
  } else {
    GetLocalTime(&when);
  }
  std::u16string format = picture
                              ? std::u16string(platform::TextView(picture))
                              : Value(locale, (flags & DATE_LONGDATE) ? LOCALE_SLONGDATE : LOCALE_SSHORTDATE);
  int weekdayFromMonday = (when.wDayOfWeek + 6) % 7;
  std::u16string text = Expand(format, [&](char16_t c, size_t run, std::u16string* out) {
    if (c == u'd') {
      if (run <= 2)
        *out += TwoDigits(when.wDay, run == 2);
      else
        *out += Value(locale, (run == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) + weekdayFromMonday);
      return true;
    }
    if (c == u'M') {
      if (run <= 2)
        *out += TwoDigits(when.wMonth, run == 2);
      else
        *out += Value(locale, (run == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + when.wMonth - 1);
      return true;
    }
    if (c == u'y') {
      if (run == 1)
        *out += platform::FromUtf8(std::to_string(when.wYear % 100));
      else if (run == 2)
        *out += TwoDigits(when.wYear % 100, true);
      else
        *out += platform::FromUtf8(std::to_string(when.wYear));
      return true;
    }
    if (c == u'g') return true;  // eras are not shown
    return false;
  });
  return platform::DeliverLocaleText(text, buffer, chars);
}

int GetTimeFormatW(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR picture, LPWSTR buffer,
                   int chars) {
  if (!KnownLocale(locale)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  SYSTEMTIME when{};
  if (time) {
    if (time->wHour > 23 || time->wMinute > 59 || time->wSecond > 59 || time->wMilliseconds > 999) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    when = *time;
  } else {
    GetLocalTime(&when);
  }
  std::u16string format =
      picture ? std::u16string(platform::TextView(picture)) : Value(locale, LOCALE_STIMEFORMAT);
  format =
      DropFields(format, flags & TIME_NOMINUTESORSECONDS, flags & TIME_NOSECONDS, flags & TIME_NOTIMEMARKER);
  bool force24 = flags & TIME_FORCE24HOURFORMAT;
  std::u16string marker = Value(locale, when.wHour < 12 ? LOCALE_S1159 : LOCALE_S2359);
  std::u16string text = Expand(format, [&](char16_t c, size_t run, std::u16string* out) {
    switch (c) {
      case u'h': {
        int hour = force24 ? when.wHour : (when.wHour % 12 == 0 ? 12 : when.wHour % 12);
        *out += TwoDigits(hour, run >= 2);
        return true;
      }
      case u'H':
        *out += TwoDigits(when.wHour, run >= 2);
        return true;
      case u'm':
        *out += TwoDigits(when.wMinute, run >= 2);
        return true;
      case u's':
        *out += TwoDigits(when.wSecond, run >= 2);
        return true;
      case u't':
        if (!force24) *out += run >= 2 ? marker : marker.substr(0, 1);
        return true;
      default:
        return false;
    }
  });
  return platform::DeliverLocaleText(text, buffer, chars);
}
