// The appointment editor with its real pages, by the messages that reach the MainWindow and the
// host: each flow a person can take from opening the editor to closing it, or back into it.
#include <gtest/gtest.h>

#include <functional>

#include "tests/editors/AppointmentEditorFixture.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;
using platform::ExpectedMessage;

class AppointmentFlowTest : public AppointmentEditorTest {
 public:
  // What the flows of the table do.
  using AppointmentEditorTest::Click;
  using AppointmentEditorTest::Command;
  using AppointmentEditorTest::PressOk;
  using AppointmentEditorTest::Text;
  using EditorHostTest::Frame;
  using EditorHostTest::user_;

  // A stored appointment the flows edit.
  ItemOid Stored() {
    CPIMAppointment appointment;
    appointment.subject = u"Dentist";
    appointment.start = Date(2024, 3, 20, 9);
    appointment.end = Date(2024, 3, 20, 10);
    return SaveAppointment(appointment);
  }
  void SelectTab(int index) {
    ASSERT_TRUE(platform::UserSelectTab(Tabs(), index));
    Pump();
  }
};

struct Flow {
  const char* name;
  bool stored;  // edits a stored appointment rather than a new one
  std::function<void(AppointmentFlowTest&, ItemOid)> act;
  std::vector<ExpectedMessage> expected;
  bool staysOpen;
};

std::vector<ExpectedMessage> Then(std::vector<ExpectedMessage> first,
                                  const std::vector<ExpectedMessage>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

TEST_F(AppointmentFlowTest, EveryFlowSendsItsMessages) {
  const std::vector<ExpectedMessage> kSwitch{flows::kLayoutForPage, flows::kActivationLayout};
  const Flow kFlows[] = {
      {"OK", false, [](AppointmentFlowTest& t, ItemOid) { t.PressOk(); }, flows::kOk, false},
      {"Cancel", false, [](AppointmentFlowTest& t, ItemOid) { t.Command(kCommandCancel); }, flows::kCancel,
       false},
      {"to the attendees and back, then OK", false,
       [](AppointmentFlowTest& t, ItemOid) {
         t.SelectTab(1);
         t.SelectTab(0);
         t.PressOk();
       },
       Then(Then(kSwitch, kSwitch), flows::kOk), false},
      {"OK on the attendees page", false,
       [](AppointmentFlowTest& t, ItemOid) {
         t.SelectTab(1);
         t.PressOk();
       },
       Then(kSwitch, flows::kOk), false},
      {"the second reminder of a series refused", true,
       [](AppointmentFlowTest& t, ItemOid) {
         static_cast<CPIMAppointment*>(t.Frame().Context().item)->recurring = true;
         t.user_->ExpectDialog(kDialogSecondReminder).Click(IDOK);
         t.Click(kAppointmentSecondReminder);
         t.user_->ExpectMessageBoxString(kStringSecondReminderOnSeries, IDNO);
         t.PressOk();
       },
       // The dialog's end activates the MainWindow again before OK.
       Then({flows::kActivationLayout}, flows::kRefused), true},
      {"the stored appointment deleted under the editor", true,
       [](AppointmentFlowTest& t, ItemOid item) {
         CPIMAppointment other;
         other.oid = item;
         ItemContext context;
         ASSERT_TRUE(other.Delete(context));
         t.user_->ExpectMessageBoxContaining(t.Text(kStringAppointmentNotSaved), IDOK);
         t.PressOk();
       },
       flows::kRefused, true},
      {"all day refused for a meeting",
       false,
       [](AppointmentFlowTest& t, ItemOid) {
         static_cast<CPIMAppointment*>(t.Frame().Context().item)->meeting = true;
         t.user_->ExpectMessageBoxString(kStringAllDayWhileMeeting, IDOK);
         t.Click(kAppointmentAllDay);
       },
       {},
       true},
  };
  for (const Flow& flow : kFlows) {
    SCOPED_TRACE(flow.name);
    ItemOid item = flow.stored ? Stored() : 0;
    FlowMessages();
    if (flow.stored) {
      ASSERT_NE(OpenStored(item), nullptr);
      EXPECT_EQ(FlowIs(flows::Open(EditorKind::EditAppointment)), "");
    } else {
      OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10));
      EXPECT_EQ(FlowIs(flows::Open(EditorKind::NewAppointment)), "");
    }
    flow.act(*this, item);
    EXPECT_EQ(FlowIs(flow.expected), "");
    EXPECT_EQ(Frame().IsOpen(), flow.staysOpen);
    if (Frame().IsOpen()) {
      Command(kCommandCancel);
      FlowMessages();
    }
  }
}

}  // namespace
