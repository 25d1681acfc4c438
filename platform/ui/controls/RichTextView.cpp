#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

// Files larger than this are not shown.
constexpr DWORD kMaxFileSize = 16u << 20;
constexpr DWORD kReadChunk = 64u << 10;
constexpr std::string_view kRtfStart = "{\\rtf";

// Groups whose text the document does not show.
constexpr std::string_view kHiddenDestinations[] = {
    "fonttbl",   "colortbl",  "stylesheet",        "info",      "pict",     "header", "footer", "object",
    "themedata", "listtable", "listoverridetable", "generator", "xmlnstbl", "rsidtbl"};

bool IsHidden(std::string_view word) {
  return std::find(std::begin(kHiddenDestinations), std::end(kHiddenDestinations), word) !=
         std::end(kHiddenDestinations);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Text that is not RTF: UTF-16 with its byte-order mark, else UTF-8.
std::u16string DecodePlain(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string text((bytes.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                      (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
    }
    return text;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return FromUtf8(bytes);
}

}  // namespace

std::u16string RtfToPlainText(std::string_view rtf) {
  if (rtf.substr(0, kRtfStart.size()) != kRtfStart) return DecodePlain(rtf);
  std::u16string out;
  struct Group {
    bool hidden = false;
    int skipAfterUnicode = 1;
  };
  std::vector<Group> groups{Group{}};
  int pendingSkip = 0;  // fallback characters still to drop after \uN
  auto emit = [&](char16_t c) {
    if (pendingSkip > 0) {
      --pendingSkip;
      return;
    }
    if (!groups.back().hidden) out += c;
  };
  size_t i = 0;
  while (i < rtf.size()) {
    char c = rtf[i];
    if (c == '{') {
      groups.push_back(groups.back());
      ++i;
      continue;
    }
    if (c == '}') {
      if (groups.size() > 1) groups.pop_back();
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      emit(static_cast<char16_t>(static_cast<unsigned char>(c)));
      ++i;
      continue;
    }
    // A control symbol or word.
    if (++i >= rtf.size()) break;
    char next = rtf[i];
    if (next == '\\' || next == '{' || next == '}') {
      emit(static_cast<char16_t>(next));
      ++i;
      continue;
    }
    if (next == '*') {
      groups.back().hidden = true;
      ++i;
      continue;
    }
    if (next == '\'') {
      int high = i + 1 < rtf.size() ? HexDigit(rtf[i + 1]) : -1;
      int low = i + 2 < rtf.size() ? HexDigit(rtf[i + 2]) : -1;
      if (high >= 0 && low >= 0) emit(static_cast<char16_t>(high * 16 + low));
      i += 3;
      continue;
    }
    if (next == '~') {
      emit(u'\u00A0');
      ++i;
      continue;
    }
    if (next == '\r' || next == '\n') {
      emit(u'\r');
      emit(u'\n');
      ++i;
      continue;
    }
    size_t start = i;
    while (i < rtf.size() && ((rtf[i] >= 'a' && rtf[i] <= 'z') || (rtf[i] >= 'A' && rtf[i] <= 'Z'))) ++i;
    std::string_view word = rtf.substr(start, i - start);
    if (word.empty()) {
      ++i;  // an unknown control symbol
      continue;
    }
    bool hasNumber = false;
    long number = 0;
    bool negative = i < rtf.size() && rtf[i] == '-';
    if (negative) ++i;
    while (i < rtf.size() && rtf[i] >= '0' && rtf[i] <= '9') {
      hasNumber = true;
      number = std::min(number * 10 + (rtf[i] - '0'), 1L << 20);
      ++i;
    }
    if (negative) number = -number;
    if (i < rtf.size() && rtf[i] == ' ') ++i;
    if (word == "par" || word == "line") {
      emit(u'\r');
      emit(u'\n');
    } else if (word == "tab") {
      emit(u'\t');
    } else if (word == "u" && hasNumber) {
      emit(static_cast<char16_t>(number < 0 ? number + 65536 : number));
      pendingSkip = groups.back().skipAfterUnicode;
    } else if (word == "uc" && hasNumber) {
      groups.back().skipAfterUnicode = static_cast<int>(std::max(0L, number));
    } else if (IsHidden(word)) {
      groups.back().hidden = true;
    }
  }
  return out;
}

namespace {

struct RichViewState : ControlState {
  std::string raw;
};

bool ReadWholeFile(LPCWSTR path, std::string* bytes) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE || file == nullptr) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  bool ok = high == 0 && size <= kMaxFileSize;
  std::string content;
  while (ok) {
    char chunk[kReadChunk];
    DWORD read = 0;
    if (!ReadFile(file, chunk, kReadChunk, &read, nullptr)) ok = false;
    if (!ok || read == 0) break;
    content.append(chunk, read);
    if (content.size() > kMaxFileSize) ok = false;
  }
  CloseHandle(file);
  if (ok) *bytes = std::move(content);
  return ok;
}

LRESULT RichViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto object = WindowManager::Current().Find(window);
  auto* state = object && IsClass(window, WC_RICHVIEW) ? ControlStateOf<RichViewState>(window) : nullptr;
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case RV_LOADFILE: {
      std::string bytes;
      if (!lParam || !ReadWholeFile(reinterpret_cast<LPCWSTR>(lParam), &bytes)) return FALSE;
      state->raw = std::move(bytes);
      object->text = RtfToPlainText(state->raw);
      return TRUE;
    }
    case RV_GETRAWLENGTH:
      return static_cast<LRESULT>(state->raw.size());
    case RV_GETRAW: {
      if (!lParam) return 0;
      size_t count = std::min<size_t>(wParam, state->raw.size());
      std::memcpy(reinterpret_cast<char*>(lParam), state->raw.data(), count);
      return static_cast<LRESULT>(count);
    }
    case WM_SETTEXT:
      return FALSE;  // read-only
    case WM_PAINT:
      paint::PaintRichView(window);
      return 0;
    case WM_EMU_DESCRIBE: {
      auto* text = reinterpret_cast<std::u16string*>(lParam);
      if (text) *text += u" bytes=" + FromUtf8(std::to_string(state->raw.size()));
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterRichView() {
  RegisterSystemClass(WC_RICHVIEW, RichViewProc);
}

}  // namespace platform::ui

namespace platform {

std::string RichViewRawText(HWND window) {
  if (!ui::IsClass(window, WC_RICHVIEW)) return {};
  auto* state = ui::ControlStateOf<ui::RichViewState>(window);
  return state ? state->raw : std::string();
}

}  // namespace platform
