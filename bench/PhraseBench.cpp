// Loading a phrase file of 255 phrases into the library (found by name as the selection finds it,
// read through the device's file system and walked) beside libxml2's parse of the same bytes alone.
#include <libxml/parser.h>

#include <string>

#include "bench/BenchSupport.h"
#include "platform/files/FileSystem.h"
#include "text/PhraseLibrary.h"

namespace {

using namespace calyra;

const std::string& PhraseFile() {
  static const std::string xml = [] {
    bench::AttachBenchDevice();
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<velmoraquillon menuentry=\"Bench\">\n";
    for (size_t i = 0; i < kMaxPhrases; ++i) {
      text += "  <phrase title=\"Phrase " + std::to_string(i) +
              "\" usage=\"subject, task, text\">\n"
              "    Call [fn] [ln] about item " +
              std::to_string(i) + " on [ds]</phrase>\n";
    }
    text += "</velmoraquillon>\n";
    CreateDirectoryW(u"\\My Documents", nullptr);
    HANDLE file = CreateFileW(u"\\My Documents\\quillon.xml", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return text;
  }();
  return xml;
}

void Ours_LoadPhraseLibrary255(benchmark::State& state) {
  PhraseFile();
  PhraseLibrary library;
  for (auto _ : state) {
    LoadPhraseLibrary(library, kPhraseFileName);
    benchmark::DoNotOptimize(library.phrases.data());
  }
  if (library.phrases.size() != kMaxPhrases) state.SkipWithError("the phrases were not all read");
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kMaxPhrases));
}
BENCHMARK(Ours_LoadPhraseLibrary255)->Unit(benchmark::kMicrosecond);

// The same bytes parsed into a document, already in memory.
void Raw_LoadPhraseLibrary255(benchmark::State& state) {
  const std::string& xml = PhraseFile();
  for (auto _ : state) {
    xmlDoc* doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET);
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kMaxPhrases));
}
BENCHMARK(Raw_LoadPhraseLibrary255)->Unit(benchmark::kMicrosecond);

}  // namespace
