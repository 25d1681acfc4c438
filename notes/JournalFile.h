#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"
#include "store/ItemKind.h"

// The journal file: a header (magic 0x00C72001, entry count) and fixed-layout entries, each a
// 32-byte header and its UTF-16 text with the terminating zero. The file is opened for each
// operation and closed at its end.
namespace calyra {

struct JournalEntry {
  SYSTEMTIME time{};  // local time
  DWORD entryType = 0;
  DWORD reserved = 0;
  ItemOid item = 0;
  std::u16string text;
};

class JournalFile {
 public:
  static constexpr DWORD kMagic = 0x00C72001;
  static constexpr DWORD kHeaderBytes = 8;
  static constexpr DWORD kEntryHeaderBytes = 32;

  explicit JournalFile(std::u16string path) : path_(std::move(path)) {}

  // Appends one entry, creating the file with an empty header when it does not exist. A file with a
  // wrong magic, or shorter than its header, is never written.
  bool Append(const JournalEntry& entry);
  // Every entry up to the first that is cut short; none when the file is missing or invalid.
  std::optional<std::vector<JournalEntry>> LoadAll();
  // Deletes the file and writes the entries anew, in the order given.
  bool Rewrite(const std::vector<JournalEntry>& entries);
  // Writes "date time text\r\n" per entry in the system's ANSI code page to ExportPath(); the path written.
  std::optional<std::u16string> ExportText();

  // The journal path with its extension (from the last ".") replaced by ".txt", or ".txt" appended
  // when it has none or when the replaced path names the journal itself (compared without regard to
  // case, as the device's file system names files).
  static std::u16string ExportPath(std::u16string_view journalPath);
  DWORD LastError() const { return lastError_; }

 private:
  // Opens (creating when missing) and checks the header; INVALID_HANDLE_VALUE when invalid.
  HANDLE OpenChecked(DWORD* count);

  std::u16string path_;
  DWORD lastError_ = 0;
};

}  // namespace calyra
