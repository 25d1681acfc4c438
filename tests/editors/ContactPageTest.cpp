// The contact page as a person uses it: every field written back, the addresses as one text, the
// dates the store cannot keep, the edit value and the project a new contact joins.
#include "tests/editors/ContactPageFixture.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;
namespace props = platform::outlook;

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

// Without a stored contact template the command offers nothing and leaves the page as it is.
TEST_F(ContactPageTest, TheTemplateCommandWithoutTemplatesChangesNothing) {
  OpenNew();
  Type(kContactCompany, u"Acme");
  Command(kCommandApplyTemplate);
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_EQ(TextOf(kContactCompany), u"Acme");
  Command(kCommandCancel);
}

// The template fills in its fields; the name the person typed stays.
TEST_F(ContactPageTest, ATemplateFillsInItsFieldsAndKeepsTheTypedName) {
  CPIMContact stored;
  stored.SetText(platform::outlook::kPropContactCompanyName, u"Acme Supplies");
  stored.SetText(platform::outlook::kPropContactBusinessTelephoneNumber, u"+49 30 555");
  stored.SetText(CPIMContact::kFileAs, u"Acme Supplies");
  Save(stored);
  OpenNew();
  Type(kContactFirstName, u"Carl");
  user_->ExpectDialog(kDialogTemplatePicker).Click(IDOK);
  Command(kCommandApplyTemplate);
  EXPECT_EQ(TextOf(kContactFirstName), u"Carl");
  EXPECT_EQ(TextOf(kContactCompany), u"Acme Supplies");
  EXPECT_EQ(TextOf(kContactWorkPhone), u"+49 30 555");
  Command(kCommandCancel);
}

}  // namespace
