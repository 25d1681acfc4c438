// The contact page as a person uses it: every field written back, the file-as name recognised,
// chosen and kept, the addresses as one text, the edit value and the project a new contact joins.
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

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;
namespace props = platform::outlook;

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
    contact.SetText(props::kPropContactFirstName, name.first);
    contact.SetText(props::kPropContactMiddleName, name.middle);
    contact.SetText(props::kPropContactLastName, name.last);
    contact.SetText(props::kPropContactSuffix, name.suffix);
    contact.SetText(props::kPropContactCompanyName, name.company);
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
    ASSERT_TRUE(platform::UserClick(Control(kContactFileAsButton)));
    Pump();
  }
  void PressOk() { Command(kCommandOk); }
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

// Ann B Lee Jr of Acme, whose file-as name the editor made in each of its formats.
constexpr Name kAnn{u"Ann", u"B", u"Lee", u"Jr", u"Acme"};

struct RecognisedCase {
  const char16_t* stored;
  const char16_t* afterRename;  // the file-as name once the first name is Anna
};

TEST_F(ContactPageTest, TheStoredFileAsIsRecognisedAndRebuiltInItsFormatWhenTheNameChanges) {
  const RecognisedCase kCases[] = {
      {u"Lee, Ann B", u"Lee, Anna B"},
      {u"Ann B Lee Jr", u"Anna B Lee Jr"},
      {u"Acme", u"Acme"},
      {u"Lee, Ann (Acme)", u"Lee, Anna (Acme)"},
      {u"Acme, (Lee, Ann B)", u"Acme, (Lee, Anna B)"},
      {u"The boss", u"The boss"},      // no format made it: a custom text, kept
      {u"lee, ann b", u"lee, ann b"},  // compared with case: custom too
  };
  for (const RecognisedCase& entry : kCases) {
    SCOPED_TRACE(platform::ToUtf8(entry.stored));
    ItemOid oid = SaveNamed(kAnn, entry.stored);
    OpenStored(oid);
    EXPECT_EQ(TextOf(kContactFileAs), entry.stored);
    Type(kContactFirstName, u"Anna");
    EXPECT_EQ(TextOf(kContactFileAs), entry.afterRename) << "the page shows what OK writes";
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), entry.afterRename);
  }
}

struct KeptCase {
  const char* what;
  Name name;
  const char16_t* stored;
};

// A file-as name the editor did not make survives an edit of fields that are not the name.
TEST_F(ContactPageTest, AnUnchangedNameWritesTheStoredFileAsBack) {
  const KeptCase kCases[] = {
      {"empty, names present", {u"Ann", u"", u"Lee"}, u""},
      {"only a middle name", {u"", u"Jo"}, u""},
      {"no name at all", {}, u"Somebody"},
      {"custom", {u"Ann", u"", u"Lee"}, u"Lee Ann"},
  };
  for (const KeptCase& entry : kCases) {
    SCOPED_TRACE(entry.what);
    ItemOid oid = SaveNamed(entry.name, entry.stored);
    OpenStored(oid);
    Type(kContactJobTitle, u"Engineer");
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), entry.stored);
    EXPECT_EQ(Stored(oid).Text(props::kPropContactJobTitle), u"Engineer");
  }
}

struct RebuiltCase {
  const char* what;
  int field;
  const char16_t* typed;
  const char16_t* expected;
};

// Any of the six name fields changed rebuilds the name by the recognised format; an empty stored
// name of a contact with a name is format 0.
TEST_F(ContactPageTest, AChangedNameFieldRebuildsTheFileAs) {
  const RebuiltCase kCases[] = {
      {"title", kContactTitle, u"Dr.", u"Lee, Ann"},
      {"first", kContactFirstName, u"Anna", u"Lee, Anna"},
      {"middle", kContactMiddleName, u"B", u"Lee, Ann B"},
      {"last", kContactLastName, u"Li", u"Li, Ann"},
      {"suffix", kContactSuffix, u"Jr", u"Lee, Ann"},
      {"company", kContactCompany, u"Acme", u"Lee, Ann"},
  };
  for (const RebuiltCase& entry : kCases) {
    SCOPED_TRACE(entry.what);
    ItemOid oid = SaveNamed({u"Ann", u"", u"Lee"}, u"");
    OpenStored(oid);
    Type(entry.field, entry.typed);
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), entry.expected);
  }
}

TEST_F(ContactPageTest, ANewContactStartsEmptyInTheFirstFormat) {
  OpenNew();
  EXPECT_EQ(TextOf(kContactFileAs), u"");
  Type(kContactJobTitle, u"Engineer");
  PressOk();
  EXPECT_EQ(StoredFileAs(NewestContact()), u"") << "nothing of the name changed: written back as it was";
  OpenNew();
  Type(kContactFirstName, u"Ada");
  Type(kContactLastName, u"Lovelace");
  EXPECT_EQ(TextOf(kContactFileAs), u"Lovelace, Ada");
  PressOk();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(StoredFileAs(NewestContact()), u"Lovelace, Ada");
}

struct MenuCase {
  int command;
  const char16_t* expected;
};

TEST_F(ContactPageTest, EachFormatOfTheMenuMakesItsFileAs) {
  const MenuCase kCases[] = {
      {43004, u"Lee, Ann B"},      {43003, u"Ann B Lee Jr"},       {43002, u"Acme"},
      {43001, u"Lee, Ann (Acme)"}, {43000, u"Acme, (Lee, Ann B)"},
  };
  for (const MenuCase& entry : kCases) {
    SCOPED_TRACE(entry.command);
    ItemOid oid = SaveNamed(kAnn, u"The boss");
    OpenStored(oid);
    ChooseFileAs(entry.command);
    EXPECT_EQ(TextOf(kContactFileAs), entry.expected);
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), entry.expected);
  }
}

TEST_F(ContactPageTest, TheCompanyFormatWithoutACompanySavesTheFirstFormat) {
  ItemOid oid = SaveNamed(kAnn, u"Acme");
  OpenStored(oid);
  ChooseFileAs(43002);
  SetWindowTextW(Control(kContactCompany), u"");
  Pump();
  PressOk();
  EXPECT_EQ(StoredFileAs(oid), u"Lee, Ann B");
}

TEST_F(ContactPageTest, OnlyACompanyFilesUnderTheCompanyWhateverTheFormat) {
  for (int command : {43004, 43003, 43001, 43000}) {
    SCOPED_TRACE(command);
    ItemOid oid = SaveNamed({u"", u"", u"", u"", u"Acme"}, u"Acme");
    OpenStored(oid);
    ChooseFileAs(command);
    Type(kContactCompany, u"Acme Ltd");
    PressOk();
    EXPECT_EQ(StoredFileAs(oid), u"Acme Ltd");
  }
}

TEST_F(ContactPageTest, TheCustomDialogStartsFromTheBuiltNameAndItsTextStays) {
  ItemOid oid = SaveNamed(kAnn, u"Lee, Ann B");
  OpenStored(oid);
  user_->ExpectPopupMenu(kCommandCustomFileAs);
  user_->ExpectDialog(kDialogCustomFileAs)
      .Do("see the built name",
          [](HWND dialog) { return WindowText(GetDlgItem(dialog, kCustomFileAsText)) == u"Lee, Ann B"; })
      .Type(kCustomFileAsText, u"Annie")
      .Click(IDOK);
  ASSERT_TRUE(platform::UserClick(Control(kContactFileAsButton)));
  Pump();
  EXPECT_EQ(TextOf(kContactFileAs), u"Annie");
  Type(kContactFirstName, u"Anna");
  EXPECT_EQ(TextOf(kContactFileAs), u"Annie") << "a custom text does not follow the name";
  PressOk();
  EXPECT_EQ(StoredFileAs(oid), u"Annie");
}

TEST_F(ContactPageTest, CancellingTheCustomDialogKeepsTheFormat) {
  ItemOid oid = SaveNamed(kAnn, u"Ann B Lee Jr");
  OpenStored(oid);
  user_->ExpectPopupMenu(kCommandCustomFileAs);
  user_->ExpectDialog(kDialogCustomFileAs).Type(kCustomFileAsText, u"Annie").Click(IDCANCEL);
  ASSERT_TRUE(platform::UserClick(Control(kContactFileAsButton)));
  Pump();
  Type(kContactFirstName, u"Anna");
  PressOk();
  EXPECT_EQ(StoredFileAs(oid), u"Anna B Lee Jr");
}

// One entry of the file-as menu as the person sees it.
struct MenuEntry {
  std::u16string text;
  bool enabled;
  bool checked;
  bool operator==(const MenuEntry&) const = default;
};

void PrintTo(const MenuEntry& entry, std::ostream* out) {
  *out << '"' << platform::ToUtf8(entry.text) << '"' << (entry.enabled ? "" : " disabled")
       << (entry.checked ? " checked" : "");
}

// A person who opens the file-as menu, reads it and dismisses it.
class MenuReader : public platform::CancellingUserAgent {
 public:
  UINT ChooseMenuCommand(HMENU menu, HWND) override {
    entries.clear();
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
      char16_t text[256] = {};
      GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
      UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
      entries.push_back({text, (state & (MF_GRAYED | MF_DISABLED)) == 0, (state & MF_CHECKED) != 0});
    }
    return 0;
  }
  std::vector<MenuEntry> entries;
};

class FileAsMenuTest : public ContactPageTest {
 protected:
  std::vector<MenuEntry> MenuOf(const Name& name, const std::u16string& fileAs) {
    OpenStored(SaveNamed(name, fileAs));
    MenuReader reader;
    platform::SetUserAgent(&reader);
    platform::UserClick(Control(kContactFileAsButton));
    Pump();
    platform::SetUserAgent(&*user_);
    Command(kCommandCancel);
    return reader.entries;
  }
};

// The menu previews each format with the name as it stands and checks the format recognised on load.
TEST_F(FileAsMenuTest, TheMenuPreviewsEachFormatAndChecksTheRecognisedOne) {
  const std::u16string kCustom = u"Custom...";
  struct Case {
    const char16_t* stored;
    size_t checked;
  };
  const Case kCases[] = {{u"Lee, Ann B", 0},      {u"Ann B Lee Jr", 1},       {u"Acme", 2},
                         {u"Lee, Ann (Acme)", 3}, {u"Acme, (Lee, Ann B)", 4}, {u"The boss", 6}};
  for (const Case& entry : kCases) {
    SCOPED_TRACE(platform::ToUtf8(entry.stored));
    std::vector<MenuEntry> expected = {{u"Lee, Ann B", true, false},
                                       {u"Ann B Lee Jr", true, false},
                                       {u"Acme", true, false},
                                       {u"Lee, Ann (Acme)", true, false},
                                       {u"Acme, (Lee, Ann B)", true, false},
                                       {u"", true, false},
                                       {kCustom, true, false}};
    expected[entry.checked].checked = true;
    EXPECT_EQ(MenuOf(kAnn, entry.stored), expected);
  }
}

TEST_F(FileAsMenuTest, MissingNamesShowTheLabelsDisabled) {
  std::vector<MenuEntry> expected = {{u"Last, First Middle", false, true},
                                     {u"First Middle Last Suffix", false, false},
                                     {u"Company", false, false},
                                     {u"Last, First (Company)", false, false},
                                     {u"Company, (Last, First Middle)", false, false},
                                     {u"", true, false},
                                     {u"Custom...", true, false}};
  EXPECT_EQ(MenuOf({u"Ann"}, u""), expected) << "an empty stored name is the first format";
}

TEST_F(FileAsMenuTest, AnAmpersandInTheCompanyIsShownAsItIs) {
  std::vector<MenuEntry> entries = MenuOf({u"", u"", u"", u"", u"A & B"}, u"A & B");
  ASSERT_GT(entries.size(), 2u);
  EXPECT_EQ(entries[2], (MenuEntry{u"A && B", true, true})) << "the menu reads && as one &";
}

struct AddressCase {
  const char* what;
  const char16_t* street;
  const char16_t* city;
  const char16_t* state;
  const char16_t* postalCode;
  const char16_t* country;
  const char16_t* shown;
};

TEST_F(ContactPageTest, EachAddressShowsAsOneTextWithItsCountrysCityLine) {
  const AddressCase kCases[] = {
      {"German", u"Unter den Linden 1", u"Berlin", u"", u"10117", u"Germany",
       u"Unter den Linden 1\r\n10117 Berlin \r\nGermany"},
      {"German with a region", u"", u"Town", u"Reg", u"123", u"Germany", u"123 Town, Reg\r\nGermany"},
      {"US in any case", u"1 Main St", u"Town", u"RG", u"123", u"usa", u"1 Main St\r\nTown RG 123\r\nusa"},
      {"no postal code shown", u"", u"Town", u"", u"123", u"Afghanistan", u"Town  \r\nAfghanistan"},
      {"the native name", u"", u"Berlin", u"", u"10117", u"Deutschland", u"10117 Berlin \r\nDeutschland"},
      {"blanks around the country", u"", u"Paris", u"", u"75001", u" France ", u"75001 Paris \r\n France "},
      {"unknown country", u"", u"X", u"Y", u"Z", u"Atlantis", u"X, Y Z\r\nAtlantis"},
      {"no country", u"S", u"X", u"", u"Z", u"", u"S\r\nX Z"},
      {"street and country", u"S", u"", u"", u"", u"Germany", u"S\r\nGermany"},
      {"a country alone", u"", u"", u"", u"", u"Germany", u""},
      {"two street lines", u"Hof 2\r\nHaus B", u"", u"", u"", u"", u"Hof 2\r\nHaus B"},
  };
  struct Kind {
    int text;
    CEPROPID street, city, state, postalCode, country;
  };
  const Kind kKinds[] = {
      {kContactWorkAddress, props::kPropContactBusinessAddressStreet, props::kPropContactBusinessAddressCity,
       props::kPropContactBusinessAddressState, props::kPropContactBusinessAddressPostalCode,
       props::kPropContactBusinessAddressCountry},
      {kContactHomeAddress, props::kPropContactHomeAddressStreet, props::kPropContactHomeAddressCity,
       props::kPropContactHomeAddressState, props::kPropContactHomeAddressPostalCode,
       props::kPropContactHomeAddressCountry},
      {kContactOtherAddress, props::kPropContactOtherAddressStreet, props::kPropContactOtherAddressCity,
       props::kPropContactOtherAddressState, props::kPropContactOtherAddressPostalCode,
       props::kPropContactOtherAddressCountry},
  };
  for (const Kind& kind : kKinds) {
    for (const AddressCase& entry : kCases) {
      SCOPED_TRACE(entry.what);
      CPIMContact contact;
      contact.SetText(props::kPropContactLastName, u"Lee");
      contact.SetText(kind.street, entry.street);
      contact.SetText(kind.city, entry.city);
      contact.SetText(kind.state, entry.state);
      contact.SetText(kind.postalCode, entry.postalCode);
      contact.SetText(kind.country, entry.country);
      OpenStored(Save(contact));
      EXPECT_EQ(TextOf(kind.text), entry.shown);
      Command(kCommandCancel);
    }
  }
}

TEST_F(ContactPageTest, TheAddressTextFollowsWhatIsTyped) {
  OpenNew();
  Type(kContactWorkCity, u"Berlin");
  EXPECT_EQ(TextOf(kContactWorkAddress), u"Berlin ") << "the empty postal code keeps its blank";
  Type(kContactWorkPostalCode, u"10117");
  Type(kContactWorkCountry, u"Germany");
  EXPECT_EQ(TextOf(kContactWorkAddress), u"10117 Berlin \r\nGermany");
  EXPECT_EQ(TextOf(kContactHomeAddress), u"");
  Command(kCommandCancel);
}

struct FieldCase {
  int control;
  CEPROPID tag;
};

// Every field the page shows is loaded from and written back to its property.
TEST_F(ContactPageTest, EveryFieldIsLoadedAndWrittenBack) {
  const FieldCase kCases[] = {
      {kContactNickname, props::kPropContactNickname},
      {kContactJobTitle, props::kPropContactJobTitle},
      {kContactDepartment, props::kPropContactDepartment},
      {kContactOffice, props::kPropContactOfficeLocation},
      {kContactWorkPhone, props::kPropContactBusinessTelephoneNumber},
      {kContactWorkPhone2, props::kPropContactBusiness2TelephoneNumber},
      {kContactWorkFax, props::kPropContactBusinessFaxNumber},
      {kContactAssistant, props::kPropContactAssistantName},
      {kContactAssistantPhone, props::kPropContactAssistantTelephoneNumber},
      {kContactHomePhone, props::kPropContactHomeTelephoneNumber},
      {kContactHomePhone2, props::kPropContactHome2TelephoneNumber},
      {kContactHomeFax, props::kPropContactHomeFaxNumber},
      {kContactMobilePhone, props::kPropContactMobileTelephoneNumber},
      {kContactCarPhone, props::kPropContactCarTelephoneNumber},
      {kContactPager, props::kPropContactPagerNumber},
      {kContactRadioPhone, props::kPropContactRadioTelephoneNumber},
      {kContactEmail, props::kPropContactEmail1Address},
      {kContactEmail2, props::kPropContactEmail2Address},
      {kContactEmail3, props::kPropContactEmail3Address},
      {kContactWebPage, props::kPropContactWebPage},
      {kContactSpouse, props::kPropContactSpouse},
      {kContactChildren, props::kPropContactChildren},
      {kContactOtherStreet, props::kPropContactOtherAddressStreet},
      {kContactOtherCountry, props::kPropContactOtherAddressCountry},
  };
  CPIMContact contact;
  for (const FieldCase& entry : kCases) contact.SetText(entry.tag, u"old");
  ItemOid oid = Save(contact);
  OpenStored(oid);
  for (const FieldCase& entry : kCases) {
    SCOPED_TRACE(entry.control);
    EXPECT_EQ(TextOf(entry.control), u"old");
    Type(entry.control, u"new");
  }
  PressOk();
  CPIMContact stored = Stored(oid);
  for (const FieldCase& entry : kCases) {
    SCOPED_TRACE(entry.control);
    EXPECT_EQ(stored.Text(entry.tag), u"new");
  }
}

TEST_F(ContactPageTest, AContactOpenedAndClosedWithOkKeepsEveryField) {
  // Every text the contact reader takes, each its own value; the nickname longer than a field takes.
  CPIMContact contact;
  int value = 0;
#define CALYRA_SET_CONTACT_FIELD(Name, tag) \
  if (CPIMContact::IsContactProperty(tag))  \
    contact.SetText(tag, u"" #Name u" " + std::u16string(1, static_cast<char16_t>(u'a' + value++ % 26)));
  CALYRA_CONTACT_TEXT_FIELDS(CALYRA_SET_CONTACT_FIELD)
#undef CALYRA_SET_CONTACT_FIELD
  contact.SetText(props::kPropContactNickname, std::u16string(2000, u'n'));
  contact.SetText(props::kPropContactBusinessAddressStreet, u"Hof 2\r\nHaus B");
  contact.birthday = contact.editedBirthday = calyra::testing::Date(1980, 5, 17);
  ItemOid oid = Save(contact);
  CPIMContact before = Stored(oid);
  ASSERT_GE(before.texts.size(), 40u);
  OpenStored(oid);
  PressOk();
  CPIMContact after = Stored(oid);
  EXPECT_EQ(after.texts, before.texts);
  EXPECT_EQ(after.birthday.wYear, 1980);
  EXPECT_EQ(after.birthday.wDay, 17);
}

TEST_F(ContactPageTest, AFieldIsCutAtItsBound) {
  OpenNew();
  // Text set past the field's limit, as another program may: OK keeps the bound.
  SetWindowTextW(Control(kContactNickname), std::u16string(ContactPage::kFieldChars + 10, u'x').c_str());
  Type(kContactFirstName, u"Ann");
  PressOk();
  EXPECT_EQ(Stored(NewestContact()).Text(props::kPropContactNickname).size(), ContactPage::kFieldChars);
}

struct DateCase {
  SYSTEMTIME day;
  bool kept;
};

// The store keeps birthdays and anniversaries from 1900 to 2999; any other day is refused with its
// reason and the editor stays open. Nothing else is refused.
TEST_F(ContactPageTest, OnlyADayTheStoreCannotKeepIsRefused) {
  const DateCase kCases[] = {{Date(1899, 12, 31), false},
                             {Date(1900, 1, 1), true},
                             {Date(2999, 12, 31), true},
                             {Date(3000, 1, 1), false}};
  for (int picker : {kContactBirthday, kContactAnniversary}) {
    for (const DateCase& entry : kCases) {
      SCOPED_TRACE(entry.day.wYear);
      ItemOid oid = SaveNamed({u"Ann", u"", u"Lee"}, u"Lee, Ann");
      OpenStored(oid);
      ASSERT_TRUE(platform::UserPickDate(Control(picker), &entry.day));
      if (!entry.kept) user_->ExpectMessageBoxContaining(u"cannot be kept", IDOK);
      PressOk();
      EXPECT_EQ(Frame().IsOpen(), !entry.kept);
      CPIMContact stored = Stored(oid);
      const SYSTEMTIME& day = picker == kContactBirthday ? stored.birthday : stored.anniversary;
      if (entry.kept) {
        EXPECT_EQ(day.wYear, entry.day.wYear);
      } else {
        EXPECT_FALSE(platform::IsDateSet(day));
        Command(kCommandCancel);
      }
    }
  }
}

TEST_F(ContactPageTest, AClearedBirthdayIsRemoved) {
  CPIMContact contact;
  contact.SetText(props::kPropContactLastName, u"Lee");
  contact.birthday = contact.editedBirthday = Date(1980, 5, 17);
  ItemOid oid = Save(contact);
  OpenStored(oid);
  ASSERT_TRUE(platform::UserPickDate(Control(kContactBirthday), nullptr));
  PressOk();
  EXPECT_FALSE(platform::IsDateSet(Stored(oid).birthday));
}

class ContactEditorPagesTest : public ContactPageTest {
 protected:
  void SetUp() override {
    ContactPageTest::SetUp();
    for (PageNumber number : {PageNumber::Notes, PageNumber::Categories, PageNumber::Links})
      UseTestPage(number);
  }
};

// A contact template (a non-zero edit value) is edited on its main page only.
TEST_F(ContactEditorPagesTest, AnEditValueEnablesOnlyTheContactPage) {
  for (DWORD editValue : {0u, 1u}) {
    SCOPED_TRACE(editValue);
    OpenStored(SaveNamed({u"Ann", u"", u"Lee"}, u"Lee, Ann"), editValue);
    PageFactory& pages = Frame().Pages();
    EXPECT_TRUE(pages.GetPage(PageNumber::Contact)->Enabled());
    for (PageNumber number : {PageNumber::Notes, PageNumber::Categories, PageNumber::Links}) {
      EXPECT_EQ(pages.GetPage(number)->Enabled(), editValue == 0);
    }
    Command(kCommandCancel);
  }
}

TEST_F(ContactPageTest, ANewContactJoinsItsProjectAndTheHostIsTold) {
  ItemOid project = SaveProject(u"Garden");
  OpenNew(static_cast<DWORD>(project));
  Type(kContactFirstName, u"Ada");
  HostMessages();
  PressOk();
  EXPECT_EQ(HostMessagesAre({{kNotifyItemSaved, kPosted | kWParam | kLParam, kItemSavedWithResult,
                              static_cast<LPARAM>(project)},
                             kClosed}),
            "");
  Project entries;
  ASSERT_TRUE(entries.Load(project));
  ASSERT_TRUE(entries.LoadChildren(kAllEntryTypes, false));
  ASSERT_EQ(entries.children.size(), 1u);
  EXPECT_EQ(entries.children[0]->entryType, ProjectEntryType::Contact);
  EXPECT_EQ(dynamic_cast<const LinkedItemEntry&>(*entries.children[0]).linkedItem, NewestContact());
}

// Contact templates come with the template store; until then the command leaves the page as it is.
TEST_F(ContactPageTest, TheTemplateCommandChangesNothingYet) {
  OpenNew();
  Type(kContactCompany, u"Acme");
  Command(kCommandApplyTemplate);
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_EQ(TextOf(kContactCompany), u"Acme");
  Command(kCommandCancel);
}

}  // namespace
