#include "host/OpenItemTable.h"

#include "platform/core/HandleTable.h"
#include "platform/process/SharedSection.h"

namespace calyra {

namespace {

constexpr const char16_t* kSectionName = u"CalyraEditor.OpenItems";

}  // namespace

OpenItemTable::~OpenItemTable() {
  if (slots_) UnmapViewOfFile(const_cast<DWORD*>(slots_));
  if (section_) CloseHandle(section_);
}

bool OpenItemTable::Open(WORD processKind) {
  own_ = processKind >= 1 && processKind <= kSlots ? processKind : 0;
  if (slots_) return true;
  section_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD) * kSlots,
                                kSectionName);
  if (!section_) return false;
  slots_ = static_cast<volatile DWORD*>(MapViewOfFile(section_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  return slots_ != nullptr;
}

int OpenItemTable::OpenElsewhere(ItemOid item) const {
  if (!slots_ || !item) return 0;
  for (int kind = 1; kind <= kSlots; ++kind) {
    if (kind != own_ && slots_[kind - 1] == item) return kind;
  }
  return 0;
}

void OpenItemTable::SetOwn(ItemOid item) {
  if (slots_ && own_) slots_[own_ - 1] = item;
}

ItemOid OpenItemTable::Own() const {
  return slots_ && own_ ? slots_[own_ - 1] : 0;
}

const char16_t* OpenItemTable::ProgramOf(int processKind) {
  switch (processKind) {
    case 1:
      return u"Calyra.exe";
    case 2:
      return u"CalyraFind.exe";
    default:
      return nullptr;
  }
}

}  // namespace calyra
