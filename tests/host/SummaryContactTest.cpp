#include <gtest/gtest.h>

#include "host/Component.h"
#include "host/MainWindow.h"
#include "lists/ListModel.h"
#include "lists/VirtualList.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "tests/support/editor/EditorHostTest.h"
#include "text/CountryTable.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
namespace props = platform::outlook;

// The contact view of the summary, its rows, and its e-mail and web rows started from it.
class SummaryContactTest : public EditorHostTest {
 protected:
  HWND List() {
    return GetDlgItem(Component::Process().mainWindow->SummaryHandle(), resources::kSummaryList);
  }
  lists::ListModel& Model() { return *lists::VirtualList::Model(List()); }
  ItemOid SaveContact() {
    CPIMContact contact;
    contact.SetText(props::kPropContactFirstName, u"Ada");
    contact.SetText(props::kPropContactLastName, u"Lovelace");
    contact.SetText(CPIMContact::kFileAs, u"Lovelace, Ada");
    contact.SetText(props::kPropContactCompanyName, u"Analytical Engines");
    contact.SetText(props::kPropContactBusinessTelephoneNumber, u"030 1234");
    contact.SetText(props::kPropContactMobileTelephoneNumber, u"0170 5678");
    contact.SetText(props::kPropContactEmail1Address, u"ada@example.org");
    contact.SetText(props::kPropContactWebPage, u"www.example.org/ada");
    contact.SetText(props::kPropContactBusinessAddressStreet, u"Unter den Linden 1");
    contact.SetText(props::kPropContactBusinessAddressCity, u"Berlin");
    contact.SetText(props::kPropContactBusinessAddressPostalCode, u"10117");
    contact.SetText(props::kPropContactBusinessAddressCountry, u"Germany");
    contact.birthday = contact.editedBirthday = SYSTEMTIME{1985, 12, 0, 10, 0, 0, 0, 0};
    ItemContext context;
    EXPECT_EQ(contact.Save(context), S_OK);
    return contact.oid;
  }
  void OpenSummary() {
    ASSERT_EQ(CalyraEditor_EditContact(0, SaveContact(), 1, 0, 0), 1);
    Pump();
    ASSERT_NE(lists::VirtualList::Model(List()), nullptr);
  }
  int RowOf(const std::u16string& text) {
    for (int row = 0; row < Model().RowCount(); ++row) {
      if (Model().RowText(row) == text) return row;
    }
    return -1;
  }
  std::u16string Label(unsigned id) { return ResourceText(resources_, id); }
};

TEST_F(SummaryContactTest, ListsTheContactsFieldsUnderItsName) {
  OpenSummary();
  std::u16string cityLine =
      ComposedCityLine(Component::Process().Countries(), u"Germany", u"Berlin", u"", u"10117");
  struct Expected {
    std::u16string text;
    DWORD flags;
  };
  const Expected expected[] = {
      {u"Lovelace, Ada", lists::kRowHeading | lists::kRowBold | lists::kRowLineBelow},
      {Label(resources::kStringColumnName), lists::kLabelRowFlags},
      {u"Ada Lovelace", 0},
      {Label(resources::kStringSummaryCompany), lists::kLabelRowFlags},
      {u"Analytical Engines", 0},
      {u"030 1234", lists::kRowBesideLabel},
      {u"0170 5678", lists::kRowBesideLabel},
      {Label(resources::kStringColumnEmail), lists::kLabelRowFlags},
      {u"ada@example.org", lists::kRowEmail},
      {Label(resources::kStringSummaryWebPage), lists::kLabelRowFlags},
      {u"www.example.org/ada", lists::kRowWeb},
      {Label(resources::kStringSummaryWorkAddress), lists::kLabelRowFlags},
      {u"Unter den Linden 1\r\n" + cityLine + u"\r\nGermany", 0},
      {Label(resources::kStringSummaryBirthday), lists::kLabelRowFlags},
      {Component::Process().DateTimeTexts().FormatShortDateFourDigitYear(
           SYSTEMTIME{1985, 12, 0, 10, 0, 0, 0, 0}),
       0},
  };
  std::string dump = platform::DumpWindowTree(List());
  ASSERT_EQ(Model().RowCount(), static_cast<int>(std::size(expected))) << dump;
  for (int row = 0; row < Model().RowCount(); ++row) {
    EXPECT_EQ(Model().RowText(row), expected[row].text) << row;
    EXPECT_EQ(Model().Row(row).flags, expected[row].flags) << row;
  }
  EXPECT_GT(Model().Row(12).height, Model().Row(11).height) << "the address over three lines";
  EXPECT_NE(dump.find("[Mobile: 0170 5678]"), std::string::npos) << dump;
  EXPECT_NE(dump.find("[Unter den Linden 1 / " + platform::ToUtf8(cityLine) + " / Germany]"),
            std::string::npos)
      << "an address on the dump's one line: " << dump;
}

TEST_F(SummaryContactTest, TheEmailAndWebRowsStartTheirPrograms) {
  OpenSummary();
  Model().current = RowOf(u"ada@example.org");
  EXPECT_TRUE(lists::VirtualList::ActivateCurrent(List()));
  Model().current = RowOf(u"www.example.org/ada");
  EXPECT_TRUE(lists::VirtualList::ActivateCurrent(List()));
  Model().current = RowOf(u"Analytical Engines");
  EXPECT_FALSE(lists::VirtualList::ActivateCurrent(List()));
  std::vector<platform::LaunchEntry> log = platform::ReadLaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].program, u"tmail.exe");
  EXPECT_EQ(log[0].arguments, u"-to \"ada@example.org\"") << "no signature";
  EXPECT_EQ(log[1].program, u"iexplore.exe");
  EXPECT_EQ(log[1].arguments, u"www.example.org/ada");
}

TEST_F(SummaryContactTest, AContactWithOnlyANameShowsItsHeadingAndName) {
  CPIMContact contact;
  contact.SetText(props::kPropContactFirstName, u"Bo");
  contact.SetText(CPIMContact::kFileAs, u"Bo");
  ItemContext context;
  ASSERT_EQ(contact.Save(context), S_OK);
  ASSERT_EQ(CalyraEditor_EditContact(0, contact.oid, 1, 0, 0), 1);
  Pump();
  ASSERT_NE(lists::VirtualList::Model(List()), nullptr);
  ASSERT_EQ(Model().RowCount(), 3);
  EXPECT_EQ(Model().RowText(0), u"Bo");
  EXPECT_EQ(Model().RowText(2), u"Bo");
}

}  // namespace
