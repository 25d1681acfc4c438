#include "hosts/calyra/JsonWriter.h"

namespace calyra::host {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string* out, char32_t code) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (code >> 18));
    *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The escape of a character JSON does not allow as it is, or nullptr.
const char* ShortEscape(char16_t unit) {
  switch (unit) {
    case u'"':
      return "\\\"";
    case u'\\':
      return "\\\\";
    case u'\b':
      return "\\b";
    case u'\f':
      return "\\f";
    case u'\n':
      return "\\n";
    case u'\r':
      return "\\r";
    case u'\t':
      return "\\t";
    default:
      return nullptr;
  }
}

void AppendControl(std::string* out, char16_t unit) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  *out += "\\u00";
  *out += kHex[(unit >> 4) & 0xF];
  *out += kHex[unit & 0xF];
}

}  // namespace

void AppendJsonString(std::string* out, std::u16string_view text) {
  *out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (const char* escape = ShortEscape(unit)) {
      *out += escape;
    } else if (unit < 0x20) {
      AppendControl(out, unit);
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      char32_t code = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      AppendUtf8(out, code);
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  *out += '"';
}

void JsonWriter::BeforeItem() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  if (!levels_.back().empty) text_ += ',';
  levels_.back().empty = false;
  text_ += '\n';
  text_.append(levels_.size() * 2, ' ');
}

void JsonWriter::Open(char bracket) {
  BeforeItem();
  text_ += bracket;
  levels_.push_back(Level{});
}

void JsonWriter::Close(char bracket) {
  bool empty = levels_.back().empty;
  levels_.pop_back();
  if (!empty) {
    text_ += '\n';
    text_.append(levels_.size() * 2, ' ');
  }
  text_ += bracket;
}

void JsonWriter::BeginObject() {
  Open('{');
}

void JsonWriter::EndObject() {
  Close('}');
}

void JsonWriter::BeginArray() {
  Open('[');
}

void JsonWriter::EndArray() {
  Close(']');
}

void JsonWriter::Key(std::string_view name) {
  BeforeItem();
  text_ += '"';
  text_ += name;  // member names are this program's own ASCII words
  text_ += "\": ";
  afterKey_ = true;
}

void JsonWriter::String(std::u16string_view text) {
  BeforeItem();
  AppendJsonString(&text_, text);
}

void JsonWriter::Number(int64_t value) {
  BeforeItem();
  text_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
  BeforeItem();
  text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeItem();
  text_ += "null";
}

}  // namespace calyra::host
