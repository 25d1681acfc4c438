#include <gtest/gtest.h>

#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "host/OwnResources.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "store/CPIMTask.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;

class SummaryWindowTest : public EditorHostTest {
 protected:
  HWND Summary() { return Component::Process().mainWindow->SummaryHandle(); }
  std::u16string Cell(int row, int column) {
    char16_t text[128] = {};
    ListView_GetItemText(GetDlgItem(Summary(), kSummaryList), row, column, text, 128);
    return text;
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

TEST_F(SummaryWindowTest, ACopyCommandMakesANewItemAndCloses) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1);
  Pump();
  platform::UserClick(GetDlgItem(Summary(), kSummaryCopy));
  Pump();
  EXPECT_EQ(Summary(), nullptr);
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
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

}  // namespace
