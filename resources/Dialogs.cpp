#include <iterator>

#include "resources/DialogItems.h"
#include "resources/Resources.h"

// The component's modal and modeless dialogs other than the time pickers: lists to choose from
// (phrases, projects, templates, contacts), the category dialog, the journal, the note editor, the
// floating link window and the small text prompts. Full-screen dialogs span the 165 units between the
// task bar and the menu bar; the code sizes them to the input panel.
namespace calyra::resources {

using namespace dialog;

namespace {

constexpr int16_t kBottomRow = 150;

constexpr Item kPhraseItems[] = {
    Label(u"", 2, 2, 156, 10, kPhraseTitle),
    ListView(kPhraseList, 0, 14, kPageWidth, 134),
    Label(u"Tap a phrase to insert it.", 2, 152, 156, 10, kPhraseHint),
};

constexpr Item kProjectPickerItems[] = {
    Label(u"Add to the project:", 2, 2, 156),
    {WC_TREEVIEWW, kProjectPickerTree, u"",
     kVisible | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
     0, 0, 12, kPageWidth, 134},
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

// Two panels over one category list: the names panel (shown) and the icons panel (hidden), whose
// palette takes the place of the name field and whose buttons take the place of the names panel's.
constexpr Item kCategoryItems[] = {
    Label(u"Name:", 2, 4, 24),
    Edit(kCategoryName, 28, 2, 130),
    Button(kCategoryAdd, u"Add", 2, 16, 50),
    Button(kCategoryRename, u"Rename", 54, 16, 50),
    Button(kCategoryDelete, u"Delete", 106, 16, 52),
    ListView(kCategoryList, 0, 30, kPageWidth, 96, LVS_SMALLICON),
    Button(kCategoryShowIcons, u"Icons...", 2, 128, 50),
    Button(kCategoryColour, u"Colour...", 54, 128, 50),
    Hidden(Label(u"Choose an icon and a category:", 2, 0, 156, 8, kCategoryPaletteLabel)),
    Hidden(ListView(kCategoryPalette, 0, 8, kPageWidth, 20, LVS_SMALLICON)),
    Hidden(Button(kCategoryIconSet, u"Icon Set", 2, 128, 38)),
    Hidden(Button(kCategoryPaletteFolder, u"Folder...", 42, 128, 38)),
    Hidden(Button(kCategoryAssignIcon, u"Assign", 82, 128, 38)),
    Hidden(Button(kCategoryRemoveIcon, u"Remove", 122, 128, 36)),
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

constexpr Item kIconFolderItems[] = {
    Label(u"Folder of the icon palette:", 2, 4, 156),
    Edit(kIconFolderPath, 2, 14, 120),
    Button(kIconFolderBrowse, u"...", 124, 14, 34),
    OkButton(30),
    CancelButton(30),
};

// The icon palette to choose an item's icon from.
constexpr Item kIconChooserItems[] = {
    Label(u"Choose an icon:", 2, 4, 156),
    ListView(kIconChooserPalette, 0, 14, kPageWidth, 118, LVS_ICON),
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

constexpr Item kNoteOptionsItems[] = {
    Label(u"New notes:", 2, 4, 54),
    DropList(kNoteOptionsNewMode, 58, 2, 100, 50),
    Label(u"Other notes:", 2, 18, 54),
    DropList(kNoteOptionsExistingMode, 58, 16, 100, 50),
    Label(u"Alarm notes:", 2, 32, 54),
    DropList(kNoteOptionsAlarmMode, 58, 30, 100, 50),
    Label(u"Zoom:", 2, 46, 54),
    DropList(kNoteOptionsZoom, 58, 44, 50, 70),
    Label(u"Font:", 2, 60, 54),
    DropDown(kNoteOptionsFont, 58, 58, 100, 80),
    Label(u"Size:", 2, 74, 54),
    DropList(kNoteOptionsFontSize, 58, 72, 40, 100),
    Check(kNoteOptionsInkAndText, u"Writing and typing together", 2, 88, 156),
    Check(kNoteOptionsFlag1, u"Show ruled lines", 2, 100, 156),
    Check(kNoteOptionsFlag2, u"Wrap to the page", 2, 112, 156),
    Check(kNoteOptionsFlag3, u"Recognise writing", 2, 124, 156),
    Check(kNoteOptionsFlag4, u"Smooth strokes", 2, 136, 156),
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

constexpr Item kTextPromptItems[] = {
    Label(u"Name:", 2, 4, 156, 8, kTextPromptLabel),
    Edit(kTextPromptText, 2, 14, 156),
    OkButton(30),
    CancelButton(30),
};

constexpr Item kJournalItems[] = {
    Label(u"Show:", 2, 4, 24),
    DropList(kJournalView, 28, 2, 68, 50),
    Button(kJournalSortAscending, u"Oldest", 98, 2, 29),
    Button(kJournalSortDescending, u"Newest", 129, 2, 29),
    ListView(kJournalList, 0, 16, kPageWidth, 116, LVS_REPORT),
    Button(kJournalAdd, u"Add...", 2, 134, 38),
    Button(kJournalDelete, u"Delete", 41, 134, 38),
    Button(kJournalExport, u"Export", 80, 134, 38),
    Button(kJournalDeleteAll, u"Clear All", 119, 134, 39),
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

constexpr Item kJournalEntryItems[] = {
    Label(u"When:", 2, 4, 24),
    DatePicker(kJournalEntryDate, 28, 2, 66),
    TimePicker(kJournalEntryTime, 96, 2, 62),
    MultiLineEdit(kJournalEntryText, 0, 16, kPageWidth, 112),
    Button(kJournalEntryPhrase, u"Phrase...", 2, 130, 76),
    Button(kJournalEntryField, u"Field...", 82, 130, 76),
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

// A time record: its name, the project it is booked on, and its start and end (no end: running).
constexpr Item kTimeRecordItems[] = {
    Label(u"Name:", 2, 4, 40),
    Edit(kTimeRecordName, 44, 2, 114),
    Label(u"Booked on:", 2, 18, 40),
    DropList(kTimeRecordBookedOn, 44, 16, 114),
    Label(u"Starts:", 2, 32, 40),
    DatePicker(kTimeRecordStartDate, 44, 30, 56),
    TimePicker(kTimeRecordStartTime, 102, 30, 56),
    Label(u"Ends:", 2, 46, 40),
    DatePicker(kTimeRecordEndDate, 44, 44, 56, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    TimePicker(kTimeRecordEndTime, 102, 44, 56),
    OkButton(62),
    CancelButton(62),
};

constexpr Item kLocationItems[] = {
    Edit(kLocationText, 2, 2, 100),
    Button(kLocationAdd, u"Add", 104, 2, 26),
    Button(kLocationDelete, u"Delete", 132, 2, 26),
    ListBox(kLocationList, 0, 16, kPageWidth, 130),
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

constexpr Item kTemplatePickerItems[] = {
    Label(u"", 2, 2, 156, 10, kTemplatePickerTitle),
    ListView(kTemplatePickerList, 0, 14, kPageWidth, 120),
    Button(kTemplatePickerBlank, u"Blank item", 2, 136, 156),
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

// The floating link window: the top row is the handle it is dragged by; once the list holds a link
// the code cuts the window off below the drop text, so the hint beneath is for an empty list only.
constexpr Item kFloatingLinksItems[] = {
    Button(kFloatingLinksKind, u"", 2, 2, 12, 12, BS_OWNERDRAW),
    Label(u"", 16, 4, 108, 8, kFloatingLinksTitle),
    Button(kFloatingLinksCloseBox, u"X", 126, 2, 12),
    ListView(kFloatingLinksList, 2, 18, 136, 70),
    Button(kFloatingLinksOpen, u"Open", 2, 90, 66),
    Button(kFloatingLinksClose, u"Close", 72, 90, 66),
    Label(u"Drop items here to link them.", 2, 106, 136, 8, kFloatingLinksDropText),
    Label(u"Drag appointments, tasks or contacts onto this window to link them with the item.", 2, 118, 136,
          28, kFloatingLinksHint),
};

constexpr Item kNoteEditorItems[] = {
    Label(u"", 2, 3, 40, 8, kNoteEditorTitleLabel),
    {WC_CAPEDIT, kNoteEditorTitle, u"", kVisible | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 42, 1, 116,
     12},
    Ink(kNoteEditorInk, 0, 15, kPageWidth, kBottomRow),
};

constexpr Item kCustomFileAsItems[] = {
    Label(u"File as:", 2, 4, 156),
    Edit(kCustomFileAsText, 2, 14, 156),
    OkButton(30),
    CancelButton(30),
};

constexpr Item kContactChooserItems[] = {
    Label(u"Find:", 2, 4, 20),
    Edit(kContactChooserFind, 24, 2, 134),
    ListView(kContactChooserList, 0, 16, kPageWidth, 110, LVS_REPORT),  // the header sorts
    Button(kContactChooserNameButton, u"Name...", 2, 128, 40),
    {WC_EDIT, kContactChooserName, u"", kVisible | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, 0, 44, 128, 114,
     kRowHeight},
    OkButton(kBottomRow),
    CancelButton(kBottomRow),
};

}  // namespace

extern const CalyraResourceDialog kDialogs[] = {
    Modal(kDialogPhraseSelection, u"Phrases", 0, kScreenHeight, kPhraseItems),
    Modal(kDialogProjectPicker, u"Add to Project", 0, kScreenHeight, kProjectPickerItems),
    Modal(kDialogCategories, u"Categories", 0, kScreenHeight, kCategoryItems),
    Modal(kDialogIconFolder, u"Icon Folder", 40, 46, kIconFolderItems),
    Modal(kDialogIconChooser, u"Icon", 0, kScreenHeight, kIconChooserItems),
    Modal(kDialogNoteOptions, u"Note Options", 0, kScreenHeight, kNoteOptionsItems),
    Modal(kDialogTextPrompt, u"Name", 40, 46, kTextPromptItems),
    Modal(kDialogTimeRecord, u"Time Record", 30, 78, kTimeRecordItems),
    Modal(kDialogJournal, u"Journal", 0, kScreenHeight, kJournalItems),
    Modal(kDialogJournalEntry, u"Journal Entry", 0, kScreenHeight, kJournalEntryItems),
    Modal(kDialogLocation, u"Location", 0, kScreenHeight, kLocationItems),
    Modal(kDialogTemplatePicker, u"New", 0, kScreenHeight, kTemplatePickerItems),
    {kDialogFloatingLinks, u"Links", WS_POPUP | WS_BORDER | WS_VISIBLE | kDsSetFont, WS_EX_TOPMOST, 10, 22,
     140, kBottomRow, kFloatingLinksItems, static_cast<uint32_t>(std::size(kFloatingLinksItems))},
    Modal(kDialogNoteEditor, u"Note", 0, kScreenHeight, kNoteEditorItems),
    Modal(kDialogCustomFileAs, u"File As", 40, 46, kCustomFileAsItems),
    Modal(kDialogContactChooser, u"Choose Contact", 0, kScreenHeight, kContactChooserItems),
};
extern const size_t kDialogCount = std::size(kDialogs);

}  // namespace calyra::resources
