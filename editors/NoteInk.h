#pragma once

#include <string>
#include <vector>

#include "CalyraEditor.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

// What the notes pages and the note editor do with their ink control, kept in one place so that
// both behave alike.

// The input mode a note starts in, from a note setting: 0 typing (the input panel comes up), 2 the
// writing pen; any other value the drawing pen.
enum class NoteMode : DWORD { Typing = 0, Writing = 2, Drawing = 3 };
NoteMode NoteModeOf(DWORD setting);
bool IsPenMode(NoteMode mode);
// Switches the control to the mode.
void SetInkMode(HWND ink, NoteMode mode);

// The ink control of a note: class "InkX", window name "CY.NoteEditor".
inline constexpr DWORD kNoteInkStyle = 0x50810480;
HWND CreateNoteInk(HWND parent, int id, const RECT& area);

// The zoom percentage of the note option's index (75, 100, 150, 200, 300). An index of 5 or more
// is reset to 1 (100 %) in `options`; `reset` says so.
int NoteZoomPercent(CalyraNoteOptions& options, bool* reset);

// The control's content as its blob, and back (an empty blob empties it).
std::vector<BYTE> InkBlob(HWND ink);
void PutInkBlob(HWND ink, const std::vector<BYTE>& blob);

// The file-type filter of the note file choosers: pairs of description and pattern, double-zero ended.
extern const char16_t kNoteFileFilter[];
// The chooser's path buffer.
inline constexpr size_t kNoteFilePathChars = 260;

// "<label> <file:<path>{<name>}  >": the text of a file hyperlink, `name` the path's file name.
std::u16string FileHyperlinkText(const std::u16string& label, const std::u16string& path);
// Chooses a file with the file-dialog library and inserts its hyperlink at the caret; false when
// the person chose none.
bool InsertFileHyperlink(HWND ink, HWND owner, HINSTANCE resources);
// Inserts text at the caret, replacing the selection.
void InsertInkText(HWND ink, const std::u16string& text);
// Toggles a character effect on the selection: off when every selected character has it, else on.
bool ToggleInkEffect(HWND ink, DWORD mask, DWORD effect);

}  // namespace calyra
