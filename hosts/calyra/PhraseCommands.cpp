#include "hosts/calyra/PhraseCommands.h"

#include <fstream>
#include <sstream>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/JsonWriter.h"
#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "text/FieldCodes.h"
#include "text/PhraseLibrary.h"

namespace calyra::host {

namespace {

constexpr char16_t kDocumentsFolder[] = u"\\My Documents";
// Set once the device was given the sample phrases.
constexpr char kSamplePhrasesSetting[] = "Calyra.SamplePhrases";

struct UsageName {
  DWORD bit;
  const char16_t* name;
};
constexpr UsageName kUsageNames[] = {
    {kPhraseSubject, u"subject"}, {kPhraseLocation, u"location"},       {kPhraseText, u"text"},
    {kPhraseTask, u"task"},       {kPhraseAppointment, u"appointment"}, {kPhraseContact, u"contact"},
    {kPhraseNotes, u"notes"},
};

std::u16string UsageText(DWORD usage) {
  std::u16string text;
  for (const UsageName& name : kUsageNames) {
    if (usage & name.bit) text += (text.empty() ? u"" : u",") + std::u16string(name.name);
  }
  return text.empty() ? u"any" : text;
}

// A phrase's text on one line: its line breaks written as "\n".
std::string OneLine(const std::u16string& text) {
  std::string line;
  for (char c : platform::ToUtf8(text)) {
    if (c == '\n') {
      line += "\\n";
    } else if (c != '\r') {
      line += c;
    }
  }
  return line;
}

void WriteJson(const PhraseLibrary& library, DWORD filter, std::FILE* out) {
  JsonWriter json;
  json.BeginArray();
  for (const Phrase& phrase : library.phrases) {
    if (!PhraseSuits(phrase.usage, filter)) continue;
    json.BeginObject();
    json.Key("title");
    json.String(phrase.title);
    json.Key("usage");
    json.Number(phrase.usage);
    json.Key("text");
    json.String(phrase.text);
    json.Key("contactCodes");
    json.Bool(ContainsContactCode(phrase.text));
    json.EndObject();
  }
  json.EndArray();
  std::fputs(json.Text().c_str(), out);
}

}  // namespace

std::optional<DWORD> ParsePhraseFilter(const std::string& word) {
  if (word.empty()) return std::nullopt;
  if (word[0] >= '0' && word[0] <= '9') {
    size_t end = 0;
    try {
      unsigned long value = std::stoul(word, &end, 0);
      if (end == word.size() && value <= 0xFFFFFFFFul) return static_cast<DWORD>(value);
    } catch (const std::exception&) {
    }
    return std::nullopt;
  }
  DWORD bits = ParsePhraseUsage(platform::FromUtf8(word));
  return bits ? std::optional<DWORD>(bits) : std::nullopt;
}

int ListPhrases(DWORD filter, ListingFormat format, std::FILE* out, std::FILE* err) {
  PhraseLibrary library;
  if (LoadPhraseLibrary(library, kPhraseFileName) != PhraseLoadResult::Loaded) {
    std::fprintf(err, "calyra: the phrase file %s cannot be read: %s\n",
                 platform::ToUtf8(kPhraseFileName).c_str(), platform::ToUtf8(library.errorText).c_str());
    return kExitFailed;
  }
  if (format == ListingFormat::kJson) {
    WriteJson(library, filter, out);
    return kExitDone;
  }
  std::fprintf(out, "%s (%s)\n", platform::ToUtf8(library.loadedPath).c_str(),
               platform::ToUtf8(library.menuEntry).c_str());
  for (const Phrase& phrase : library.phrases) {
    if (!PhraseSuits(phrase.usage, filter)) continue;
    std::fprintf(out, "%-20s %-26s %s\n", platform::ToUtf8(phrase.title).c_str(),
                 platform::ToUtf8(UsageText(phrase.usage)).c_str(), OneLine(phrase.text).c_str());
  }
  return kExitDone;
}

void PutSamplePhrases() {
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr || device->Setting(kSamplePhrasesSetting)) return;
  device->SetSetting(kSamplePhrasesSetting, u"1");
  std::ifstream in(CALYRA_SAMPLE_PHRASES, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string xml = bytes.str();
  if (xml.empty()) return;
  CreateDirectoryW(kDocumentsFolder, nullptr);
  std::u16string path = std::u16string(kDocumentsFolder) + u"\\" + kPhraseFileName;
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, xml.data(), static_cast<DWORD>(xml.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace calyra::host
