#include "notes/JournalFile.h"

#include <cstring>

#include "platform/core/LastError.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/text/Formatter.h"
#include "platform/time/Locale.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

void PutDword(BYTE* at, DWORD value) {
  std::memcpy(at, &value, 4);
}
DWORD GetDword(const BYTE* at) {
  DWORD value;
  std::memcpy(&value, at, 4);
  return value;
}

bool WriteAll(HANDLE file, const void* data, DWORD bytes) {
  DWORD written = 0;
  return WriteFile(file, data, bytes, &written, nullptr) && written == bytes;
}

bool ReadAll(HANDLE file, void* data, DWORD bytes) {
  DWORD read = 0;
  return ReadFile(file, data, bytes, &read, nullptr) && read == bytes;
}

// The entry header and text as they stand in the file.
std::vector<BYTE> Serialise(const JournalEntry& entry) {
  DWORD length = entry.text.empty() ? 0 : static_cast<DWORD>(entry.text.size() + 1);
  std::vector<BYTE> bytes(JournalFile::kEntryHeaderBytes + length * 2, 0);
  const WORD fields[8] = {entry.time.wYear,   entry.time.wMonth,       entry.time.wDayOfWeek,
                          entry.time.wDay,    entry.time.wHour,        entry.time.wMinute,
                          entry.time.wSecond, entry.time.wMilliseconds};
  std::memcpy(bytes.data(), fields, 16);
  PutDword(bytes.data() + 16, entry.entryType);
  PutDword(bytes.data() + 20, 0);
  PutDword(bytes.data() + 24, entry.item);
  PutDword(bytes.data() + 28, length);
  if (length) std::memcpy(bytes.data() + 32, entry.text.c_str(), length * 2);
  return bytes;
}

std::u16string ShortDate(const SYSTEMTIME& time) {
  WCHAR buffer[64];
  return GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, 64) ? buffer : u"";
}

std::u16string TimeWithoutSeconds(const SYSTEMTIME& time) {
  std::u16string picture = DateTimeText().GetTimePictureWithoutSeconds();
  WCHAR buffer[64];
  return GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &time, picture.c_str(), buffer, 64) ? buffer : u"";
}

}  // namespace

HANDLE JournalFile::OpenChecked(DWORD* count) {
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    lastError_ = GetLastError();
    return file;
  }
  DWORD size = GetFileSize(file, nullptr);
  BYTE header[kHeaderBytes];
  if (size == 0) {
    PutDword(header, kMagic);
    PutDword(header + 4, 0);
    if (!WriteAll(file, header, kHeaderBytes)) {
      lastError_ = GetLastError();
      CloseHandle(file);
      return INVALID_HANDLE_VALUE;
    }
    *count = 0;
    return file;
  }
  if (size < kHeaderBytes || !ReadAll(file, header, kHeaderBytes) || GetDword(header) != kMagic) {
    lastError_ = ERROR_INVALID_DATA;
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
  }
  *count = GetDword(header + 4);
  return file;
}

bool JournalFile::Append(const JournalEntry& entry) {
  DWORD count = 0;
  HANDLE file = OpenChecked(&count);
  if (file == INVALID_HANDLE_VALUE) return false;
  BYTE header[kHeaderBytes];
  PutDword(header, kMagic);
  PutDword(header + 4, count + 1);
  std::vector<BYTE> bytes = Serialise(entry);
  bool ok = SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 && WriteAll(file, header, kHeaderBytes) &&
            SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
            WriteAll(file, bytes.data(), static_cast<DWORD>(bytes.size()));
  if (!ok) lastError_ = GetLastError();
  CloseHandle(file);
  return ok;
}

std::optional<std::vector<JournalEntry>> JournalFile::LoadAll() {
  DWORD count = 0;
  HANDLE file = OpenChecked(&count);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  DWORD size = GetFileSize(file, nullptr);
  std::vector<JournalEntry> entries;
  DWORD position = kHeaderBytes;
  SetFilePointer(file, static_cast<LONG>(kHeaderBytes), nullptr, FILE_BEGIN);
  for (DWORD i = 0; i < count && size - position >= kEntryHeaderBytes; ++i) {
    BYTE header[kEntryHeaderBytes];
    if (!ReadAll(file, header, kEntryHeaderBytes)) break;
    position += kEntryHeaderBytes;
    JournalEntry entry;
    WORD fields[8];
    std::memcpy(fields, header, 16);
    entry.time =
        SYSTEMTIME{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7]};
    entry.entryType = GetDword(header + 16);
    entry.reserved = GetDword(header + 20);
    entry.item = GetDword(header + 24);
    DWORD length = GetDword(header + 28);
    // A length that runs past the end of the file is a short read: the load ends before it.
    if (length > (size - position) / 2) break;
    std::u16string text(length, u'\0');
    if (length && !ReadAll(file, text.data(), length * 2)) break;
    position += length * 2;
    entry.text = std::u16string(text.c_str());
    entries.push_back(std::move(entry));
  }
  CloseHandle(file);
  return entries;
}

bool JournalFile::Rewrite(const std::vector<JournalEntry>& entries) {
  DWORD existing = 0;
  HANDLE check = OpenChecked(&existing);  // an invalid journal is never replaced
  if (check == INVALID_HANDLE_VALUE) return false;
  CloseHandle(check);
  if (!DeleteFileW(path_.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
    lastError_ = GetLastError();
    return false;
  }
  DWORD count = 0;
  HANDLE file = OpenChecked(&count);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  for (const JournalEntry& entry : entries) {
    if (!Append(entry)) return false;
  }
  return true;
}

std::optional<std::u16string> JournalFile::ExportText() {
  auto entries = LoadAll();
  if (!entries) return std::nullopt;
  std::u16string exportPath = ExportPath(path_);
  HANDLE file = CreateFileW(exportPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    lastError_ = GetLastError();
    return std::nullopt;
  }
  bool ok = true;
  for (const JournalEntry& entry : *entries) {
    std::u16string line = platform::FormatText(
        u"%s %s %s\r\n", {ShortDate(entry.time), TimeWithoutSeconds(entry.time), entry.text});
    std::string bytes = platform::ToCodePage1252(line);
    if (!WriteAll(file, bytes.data(), static_cast<DWORD>(bytes.size()))) {
      lastError_ = GetLastError();
      ok = false;
      break;
    }
  }
  CloseHandle(file);
  return ok ? std::optional(exportPath) : std::nullopt;
}

std::u16string JournalFile::ExportPath(std::u16string_view journalPath) {
  size_t name = journalPath.find_last_of(u"\\/");
  size_t dot = journalPath.find_last_of(u'.');
  if (dot == std::u16string_view::npos || (name != std::u16string_view::npos && dot < name))
    return std::u16string(journalPath) + u".txt";
  return std::u16string(journalPath.substr(0, dot)) + u".txt";
}

}  // namespace calyra
