// The template exports as a host calls them: saving an item as a template with a scripted person,
// the count, the host's list view filled, and renaming through the name dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalyraEditor.h"
#include "editors/ControlText.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"
#include "templates/TemplateWalk.h"
#include "tests/support/DateSupport.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/templates/TemplateItems.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

class TemplateExportsTest : public EditorHostTest {
 protected:
  static std::vector<TemplateEntry> Templates(ItemKind kind) {
    std::vector<TemplateEntry> found;
    TemplateWalk(kind).Run([&](const TemplateEntry& entry) {
      found.push_back(entry);
      return true;
    });
    return found;
  }
};

TEST_F(TemplateExportsTest, SaveItemAsTemplateAsksForTheNameAndLeavesTheSource) {
  ItemOid task = calyra::testing::SaveTask(u"Tax return", Date(2024, 3, 1), Date(2024, 3, 31));
  std::u16string offered;
  user_->ExpectDialog(kDialogTextPrompt)
      .Do("read the name offered",
          [&](HWND dialog) {
            offered = WindowText(GetDlgItem(dialog, kTextPromptText));
            return true;
          })
      .Type(kTextPromptText, u"Yearly taxes")
      .Click(IDOK);
  EXPECT_EQ(CalyraEditor_SaveItemAsTemplate(host_, task), 1);
  EXPECT_EQ(offered, u"Tax return");
  std::vector<TemplateEntry> templates = Templates(ItemKind::Task);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0].text, u"Yearly taxes");
  EXPECT_NE(templates[0].oid, task);
  CPIMTask source;
  source.oid = task;
  ASSERT_TRUE(source.Load(ItemContext()));
  EXPECT_EQ(source.subject, u"Tax return");
  EXPECT_EQ(source.due, Date(2024, 3, 31));
}

TEST_F(TemplateExportsTest, AnEmptyNameIsRefusedWithAStopMessage) {
  ItemOid contact = SaveContact(u"Anna", u"Berg", u"Berg Joinery");
  MessageBoxRecorder recorder(*user_);
  platform::SetUserAgent(&recorder);
  user_->ExpectDialog(kDialogTextPrompt)
      .Type(kTextPromptText, u"")
      .Click(IDOK)
      .Type(kTextPromptText, u"Joiners")
      .Click(IDOK);
  user_->ExpectMessageBoxString(kStringTemplateNameEmpty, IDOK);
  EXPECT_EQ(CalyraEditor_SaveItemAsTemplate(host_, contact), 1);
  platform::SetUserAgent(&*user_);
  ASSERT_EQ(recorder.captions.size(), 1u);
  EXPECT_EQ(recorder.captions[0], ResourceText(resources_, kStringTemplateCaption));
  EXPECT_EQ(recorder.flagsSeen[0] & MB_ICONMASK, MB_ICONSTOP);
  std::vector<TemplateEntry> templates = Templates(ItemKind::Contact);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0].text, u"Joiners");
}

TEST_F(TemplateExportsTest, SaveItemAsTemplateAnswersByTheKindOfTheRecord) {
  ItemOid appointment = SaveAppointment(u"Dentist", Date(2024, 3, 20, 9, 0), Date(2024, 3, 20, 10, 0));
  user_->ExpectDialog(kDialogTextPrompt).Click(IDCANCEL);
  EXPECT_EQ(CalyraEditor_SaveItemAsTemplate(host_, appointment), 1)
      << "1 whether or not a template was written";
  EXPECT_TRUE(Templates(ItemKind::Appointment).empty());
  EXPECT_EQ(CalyraEditor_SaveItemAsTemplate(host_, 0), 0);
  EXPECT_EQ(CalyraEditor_SaveItemAsTemplate(host_, 0x7FFFFF), 0);
}

TEST_F(TemplateExportsTest, TheCountReadsTheKindFromTheLowWord) {
  TaskStartingAt(u"Report", Date(2999, 12, 31));
  TaskStartingAt(u"Expenses", Date(2999, 12, 31));
  struct Case {
    WORD kind;
    int count;
  };
  for (Case entry : {Case{3, 1}, Case{1, 0}, Case{2, 0}, Case{0, 0}, Case{7, 0}})
    EXPECT_EQ(CalyraEditor_GetTemplateCount(entry.kind), entry.count) << entry.kind;
}

TEST_F(TemplateExportsTest, TheHostsListViewGetsSortedRows) {
  for (const char16_t* name : {u"Beta", u"alpha", u"Gamma"}) TaskStartingAt(name, Date(2999, 12, 31));
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | LVS_REPORT, 0, 0, 200, 200, host_, nullptr,
                              nullptr, nullptr);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 180;
  ListView_InsertColumn(list, 0, &column);
  EXPECT_EQ(CalyraEditor_FillListViewWithTemplates(list, 0x10003, 1), 3);
  std::vector<std::u16string> texts;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    WCHAR text[64] = {};
    ListView_GetItemText(list, row, 0, text, 64);
    texts.emplace_back(text);
  }
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"alpha", u"Beta", u"Gamma"}));
  EXPECT_EQ(CalyraEditor_FillListViewWithTemplates(nullptr, 3, 1), 0);
  DestroyWindow(list);
}

TEST_F(TemplateExportsTest, EditTemplateNameCopiesTheNameBackOnOkOnly) {
  std::u16string buffer(4096, u'\0');
  std::u16string(u"Old name").copy(buffer.data(), 8);
  user_->ExpectDialog(kDialogTextPrompt).Type(kTextPromptText, u"New name").Click(IDOK);
  EXPECT_EQ(CalyraEditor_EditTemplateName(host_, buffer.data(), 10), IDOK);
  EXPECT_EQ(std::u16string(buffer.c_str()), u"New name");

  user_->ExpectDialog(kDialogTextPrompt).Type(kTextPromptText, u"Other").Click(IDCANCEL);
  EXPECT_EQ(CalyraEditor_EditTemplateName(host_, buffer.data(), 10), IDCANCEL);
  EXPECT_EQ(std::u16string(buffer.c_str()), u"New name");

  std::u16string longName(5000, u'n');
  user_->ExpectDialog(kDialogTextPrompt).Type(kTextPromptText, longName).Click(IDOK);
  EXPECT_EQ(CalyraEditor_EditTemplateName(host_, buffer.data(), 10), IDOK);
  EXPECT_EQ(std::u16string(buffer.c_str()).size(), 4095u) << "the dialog's bound, not the limit argument";
  EXPECT_EQ(CalyraEditor_EditTemplateName(host_, nullptr, 10), 0);
}

}  // namespace
