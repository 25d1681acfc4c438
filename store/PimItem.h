#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/outlook/Com.h"
#include "store/CategorySet.h"
#include "store/ItemKind.h"

namespace calyra {

// Pocket Outlook's notes (ink and rich text) of an item, copied as opaque bytes.
inline constexpr CEPROPID kNotesTag = 0x00170041;
// Pocket Outlook's recurrence data of an appointment or task, opaque but for the patched byte.
inline constexpr CEPROPID kRecurrenceBlobTag = 0x40150041;

class CategoryCountBatch;

// What the item operations need of their caller: the window that owns their questions, the
// resource module, and what happens when a saved task has just been completed (the journal).
// An import's saves note their category counter changes in `categoryCounts`, which its store step
// writes once at its end.
struct ItemContext {
  HWND owner = nullptr;
  HINSTANCE resources = nullptr;
  std::function<void(ItemOid task)> taskCompleted;
  CategoryCountBatch* categoryCounts = nullptr;
};

// The component's own copy of an appointment, task or contact, loaded from Pocket Outlook and the
// raw record and saved back. The operations are shared by the three kinds.
class PimItem {
 public:
  virtual ~PimItem() = default;

  // A new stored item of the same kind made from this one; its oid, or 0.
  virtual ItemOid Copy(const ItemContext& context) = 0;
  // A new stored item of the other kind made from this one (an appointment becomes a task and back;
  // a contact has no other kind): its oid, or 0. This item is not changed.
  virtual ItemOid Convert(const ItemContext& context) = 0;
  // Shows the stored item in Pocket Outlook's own view, then saves it.
  virtual bool Show(const ItemContext& context) = 0;
  virtual HRESULT SendByInfrared(const ItemContext& context) = 0;
  virtual bool Load(const ItemContext& context) = 0;
  virtual bool Delete(const ItemContext& context) = 0;
  virtual HRESULT Save(const ItemContext& context) = 0;
  // Loads the item and its notes, then forgets its identity, so that a save makes a new item.
  bool LoadAsCopy(const ItemContext& context);
  virtual std::u16string DisplayText() const = 0;
  // The bytes the notes may take.
  virtual DWORD NotesCapacity() const = 0;
  virtual void Reset() = 0;
  virtual ItemKind Kind() const = 0;

  ItemOid oid = 0;
  bool loaded = false;
  bool hasNotes = false;
  std::vector<BYTE> notes;
  CategorySet categories;

 protected:
  // Reads the notes blob of the stored item.
  void ReadNotes();
  // Writes the notes blob (an empty one too) when the item has notes.
  bool WriteNotes() const;
  void ResetCommon();
  // Lowers the category counters of the stored item's categories, as it is about to be deleted.
  void LeaveCategories() const;
  // Sets byte 4 of the stored item's recurrence blob to 10, when it has one.
  void PatchRecurrenceBlob() const;

 public:
  // Gives a new item of `targetKind` this stored item's notes blob and category set (raising the
  // category counters); false when a write failed.
  bool CopyRawTo(ItemOid target, ItemKind targetKind) const;
};

// The text of resource string `id`, empty when the module has none.
std::u16string ResourceText(HINSTANCE resources, UINT id);
// The text of a BSTR out-parameter, freed here.
std::u16string TakeText(BSTR text);
// Reads a BSTR property of an object-model item.
template <class T, class Getter>
std::u16string ReadText(T* item, Getter getter) {
  BSTR text = nullptr;
  if (FAILED((item->*getter)(&text))) return {};
  return TakeText(text);
}

}  // namespace calyra
