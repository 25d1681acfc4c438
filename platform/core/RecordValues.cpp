#include "platform/core/RecordValues.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace platform {

namespace {

// Each value is its tag (4 bytes), its kind (1 byte) and its data: 8 bytes for numbers, a 4-byte
// count and the units for texts (UTF-16) and blobs; all little-endian, as the device is.
enum class Kind : uint8_t { kInteger = 0, kDouble = 1, kText = 2, kBlob = 3 };
constexpr uint8_t kFormat = 1;
static_assert(std::endian::native == std::endian::little, "values are copied as they lie in memory");

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
  template <class T>
  bool TakeUnits(uint32_t count, T* out) {
    if ((data_.size() - offset_) / sizeof(typename T::value_type) < count) return false;
    out->resize(count);
    return Take(out->data(), count * sizeof(typename T::value_type));
  }

 private:
  std::span<const uint8_t> data_;
  size_t offset_ = 0;
};

bool DecodeValue(Reader& reader, Kind kind, StoredValue* value) {
  switch (kind) {
    case Kind::kInteger: {
      int64_t number = 0;
      if (!reader.Take(&number, sizeof(number))) return false;
      *value = number;
      return true;
    }
    case Kind::kDouble: {
      double number = 0;
      if (!reader.Take(&number, sizeof(number))) return false;
      *value = number;
      return true;
    }
    case Kind::kText: {
      uint32_t count = 0;
      std::u16string text;
      if (!reader.Take(&count, sizeof(count)) || !reader.TakeUnits(count, &text)) return false;
      *value = std::move(text);
      return true;
    }
    case Kind::kBlob: {
      uint32_t count = 0;
      std::vector<uint8_t> blob;
      if (!reader.Take(&count, sizeof(count)) || !reader.TakeUnits(count, &blob)) return false;
      *value = std::move(blob);
      return true;
    }
  }
  return false;
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
  for (const auto& [tag, value] : entries_) {
    size += sizeof(tag) + 1;
    std::visit(
        [&](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_arithmetic_v<T>) {
            size += sizeof(v);
          } else {
            size += sizeof(uint32_t) + v.size() * sizeof(typename T::value_type);
          }
        },
        value);
  }
  std::vector<uint8_t> out(size);
  uint8_t* at = out.data();
  auto put = [&at](const void* data, size_t bytes) {
    if (bytes) std::memcpy(at, data, bytes);
    at += bytes;
  };
  *at++ = kFormat;
  for (const auto& [tag, value] : entries_) {
    put(&tag, sizeof(tag));
    *at++ = static_cast<uint8_t>(value.index());
    std::visit(
        [&](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_arithmetic_v<T>) {
            put(&v, sizeof(v));
          } else {
            auto count = static_cast<uint32_t>(v.size());
            put(&count, sizeof(count));
            put(v.data(), v.size() * sizeof(typename T::value_type));
          }
        },
        value);
  }
  return out;
}

std::optional<RecordValues> RecordValues::Decode(std::span<const uint8_t> data) {
  RecordValues values;
  if (data.empty()) return values;  // a record written with no properties
  Reader reader(data);
  uint8_t format = 0;
  if (!reader.Take(&format, sizeof(format)) || format != kFormat) return std::nullopt;
  while (!reader.AtEnd()) {
    uint32_t tag = 0;
    uint8_t kind = 0;
    StoredValue value;
    if (!reader.Take(&tag, sizeof(tag)) || !reader.Take(&kind, sizeof(kind)) ||
        kind > static_cast<uint8_t>(Kind::kBlob) || !DecodeValue(reader, static_cast<Kind>(kind), &value))
      return std::nullopt;
    if (!values.entries_.empty() && values.entries_.back().first >= tag) return std::nullopt;
    values.entries_.emplace_back(tag, std::move(value));
  }
  return values;
}

}  // namespace platform
