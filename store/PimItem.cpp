#include "store/PimItem.h"

#include "platform/outlook/Com.h"
#include "platform/ui/ResourceModule.h"
#include "store/CategoryCounts.h"
#include "store/PimDatabase.h"

namespace calyra {

bool PimItem::LoadAsCopy(const ItemContext& context) {
  if (!Load(context)) return false;
  ReadNotes();
  oid = 0;
  return true;
}

void PimItem::ReadNotes() {
  notes.clear();
  hasNotes = ReadPimProperty(oid, Kind(), kNotesTag, &notes);
}

bool PimItem::WriteNotes() const {
  // Notes emptied in the editor are written as an empty blob, so that the old ones do not come back.
  if (!hasNotes) return true;
  return WritePimProperty(oid, Kind(), kNotesTag, notes.data(), static_cast<DWORD>(notes.size()));
}

void PimItem::PatchRecurrenceBlob() const {
  constexpr size_t kOffset = 4;
  constexpr BYTE kValue = 10;
  std::vector<BYTE> blob;
  if (!ReadPimProperty(oid, Kind(), kRecurrenceBlobTag, &blob) || blob.size() <= kOffset) return;
  blob[kOffset] = kValue;
  WritePimProperty(oid, Kind(), kRecurrenceBlobTag, blob.data(), static_cast<DWORD>(blob.size()));
}

void PimItem::LeaveCategories() const {
  AdjustCategoryCounts(Kind(), ReadCategorySet(oid, Kind()), -1);
}

void PimItem::ResetCommon() {
  oid = 0;
  loaded = false;
  hasNotes = false;
  notes.clear();
  categories = CategorySet();
}

bool PimItem::CopyRawTo(ItemOid target, ItemKind targetKind) const {
  std::vector<BYTE> blob;
  if (ReadPimProperty(oid, Kind(), kNotesTag, &blob) &&
      !WritePimProperty(target, targetKind, kNotesTag, blob.data(), static_cast<DWORD>(blob.size()))) {
    return false;
  }
  return SaveCategorySet(target, targetKind, ReadCategorySet(oid, Kind()));
}

std::u16string ResourceText(HINSTANCE resources, UINT id) {
  const WCHAR* text = nullptr;
  int length = LoadStringW(resources, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::u16string(text, static_cast<size_t>(length)) : std::u16string();
}

std::u16string TakeText(BSTR text) {
  std::u16string value = text ? std::u16string(text, SysStringLen(text)) : std::u16string();
  SysFreeString(text);
  return value;
}

}  // namespace calyra
