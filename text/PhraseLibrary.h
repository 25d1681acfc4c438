#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/PlatformTypes.h"

// The phrase library: the phrases of the file the phrase-editing program maintains ("quillon.xml"),
// each a title, a text and the fields and item kinds it suits. This component only reads the file.
namespace calyra {

// Usage bits: the low 16 are fields, the high 16 item kinds. A phrase's usage and a caller's filter
// use the same bits.
enum PhraseUsage : DWORD {
  kPhraseSubject = 0x1,
  kPhraseLocation = 0x2,
  kPhraseText = 0x4,
  kPhraseTask = 0x10000,
  kPhraseAppointment = 0x20000,
  kPhraseContact = 0x40000,
  kPhraseNotes = 0x80000,
};
inline constexpr DWORD kPhraseFieldBits = 0x0000FFFF;
inline constexpr DWORD kPhraseKindBits = 0xFFFF0000;
// A filter every phrase suits.
inline constexpr DWORD kEveryPhrase = 0xFFFFFFFF;

struct Phrase {
  std::u16string title;
  std::u16string text;
  DWORD usage = 0;
};

// What LoadPhraseLibrary answers.
enum class PhraseLoadResult : int {
  Loaded = 0,
  NotFound = 1,  // in none of the places searched
  NoName = 4,
  Failed = 6,  // the file could not be opened or parsed, or holds no root or no children
};

inline constexpr size_t kMaxPhrases = 255;
inline constexpr size_t kPhraseLibraryTextChars = 260;  // root name, file name, menu entry, folder
inline constexpr char16_t kPhraseFileName[] = u"quillon.xml";
inline constexpr char16_t kDefaultPhraseMenuEntry[] = u"Quillon";

struct PhraseLibrary {
  bool loaded = false;
  unsigned loadCount = 0;  // every load attempt counts
  std::u16string rootName;
  std::u16string fileName;
  std::u16string menuEntry = kDefaultPhraseMenuEntry;
  std::u16string programFolder;
  std::vector<Phrase> phrases;  // in file order
  bool legacyParser = false;    // a Palm-size PC of system version 3
  std::u16string loadedPath;    // empty after a failed parse
  std::u16string errorText;     // why the last load failed; for the loader, never shown
};

// Clears the library and reads `name`: a name starting with "\" is a full path that must exist;
// another is looked for in the host executable's folder, then in the documents folder.
PhraseLoadResult LoadPhraseLibrary(PhraseLibrary& library, std::u16string_view name);

// Reads a phrase document already in memory (the file's bytes) into the library; `path` is recorded
// as the loaded path. The same rules as the file's load after the file was found.
PhraseLoadResult ReadPhraseDocument(PhraseLibrary& library, std::u16string_view path, std::string_view bytes);

// The usage bits a usage attribute names: every keyword found anywhere in it, in any case.
DWORD ParsePhraseUsage(std::u16string_view usage);
// True when a phrase of `usage` suits `filter`: it names no item kind or one of the filter's, and no
// field or one of the filter's.
bool PhraseSuits(DWORD usage, DWORD filter);

}  // namespace calyra
