// Feeds arbitrary bytes as a journal file to the loader, on a scratch device.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "fuzz/FuzzDevice.h"
#include "notes/JournalFile.h"
#include "platform/files/FileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AttachFuzzDevice()) return 0;
  auto host = platform::HostPathOf(u"\\journal.dat");
  if (!host) return 0;
  {
    std::ofstream out(*host, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  calyra::JournalFile journal(u"\\journal.dat");
  auto entries = journal.LoadAll();
  if (entries && entries->size() > size / calyra::JournalFile::kEntryHeaderBytes + 1) __builtin_trap();
  return 0;
}
