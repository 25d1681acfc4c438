#pragma once

// The contact editor with its real page, opened as a host opens it.
#include <gtest/gtest.h>

#include "editors/ContactPage.h"
#include "editors/ControlText.h"
#include "editors/EditorMessages.h"
#include "host/EditorFrame.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/LinkedItemEntry.h"
#include "projects/Project.h"
#include "projects/ProjectEntry.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace calyra::testing {

struct Name {
  const char16_t* first = u"";
  const char16_t* middle = u"";
  const char16_t* last = u"";
  const char16_t* suffix = u"";
  const char16_t* company = u"";
};

class ContactPageTest : public EditorHostTest {
 protected:
  static ItemOid Save(CPIMContact& contact) {
    ItemContext context;
    EXPECT_EQ(contact.Save(context), S_OK);
    return contact.oid;
  }
  static ItemOid SaveNamed(const Name& name, const std::u16string& fileAs) {
    CPIMContact contact;
    contact.SetText(platform::outlook::kPropContactFirstName, name.first);
    contact.SetText(platform::outlook::kPropContactMiddleName, name.middle);
    contact.SetText(platform::outlook::kPropContactLastName, name.last);
    contact.SetText(platform::outlook::kPropContactSuffix, name.suffix);
    contact.SetText(platform::outlook::kPropContactCompanyName, name.company);
    contact.SetText(CPIMContact::kFileAs, fileAs);
    return Save(contact);
  }
  static CPIMContact Stored(ItemOid oid) {
    CPIMContact contact;
    contact.oid = oid;
    ItemContext context;
    EXPECT_TRUE(contact.Load(context));
    return contact;
  }
  static std::u16string StoredFileAs(ItemOid oid) { return Stored(oid).Text(CPIMContact::kFileAs); }
  void OpenNew(DWORD project = 0) {
    ASSERT_EQ(NewItem(EditorKind::NewContact).ForProject(project).Post(), 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
  }
  void OpenStored(ItemOid contact, DWORD editValue = 0) {
    ASSERT_EQ(EditItem(EditorKind::EditContact, contact).EditValue(editValue).Post(), 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
  }
  HWND Control(int id) const { return GetDlgItem(Frame().FocusedPage(), id); }
  std::u16string TextOf(int id) const { return WindowText(Control(id)); }
  void Type(int id, std::u16string_view text) {
    SetWindowTextW(Control(id), u"");
    ASSERT_TRUE(platform::UserType(Control(id), text));
    Pump();
  }
  void Command(int command) {
    EXPECT_TRUE(platform::UserCommand(Frame().FocusedPage(), static_cast<UINT>(command)));
    Pump();
  }
  // Opens the file-as menu and picks `command` from it.
  void ChooseFileAs(int command) {
    user_->ExpectPopupMenu(static_cast<UINT>(command));
    ASSERT_TRUE(platform::UserClick(Control(resources::kContactFileAsButton)));
    Pump();
  }
  void PressOk() { Command(resources::kCommandOk); }
  std::u16string Text(unsigned id) const { return ResourceText(resources_, id); }
  // The newest contact record.
  static ItemOid NewestContact() {
    ItemOid newest = 0;
    Database contacts;
    if (!contacts.OpenByName(ContactsDatabaseName())) return 0;
    contacts.Enumerate(Record(), [&](Record& record) {
      newest = std::max(newest, static_cast<ItemOid>(record.Oid()));
      return true;
    });
    return newest;
  }
};

}  // namespace calyra::testing
