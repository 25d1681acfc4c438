#pragma once

#include "store/ItemKind.h"

namespace calyra {

// The item each host process has open in an editor: three slots in a section shared by every process
// that loads the component, one per process kind (1 the main program, 2 the find tool, 3 a third
// host). Each process writes only its own slot, so the table needs no lock.
class OpenItemTable {
 public:
  static constexpr int kSlots = 3;

  OpenItemTable() = default;
  ~OpenItemTable();
  OpenItemTable(const OpenItemTable&) = delete;
  OpenItemTable& operator=(const OpenItemTable&) = delete;

  // Maps the shared section and takes the slot of `processKind` (1-3).
  bool Open(WORD processKind);
  // The process kind of another process that has `item` open, or 0.
  int OpenElsewhere(ItemOid item) const;
  void SetOwn(ItemOid item);
  ItemOid Own() const;
  // The program that brings the process of a slot to the front; null for the third host.
  static const char16_t* ProgramOf(int processKind);

 private:
  HANDLE section_ = nullptr;
  volatile DWORD* slots_ = nullptr;
  int own_ = 0;
};

}  // namespace calyra
