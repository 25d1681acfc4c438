// Deleting from an open editor and from the summary: the questions the delete exports ask, with the
// confirm option the host gave last, and the occurrence of a series deleted alone.
#include <gtest/gtest.h>

#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/ItemIdentity.h"
#include "store/OutlookSession.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

class EditorDeleteTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    UseTestPages();
  }
  void Delete() {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandDelete, 0);
    Pump();
  }
  std::u16string Named(const std::u16string& subject) const {
    return u"\"" + subject + u"\" " + ResourceText(resources_, kStringDeleteNamed);
  }
  // The deleted days of the series' exceptions, as whole days.
  static std::vector<long> DeletedDays(ItemOid series) {
    OutlookSession session;
    session.Logon(nullptr);
    platform::ComPtr<IAppointment> stored = session.GetItem<IAppointment>(series, IID_IAppointment);
    platform::ComPtr<IRecurrencePattern> pattern;
    platform::ComPtr<IExceptions> exceptions;
    std::vector<long> days;
    if (!stored || FAILED(stored->GetRecurrencePattern(&pattern)) ||
        FAILED(pattern->get_Exceptions(&exceptions)))
      return days;
    int count = 0;
    exceptions->get_Count(&count);
    for (int i = 1; i <= count; ++i) {
      platform::ComPtr<IException> exception;
      VARIANT_BOOL deleted = VARIANT_FALSE;
      DATE original = 0;
      exceptions->Item(i, &exception);
      exception->get_Deleted(&deleted);
      exception->get_OriginalDate(&original);
      if (deleted != VARIANT_FALSE) days.push_back(static_cast<long>(original));
    }
    return days;
  }
  static bool Exists(ItemOid item) { return ItemKindOf(item) != ItemKind::None; }
};

TEST_F(EditorDeleteTest, TheEditorsDeleteAsksDeletesAndCloses) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(EditItem(EditorKind::EditTask, task).Post(), 1);
  Pump();
  user_->ExpectMessageBox(Named(u"Report"), IDYES);
  Delete();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_FALSE(Exists(task));
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
}

TEST_F(EditorDeleteTest, TheHostsLastConfirmOptionHoldsForTheEditors) {
  ItemOid first = SaveTask(u"Report");
  ItemOid second = SaveTask(u"Slides");
  ASSERT_EQ(CalyraEditor_DeleteTask(first, 0, 0), 1) << "confirm off, nothing asked";
  ASSERT_EQ(EditItem(EditorKind::EditTask, second).Post(), 1);
  Pump();
  Delete();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_FALSE(Exists(second)) << "deleted without a question";
}

TEST_F(EditorDeleteTest, AnOpenedOccurrenceIsDeletedAloneFromTheSeries) {
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDYES);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 3, 25)).Post(), 1);
  Pump();
  ASSERT_TRUE(Frame().IsOpen());
  user_->ExpectMessageBoxContaining(ResourceText(resources_, kStringDeleteOccurrence), IDNO);
  Delete();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_TRUE(Exists(series));
  EXPECT_EQ(DeletedDays(series), std::vector<long>{45376}) << "25 March";
}

TEST_F(EditorDeleteTest, AnOccurrenceWithARecordOfItsOwnIsDeletedThroughItsSeries) {
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  // The occurrence of 25 March changed once: it has a record of its own.
  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDYES);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 3, 25)).Post(), 1);
  Pump();
  ASSERT_TRUE(platform::UserType(GetDlgItem(Frame().FocusedPage(), TestPage::kField), u"x"));
  SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandOk, 0);
  Pump();
  ASSERT_FALSE(Frame().IsOpen());

  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDYES);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 3, 25)).Post(), 1);
  Pump();
  user_->ExpectMessageBoxContaining(ResourceText(resources_, kStringDeleteOccurrence), IDNO);
  Delete();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_TRUE(Exists(series));
  EXPECT_EQ(DeletedDays(series), std::vector<long>{45376});
}

TEST_F(EditorDeleteTest, TheSummarysDeleteButtonDeletesAndClosesIt) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(EditItem(EditorKind::EditTask, task).Summary().Post(), 1);
  Pump();
  HWND summary = Component::Process().mainWindow->SummaryHandle();
  ASSERT_NE(summary, nullptr);
  user_->ExpectMessageBox(Named(u"Report"), IDYES);
  platform::UserClick(GetDlgItem(summary, kCommandDelete));
  Pump();
  EXPECT_FALSE(Exists(task));
  EXPECT_EQ(Component::Process().mainWindow->SummaryHandle(), nullptr);
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
}

TEST_F(EditorDeleteTest, ASummaryOfAnOccurrenceDeletesTheOccurrence) {
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDYES);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 4, 1)).Summary().Post(), 1);
  Pump();
  HWND summary = Component::Process().mainWindow->SummaryHandle();
  ASSERT_NE(summary, nullptr);
  user_->ExpectMessageBoxContaining(ResourceText(resources_, kStringDeleteOccurrence), IDNO);
  platform::UserClick(GetDlgItem(summary, kCommandDelete));
  Pump();
  EXPECT_TRUE(Exists(series));
  EXPECT_EQ(DeletedDays(series), std::vector<long>{45383}) << "1 April";
}

}  // namespace
