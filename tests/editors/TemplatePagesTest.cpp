// Templates in the editors: a new item offered the templates of its kind, the pages' apply command,
// and the save as template that writes the template with the name given.
#include <gtest/gtest.h>

#include <string>

#include "editors/ControlText.h"
#include "host/EditorFrame.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/PimDatabase.h"
#include "templates/TemplateWalk.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"
#include "tests/templates/TemplateItems.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

class TemplatePagesTest : public EditorHostTest {
 protected:
  bool Open(const NewItem& request) {
    EXPECT_EQ(request.Post(), 1);
    Pump();
    return Frame().IsOpen();
  }
  HWND Control(int id) const { return GetDlgItem(Frame().FocusedPage(), id); }
  std::u16string TextOf(int id) const { return WindowText(Control(id)); }
  void Command(int command) {
    EXPECT_TRUE(platform::UserCommand(Frame().FocusedPage(), static_cast<UINT>(command)));
    Pump();
  }
  void Type(int id, std::u16string_view text) {
    SetWindowTextW(Control(id), u"");
    ASSERT_TRUE(platform::UserType(Control(id), text));
    Pump();
  }
  // The newest stored item of a kind that is no template.
  template <class Item>
  static Item Stored(ItemOid oid) {
    Item item;
    item.oid = oid;
    if constexpr (std::is_same_v<Item, CPIMAppointment>) item.openScope = kOpenNotRecurring;
    EXPECT_TRUE(item.Load(ItemContext()));
    return item;
  }
  static std::vector<TemplateEntry> Templates(ItemKind kind) {
    std::vector<TemplateEntry> found;
    TemplateWalk(kind).Run([&](const TemplateEntry& entry) {
      found.push_back(entry);
      return true;
    });
    return found;
  }
  static ItemOid TaskTemplate(const std::u16string& subject) {
    ItemOid task = TaskStartingAt(subject, Date(2999, 12, 31));
    BYTE notes[] = {5, 6, 7};
    WritePimProperty(task, ItemKind::Task, kNotesTag, notes, sizeof notes);
    return task;
  }
};

TEST_F(TemplatePagesTest, ANewTaskIsOfferedTheTemplatesAndTakesTheOneChosen) {
  TaskTemplate(u"Monthly report");
  TaskTemplate(u"Expenses");
  std::u16string title;
  int rows = 0;
  user_->ExpectDialog(kDialogTemplatePicker)
      .Do("read the picker",
          [&](HWND dialog) {
            title = WindowText(GetDlgItem(dialog, kTemplatePickerTitle));
            HWND list = GetDlgItem(dialog, kTemplatePickerList);
            rows = ListView_GetItemCount(list);
            return ListView_GetNextItem(list, -1, LVNI_SELECTED) == 0;
          })
      .Choose(kTemplatePickerList, 1)
      .Click(IDOK);
  ASSERT_TRUE(Open(NewItem(EditorKind::NewTask).OfferTemplates()));
  EXPECT_EQ(title, ResourceText(resources_, kStringTemplatePickerTitle));
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(TextOf(kTaskSubject), u"Monthly report") << "the second row in alphabetical order";
  EXPECT_TRUE(Frame().Context().templateApplied);
  Command(kCommandCancel);
}

TEST_F(TemplatePagesTest, TheBlankButtonAndCancelOfThePicker) {
  TaskTemplate(u"Monthly report");
  user_->ExpectDialog(kDialogTemplatePicker).Click(kTemplatePickerBlank);
  ASSERT_TRUE(Open(NewItem(EditorKind::NewTask).Subject(u"Call Anna").OfferTemplates()));
  EXPECT_EQ(TextOf(kTaskSubject), u"Call Anna");
  EXPECT_FALSE(Frame().Context().templateApplied);
  Command(kCommandCancel);
  HostMessages();

  user_->ExpectDialog(kDialogTemplatePicker).Click(IDCANCEL);
  EXPECT_FALSE(Open(NewItem(EditorKind::NewTask).OfferTemplates()));
  EXPECT_EQ(HostMessagesAre({kClosed}), "") << "a cancelled choice fails the open";
}

TEST_F(TemplatePagesTest, WithoutTemplatesOrWithNoTemplateSetNoPickerShows) {
  ASSERT_TRUE(Open(NewItem(EditorKind::NewTask).Subject(u"Call").OfferTemplates()));
  Command(kCommandCancel);
  TaskTemplate(u"Monthly report");
  ASSERT_TRUE(Open(NewItem(EditorKind::NewTask).Subject(u"Call")));
  EXPECT_EQ(TextOf(kTaskSubject), u"Call");
  Command(kCommandCancel);
}

TEST_F(TemplatePagesTest, ANewAppointmentFromATemplateKeepsTheRequestsTimes) {
  SaveAppointment(u"Review", Date(2999, 9, 9, 14, 0), Date(2999, 9, 9, 15, 30));
  user_->ExpectDialog(kDialogTemplatePicker).Click(IDOK);
  ASSERT_TRUE(Open(NewItem(EditorKind::NewAppointment)
                       .From(Date(2024, 3, 20, 9, 0))
                       .To(Date(2024, 3, 20, 10, 0))
                       .OfferTemplates()));
  auto& appointment = *static_cast<CPIMAppointment*>(Frame().Context().item);
  EXPECT_EQ(appointment.subject, u"Review");
  EXPECT_EQ(appointment.start, Date(2024, 3, 20, 9, 0));
  EXPECT_EQ(appointment.end, Date(2024, 3, 20, 10, 0));
  Command(kCommandCancel);
}

TEST_F(TemplatePagesTest, ApplyingOnTheTaskPageKeepsATypedSubjectAndTheDates) {
  TaskTemplate(u"Monthly report");
  struct Case {
    const char16_t* typed;
    const char16_t* subject;
  };
  for (Case entry : {Case{u"Call the bank", u"Call the bank"}, Case{u"", u"Monthly report"}}) {
    ASSERT_TRUE(Open(NewItem(EditorKind::NewTask).From(Date(2024, 3, 18)).To(Date(2024, 3, 22))));
    Type(kTaskSubject, entry.typed);
    user_->ExpectDialog(kDialogTemplatePicker).Click(IDOK);
    Command(kCommandApplyTemplate);
    EXPECT_EQ(TextOf(kTaskSubject), entry.subject);
    Command(kCommandOk);
    std::vector<ItemOid> tasks;
    Database records;
    ASSERT_TRUE(records.OpenByName(TasksDatabaseName()));
    CPIMTask saved;
    records.Enumerate(Record(), [&](Record& record) {
      CPIMTask task = Stored<CPIMTask>(record.Oid());
      if (task.due == Date(2024, 3, 22)) saved = task;
      return true;
    });
    EXPECT_EQ(saved.subject, entry.subject);
    EXPECT_EQ(saved.start, Date(2024, 3, 18));
    std::vector<BYTE> notes;
    EXPECT_TRUE(ReadPimProperty(saved.oid, ItemKind::Task, kNotesTag, &notes));
    EXPECT_EQ(notes, (std::vector<BYTE>{5, 6, 7})) << "the template's notes";
    CPIMTask removed = saved;
    ASSERT_TRUE(removed.Delete(ItemContext()));
  }
}

TEST_F(TemplatePagesTest, ApplyingOnTheAppointmentPageKeepsItsStartDate) {
  CPIMAppointment stored;
  stored.subject = u"Review";
  stored.location = u"Room 4";
  stored.start = Date(2999, 9, 9, 14, 0);
  stored.end = Date(2999, 9, 9, 15, 30);
  ASSERT_EQ(stored.Save(ItemContext()), S_OK);
  ASSERT_TRUE(
      Open(NewItem(EditorKind::NewAppointment).From(Date(2024, 3, 20, 9, 0)).To(Date(2024, 3, 20, 10, 0))));
  user_->ExpectDialog(kDialogTemplatePicker).Click(IDOK);
  Command(kCommandApplyTemplate);
  auto& appointment = *static_cast<CPIMAppointment*>(Frame().Context().item);
  EXPECT_EQ(appointment.start, Date(2024, 3, 20, 14, 0));
  EXPECT_EQ(appointment.end, Date(2024, 3, 20, 15, 30));
  EXPECT_EQ(TextOf(kAppointmentSubject), u"Review") << "the placeholder gives way to the template's";
  EXPECT_EQ(TextOf(kAppointmentLocation), u"Room 4");
  Command(kCommandCancel);
}

TEST_F(TemplatePagesTest, ApplyingWithoutTemplatesOrCancellingChangesNothing) {
  ASSERT_TRUE(Open(NewItem(EditorKind::NewTask).Subject(u"Call")));
  Command(kCommandApplyTemplate);  // no picker: nothing to pick
  EXPECT_EQ(TextOf(kTaskSubject), u"Call");
  TaskTemplate(u"Monthly report");
  user_->ExpectDialog(kDialogTemplatePicker).Click(IDCANCEL);
  Command(kCommandApplyTemplate);
  EXPECT_EQ(TextOf(kTaskSubject), u"Call");
  EXPECT_FALSE(Frame().Context().templateApplied);
  Command(kCommandCancel);
}

TEST_F(TemplatePagesTest, SaveAsTemplateWritesTheTemplateWithTheNameGiven) {
  ASSERT_TRUE(
      Open(NewItem(EditorKind::NewTask).Subject(u"Tax return").From(Date(2024, 3, 1)).To(Date(2024, 3, 31))));
  user_->ExpectDialog(kDialogTextPrompt).Type(kTextPromptText, u"Yearly taxes").Click(IDOK);
  Command(kCommandSaveAsTemplate);
  EXPECT_FALSE(Frame().IsOpen());
  std::vector<TemplateEntry> templates = Templates(ItemKind::Task);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0].text, u"Yearly taxes");
  CPIMTask written = Stored<CPIMTask>(templates[0].oid);
  EXPECT_EQ(written.due, Date(2999, 12, 31));
}

TEST_F(TemplatePagesTest, SaveAsTemplateOfAnAppointmentPutsItOnTheTemplateDay) {
  ASSERT_TRUE(Open(NewItem(EditorKind::NewAppointment)
                       .Subject(u"Dentist")
                       .From(Date(2024, 3, 20, 9, 15))
                       .To(Date(2024, 3, 20, 10, 0))));
  user_->ExpectDialog(kDialogTextPrompt).Click(IDOK);  // the subject as proposed
  Command(kCommandSaveAsTemplate);
  std::vector<TemplateEntry> templates = Templates(ItemKind::Appointment);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0].text, u"Dentist");
  CPIMAppointment written = Stored<CPIMAppointment>(templates[0].oid);
  EXPECT_EQ(written.start, Date(2999, 9, 9, 9, 15));
  EXPECT_EQ(written.end, Date(2999, 9, 9, 10, 0));
}

TEST_F(TemplatePagesTest, AnEmptyTemplateNameIsRefusedAndTheDialogStays) {
  ASSERT_TRUE(Open(NewItem(EditorKind::NewTask).Subject(u"Report")));
  user_->ExpectDialog(kDialogTextPrompt)
      .Type(kTextPromptText, u"")
      .Click(IDOK)
      .Type(kTextPromptText, u"Named")
      .Click(IDOK);
  user_->ExpectMessageBoxString(kStringTemplateNameEmpty, IDOK);
  Command(kCommandSaveAsTemplate);
  ASSERT_EQ(Templates(ItemKind::Task).size(), 1u);
  EXPECT_EQ(Templates(ItemKind::Task)[0].text, u"Named");
}

}  // namespace
