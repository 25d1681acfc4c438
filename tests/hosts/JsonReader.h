#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace calyra::testing {

// A JSON value read back by the tests of `calyra --json`: strict RFC 8259 (no raw control characters
// in strings, no trailing commas), strings decoded to UTF-8 with \u escapes and surrogate pairs joined.
struct JsonValue {
  enum class Type { kMissing, kNull, kBool, kNumber, kString, kArray, kObject };
  Type type = Type::kMissing;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;

  bool IsNull() const { return type == Type::kNull; }
  // The member `key` of an object; kMissing when there is none.
  const JsonValue& operator[](std::string_view key) const {
    for (const auto& [name, value] : members) {
      if (name == key) return value;
    }
    return Missing();
  }
  const JsonValue& operator[](size_t index) const { return index < items.size() ? items[index] : Missing(); }
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const auto& member : members) keys.push_back(member.first);
    return keys;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& item : items) texts.push_back(item.text);
    return texts;
  }

 private:
  static const JsonValue& Missing() {
    static const JsonValue kMissing;
    return kMissing;
  }
};

class JsonReader {
 public:
  // The one value `text` holds (whitespace around it allowed), or nothing with `error` set.
  static std::optional<JsonValue> Parse(std::string_view text, std::string* error) {
    JsonReader reader(text);
    JsonValue value;
    if (reader.Value(&value, 0) && (reader.SkipSpace(), reader.at_ == text.size())) return value;
    *error = "bad JSON at offset " + std::to_string(reader.at_);
    return std::nullopt;
  }

 private:
  static constexpr int kMaxDepth = 64;

  explicit JsonReader(std::string_view text) : text_(text) {}

  void SkipSpace() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
      ++at_;
  }
  bool Take(char c) {
    SkipSpace();
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  bool Value(JsonValue* value, int depth) {
    SkipSpace();
    if (at_ >= text_.size() || depth > kMaxDepth) return false;
    char c = text_[at_];
    if (c == '{') return Object(value, depth);
    if (c == '[') return Array(value, depth);
    if (c == '"') {
      value->type = JsonValue::Type::kString;
      return String(&value->text);
    }
    if (Word("null")) return value->type = JsonValue::Type::kNull, true;
    if (Word("true")) return value->type = JsonValue::Type::kBool, value->boolean = true, true;
    if (Word("false")) return value->type = JsonValue::Type::kBool, value->boolean = false, true;
    return Number(value);
  }

  bool Number(JsonValue* value) {
    size_t begin = at_;
    while (at_ < text_.size() &&
           std::string_view("-+.eE0123456789").find(text_[at_]) != std::string_view::npos)
      ++at_;
    if (at_ == begin) return false;
    std::string digits(text_.substr(begin, at_ - begin));
    char* end = nullptr;
    value->number = std::strtod(digits.c_str(), &end);
    value->type = JsonValue::Type::kNumber;
    return *end == 0;
  }

  bool Object(JsonValue* value, int depth) {
    value->type = JsonValue::Type::kObject;
    ++at_;
    if (Take('}')) return true;
    do {
      std::string key;
      JsonValue member;
      SkipSpace();
      if (at_ >= text_.size() || text_[at_] != '"' || !String(&key) || !Take(':') ||
          !Value(&member, depth + 1))
        return false;
      value->members.emplace_back(std::move(key), std::move(member));
    } while (Take(','));
    return Take('}');
  }

  bool Array(JsonValue* value, int depth) {
    value->type = JsonValue::Type::kArray;
    ++at_;
    if (Take(']')) return true;
    do {
      JsonValue item;
      if (!Value(&item, depth + 1)) return false;
      value->items.push_back(std::move(item));
    } while (Take(','));
    return Take(']');
  }

  bool Hex4(uint32_t* unit) {
    if (at_ + 4 > text_.size()) return false;
    std::string digits(text_.substr(at_, 4));
    char* end = nullptr;
    *unit = static_cast<uint32_t>(std::strtoul(digits.c_str(), &end, 16));
    at_ += 4;
    return *end == 0;
  }

  static void AppendUtf8(std::string* out, uint32_t code) {
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

  bool Escape(std::string* out) {
    char c = text_[at_++];
    static constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
    if (size_t i = kFrom.find(c); i != std::string_view::npos) {
      *out += kTo[i];
      return true;
    }
    uint32_t unit = 0;
    if (c != 'u' || !Hex4(&unit)) return false;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      uint32_t low = 0;
      if (!Word("\\u") || !Hex4(&low) || low < 0xDC00 || low > 0xDFFF) return false;
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      return false;
    }
    AppendUtf8(out, unit);
    return true;
  }

  bool String(std::string* out) {
    ++at_;
    while (at_ < text_.size()) {
      char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        *out += c;
      } else if (at_ >= text_.size() || !Escape(out)) {
        return false;
      }
    }
    return false;
  }

  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace calyra::testing
