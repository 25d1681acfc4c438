#include "host/OwnResources.h"

#include <iterator>

#include "editors/EditorMessages.h"
#include "platform/ui/WindowTypes.h"
#include "platform/ui/controls/Controls.h"

namespace calyra {

namespace {

constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

// The summary: the item's fields in a list, and its commands as buttons along the bottom.
constexpr CalyraResourceDialogItem kSummaryItems[] = {
    {u"VL_LISTUI_CE_1.5", kSummaryList, u"", kChild, 0, 0, 0, 160, 180},
    {u"BUTTON", IDOK, u"OK", kChild | BS_PUSHBUTTON, 0, 0, 184, 38, 14},
    {u"BUTTON", kSummaryEdit, u"Edit", kChild | BS_PUSHBUTTON, 0, 40, 184, 38, 14},
    {u"BUTTON", resources::kCommandDelete, u"Delete", kChild | BS_PUSHBUTTON, 0, 80, 184, 38, 14},
    {u"BUTTON", resources::kCommandConvert, u"Convert", kChild | BS_PUSHBUTTON, 0, 120, 184, 38, 14},
    {u"BUTTON", resources::kCommandShowInOutlook, u"Outlook", kChild | BS_PUSHBUTTON, 0, 0, 200, 38, 14},
    {u"BUTTON", resources::kCommandBeam, u"Beam", kChild | BS_PUSHBUTTON, 0, 40, 200, 38, 14},
    {u"BUTTON", kSummaryCopy, u"Copy", kChild | BS_PUSHBUTTON, 0, 80, 200, 38, 14},
    {u"BUTTON", kSummaryLinks, u"Links", kChild | BS_PUSHBUTTON, 0, 120, 200, 38, 14},
    {u"BUTTON", resources::kCommandAddToProject, u"Project", kChild | BS_PUSHBUTTON, 0, 0, 216, 38, 14},
};

constexpr CalyraResourceDialogItem kPlainNoteItems[] = {
    {u"STATIC", -1, u"The alarm time is not valid. Save the note without an alarm?",
     WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 6, 6, 140, 30},
    {u"BUTTON", IDYES, u"Yes", kChild | BS_PUSHBUTTON, 0, 30, 44, 44, 14},
    {u"BUTTON", IDNO, u"No", kChild | BS_PUSHBUTTON, 0, 86, 44, 44, 14},
};

constexpr CalyraResourceDialog kDialogs[] = {
    {kSummaryDialog, u"", WS_POPUP | WS_VISIBLE, 0, 0, 0, 160, 232, kSummaryItems, std::size(kSummaryItems)},
    {kPlainNoteQuestionDialog, u"Note", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 4, 60, 152, 64,
     kPlainNoteItems, std::size(kPlainNoteItems)},
};

}  // namespace

const CalyraResourceTable* OwnResourceTable() {
  static const CalyraResourceTable table = {
      CALYRA_RESOURCES_VERSION, nullptr, 0, kDialogs, std::size(kDialogs), nullptr, 0, nullptr, 0,
  };
  return &table;
}

}  // namespace calyra
