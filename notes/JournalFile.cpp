#include "notes/JournalFile.h"

#include <algorithm>
#include <cstring>

#include "notes/JournalTimeTexts.h"
#include "platform/core/LastError.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"

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

}  // namespace

HANDLE JournalFile::OpenChecked(DWORD* count) {
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    lastError_ = GetLastError();
    return file;
  }
  // The header read tells an empty file (nothing to read) from one shorter than its header.
  BYTE header[kHeaderBytes];
  DWORD read = 0;
  if (!ReadFile(file, header, kHeaderBytes, &read, nullptr)) {
    lastError_ = GetLastError();
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
  }
  if (read == 0) {
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
  if (read < kHeaderBytes || GetDword(header) != kMagic) {
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
  // The entries are read in one go and taken apart in memory.
  DWORD size = GetFileSize(file, nullptr);
  std::vector<BYTE> body(size > kHeaderBytes ? size - kHeaderBytes : 0);
  size_t got = 0;
  if (!body.empty() &&
      SetFilePointer(file, static_cast<LONG>(kHeaderBytes), nullptr, FILE_BEGIN) == kHeaderBytes) {
    while (got < body.size()) {
      DWORD read = 0;
      if (!ReadFile(file, body.data() + got, static_cast<DWORD>(body.size() - got), &read, nullptr) ||
          read == 0)
        break;
      got += read;
    }
  }
  CloseHandle(file);
  body.resize(got);

  std::vector<JournalEntry> entries;
  entries.reserve(std::min<size_t>(count, body.size() / kEntryHeaderBytes));
  size_t position = 0;
  for (DWORD i = 0; i < count && body.size() - position >= kEntryHeaderBytes; ++i) {
    const BYTE* header = body.data() + position;
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
    if (length > (body.size() - position) / 2) break;
    entry.text.resize(length);
    if (length) std::memcpy(entry.text.data(), body.data() + position, length * 2);
    position += length * 2;
    if (size_t zero = entry.text.find(u'\0'); zero != std::u16string::npos) entry.text.resize(zero);
    entries.push_back(std::move(entry));
  }
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
  JournalTimeTexts texts;
  bool ok = true;
  for (const JournalEntry& entry : *entries) {
    std::u16string line =
        platform::FormatText(u"%s %s %s\r\n", {texts.Date(entry.time), texts.Time(entry.time), entry.text});
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
  std::u16string replaced = std::u16string(journalPath.substr(0, dot)) + u".txt";
  // A journal named "x.txt" (in any case) would be its own export: the export is "x.txt.txt" instead,
  // so that it never writes over the journal.
  if (platform::EqualsNoCase(replaced, journalPath)) return std::u16string(journalPath) + u".txt";
  return replaced;
}

}  // namespace calyra
