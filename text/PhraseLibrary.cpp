#include "text/PhraseLibrary.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/valid.h>
#include <libxml/xmlstring.h>

#include <cstdarg>
#include <cstdio>
#include <functional>
#include <iterator>
#include <mutex>

#include "platform/core/HandleTable.h"
#include "platform/files/FileSystem.h"
#include "platform/process/SystemInformation.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

constexpr char16_t kNotFoundText[] = u"XML import file not found.";
constexpr char16_t kNoParserText[] = u"CoCreateInstance of DOMDocument failed.";
constexpr char16_t kLoadFailedText[] = u"Error loading data document.";
constexpr char16_t kNoRootText[] = u"The document has no root element.";
constexpr char16_t kNoChildrenText[] = u"The root element has no children.";

struct UsageKeyword {
  std::u16string_view keyword;
  DWORD bit;
};
constexpr UsageKeyword kUsageKeywords[] = {
    {u"subject", kPhraseSubject}, {u"location", kPhraseLocation},       {u"text", kPhraseText},
    {u"task", kPhraseTask},       {u"appointment", kPhraseAppointment}, {u"contact", kPhraseContact},
    {u"notes", kPhraseNotes},
};

// The device's parser keeps documents from reaching the network; the legacy parser of a Palm-size
// PC has every safety option cleared before it loads.
constexpr int kSafetyOptions = XML_PARSE_NONET;
// Errors are recorded in the parser context, never printed.
constexpr int kQuietOptions = XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
constexpr DWORD kLegacyMajorVersion = 3;
constexpr char16_t kLegacyPlatform[] = u"Palm PC";
constexpr size_t kPlatformTypeChars = 64;

std::u16string Cut(std::u16string text) {
  if (text.size() > kPhraseLibraryTextChars) text.resize(kPhraseLibraryTextChars);
  return text;
}

std::u16string FromXml(const xmlChar* text) {
  return text ? platform::FromUtf8(reinterpret_cast<const char*>(text)) : std::u16string();
}

// Element and attribute names are compared without regard to case; the names looked for are ASCII.
bool NameIs(const xmlChar* name, const char* wanted) {
  return name && xmlStrcasecmp(name, reinterpret_cast<const xmlChar*>(wanted)) == 0;
}

// A value of several nodes (entity references among its text) joined into one.
std::u16string JoinedValue(const xmlAttr* attribute) {
  xmlChar* value = xmlNodeListGetString(attribute->doc, attribute->children, 1);
  std::u16string text = FromXml(value);
  xmlFree(value);
  return text;
}

std::u16string AttributeValue(const xmlAttr* attribute) {
  const xmlNode* value = attribute->children;
  if (value && value->next == nullptr && value->type == XML_TEXT_NODE) return FromXml(value->content);
  return JoinedValue(attribute);
}

std::u16string WithoutTrailingNewline(std::u16string text) {
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) text.pop_back();
  return text;
}

// The text of its last text child, CDATA sections not read, without leading line breaks, tabs and
// blanks (trailing ones stay).
std::u16string PhraseText(const xmlNode* element) {
  const xmlNode* last = nullptr;
  for (const xmlNode* child = element->children; child; child = child->next) {
    if (child->type == XML_TEXT_NODE) last = child;
  }
  std::u16string text = last ? FromXml(last->content) : std::u16string();
  size_t start = text.find_first_not_of(u"\r\n\t ");
  return start == std::u16string::npos ? std::u16string() : text.substr(start);
}

Phrase ReadPhrase(const xmlNode* element) {
  Phrase phrase;
  for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
    if (NameIs(attribute->name, "title")) phrase.title = AttributeValue(attribute);
    if (NameIs(attribute->name, "usage")) phrase.usage = ParsePhraseUsage(AttributeValue(attribute));
  }
  phrase.text = PhraseText(element);
  return phrase;
}

void ReadRoot(PhraseLibrary& library, const xmlNode* root) {
  library.rootName = Cut(FromXml(root->name));
  for (const xmlAttr* attribute = root->properties; attribute; attribute = attribute->next) {
    if (NameIs(attribute->name, "menuentry")) library.menuEntry = Cut(AttributeValue(attribute));
  }
  for (const xmlNode* child = root->children; child && library.phrases.size() < kMaxPhrases;
       child = child->next) {
    if (child->type == XML_ELEMENT_NODE && NameIs(child->name, "phrase"))
      library.phrases.push_back(ReadPhrase(child));
  }
}

void CollectValidityError(void* context, const char* format, ...) {
  auto* reason = static_cast<std::u16string*>(context);
  if (!reason->empty()) return;  // the first error is the reason
  char message[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(message, sizeof message, format, arguments);
  va_end(arguments);
  *reason = WithoutTrailingNewline(platform::FromUtf8(message));
}

void IgnoreValidityWarning(void*, const char*, ...) {}

// A document that declares its own type is validated against it as it loads; the first validity
// error is the load's reason.
bool Valid(xmlDoc* doc, std::u16string& reason) {
  if (doc->intSubset == nullptr) return true;
  xmlValidCtxt* validation = xmlNewValidCtxt();
  if (validation == nullptr) return false;
  validation->userData = &reason;
  validation->error = &CollectValidityError;
  validation->warning = &IgnoreValidityWarning;
  bool valid = xmlValidateDtd(validation, doc, doc->intSubset) == 1;
  xmlFreeValidCtxt(validation);
  if (!valid && reason.empty()) reason = kLoadFailedText;
  return valid;
}

bool LegacyParser() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExW(&version) || version.dwMajorVersion != kLegacyMajorVersion) return false;
  WCHAR type[kPlatformTypeChars] = {};
  if (!SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof type, type, 0)) return false;
  return platform::TextView(type, kPlatformTypeChars).find(kLegacyPlatform) != std::u16string_view::npos;
}

// A document as a parser context reads it; null when it could not be loaded.
using DocumentReader = std::function<xmlDoc*(xmlParserCtxt*, int options)>;

PhraseLoadResult ParseInto(PhraseLibrary& library, std::u16string_view path, const DocumentReader& read) {
  static std::once_flag parserReady;
  std::call_once(parserReady, [] { xmlInitParser(); });
  xmlParserCtxt* parser = xmlNewParserCtxt();
  if (parser == nullptr) {
    library.errorText = kNoParserText;
    return PhraseLoadResult::Failed;
  }
  int options = (library.legacyParser ? 0 : kSafetyOptions) | kQuietOptions;
  xmlDoc* doc = read(parser, options);
  std::u16string reason;
  if (doc == nullptr) {
    const char* message = parser->lastError.message;
    reason = message ? WithoutTrailingNewline(platform::FromUtf8(message)) : kLoadFailedText;
  }
  xmlFreeParserCtxt(parser);
  if (doc == nullptr || !Valid(doc, reason)) {
    if (doc) xmlFreeDoc(doc);
    library.errorText = reason;
    return PhraseLoadResult::Failed;
  }
  const xmlNode* root = xmlDocGetRootElement(doc);
  PhraseLoadResult result = PhraseLoadResult::Failed;
  if (root == nullptr) {
    library.errorText = kNoRootText;
  } else if (root->children == nullptr) {
    library.rootName = Cut(FromXml(root->name));
    library.errorText = kNoChildrenText;
  } else {
    ReadRoot(library, root);
    library.loaded = true;
    library.loadedPath = path;
    result = PhraseLoadResult::Loaded;
  }
  xmlFreeDoc(doc);
  return result;
}

int ReadFromFile(void* file, char* buffer, int length) {
  DWORD read = 0;
  if (!ReadFile(static_cast<HANDLE>(file), buffer, static_cast<DWORD>(length), &read, nullptr)) return -1;
  return static_cast<int>(read);
}

bool Exists(const std::u16string& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::u16string InFolder(std::u16string folder, std::u16string_view name) {
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  return folder.append(name);
}

std::u16string ProgramFolder() {
  WCHAR module[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::u16string path(module, length);
  size_t slash = path.rfind(u'\\');
  return InFolder(slash == std::u16string::npos ? std::u16string() : path.substr(0, slash), u"");
}

// Where the file is: a full path as given, else the program's folder, else the documents folder.
std::u16string FindFile(PhraseLibrary& library, std::u16string_view name) {
  if (name.front() == u'\\') return Exists(std::u16string(name)) ? std::u16string(name) : std::u16string();
  library.programFolder = Cut(ProgramFolder());
  if (std::u16string path = InFolder(library.programFolder, name); Exists(path)) return path;
  WCHAR documents[MAX_PATH] = {};
  if (!SHGetSpecialFolderPath(nullptr, documents, CSIDL_PERSONAL, FALSE)) return {};
  std::u16string path = InFolder(std::u16string(platform::TextView(documents, MAX_PATH)), name);
  return Exists(path) ? path : std::u16string();
}

void Clear(PhraseLibrary& library) {
  unsigned loadCount = library.loadCount;
  library = PhraseLibrary{};
  library.loadCount = loadCount + 1;
  library.legacyParser = LegacyParser();
}

}  // namespace

DWORD ParsePhraseUsage(std::u16string_view usage) {
  // The keywords are ASCII: folding the ASCII letters finds them in any case.
  std::u16string folded(usage);
  for (char16_t& c : folded) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  DWORD bits = 0;
  for (const UsageKeyword& keyword : kUsageKeywords) {
    if (folded.find(keyword.keyword) != std::u16string::npos) bits |= keyword.bit;
  }
  return bits;
}

bool PhraseSuits(DWORD usage, DWORD filter) {
  DWORD kinds = usage & kPhraseKindBits;
  DWORD fields = usage & kPhraseFieldBits;
  return (kinds == 0 || (kinds & filter) != 0) && (fields == 0 || (fields & filter) != 0);
}

PhraseLoadResult ReadPhraseDocument(PhraseLibrary& library, std::u16string_view path,
                                    std::string_view bytes) {
  Clear(library);
  return ParseInto(library, path, [bytes](xmlParserCtxt* parser, int options) {
    return xmlCtxtReadMemory(parser, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, options);
  });
}

PhraseLoadResult LoadPhraseLibrary(PhraseLibrary& library, std::u16string_view name) {
  Clear(library);
  if (name.empty()) return PhraseLoadResult::NoName;
  library.fileName = Cut(std::u16string(name));
  std::u16string path = FindFile(library, name);
  if (path.empty()) {
    library.errorText = kNotFoundText;
    return PhraseLoadResult::NotFound;
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    library.errorText = kNotFoundText;
    return PhraseLoadResult::Failed;
  }
  PhraseLoadResult result = ParseInto(library, path, [file](xmlParserCtxt* parser, int options) {
    return xmlCtxtReadIO(parser, &ReadFromFile, nullptr, file, nullptr, nullptr, options);
  });
  CloseHandle(file);
  return result;
}

}  // namespace calyra
