#include "store/PropertyValue.h"

namespace calyra {

namespace {
const std::u16string kNoText;
const std::vector<BYTE> kNoBytes;

int64_t TicksOf(FILETIME time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}
}  // namespace

PropertyValue::PropertyValue(const CEPROPVAL& value) : tag_(value.propid), flags_(value.wFlags) {
  if (IsAbsent()) return;
  switch (Type()) {
    case CEVT_I2:
      value_ = int64_t{value.val.iVal};
      break;
    case CEVT_UI2:
      value_ = int64_t{value.val.uiVal};
      break;
    case CEVT_I4:
      value_ = int64_t{value.val.lVal};
      break;
    case CEVT_UI4:
      value_ = int64_t{value.val.ulVal};
      break;
    case CEVT_BOOL:
      value_ = int64_t{value.val.boolVal};
      break;
    case CEVT_FILETIME:
      value_ = TicksOf(value.val.filetime);
      break;
    case CEVT_R8:
      value_ = value.val.dblVal;
      break;
    case CEVT_LPWSTR:
      value_ = std::u16string(value.val.lpwstr ? value.val.lpwstr : u"");
      break;
    case CEVT_BLOB:
      value_ = value.val.blob.lpb
                   ? std::vector<BYTE>(value.val.blob.lpb, value.val.blob.lpb + value.val.blob.dwCount)
                   : std::vector<BYTE>();
      break;
    default:
      break;
  }
}

PropertyValue PropertyValue::Integer(CEPROPID tag, int64_t value) {
  PropertyValue v;
  v.tag_ = tag;
  v.value_ = value;
  return v;
}

PropertyValue PropertyValue::Double(CEPROPID tag, double value) {
  PropertyValue v;
  v.tag_ = tag;
  v.value_ = value;
  return v;
}

PropertyValue PropertyValue::Time(CEPROPID tag, FILETIME value) {
  return Integer(tag, TicksOf(value));
}

PropertyValue PropertyValue::String(CEPROPID tag, std::u16string value) {
  PropertyValue v;
  v.tag_ = tag;
  v.value_ = std::move(value);
  return v;
}

PropertyValue PropertyValue::Blob(CEPROPID tag, std::vector<BYTE> value) {
  PropertyValue v;
  v.tag_ = tag;
  v.value_ = std::move(value);
  return v;
}

PropertyValue PropertyValue::Deletion(CEPROPID tag) {
  PropertyValue v;
  v.tag_ = tag;
  v.flags_ = CEDB_PROPDELETE;
  return v;
}

int64_t PropertyValue::AsInteger() const {
  if (auto* i = std::get_if<int64_t>(&value_)) return *i;
  return 0;
}

double PropertyValue::AsDouble() const {
  if (auto* d = std::get_if<double>(&value_)) return *d;
  return 0.0;
}

FILETIME PropertyValue::AsTime() const {
  auto ticks = static_cast<uint64_t>(AsInteger());
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

const std::u16string& PropertyValue::AsString() const {
  if (auto* s = std::get_if<std::u16string>(&value_)) return *s;
  return kNoText;
}

const std::vector<BYTE>& PropertyValue::AsBlob() const {
  if (auto* b = std::get_if<std::vector<BYTE>>(&value_)) return *b;
  return kNoBytes;
}

CEPROPVAL PropertyValue::ToPropVal() const {
  CEPROPVAL out{};
  out.propid = tag_;
  out.wFlags = flags_ & CEDB_PROPDELETE;
  int64_t integer = AsInteger();
  switch (Type()) {
    case CEVT_I2:
      out.val.iVal = static_cast<SHORT>(integer);
      break;
    case CEVT_UI2:
      out.val.uiVal = static_cast<USHORT>(integer);
      break;
    case CEVT_I4:
      out.val.lVal = static_cast<LONG>(integer);
      break;
    case CEVT_UI4:
      out.val.ulVal = static_cast<ULONG>(integer);
      break;
    case CEVT_BOOL:
      out.val.boolVal = static_cast<BOOL>(integer);
      break;
    case CEVT_FILETIME:
      out.val.filetime = AsTime();
      break;
    case CEVT_R8:
      out.val.dblVal = AsDouble();
      break;
    case CEVT_LPWSTR:
      out.val.lpwstr = const_cast<char16_t*>(AsString().c_str());
      break;
    case CEVT_BLOB:
      out.val.blob.dwCount = static_cast<DWORD>(AsBlob().size());
      out.val.blob.lpb = const_cast<BYTE*>(AsBlob().data());
      break;
    default:
      break;
  }
  return out;
}

}  // namespace calyra
