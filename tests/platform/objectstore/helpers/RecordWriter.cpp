// A second process on a device: writes records into one database and prints the oid of each
// record as soon as its write has returned, so that a test can kill it at any moment and check
// that every record it heard of is there.
//   record_writer DEVICE_FOLDER DATABASE TAG COUNT   (COUNT 0: until killed)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/text/Text.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: record_writer DEVICE DATABASE TAG COUNT\n");
    return 2;
  }
  auto device = platform::Device::Open(argv[1]);
  if (!device) return 3;
  platform::System::Current().AttachDevice(std::move(device));
  std::u16string name = platform::FromUtf8(argv[2]);
  std::u16string tag = platform::FromUtf8(argv[3]);
  long count = std::atol(argv[4]);

  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDNAME | CEDB_VALIDSORTSPEC;
  platform::BoundedCopy(info.szDbaseName, CEDB_MAXDBASENAMELEN, name);
  info.wNumSortOrder = 1;
  info.rgSortSpecs[0] = {MakePropID(1, CEVT_I4), 0};
  CeCreateDatabaseEx(nullptr, &info);  // the other writer may have made it first
  CEOID oid = 0;
  HANDLE db = CeOpenDatabaseEx(nullptr, &oid, name.c_str(), 0, 0, nullptr);
  if (db == INVALID_HANDLE_VALUE) return 4;

  std::u16string text;
  for (long i = 0; count == 0 || i < count; ++i) {
    text = tag + u" " + platform::FromUtf8(std::to_string(i));
    CEPROPVAL values[2]{};
    values[0].propid = MakePropID(1, CEVT_I4);
    values[0].val.lVal = static_cast<LONG>(i);
    values[1].propid = MakePropID(2, CEVT_LPWSTR);
    values[1].val.lpwstr = text.data();
    CEOID record = CeWriteRecordProps(db, 0, 2, values);
    if (record == 0) {
      std::fprintf(stderr, "write %ld failed: error %u\n", i, GetLastError());
      return 5;
    }
    std::printf("%u %ld\n", record, i);
    std::fflush(stdout);
  }
  CloseHandle(db);
  return 0;
}
