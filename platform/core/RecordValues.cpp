#include "platform/core/RecordValues.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace platform {

namespace {

// Each value is its tag (4 bytes), its kind (1 byte) and its data, all little-endian as the device is.
// Format 2, written now: integers as zigzag varints, doubles in 8 bytes, and a varint count before
// the units of texts and blobs; a text whose units are all ASCII keeps one byte a unit. Most values
// of an item are small numbers and ASCII texts, so a record takes about half the bytes of format 1
// (8-byte numbers, 4-byte counts, two bytes a unit), which is still read.
enum class Kind : uint8_t { kInteger = 0, kDouble = 1, kText = 2, kBlob = 3, kAsciiText = 4 };
constexpr uint8_t kFormat = 2;
constexpr uint8_t kFixedFormat = 1;
static_assert(std::endian::native == std::endian::little, "values are copied as they lie in memory");

bool IsAscii(const std::u16string& text) {
  return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; });
}

uint64_t Zigzag(int64_t number) {
  return (static_cast<uint64_t>(number) << 1) ^ static_cast<uint64_t>(number >> 63);
}

int64_t Unzigzag(uint64_t number) {
  return static_cast<int64_t>(number >> 1) ^ -static_cast<int64_t>(number & 1);
}

size_t VarintSize(uint64_t number) {
  size_t size = 1;
  for (; number >= 0x80; number >>= 7) ++size;
  return size;
}

uint8_t* PutVarint(uint8_t* at, uint64_t number) {
  for (; number >= 0x80; number >>= 7) *at++ = static_cast<uint8_t>(number | 0x80);
  *at++ = static_cast<uint8_t>(number);
  return at;
}

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> data) : data_(data) {}
  bool AtEnd() const { return offset_ == data_.size(); }
  bool Take(void* out, size_t size) {
    if (data_.size() - offset_ < size) return false;
    if (size) std::memcpy(out, data_.data() + offset_, size);
    offset_ += size;
    return true;
  }
  // Only the shortest form is taken: what Encode writes, and nothing else, reads back.
  bool TakeVarint(uint64_t* out) {
    uint64_t number = 0;
    for (int shift = 0; shift < 64 && offset_ < data_.size(); shift += 7) {
      uint8_t byte = data_[offset_++];
      if (shift == 63 && byte > 1) return false;
      number |= static_cast<uint64_t>(byte & 0x7F) << shift;
      if (!(byte & 0x80)) {
        *out = number;
        return byte != 0 || shift == 0;
      }
    }
    return false;
  }
  template <class T>
  bool TakeUnits(uint64_t count, T* out) {
    if ((data_.size() - offset_) / sizeof(typename T::value_type) < count) return false;
    out->resize(count);
    return Take(out->data(), count * sizeof(typename T::value_type));
  }
  bool TakeCount(bool varint, uint64_t* count) {
    if (varint) return TakeVarint(count);
    uint32_t fixed = 0;
    if (!Take(&fixed, sizeof(fixed))) return false;
    *count = fixed;
    return true;
  }

 private:
  std::span<const uint8_t> data_;
  size_t offset_ = 0;
};

bool DecodeValue(Reader& reader, uint8_t format, Kind kind, StoredValue* value) {
  bool compact = format == kFormat;
  uint64_t count = 0;
  switch (kind) {
    case Kind::kInteger: {
      int64_t number = 0;
      uint64_t varint = 0;
      if (compact ? !reader.TakeVarint(&varint) : !reader.Take(&number, sizeof(number))) return false;
      *value = compact ? Unzigzag(varint) : number;
      return true;
    }
    case Kind::kDouble: {
      double number = 0;
      if (!reader.Take(&number, sizeof(number))) return false;
      *value = number;
      return true;
    }
    case Kind::kText: {
      std::u16string text;
      if (!reader.TakeCount(compact, &count) || !reader.TakeUnits(count, &text)) return false;
      if (compact && IsAscii(text)) return false;  // written as ASCII
      *value = std::move(text);
      return true;
    }
    case Kind::kBlob: {
      std::vector<uint8_t> blob;
      if (!reader.TakeCount(compact, &count) || !reader.TakeUnits(count, &blob)) return false;
      *value = std::move(blob);
      return true;
    }
    case Kind::kAsciiText: {
      std::string bytes;
      if (!compact || !reader.TakeVarint(&count) || !reader.TakeUnits(count, &bytes)) return false;
      if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) >= 0x80; }))
        return false;
      *value = std::u16string(bytes.begin(), bytes.end());
      return true;
    }
  }
  return false;
}

Kind KindOf(const StoredValue& value) {
  if (auto* text = std::get_if<std::u16string>(&value))
    return IsAscii(*text) ? Kind::kAsciiText : Kind::kText;
  return static_cast<Kind>(value.index());
}

// The bytes a value's data takes after its kind.
size_t EncodedSize(const StoredValue& value, Kind kind) {
  switch (kind) {
    case Kind::kInteger:
      return VarintSize(Zigzag(std::get<int64_t>(value)));
    case Kind::kDouble:
      return sizeof(double);
    case Kind::kText:
    case Kind::kAsciiText: {
      size_t units = std::get<std::u16string>(value).size();
      return VarintSize(units) + units * (kind == Kind::kText ? 2 : 1);
    }
    case Kind::kBlob: {
      size_t bytes = std::get<std::vector<uint8_t>>(value).size();
      return VarintSize(bytes) + bytes;
    }
  }
  return 0;
}

uint8_t* PutValue(uint8_t* at, const StoredValue& value, Kind kind) {
  switch (kind) {
    case Kind::kInteger:
      return PutVarint(at, Zigzag(std::get<int64_t>(value)));
    case Kind::kDouble:
      std::memcpy(at, &std::get<double>(value), sizeof(double));
      return at + sizeof(double);
    case Kind::kText: {
      const std::u16string& text = std::get<std::u16string>(value);
      at = PutVarint(at, text.size());
      if (!text.empty()) std::memcpy(at, text.data(), text.size() * 2);
      return at + text.size() * 2;
    }
    case Kind::kAsciiText:
      at = PutVarint(at, std::get<std::u16string>(value).size());
      for (char16_t unit : std::get<std::u16string>(value)) *at++ = static_cast<uint8_t>(unit);
      return at;
    case Kind::kBlob: {
      const std::vector<uint8_t>& blob = std::get<std::vector<uint8_t>>(value);
      at = PutVarint(at, blob.size());
      if (!blob.empty()) std::memcpy(at, blob.data(), blob.size());
      return at + blob.size();
    }
  }
  return at;
}

}  // namespace

size_t StoredSize(const StoredValue& value) {
  if (auto* text = std::get_if<std::u16string>(&value)) return (text->size() + 1) * 2;
  if (auto* blob = std::get_if<std::vector<uint8_t>>(&value)) return blob->size();
  return sizeof(int64_t);
}

void BindStored(SqliteStatement& statement, int index, const StoredValue& value) {
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::vector<uint8_t>>) {
          statement.BindBlob(index, v.data(), v.size());
        } else if constexpr (std::is_same_v<T, std::u16string>) {
          statement.Bind(index, std::u16string_view(v));
        } else {
          statement.Bind(index, v);
        }
      },
      value);
}

StoredValue ColumnStored(const SqliteStatement& statement, int column) {
  switch (statement.ColumnType(column)) {
    case SQLITE_INTEGER:
      return statement.ColumnInt64(column);
    case SQLITE_FLOAT:
      return statement.ColumnDouble(column);
    case SQLITE_TEXT:
      return statement.ColumnText16(column);
    case SQLITE_BLOB:
      return statement.ColumnBlob(column);
    default:
      return int64_t{0};
  }
}

const StoredValue* RecordValues::Find(uint32_t tag) const {
  auto found = std::lower_bound(entries_.begin(), entries_.end(), tag,
                                [](const Entry& entry, uint32_t t) { return entry.first < t; });
  return found != entries_.end() && found->first == tag ? &found->second : nullptr;
}

void RecordValues::Set(uint32_t tag, StoredValue value) {
  auto found = std::lower_bound(entries_.begin(), entries_.end(), tag,
                                [](const Entry& entry, uint32_t t) { return entry.first < t; });
  if (found != entries_.end() && found->first == tag) {
    found->second = std::move(value);
  } else {
    entries_.emplace(found, tag, std::move(value));
  }
}

void RecordValues::Erase(uint32_t tag) {
  std::erase_if(entries_, [tag](const Entry& entry) { return entry.first == tag; });
}

int64_t RecordValues::Size() const {
  int64_t size = 0;
  for (const auto& [tag, value] : entries_) size += static_cast<int64_t>(StoredSize(value));
  return size;
}

std::vector<uint8_t> RecordValues::Encode() const {
  size_t size = 1;
  for (const auto& [tag, value] : entries_) size += sizeof(tag) + 1 + EncodedSize(value, KindOf(value));
  std::vector<uint8_t> out(size);
  uint8_t* at = out.data();
  *at++ = kFormat;
  for (const auto& [tag, value] : entries_) {
    std::memcpy(at, &tag, sizeof(tag));
    at += sizeof(tag);
    Kind kind = KindOf(value);
    *at++ = static_cast<uint8_t>(kind);
    at = PutValue(at, value, kind);
  }
  return out;
}

std::optional<RecordValues> RecordValues::Decode(std::span<const uint8_t> data) {
  RecordValues values;
  if (data.empty()) return values;  // a record written with no properties
  Reader reader(data);
  uint8_t format = 0;
  if (!reader.Take(&format, sizeof(format)) || (format != kFormat && format != kFixedFormat))
    return std::nullopt;
  uint8_t lastKind =
      format == kFormat ? static_cast<uint8_t>(Kind::kAsciiText) : static_cast<uint8_t>(Kind::kBlob);
  while (!reader.AtEnd()) {
    uint32_t tag = 0;
    uint8_t kind = 0;
    StoredValue value;
    if (!reader.Take(&tag, sizeof(tag)) || !reader.Take(&kind, sizeof(kind)) || kind > lastKind ||
        !DecodeValue(reader, format, static_cast<Kind>(kind), &value))
      return std::nullopt;
    if (!values.entries_.empty() && values.entries_.back().first >= tag) return std::nullopt;
    values.entries_.emplace_back(tag, std::move(value));
  }
  return values;
}

}  // namespace platform
