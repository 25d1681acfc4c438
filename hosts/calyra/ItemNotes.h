#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/controls/InkBlob.h"
#include "store/ItemKind.h"
#include "store/PimDatabase.h"
#include "store/PimItem.h"

namespace calyra::host {

// Notes brought in from a file as an editor's save keeps them: the ink control's data holding the
// text, paragraphs ending in CR LF (a lone LF or CR becomes CR LF). The text is cut at the ink
// control's bound and then, a character at a time, until the blob fits in `capacity` bytes. Empty
// text gives no blob.
std::vector<BYTE> NotesBlobOfText(const std::u16string& text, DWORD capacity);

// The notes' plain text: the typed text of the item's notes blob (what the notes page and an import
// write), else the model's Body text (notes another program wrote as plain text); "" when none.
template <class Item>
std::u16string NotesText(Item* item, ItemOid oid, calyra::ItemKind kind) {
  std::vector<BYTE> blob;
  if (ReadPimProperty(oid, kind, kNotesTag, &blob)) {
    std::optional<std::u16string> text = platform::InkBlobPlainText(blob.data(), blob.size());
    if (text && !text->empty()) return *text;
  }
  return ReadText(item, &Item::get_Body);
}

}  // namespace calyra::host
