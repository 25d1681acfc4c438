#pragma once

#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "hosts/calyra/ExportTable.h"

namespace calyra::host {

// A date as the command line writes it: "2026-03-05T09:30" or "2026-03-05" (midnight), years 1601 to
// 9999; nothing for anything else.
std::optional<SYSTEMTIME> ParseDate(const std::string& word);

// The arguments of `calyra call` read from the command line by the kinds of the export's row, and
// the storage their pointers point into (texts, dates, category arrays, out-arguments), which lives
// as long as this object.
class CallArguments {
 public:
  // The characters of a buffer given as `&text`.
  static constexpr size_t kTextBufferSize = 1024;

  CallArguments() = default;
  // Releases the buffers exports handed out, as a host frees them.
  ~CallArguments();
  CallArguments(const CallArguments&) = delete;
  CallArguments& operator=(const CallArguments&) = delete;

  // Reads `words` for the parameters of `row`; false with a one-line `error` naming the argument.
  bool Parse(const ExportRow& row, const std::vector<std::string>& words, std::string* error);
  // The values to call with, `host` and `resources` put in for those words.
  std::vector<CallArgument> Values(HWND host, HINSTANCE resources) const;
  // "out N: value" for every out-argument and text buffer, after the call.
  void PrintOuts(std::FILE* out) const;

 private:
  enum class Source { kValue, kHost, kResources };
  struct Parsed {
    CallArgument value;
    Source source = Source::kValue;
    ParamKind kind = ParamKind::kInt;
    bool written = false;  // an out-argument or buffer the export may write
  };

  // Each false with `why` saying what the word should have been.
  bool ParseOne(ParamKind kind, const std::string& word, Parsed* parsed, std::string* why);
  bool ParseTime(const std::string& word, Parsed* parsed, std::string* why);
  bool ParseText(const std::string& word, Parsed* parsed, std::string* why);
  bool ParseCategories(const std::string& word, Parsed* parsed, std::string* why);

  std::vector<Parsed> parsed_;
  // Deques keep the addresses of what they hold as more is added.
  std::deque<SYSTEMTIME> times_;
  std::deque<std::u16string> texts_;
  std::deque<std::vector<WORD>> categories_;
  std::deque<DWORD> outs_;
  std::deque<WCHAR*> buffers_;
};

}  // namespace calyra::host
