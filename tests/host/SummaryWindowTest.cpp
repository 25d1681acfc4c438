#include <gtest/gtest.h>

#include "CalyraEditorResources.h"
#include "editors/ControlText.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "host/OwnResources.h"
#include "host/SummaryWindow.h"
#include "lists/ListModel.h"
#include "lists/VirtualList.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"
#include "templates/TemplateWalk.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;

using namespace calyra::resources;

class SummaryWindowTest : public EditorHostTest {
 protected:
  HWND Summary() { return Component::Process().mainWindow->SummaryHandle(); }
  HWND List() { return GetDlgItem(Summary(), kSummaryList); }
  // The fields shown, each a label row and the value row below it.
  std::vector<std::pair<std::u16string, std::u16string>> Fields() {
    std::vector<std::pair<std::u16string, std::u16string>> fields;
    lists::ListModel* model = lists::VirtualList::Model(List());
    if (!model) return fields;
    for (int row = 0; row + 1 < model->RowCount(); ++row) {
      if (!(model->Row(row).flags & lists::kRowLabel)) continue;
      fields.emplace_back(model->RowText(row), model->RowText(row + 1));
    }
    return fields;
  }
  // A field's label (column 0) or value (column 1).
  std::u16string Cell(int field, int column) {
    auto fields = Fields();
    if (field >= static_cast<int>(fields.size())) return {};
    return column == 0 ? fields[static_cast<size_t>(field)].first : fields[static_cast<size_t>(field)].second;
  }
  std::vector<lists::DrawnText> Paint() {
    HDC dc = GetDC(lists::VirtualList::Inner(List()));
    std::vector<lists::DrawnText> drawn = lists::VirtualList::Paint(List(), dc);
    ReleaseDC(lists::VirtualList::Inner(List()), dc);
    return drawn;
  }
  bool IsLabel(const lists::DrawnText& text) {
    return lists::VirtualList::Model(List())->Row(text.row).flags & lists::kRowLabel;
  }
  std::u16string ButtonText(int id) {
    char16_t text[64] = {};
    GetDlgItemTextW(Summary(), id, text, 64);
    return text;
  }
  HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }
  static LOGFONTW Describe(HFONT font) {
    LOGFONTW description{};
    GetObjectW(font, sizeof(description), &description);
    return description;
  }
  static CalyraDisplayOptions Display(const char16_t* face, bool clearType, DWORD summarySize,
                                      COLORREF labels, COLORREF values) {
    CalyraDisplayOptions options{};
    platform::BoundedCopy(options.fontName, std::size(options.fontName), face);
    options.clearType = clearType ? 1 : 0;
    options.colors[0] = RGB(255, 255, 255);
    options.colors[1] = labels;
    options.colors[2] = values;
    options.summaryFontSize = summarySize;
    return options;
  }
  void OpenTaskSummary() {
    ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, SaveTask(u"Report"), 1, 0, 0), 1);
    Pump();
    ASSERT_NE(Summary(), nullptr);
  }
};

// A host module in another language: the summary shows its texts, not English ones of its own.
class SummaryWindowTranslatedTest : public SummaryWindowTest {
 protected:
  static constexpr std::pair<UINT, const char16_t*> kGerman[] = {
      {kStringSummarySubject, u"Betreff"},
      {kStringSummaryLocation, u"Ort"},
      {kStringSummaryStarts, u"Beginn"},
      {kStringSummaryEnds, u"Ende"},
      {kStringSummaryReminder, u"Erinnerung"},
      {kStringSummaryCategories, u"Kategorien"},
      {kStringSummaryDue, u"F\u00e4llig"},
      {kStringSummaryPriority, u"Priorit\u00e4t"},
      {kStringSummaryComplete, u"Erledigt"},
      {kStringSummaryFieldColumn, u"Feld"},
      {kStringSummaryValueColumn, u"Wert"},
      {kStringSummaryNone, u"Keine"},
      {kStringSummaryMinutes, u"%d Minuten"},
      {kStringSummaryPriorityNormal, u"Mittel"},
      {kStringSummaryNo, u"Nein"},
      {kStringSummaryOk, u"Fertig"},
      {kStringSummaryEdit, u"Bearbeiten"},
      {kStringSummaryDelete, u"L\u00f6schen"},
      {kStringSummaryBeam, u"Senden"},
  };

  HINSTANCE MakeResources() override {
    auto module = platform::ResourceModuleFromTable(CalyraResources_Table());
    for (const auto& [id, text] : kGerman) module->AddString(id, text);
    return RegisterResourceModule(module);
  }
};

TEST_F(SummaryWindowTest, ShowsTheTaskAndClosesWithOk) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1);
  Pump();
  ASSERT_NE(Summary(), nullptr);
  EXPECT_FALSE(Frame().IsOpen()) << "a summary, not an editor";
  EXPECT_EQ(Cell(0, 0), u"Subject");
  EXPECT_EQ(Cell(0, 1), u"Report");
  EXPECT_EQ(lists::VirtualList::CurrentRow(List()), 1) << "the keyboard starts on the first value";
  EXPECT_EQ(CalyraEditor_HandleActivationChange(1), 1) << "the summary counts as open";

  platform::UserClick(GetDlgItem(Summary(), IDOK));
  Pump();
  EXPECT_EQ(Summary(), nullptr);
  EXPECT_FALSE(IsWindowVisible(MainWindow()));
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
  EXPECT_EQ(CalyraEditor_HandleActivationChange(1), 0);
}

TEST_F(SummaryWindowTest, EditOpensTheEditorForTheSameItem) {
  UseTestPage(PageNumber::Task);
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1);
  Pump();
  platform::UserClick(GetDlgItem(Summary(), kSummaryEdit));
  Pump();
  EXPECT_EQ(Summary(), nullptr);
  ASSERT_TRUE(Frame().IsOpen());
  EXPECT_EQ(Frame().Context().item->oid, task);
  EXPECT_EQ(HostMessagesAre({}), "");
}

TEST_F(SummaryWindowTest, SavingAsATemplateAsksForTheNameFirstAndThenCloses) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1);
  Pump();
  // Cancelling the name leaves the summary as it was.
  user_->ExpectDialog(resources::kDialogTextPrompt).Click(IDCANCEL);
  platform::UserClick(GetDlgItem(Summary(), kSummaryCopy));
  Pump();
  ASSERT_NE(Summary(), nullptr);
  EXPECT_EQ(HostMessagesAre({}), "");

  std::u16string offered;
  user_->ExpectDialog(resources::kDialogTextPrompt)
      .Do("read the name offered",
          [&](HWND dialog) {
            offered = WindowText(GetDlgItem(dialog, resources::kTextPromptText));
            return true;
          })
      .Type(resources::kTextPromptText, u"Monthly report")
      .Click(IDOK);
  platform::UserClick(GetDlgItem(Summary(), kSummaryCopy));
  EXPECT_EQ(offered, u"Report");
  EXPECT_EQ(Component::Process().mainWindow->Summary()->TemplateName(), u"Monthly report");
  Pump();
  EXPECT_EQ(Summary(), nullptr);
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
  std::vector<std::u16string> templates;
  TemplateWalk(ItemKind::Task).Run([&](const TemplateEntry& entry) {
    templates.push_back(entry.text);
    return true;
  });
  EXPECT_EQ(templates, std::vector<std::u16string>{u"Monthly report"}) << "the template has the name given";
}

TEST_F(SummaryWindowTest, AHostThatSwitchesAwayClosesTheSummary) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1);
  Pump();
  EXPECT_EQ(CalyraEditor_IsEditorActive(0, host_, kHostMessage, 1, 2), 0);
  EXPECT_EQ(Summary(), nullptr);
  EXPECT_FALSE(IsWindowVisible(MainWindow()));
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1) << "the item is free again";
  Pump();
  EXPECT_NE(Summary(), nullptr);
}

TEST_F(SummaryWindowTest, AnItemAskedForFromTheSummaryGoesToTheHost) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1);
  Pump();
  SendMessageW(Summary(), kNotifyOpenItem, 3, static_cast<LPARAM>(task));
  Pump();
  EXPECT_EQ(Summary(), nullptr);
  EXPECT_EQ(HostMessagesAre(
                {kClosed, {kNotifyOpenItem, kPosted | kWParam | kLParam, 3, static_cast<LPARAM>(task)}}),
            "");
}

TEST_F(SummaryWindowTest, OnlyThePhotoChangeReachesTheSummary) {
  UINT photoChange = RegisterWindowMessageW(u"CalyraContactPhotoChange");
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1);
  Pump();
  ASSERT_NE(Summary(), nullptr);
  recorder_->Watch(Summary());
  CalyraEditor_PostMessage(photoChange, 5, 6);
  CalyraEditor_PostMessage(WM_USER + 1, 5, 6);
  auto messages = recorder_->MessagesTo(Summary());
  EXPECT_EQ(platform::CompareMessages(messages, {{photoChange, kPosted | kWParam | kLParam, 5, 6}}), "");
}

TEST_F(SummaryWindowTranslatedTest, ShowsTheHostModulesTextsForATask) {
  OpenTaskSummary();
  const std::pair<std::u16string, std::u16string> expected[] = {
      {u"Betreff", u"Report"},        {u"Beginn", u"Keine"},  {u"F\u00e4llig", u"Keine"},
      {u"Priorit\u00e4t", u"Mittel"}, {u"Erledigt", u"Nein"},
  };
  ASSERT_EQ(Fields().size(), std::size(expected));
  for (int row = 0; row < static_cast<int>(std::size(expected)); ++row) {
    EXPECT_EQ(Cell(row, 0), expected[row].first) << row;
    EXPECT_EQ(Cell(row, 1), expected[row].second) << row;
  }
  EXPECT_EQ(ButtonText(IDOK), u"Fertig");
  EXPECT_EQ(ButtonText(kSummaryEdit), u"Bearbeiten");
  EXPECT_EQ(ButtonText(kCommandDelete), u"L\u00f6schen");
  EXPECT_EQ(ButtonText(kCommandBeam), u"Senden");
  EXPECT_EQ(ButtonText(kCommandConvert), ResourceText(resources_, kStringSummaryConvert))
      << "the default module's text where the host changed none";
}

TEST_F(SummaryWindowTranslatedTest, ShowsTheHostModulesTextsForAnAppointment) {
  CPIMAppointment appointment;
  appointment.subject = u"Dentist";
  appointment.location = u"Town";
  appointment.start = SYSTEMTIME{2024, 3, 0, 18, 9, 0, 0, 0};
  appointment.end = SYSTEMTIME{2024, 3, 0, 18, 10, 0, 0, 0};
  appointment.reminderSet = true;
  appointment.reminderMinutes = 20;
  ItemContext context;
  ASSERT_EQ(appointment.Save(context), S_OK);
  ASSERT_EQ(CalyraEditor_EditAppointment(0, nullptr, appointment.oid, 1, 0, 0, 0), 1);
  Pump();
  ASSERT_NE(Summary(), nullptr);
  EXPECT_EQ(Cell(0, 0), u"Betreff");
  EXPECT_EQ(Cell(1, 0), u"Ort");
  EXPECT_EQ(Cell(1, 1), u"Town");
  EXPECT_EQ(Cell(4, 0), u"Erinnerung");
  EXPECT_EQ(Cell(4, 1), u"20 Minuten");
  EXPECT_EQ(Cell(5, 0), u"Kategorien");
}

TEST_F(SummaryWindowTest, TheDefaultModuleNamesEveryButton) {
  OpenTaskSummary();
  const std::pair<int, UINT> buttons[] = {
      {IDOK, kStringSummaryOk},
      {kSummaryEdit, kStringSummaryEdit},
      {kCommandDelete, kStringSummaryDelete},
      {kCommandConvert, kStringSummaryConvert},
      {kCommandShowInOutlook, kStringSummaryOutlook},
      {kCommandBeam, kStringSummaryBeam},
      {kSummaryCopy, kStringSummaryCopy},
      {kSummaryLinks, kStringSummaryLinks},
  };
  for (const auto& [button, string] : buttons) {
    EXPECT_FALSE(ResourceText(resources_, string).empty()) << string;
    EXPECT_EQ(ButtonText(button), ResourceText(resources_, string)) << button;
  }
  EXPECT_EQ(Cell(4, 0), ResourceText(resources_, kStringSummaryComplete));
  EXPECT_EQ(Cell(4, 1), ResourceText(resources_, kStringSummaryNo));
}

TEST_F(SummaryWindowTest, DrawsLabelsAndValuesInTheDisplayColours) {
  CalyraDisplayOptions options = Display(u"Tahoma", false, 9, RGB(0, 0, 170), RGB(0, 187, 0));
  ASSERT_EQ(CalyraEditor_SetDisplayOptions(&options), 1);
  OpenTaskSummary();
  std::vector<lists::DrawnText> drawn = Paint();
  ASSERT_EQ(drawn.size(), 10u) << "five rows of label and value";
  for (const auto& text : drawn) {
    EXPECT_EQ(text.colour, IsLabel(text) ? RGB(0, 0, 170) : RGB(0, 187, 0)) << platform::ToUtf8(text.text);
  }

  // New options reach the open summary the next time it is drawn.
  options = Display(u"Tahoma", false, 9, RGB(200, 0, 0), RGB(0, 0, 0));
  ASSERT_EQ(CalyraEditor_SetDisplayOptions(&options), 1);
  drawn = Paint();
  ASSERT_FALSE(drawn.empty());
  for (const auto& text : drawn) {
    EXPECT_EQ(text.colour, IsLabel(text) ? RGB(200, 0, 0) : RGB(0, 0, 0)) << platform::ToUtf8(text.text);
  }
}

TEST_F(SummaryWindowTest, UsesTheCachedFontOfTheSummarySizeInTheDisplayFace) {
  CalyraDisplayOptions options = Display(u"Verdana", true, 11, RGB(0, 0, 128), RGB(0, 0, 0));
  ASSERT_EQ(CalyraEditor_SetDisplayOptions(&options), 1);
  OpenTaskSummary();
  HFONT font = FontOf(List());
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font, Component::Process().DisplayFont(11, 0)) << "the cache's font, not one of its own";
  LOGFONTW description = Describe(font);
  EXPECT_EQ(std::u16string(description.lfFaceName), u"Verdana");
  EXPECT_EQ(description.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_EQ(description.lfHeight, 17) << "size 11 below high resolution";
  EXPECT_EQ(description.lfWeight, FW_NORMAL);
  EXPECT_EQ(FontOf(GetDlgItem(Summary(), IDOK)), font);
  EXPECT_EQ(FontOf(GetDlgItem(Summary(), kSummaryLinks)), font);
  HFONT bold = Component::Process().DisplayFont(11, FontCache::kBold);
  for (const auto& text : Paint()) EXPECT_EQ(text.font, IsLabel(text) ? bold : font);

  // Another face reaches the open summary; the old font is gone with the cache's old fonts.
  options = Display(u"Tahoma", false, 8, RGB(0, 0, 128), RGB(0, 0, 0));
  ASSERT_EQ(CalyraEditor_SetDisplayOptions(&options), 1);
  HFONT changed = FontOf(List());
  EXPECT_NE(changed, font);
  description = Describe(changed);
  EXPECT_EQ(std::u16string(description.lfFaceName), u"Tahoma");
  EXPECT_NE(description.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_EQ(description.lfHeight, 13);
  EXPECT_EQ(GetObjectType(font), 0u) << "deleted";
}

TEST_F(SummaryWindowTest, ASummarySizeOutsideTheCacheTakesItsNearestEnd) {
  CalyraDisplayOptions options = Display(u"Tahoma", false, 30, RGB(0, 0, 128), RGB(0, 0, 0));
  ASSERT_EQ(CalyraEditor_SetDisplayOptions(&options), 1);
  OpenTaskSummary();
  EXPECT_EQ(FontOf(List()), Component::Process().DisplayFont(FontCache::kLargest, 0));
}

// At high resolution the cache makes point sizes rather than fixed pixel heights.
class SummaryWindowHighDpiTest : public SummaryWindowTest {
 protected:
  void ConfigureDevice() override { Device().SetSetting("Screen.DpiY", std::u16string(u"192")); }
};

TEST_F(SummaryWindowHighDpiTest, FontHeightFollowsTheScreensVerticalResolution) {
  CalyraDisplayOptions options = Display(u"Tahoma", false, 9, RGB(0, 0, 128), RGB(0, 0, 0));
  ASSERT_EQ(CalyraEditor_SetDisplayOptions(&options), 1);
  OpenTaskSummary();
  EXPECT_EQ(Describe(FontOf(List())).lfHeight, -(9 * 192 / 72));
}

}  // namespace
