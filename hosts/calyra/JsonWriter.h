#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calyra::host {

// Writes one JSON text (RFC 8259) into a string, two spaces of indent per level, so that scripts can
// read it and people can too. Commas and indents follow from the calls; the caller keeps the calls
// balanced. Text is UTF-16, as everywhere inside, and comes out as UTF-8.
class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next member of the object being written.
  void Key(std::string_view name);

  void String(std::u16string_view text);
  void Number(int64_t value);
  void Bool(bool value);
  void Null();

  // Everything written, with a line break after the last value.
  std::string Text() const { return text_ + "\n"; }

 private:
  // Before a value or a key: the comma after the previous one and the line's indent.
  void BeforeItem();
  void Open(char bracket);
  void Close(char bracket);

  struct Level {
    bool empty = true;
  };
  std::string text_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

// `text` as a JSON string with its quotes: quote, backslash and control characters escaped (the
// usual short escapes, else \u00XX), UTF-16 turned into UTF-8 with surrogate pairs joined. A lone
// surrogate cannot be written in UTF-8 and becomes U+FFFD.
void AppendJsonString(std::string* out, std::u16string_view text);

}  // namespace calyra::host
