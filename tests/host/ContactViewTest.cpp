// The contact view of the summary: its action rows mail, browse and dial; the photo, chosen by the
// photo program and shown again when it announces a change; the calls with the contact and their totals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Component.h"
#include "host/ContactView.h"
#include "host/MainWindow.h"
#include "host/SummaryWindow.h"
#include "platform/files/FileSystem.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/phone/CallLogFile.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/DialerLog.h"
#include "tests/support/editor/EditorHostTest.h"
#include "text/ContactPhotos.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
namespace props = platform::outlook;
using Row = ContactActionRow;

class ContactViewTest : public EditorHostTest {
 protected:
  ItemOid SaveContact() {
    CPIMContact contact;
    contact.SetText(props::kPropContactFirstName, u"Ada");
    contact.SetText(props::kPropContactLastName, u"Lovelace");
    contact.SetText(CPIMContact::kFileAs, u"Lovelace, Ada");
    contact.SetText(props::kPropContactBusinessTelephoneNumber, u"030 1234");
    contact.SetText(props::kPropContactMobileTelephoneNumber, u"0170 5678");
    contact.SetText(props::kPropContactHome2TelephoneNumber, u"030 9999");
    contact.SetText(props::kPropContactEmail1Address, u"ada@example.org");
    contact.SetText(props::kPropContactWebPage, u"www.example.org/ada");
    ItemContext context;
    EXPECT_EQ(contact.Save(context), S_OK);
    return contact.oid;
  }
  void OpenSummary(ItemOid contact) {
    ASSERT_EQ(CalyraEditor_EditContact(0, contact, 1, 0, 0), 1);
    Pump();
    ASSERT_NE(Summary(), nullptr);
  }
  HWND Summary() { return Component::Process().mainWindow->SummaryHandle(); }
  ContactView& View() { return *Component::Process().mainWindow->Summary()->Contact(); }
  void Activate(int row) {
    NMITEMACTIVATE activate{};
    activate.hdr.hwndFrom = GetDlgItem(Summary(), resources::kSummaryActions);
    activate.hdr.idFrom = resources::kSummaryActions;
    activate.hdr.code = LVN_ITEMACTIVATE;
    activate.iItem = row;
    SendMessageW(Summary(), WM_NOTIFY, resources::kSummaryActions, reinterpret_cast<LPARAM>(&activate));
  }
  HANDLE Photo() {
    return reinterpret_cast<HANDLE>(
        SendDlgItemMessageW(Summary(), resources::kSummaryPhoto, STM_GETIMAGE, IMAGE_BITMAP, 0));
  }
  std::vector<std::u16string> Launches() {
    std::vector<std::u16string> launches;
    for (const auto& entry : platform::ReadLaunchLog())
      launches.push_back(entry.program + u" " + entry.arguments);
    return launches;
  }
  std::u16string PhotoPath(const std::u16string& name) {
    return GetContactPhotoFolder() + u"\\" + name + u".bmp";
  }
};

TEST_F(ContactViewTest, TheRowsNameWhatTheyDoAndTheKeptNumbersDialForTheirRows) {
  OpenSummary(SaveContact());
  const std::vector<Row>& rows = View().Rows();
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].data, Row::kPhone | 0x100);
  EXPECT_EQ(rows[1].data, Row::kPhone | 0x400) << "the mobile number is the third kept one";
  EXPECT_EQ(rows[2].data, Row::kPhone);
  EXPECT_EQ(rows[2].text, u"030 9999");
  EXPECT_EQ(rows[3].data, Row::kMail);
  EXPECT_EQ(rows[4].data, Row::kWeb);
  EXPECT_EQ(ListView_GetItemCount(GetDlgItem(Summary(), resources::kSummaryActions)), 5);

  Activate(1);
  Activate(2);
  Activate(3);
  Activate(4);
  std::vector<std::string> dialled;
  for (const DialerCall& call : DialerCalls(Device())) {
    if (call.front() == "DialNumber") dialled.push_back(call[2]);
  }
  EXPECT_EQ(dialled, (std::vector<std::string>{"0170 5678", "030 9999"}));
  EXPECT_EQ(Launches(), (std::vector<std::u16string>{u"tmail.exe -to \"ada@example.org\"",
                                                     u"iexplore.exe www.example.org/ada"}));
}

TEST_F(ContactViewTest, HangUpIsOfferedAfterADialOnlyWhenTheOptionSaysSo) {
  ItemOid contact = SaveContact();
  OpenSummary(contact);
  HWND hangUp = GetDlgItem(Summary(), resources::kSummaryCancelDial);
  Activate(0);
  EXPECT_FALSE(IsWindowEnabled(hangUp)) << "the default contact options do not offer it";

  CalyraContactOptions options{{1, 0, 1, -1, 1, 0, 0}};
  ASSERT_EQ(CalyraEditor_SetContactOptions(&options), 1);
  Activate(0);
  EXPECT_TRUE(IsWindowEnabled(hangUp));
  SendMessageW(Summary(), WM_COMMAND, resources::kSummaryCancelDial, 0);
  EXPECT_FALSE(IsWindowEnabled(hangUp));
  EXPECT_EQ(DialerCalls(Device()).back(), DialerCall{"DialNumberCancel"});
}

TEST_F(ContactViewTest, ThePhotoIsShownChosenAndShownAgainWhenThePhotoProgramSaysItChanged) {
  ItemOid contact = SaveContact();
  WriteBitmapFile(PhotoPath(u"Lovelace, Ada"), 200, 100);
  OpenSummary(contact);
  ASSERT_NE(Photo(), nullptr);
  BITMAP shown{};
  GetObjectW(Photo(), sizeof(shown), &shown);
  EXPECT_EQ(shown.bmWidth, 55);

  SendMessageW(Summary(), WM_COMMAND, resources::kSummaryChoosePhoto, 0);
  ASSERT_FALSE(Launches().empty());
  EXPECT_NE(
      Launches().back().find(platform::FromUtf8("CalyraPhotoSelect.exe [" + std::to_string(contact) + "]")),
      std::u16string::npos);

  // The program removes the photo; the view shows none once it hears of it.
  std::filesystem::remove(*platform::HostPathOf(PhotoPath(u"Lovelace, Ada")));
  CalyraEditor_PostMessage(RegisterWindowMessageW(u"CalyraContactPhotoChange"), 0, 0);
  Pump();
  EXPECT_EQ(Photo(), nullptr);
  // A photo under the contact's full name is found as well.
  WriteBitmapFile(PhotoPath(u"Ada Lovelace"), 30, 30);
  CalyraEditor_PostMessage(RegisterWindowMessageW(u"CalyraContactPhotoChange"), 0, 0);
  Pump();
  EXPECT_NE(Photo(), nullptr);
}

TEST_F(ContactViewTest, TheCallsWithTheContactAreListedWithTheirTotals) {
  int64_t start = 133'549'000'000'000'000;
  platform::AppendToCallLogFile({CALLLOG_KIND_INCOMING, start, 95, u"030 1234", u"Ada", u"w"});
  platform::AppendToCallLogFile({CALLLOG_KIND_OUTGOING, start + 1, 3725, u"0170 5678", u"Ada", u"m"});
  platform::AppendToCallLogFile({CALLLOG_KIND_INCOMING, start + 2, 40, u"089 000", u"Bob", u"w"});
  OpenSummary(SaveContact());
  EXPECT_EQ(ListView_GetItemCount(GetDlgItem(Summary(), resources::kSummaryCalls)), 2);
  WCHAR totals[128] = {};
  GetDlgItemTextW(Summary(), resources::kSummaryCallTotals, totals, 128);
  EXPECT_EQ(std::u16string(totals), u"Incoming 00:01:35  Outgoing 01:02:05");
}

TEST_F(ContactViewTest, AContactWithoutCallsShowsZeroTotalsAndOtherKindsHaveNoContactView) {
  OpenSummary(SaveContact());
  WCHAR totals[128] = {};
  GetDlgItemTextW(Summary(), resources::kSummaryCallTotals, totals, 128);
  EXPECT_EQ(std::u16string(totals), u"Incoming 00:00:00  Outgoing 00:00:00");
  EXPECT_EQ(Photo(), nullptr);
  SendMessageW(Summary(), WM_COMMAND, IDOK, 0);
  Pump();
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, SaveTask(u"Report"), 1, 0, 0), 1);
  Pump();
  EXPECT_EQ(Component::Process().mainWindow->Summary()->Contact(), nullptr);
  EXPECT_EQ(GetDlgItem(Summary(), resources::kSummaryActions), nullptr);
}

}  // namespace
