// Writes records of any shape into the link database, then reads them back through the link store and
// the cache's loader: the reader must take whatever another program may have written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzDevice.h"
#include "links/LinkCache.h"
#include "links/LinkStore.h"
#include "platform/objectstore/ObjectStore.h"

namespace {

using namespace calyra;

// The link properties, one a different type under a known number, and one unknown.
constexpr CEPROPID kProperties[] = {kLinkOwnerProperty,  kLinkIdProperty,   kLinkTypeProperty,
                                    kLinkTargetProperty, kLinkTextProperty, kLinkReservedProperty,
                                    0x0002001F,          0x00070003};

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint32_t Word(int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(Byte()) << (8 * i);
    return value;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void DeleteLinkDatabase() {
  CEOID database = 0;
  HANDLE handle = CeOpenDatabaseEx(nullptr, &database, kLinkDatabaseName, 0, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  CloseHandle(handle);
  CeDeleteDatabase(database);
}

// One record: a count, then per property a selector and a value of the property's type.
bool WriteRecord(Input& input, HANDLE database, std::vector<ItemOid>* owners) {
  WORD count = input.Byte() % 8;
  std::vector<CEPROPVAL> values(count);
  std::vector<std::u16string> texts(count);
  for (WORD i = 0; i < count; ++i) {
    CEPROPVAL& value = values[i];
    value.propid = kProperties[input.Byte() % std::size(kProperties)];
    switch (value.propid & 0xFFFF) {
      case CEVT_I2:
        value.val.uiVal = static_cast<USHORT>(input.Word(2));
        break;
      case CEVT_I4:
        value.val.ulVal = input.Word(4) % 64;
        if (value.propid == kLinkOwnerProperty) owners->push_back(value.val.ulVal);
        break;
      case CEVT_R8:
        value.val.dblVal = static_cast<double>(input.Word(4));
        break;
      default:
        texts[i].assign(input.Byte() * 2u, static_cast<char16_t>(u'a' + input.Byte() % 26));
        value.val.lpwstr = texts[i].data();
        break;
    }
  }
  return CeWriteRecordProps(database, 0, count, values.data()) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AttachFuzzDevice()) return 0;
  DeleteLinkDatabase();
  LinkStore creator;
  if (!creator.OpenLinkStore(true, false, nullptr, 0, 0)) return 0;
  creator.CloseLinkStore();
  CEOID oid = 0;
  HANDLE database = CeOpenDatabaseEx(nullptr, &oid, kLinkDatabaseName, 0, 0, nullptr);
  Input input(data, size);
  std::vector<ItemOid> owners;
  for (int records = 0; !input.Empty() && records < 64; ++records) WriteRecord(input, database, &owners);
  CloseHandle(database);

  LinkCache cache;
  LoadLinkCache(cache);
  LinkStore store(&cache);
  for (ItemOid owner : owners) {
    LinkRecord record;
    for (CEOID at = store.FirstLinkOf(owner, &record, true); at;
         at = store.NextLinkOf(owner, &record, true)) {
      if (record.text.size() > kLinkTextChars) __builtin_trap();
    }
  }
  WORD id = 0;
  store.AddWebLink(1, u"www.example.org");
  for (DWORD linkId = 0; linkId < 8; ++linkId) store.DeleteLink(linkId);
  if (!owners.empty()) store.DeleteLinksOfItem(owners.front());
  store.AddLink(2, &id, LinkType::Task, 3);
  store.PurgeStaleLinks();
  return 0;
}
