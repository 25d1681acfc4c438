#include "hosts/calyra/DeviceTour.h"

#include <string>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/text/Text.h"
#include "store/Database.h"

namespace calyra::host {

namespace {

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kTourNumber = MakePropID(0x7001, CEVT_I4);
constexpr const char16_t* kTourDatabase = u"Calyra Tour";

std::string Utf8(std::u16string_view text) { return platform::ToUtf8(text); }

int TourDatabases(std::FILE* out) {
  // A database of the tour's own, removed at the end, so that the device's items stay untouched.
  Database tasks;
  if (tasks.Exists(kTourDatabase) && tasks.OpenByName(kTourDatabase)) tasks.Delete();
  if (!tasks.Create(kTourDatabase, 0, {{kSubject, CEDB_SORT_CASEINSENSITIVE}})) {
    std::fprintf(out, "cannot create the tour database (error %u)\n", GetLastError());
    return 1;
  }
  std::fprintf(out, "created database \"%s\" sorted by subject\n", Utf8(kTourDatabase).c_str());
  if (!tasks.OpenByName(kTourDatabase, kSubject)) return 1;
  for (const char16_t* subject : {u"Water the plants", u"call the garage", u"Book flights"}) {
    Record record;
    record.Set(PropertyValue::String(kSubject, subject));
    record.Set(PropertyValue::Integer(kTourNumber, 1));
    if (!tasks.WriteRecord(record)) return 1;
    std::fprintf(out, "wrote record %08X: %s\n", record.Oid(), Utf8(subject).c_str());
  }
  std::fprintf(out, "records sorted by subject, without regard to case:\n");
  Record names;
  names.Request(kSubject);
  tasks.Enumerate(names, [&](Record& record) {
    const PropertyValue* subject = record.Find(kSubject);
    std::fprintf(out, "  %08X  %s\n", record.Oid(), subject ? Utf8(subject->AsString()).c_str() : "");
    return true;
  });
  DatabaseInformation info;
  tasks.GetInformation(&info);
  std::fprintf(out, "database \"%s\" holds %u records in %u bytes\n", Utf8(info.name).c_str(), info.records,
               info.size);
  std::fprintf(out, "deleted database \"%s\": %s\n", Utf8(kTourDatabase).c_str(), tasks.Delete() ? "yes" : "no");
  return 0;
}

}  // namespace

int RunDeviceTour(std::FILE* out) {
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr) return 1;
  std::fprintf(out, "device: %s\n", device->Folder().c_str());
  return TourDatabases(out);
}

}  // namespace calyra::host
