// Feeds arbitrary bytes as the phrase file to the library's loader, on a scratch device: the library
// holds to its bounds, a failed load leaves it empty, and every phrase reads as the file format says.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "fuzz/FuzzDevice.h"
#include "platform/files/FileSystem.h"
#include "text/PhraseLibrary.h"

namespace {

using namespace calyra;

constexpr DWORD kKnownUsage = kPhraseSubject | kPhraseLocation | kPhraseText | kPhraseTask |
                              kPhraseAppointment | kPhraseContact | kPhraseNotes;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckPhrase(const Phrase& phrase) {
  Check((phrase.usage & ~kKnownUsage) == 0);
  Check(phrase.text.empty() ||
        std::u16string_view(u"\r\n\t ").find(phrase.text.front()) == std::u16string::npos);
  Check(PhraseSuits(phrase.usage, kEveryPhrase));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AttachFuzzDevice()) return 0;
  auto host = platform::HostPathOf(u"\\quillon.xml");
  if (!host) return 0;
  {
    std::ofstream out(*host, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  PhraseLibrary library;
  PhraseLoadResult result = LoadPhraseLibrary(library, u"\\quillon.xml");
  Check(library.phrases.size() <= kMaxPhrases);
  Check(library.rootName.size() <= kPhraseLibraryTextChars);
  Check(library.menuEntry.size() <= kPhraseLibraryTextChars);
  Check(library.loaded == (result == PhraseLoadResult::Loaded));
  Check(library.loaded != library.loadedPath.empty());
  if (!library.loaded) Check(library.phrases.empty() && !library.errorText.empty());
  for (const Phrase& phrase : library.phrases) CheckPhrase(phrase);
  return 0;
}
