#pragma once

#include <string>
#include <vector>

#include "editors/ControlText.h"
#include "host/EditorFrame.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace calyra::testing {

// The appointment editor with its real pages, opened as a host opens it.
class AppointmentEditorTest : public EditorHostTest {
 protected:
  HWND OpenNew(const SYSTEMTIME& from, const SYSTEMTIME& to, std::u16string subject = u"Dentist") {
    EXPECT_EQ(NewItem(EditorKind::NewAppointment).From(from).To(to).Subject(std::move(subject)).Post(), 1);
    Pump();
    return Frame().FocusedPage();
  }
  HWND OpenStored(ItemOid item, DWORD editValue = 0) {
    EXPECT_EQ(EditItem(EditorKind::EditAppointment, item).EditValue(editValue).Post(), 1);
    Pump();
    return Frame().IsOpen() ? Frame().FocusedPage() : nullptr;
  }
  HWND Control(int id) const { return GetDlgItem(Frame().FocusedPage(), id); }
  std::u16string TextOf(int id) const { return WindowText(Control(id)); }
  bool Visible(int id) const { return IsWindowVisible(Control(id)); }
  bool Enabled(int id) const { return IsWindowEnabled(Control(id)); }
  void Click(int id) {
    EXPECT_TRUE(platform::UserClick(Control(id))) << "control " << id;
    Pump();
  }
  void Command(int command) {
    EXPECT_TRUE(platform::UserCommand(Frame().FocusedPage(), static_cast<UINT>(command)));
    Pump();
  }
  void PressOk() { Command(resources::kCommandOk); }
  std::u16string Text(unsigned id) const { return ResourceText(resources_, id); }

  static ItemOid SaveAppointment(CPIMAppointment& appointment) {
    ItemContext context;
    EXPECT_EQ(appointment.Save(context), S_OK);
    return appointment.oid;
  }
  static CPIMAppointment Stored(ItemOid item, WORD scope = kOpenNotRecurring) {
    CPIMAppointment appointment;
    appointment.oid = item;
    appointment.openScope = scope;
    ItemContext context;
    EXPECT_TRUE(appointment.Load(context));
    return appointment;
  }
  // Every appointment record, oldest first.
  static std::vector<ItemOid> StoredAppointments() {
    std::vector<ItemOid> oids;
    Database appointments;
    if (!appointments.OpenByName(AppointmentsDatabaseName())) return oids;
    appointments.Enumerate(Record(), [&](Record& record) {
      oids.push_back(record.Oid());
      return true;
    });
    std::sort(oids.begin(), oids.end());
    return oids;
  }
};

}  // namespace calyra::testing
