#include "hosts/calyra/ItemNotes.h"

#include <algorithm>

namespace calyra::host {

namespace {

std::u16string Paragraphs(const std::u16string& text) {
  std::u16string lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      lines += u"\r\n";
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      continue;
    }
    lines += c;
  }
  return lines;
}

// Cuts `text` to `length` characters without splitting a surrogate pair or a CR LF.
void CutAt(std::u16string* text, size_t length) {
  if (length >= text->size()) return;
  if (length > 0 && ((*text)[length - 1] >= 0xD800 && (*text)[length - 1] <= 0xDBFF)) --length;
  if (length > 0 && (*text)[length - 1] == u'\r') --length;
  text->resize(length);
}

}  // namespace

std::vector<BYTE> NotesBlobOfText(const std::u16string& text, DWORD capacity) {
  platform::InkContent content;
  content.text = Paragraphs(text);
  CutAt(&content.text, platform::kInkTextMaxChars);
  std::vector<BYTE> blob = platform::WriteInkBlob(content);
  while (blob.size() > capacity && !content.text.empty()) {
    size_t over = (blob.size() - capacity + 1) / 2;
    CutAt(&content.text, content.text.size() > over ? content.text.size() - over : 0);
    blob = platform::WriteInkBlob(content);
  }
  return blob;
}

}  // namespace calyra::host
