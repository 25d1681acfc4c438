#include <array>
#include <iterator>

#include "platform/ui/Menu.h"
#include "platform/ui/WindowTypes.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// The menus: the menu bars of the editor pages and dialogs, and the file-as popup. Each top entry of a
// menu bar becomes a button: a command entry a button that sends its command, a popup entry a button
// that opens its menu (its button command is its position). Every page bar ends with the spacer
// 40015, Cancel 40014 and OK 40008; the page widens the spacer so that OK ends beside the input-panel
// button, and gives Cancel and OK their images. A page's own menu stands before them, at the left.
namespace calyra::resources {

namespace {

using Entry = CalyraResourceMenuEntry;

constexpr Entry Popup(const char16_t* text) {
  return {text, 0, MF_POPUP, 0};
}
constexpr Entry Command(const char16_t* text, int command, uint32_t depth = 1) {
  return {text, static_cast<uint32_t>(command), 0, depth};
}
constexpr Entry Separator(uint32_t depth = 1) {
  return {nullptr, 0, MF_SEPARATOR, depth};
}
// A button of the bar itself.
constexpr Entry BarButton(const char16_t* text, int command) {
  return Command(text, command, 0);
}

// The end of every page bar. The spacer has no text: it is only room, resized by the page.
constexpr Entry kPageBarEnd[] = {
    BarButton(u"", kCommandSpacer),
    BarButton(u"Cancel", kCommandCancel),
    BarButton(u"OK", kCommandOk),
};

template <size_t N, size_t M>
constexpr std::array<Entry, N + M> Join(const Entry (&first)[N], const Entry (&second)[M]) {
  std::array<Entry, N + M> all{};
  for (size_t i = 0; i < N; ++i) all[i] = first[i];
  for (size_t i = 0; i < M; ++i) all[N + i] = second[i];
  return all;
}

// A page bar: the page's own entries, then the spacer, Cancel and OK.
template <size_t N>
constexpr std::array<Entry, N + 3> PageBar(const Entry (&own)[N]) {
  return Join(own, kPageBarEnd);
}

constexpr auto kAppointmentPage = PageBar({
    Popup(u"Tools"),
    Command(u"Insert Phrase...", kCommandInsertPhrase),
    Command(u"Insert Contact...", kCommandInsertContact),
    Separator(),
    Command(u"Apply Template...", kCommandApplyTemplate),
    Command(u"Save as Template...", kCommandSaveAsTemplate),
    Separator(),
    Command(u"Add to Project...", kCommandAddToProject),
    Command(u"Save as Task", kCommandConvert),
    Command(u"Show in Pocket Outlook", kCommandShowInOutlook),
    Command(u"Beam Appointment...", kCommandBeam),
    Separator(),
    Command(u"Delete Appointment", kCommandDelete),
});

constexpr auto kTaskPage = PageBar({
    Popup(u"Tools"),
    {u"Edit", 0, MF_POPUP, 1},
    Command(u"Undo", kCommandUndo, 2),
    Separator(2),
    Command(u"Cut", kCommandCut, 2),
    Command(u"Copy", kCommandCopy, 2),
    Command(u"Paste", kCommandPaste, 2),
    Command(u"Clear", kCommandClear, 2),
    Command(u"Select All", kCommandSelectAll, 2),
    Command(u"Insert Phrase...", kCommandInsertPhrase),
    Command(u"Insert Contact...", kCommandInsertContact),
    Command(u"Reminder Time...", kTaskReminderTime),
    Command(u"Icon...", kTaskIcon),
    Separator(),
    Command(u"Apply Template...", kCommandApplyTemplate),
    Command(u"Save as Template...", kCommandSaveAsTemplate),
    Separator(),
    Command(u"Add to Project...", kCommandAddToProject),
    Command(u"Save as Appointment", kCommandConvert),
    Command(u"Show in Pocket Outlook", kCommandShowInOutlook),
    Command(u"Beam Task...", kCommandBeam),
    Separator(),
    Command(u"Delete Task", kCommandDelete),
});

// A contact cannot be converted, so its menu has no 40037.
constexpr auto kContactPage = PageBar({
    Popup(u"Tools"),
    {u"Edit", 0, MF_POPUP, 1},
    Command(u"Undo", kCommandUndo, 2),
    Separator(2),
    Command(u"Cut", kCommandCut, 2),
    Command(u"Copy", kCommandCopy, 2),
    Command(u"Paste", kCommandPaste, 2),
    Command(u"Clear", kCommandClear, 2),
    Command(u"Select All", kCommandSelectAll, 2),
    Separator(),
    Command(u"Apply Template...", kCommandApplyTemplate),
    Command(u"Save as Template...", kCommandSaveAsTemplate),
    Separator(),
    Command(u"Add to Project...", kCommandAddToProject),
    Command(u"Show in Pocket Outlook", kCommandShowInOutlook),
    Command(u"Beam Contact...", kCommandBeam),
    Separator(),
    Command(u"Delete Contact", kCommandDelete),
});

// The note bar: the menu, the three input modes (drawing only while a pen mode is on) and zoom.
constexpr auto kNotesPage = PageBar({
    Popup(u"Tools"),
    Command(u"Insert Phrase...", kCommandInsertPhrase),
    Command(u"Insert Contact...", kCommandInsertContact),
    Command(u"Insert File Link...", kCommandInsertFileLink),
    Separator(),
    Command(u"Italic", kCommandItalic),
    Command(u"Strikethrough", kCommandStrikeThrough),
    Command(u"Highlight", kCommandHighlight),
    Separator(),
    Command(u"Note Options...", kCommandNoteOptions),
    BarButton(u"Type", kCommandTypingMode),
    BarButton(u"Pen", kCommandPenMode),
    BarButton(u"Draw", kCommandDrawingMode),
    BarButton(u"Zoom", kCommandZoom),
});

constexpr auto kCategoriesPage = PageBar({
    BarButton(u"Edit", kCommandEditCategories),
});

// The pattern fields take typed numbers, so the recurrence page offers the edit commands.
constexpr auto kRecurrencePage = PageBar({
    Popup(u"Edit"),
    Command(u"Undo", kCommandUndo),
    Separator(),
    Command(u"Cut", kCommandCut),
    Command(u"Copy", kCommandCopy),
    Command(u"Paste", kCommandPaste),
    Command(u"Clear", kCommandClear),
});

constexpr auto kProjectReportPage = PageBar({
    Popup(u"Report"),
    Command(u"Refresh", kCommandRefreshReport),
    Command(u"Save As...", kCommandSaveReportAs),
});

// The note editor's bar: its menu, the alarm (notes with a title only), typing, the view switch, zoom,
// drawing, more, Cancel and OK.
constexpr Entry kNoteEditorMenu[] = {
    Popup(u"Tools"),
    Command(u"Insert Phrase...", kCommandInsertPhrase),
    Command(u"Insert File Link...", kCommandInsertFileLink),
    Separator(),
    Command(u"Paste", kCommandPaste),
    Command(u"Select All", kCommandSelectAll),
    Separator(),
    Command(u"Clear Note", kCommandClearNote),
};

constexpr Entry kNoteEditorButtons[] = {
    BarButton(u"Alarm", kCommandNoteAlarm),  BarButton(u"Type", kCommandTypingMode),
    BarButton(u"View", kCommandViewSwitch),  BarButton(u"Zoom", kCommandZoom),
    BarButton(u"Draw", kCommandDrawingMode), BarButton(u"More", kCommandNoteMore),
    BarButton(u"Cancel", kCommandCancel),    BarButton(u"OK", kCommandOk),
};
constexpr auto kNoteEditor = Join(kNoteEditorMenu, kNoteEditorButtons);

// Without a title the note has no alarm, so the untitled editor has no alarm button.
constexpr Entry kNoteEditorUntitledButtons[] = {
    BarButton(u"Type", kCommandTypingMode), BarButton(u"View", kCommandViewSwitch),
    BarButton(u"Zoom", kCommandZoom),       BarButton(u"Draw", kCommandDrawingMode),
    BarButton(u"More", kCommandNoteMore),   BarButton(u"Cancel", kCommandCancel),
    BarButton(u"OK", kCommandOk),
};
constexpr auto kNoteEditorUntitled = Join(kNoteEditorMenu, kNoteEditorUntitledButtons);

// Shown from the contact page's file-as button; the five formats are inserted above these two.
constexpr Entry kFileAs[] = {
    Popup(u"File as"),
    Separator(),
    Command(u"Custom...", kCommandCustomFileAs),
};

constexpr Entry kPhraseSelection[] = {
    BarButton(u"Edit Phrases", kCommandEditPhrases),
    BarButton(u"Cancel", IDCANCEL),
};

template <size_t N>
constexpr CalyraResourceMenu Menu(int id, const Entry (&entries)[N]) {
  return {id, entries, static_cast<uint32_t>(N)};
}
template <size_t N>
constexpr CalyraResourceMenu Menu(int id, const std::array<Entry, N>& entries) {
  return {id, entries.data(), static_cast<uint32_t>(N)};
}

}  // namespace

extern const CalyraResourceMenu kMenus[] = {
    Menu(kMenuNotesPage, kNotesPage),
    Menu(kMenuCategoriesPage, kCategoriesPage),
    Menu(kMenuAppointmentPage, kAppointmentPage),
    Menu(kMenuPlainPage, kPageBarEnd),
    Menu(kMenuTaskPage, kTaskPage),
    Menu(kMenuNoteEditor, kNoteEditor),
    Menu(kMenuNoteEditorUntitled, kNoteEditorUntitled),
    Menu(kMenuContactPage, kContactPage),
    Menu(kMenuRecurrencePage, kRecurrencePage),
    Menu(kMenuFileAs, kFileAs),
    Menu(kMenuPhraseSelection, kPhraseSelection),
    Menu(kMenuProjectReportPage, kProjectReportPage),
};
extern const size_t kMenuCount = std::size(kMenus);

}  // namespace calyra::resources
