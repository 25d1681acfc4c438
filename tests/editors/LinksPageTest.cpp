// The links page in the appointment, task and contact editors, driven as a host and a person do.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editors/ControlText.h"
#include "editors/LinksPage.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "links/LinkList.h"
#include "links/LinkStore.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/ImageList.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/DateSupport.h"
#include "tests/support/StoredLinks.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

// A row of a list on the page: its text and its item data.
struct Row {
  std::u16string text;
  LPARAM data = 0;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << platform::ToUtf8(row.text) << " [type " << LOWORD(static_cast<DWORD>(row.data)) << ", id "
       << HIWORD(static_cast<DWORD>(row.data)) << "]";
}

class LinksPageTest : public EditorHostTest {
 protected:
  ItemOid SaveContact(const std::u16string& fileAs) {
    CPIMContact contact;
    contact.SetText(CPIMContact::kFileAs, fileAs);
    EXPECT_EQ(contact.Save(ItemContext()), S_OK);
    return contact.oid;
  }
  ItemOid SaveAppointment(const std::u16string& subject, int day) {
    CPIMAppointment appointment;
    appointment.subject = subject;
    appointment.start = Date(2024, 3, day, 9);
    appointment.end = Date(2024, 3, day, 10);
    EXPECT_EQ(appointment.Save(ItemContext()), S_OK);
    return appointment.oid;
  }
  static void MakeFile(const char16_t* path) {
    CreateDirectoryW(u"\\My Documents", nullptr);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  LinkCache& Cache() { return Component::Process().links; }
  LinkStore Store() { return LinkStore(&Cache()); }

  void ShowPage() {
    ASSERT_TRUE(Frame().IsOpen());
    ASSERT_NE(Page(), nullptr);
    ASSERT_TRUE(platform::UserSelectTab(Tabs(), Page()->TabIndex()));
    Pump();
  }
  void Open(EditorKind kind, ItemOid oid) {
    ASSERT_EQ(EditItem(kind, oid).Post(), 1);
    Pump();
    ShowPage();
  }
  void Ok() {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandOk, 0);
    Pump();
  }
  void Cancel() {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandCancel, 0);
    Pump();
  }
  LinksPage* Page() { return dynamic_cast<LinksPage*>(Frame().Pages().GetPage(PageNumber::Links)); }
  HWND Control(int id) { return GetDlgItem(Page()->GetWindow(), id); }
  std::vector<Row> Rows(int listId) {
    std::vector<Row> rows;
    HWND list = Control(listId);
    for (int index = 0; index < ListView_GetItemCount(list); ++index) {
      WCHAR text[300] = {};
      ListView_GetItemText(list, index, 0, text, 300);
      LVITEMW item{};
      item.mask = LVIF_PARAM;
      item.iItem = index;
      ListView_GetItem(list, &item);
      rows.push_back({text, item.lParam});
    }
    return rows;
  }
  std::vector<std::u16string> Texts(int listId) {
    std::vector<std::u16string> texts;
    for (const Row& row : Rows(listId)) texts.push_back(row.text);
    return texts;
  }
  std::vector<Row> Hints() {
    std::vector<Row> hints;
    for (unsigned hint = 0; hint < kStringLinksHintCount; ++hint)
      hints.push_back(
          {ResourceText(resources_, kStringLinksHintFirst + hint), static_cast<LPARAM>(hint + 1)});
    return hints;
  }
  void Click(int id) { ASSERT_TRUE(platform::UserClick(Control(id))); }
  void PickTab(int index) { ASSERT_TRUE(platform::UserSelectTab(Control(kLinksPickTabs), index)); }
};

TEST_F(LinksPageTest, AnItemsLinksAreListedInTheirOrderAndAnEmptyListShowsTheHints) {
  ItemOid trip = SaveTask(u"Trip");
  ItemOid anna = SaveContact(u"Berg, Anna");
  ASSERT_TRUE(Store().AddWebLink(trip, u"example.org"));
  ASSERT_TRUE(Store().LinkContact(trip, anna));
  ASSERT_TRUE(Store().AddIconLink(trip, u"\\star.bmp"));
  Open(EditorKind::EditTask, trip);
  std::vector<Row> rows = Rows(kLinksList);
  ASSERT_EQ(rows.size(), 2u) << "the icon link is not listed";
  EXPECT_EQ(rows[0].text, u"Berg, Anna");
  EXPECT_EQ(LOWORD(static_cast<DWORD>(rows[0].data)), static_cast<WORD>(LinkType::Contact));
  EXPECT_NE(HIWORD(static_cast<DWORD>(rows[0].data)), 0) << "a listed link carries its id";
  EXPECT_EQ(rows[1].text, u"example.org");
  Cancel();

  Open(EditorKind::EditTask, SaveTask(u"Alone"));
  EXPECT_EQ(Rows(kLinksList), Hints()) << "the next item loads afresh";
  Click(kLinksRemove);
  ASSERT_TRUE(platform::UserChoose(Control(kLinksList), 0));
  Click(kLinksRemove);
  EXPECT_EQ(Rows(kLinksList), Hints()) << "a hint row is no link to remove";
}

TEST_F(LinksPageTest, ThePickListsOfferEveryOtherItemOneListAtATime) {
  ItemOid trip = SaveTask(u"trip");
  SaveTask(u"Agenda");
  SaveContact(u"Berg, Anna");
  SaveContact(u"alm, bert");
  SaveAppointment(u"Later", 21);
  SaveAppointment(u"Sooner", 19);
  Open(EditorKind::EditTask, trip);
  EXPECT_EQ(Texts(kLinksContacts), (std::vector<std::u16string>{u"alm, bert", u"Berg, Anna"}));
  EXPECT_EQ(Texts(kLinksTasks), (std::vector<std::u16string>{u"Agenda"})) << "not the edited task itself";
  EXPECT_EQ(Texts(kLinksAppointments), (std::vector<std::u16string>{u"Sooner (3/19/24)", u"Later (3/21/24)"}))
      << "by start";
  EXPECT_TRUE(IsWindowVisible(Control(kLinksContacts)));
  EXPECT_FALSE(IsWindowVisible(Control(kLinksTasks)));
  PickTab(2);
  EXPECT_FALSE(IsWindowVisible(Control(kLinksContacts)));
  EXPECT_TRUE(IsWindowVisible(Control(kLinksAppointments)));
  ASSERT_TRUE(platform::UserDoubleClickListViewItem(Control(kLinksAppointments), 1));
  EXPECT_TRUE(ListView_GetCheckState(Control(kLinksAppointments), 1)) << "activating a row marks it";
}

TEST_F(LinksPageTest, AdditionsShowAtOnceAndAreWrittenOnlyWhenTheItemIsSaved) {
  ItemOid trip = SaveTask(u"Trip");
  ItemOid visa = SaveTask(u"Visa");
  ItemOid anna = SaveContact(u"Berg, Anna");
  ItemOid flight = SaveAppointment(u"Flight", 20);
  MakeFile(u"\\My Documents\\route.txt");
  Open(EditorKind::EditTask, trip);

  ASSERT_TRUE(platform::UserSetListViewCheck(Control(kLinksContacts), 0, true));
  PickTab(1);
  ASSERT_TRUE(platform::UserSetListViewCheck(Control(kLinksTasks), 0, true));
  PickTab(2);
  ASSERT_TRUE(platform::UserSetListViewCheck(Control(kLinksAppointments), 0, true));
  ASSERT_TRUE(platform::UserType(Control(kLinksWebAddress), u"www.example.org"));
  Click(kLinksAddWeb);
  EXPECT_EQ(WindowText(Control(kLinksWebAddress)), u"") << "the field empties";
  user_->ExpectFileDialog(u"\\My Documents\\route.txt");
  Click(kLinksAddFile);
  user_->ExpectDialog(kDialogTextPrompt).Type(kTextPromptText, u"http://other.example.org").Click(IDOK);
  Click(kLinksAddWeb);

  const std::vector<Row> rows = {{u"www.example.org", LinkRowData(LinkType::Web, 0)},
                                 {u"\\My Documents\\route.txt", LinkRowData(LinkType::File, 0)},
                                 {u"http://other.example.org", LinkRowData(LinkType::Web, 0)}};
  EXPECT_EQ(Rows(kLinksList), rows) << "the hints gave way; additions carry no id";
  EXPECT_TRUE(LinksOf(trip).empty()) << "nothing written while the editor is open";

  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  const std::vector<Link> expected = {
      {LinkType::Contact, anna, u""},         {LinkType::Task, visa, u""},
      {LinkType::Appointment, flight, u""},   {LinkType::File, 0, u"\\My Documents\\route.txt"},
      {LinkType::Web, 0, u"www.example.org"}, {LinkType::Web, 0, u"http://other.example.org"}};
  EXPECT_EQ(LinksOf(trip), expected);
  EXPECT_EQ(LinksOf(anna), (std::vector<Link>{{LinkType::Task, trip, u""}})) << "both ways";
  EXPECT_TRUE(CalyraEditor_IsItemLinked(visa));
}

TEST_F(LinksPageTest, RefusedOrCancelledChoicesAddNothingAndCancelWritesNothing) {
  ItemOid trip = SaveTask(u"Trip");
  SaveContact(u"Berg, Anna");
  Open(EditorKind::EditTask, trip);
  user_->ExpectFileDialog(u"\\My Documents\\gone.txt");
  Click(kLinksAddFile);
  user_->ExpectFileDialog(std::nullopt);
  Click(kLinksAddFile);
  user_->ExpectDialog(kDialogTextPrompt).Click(IDOK);  // the prefix alone
  Click(kLinksAddWeb);
  user_->ExpectDialog(kDialogTextPrompt).Type(kTextPromptText, u"example.org").Click(IDCANCEL);
  Click(kLinksAddWeb);
  EXPECT_EQ(Rows(kLinksList), Hints());

  ASSERT_TRUE(platform::UserSetListViewCheck(Control(kLinksContacts), 0, true));
  ASSERT_TRUE(platform::UserType(Control(kLinksWebAddress), u"example.org"));
  Click(kLinksAddWeb);
  Cancel();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_TRUE(LinksOf(trip).empty());
  Open(EditorKind::EditTask, trip);
  EXPECT_EQ(Rows(kLinksList), Hints()) << "the next editor starts without the cancelled additions";
  EXPECT_FALSE(ListView_GetCheckState(Control(kLinksContacts), 0));
}

TEST_F(LinksPageTest, RemovingAListedLinkDeletesItAtOnceEvenWhenTheEditorIsCancelled) {
  ItemOid review = SaveAppointment(u"Review", 20);
  ItemOid anna = SaveContact(u"Berg, Anna");
  ASSERT_TRUE(Store().LinkContact(review, anna));
  Open(EditorKind::EditAppointment, review);
  ASSERT_TRUE(platform::UserType(Control(kLinksWebAddress), u"example.org"));
  Click(kLinksAddWeb);
  ASSERT_EQ(Rows(kLinksList).size(), 2u);
  ASSERT_TRUE(platform::UserChoose(Control(kLinksList), 1));
  Click(kLinksRemove);
  EXPECT_EQ(Texts(kLinksList), (std::vector<std::u16string>{u"Berg, Anna"})) << "an addition just goes";
  ASSERT_TRUE(platform::UserChoose(Control(kLinksList), 0));
  Click(kLinksRemove);
  EXPECT_TRUE(LinksOf(review).empty()) << "deleted before any save";
  EXPECT_TRUE(LinksOf(anna).empty()) << "the contact's half went too";
  EXPECT_EQ(Rows(kLinksList), Hints());
  Cancel();
  EXPECT_TRUE(LinksOf(review).empty());
  EXPECT_FALSE(CalyraEditor_IsItemLinked(anna));
}

TEST_F(LinksPageTest, ANewItemMadeFromAnotherIsLinkedWithItWhetherOrNotTheTabWasOpened) {
  ItemOid anna = SaveContact(u"Berg, Anna");
  ASSERT_EQ(NewItem(EditorKind::NewTask).Subject(u"Call Anna").LinkWith(anna).Post(), 1);
  Pump();
  ASSERT_TRUE(Frame().IsOpen());
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  EXPECT_EQ(LinksOf(anna).size(), 1u);
  ItemOid call = LinksOf(anna).at(0).target;
  EXPECT_EQ(LinksOf(call), (std::vector<Link>{{LinkType::Contact, anna, u""}}));

  ASSERT_EQ(NewItem(EditorKind::NewAppointment).Subject(u"Meet Anna").LinkWith(anna).Post(), 1);
  Pump();
  ShowPage();
  EXPECT_EQ(Rows(kLinksList), Hints()) << "a new item has no links yet";
  ASSERT_TRUE(platform::UserSetListViewCheck(Control(kLinksContacts), 0, true)) << "Anna herself";
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  EXPECT_EQ(LinksOf(anna).size(), 2u) << "one link to the new appointment, not two";
}

TEST_F(LinksPageTest, ATemplateShowsItsLinksButOffersNoChange) {
  ItemOid trip = SaveTask(u"Trip");
  ItemOid anna = SaveContact(u"Berg, Anna");
  ASSERT_TRUE(Store().LinkContact(trip, anna));
  ASSERT_EQ(EditItem(EditorKind::EditTask, trip).EditValue(1).Post(), 1);
  Pump();
  ShowPage();
  EXPECT_EQ(Texts(kLinksList), (std::vector<std::u16string>{u"Berg, Anna"}));
  for (int id : {kLinksList, kLinksContacts, kLinksAddFile, kLinksAddWeb, kLinksRemove, kLinksWebAddress})
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_FALSE(platform::UserClick(Control(kLinksRemove)));
  Ok();
  EXPECT_EQ(LinksOf(trip).size(), 1u);
}

TEST_F(LinksPageTest, AnOccurrenceThatBecomesAnExceptionTakesTheSeriesLinks) {
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  ItemOid anna = SaveContact(u"Berg, Anna");
  ASSERT_TRUE(Store().LinkContact(series, anna));
  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDYES);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 3, 25)).Post(), 1);
  Pump();
  ASSERT_TRUE(Frame().IsOpen());
  ASSERT_TRUE(platform::UserType(GetDlgItem(Frame().FocusedPage(), kAppointmentSubject), u"Choir (moved)"));
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  std::vector<Link> annas = LinksOf(anna);
  ASSERT_EQ(annas.size(), 1u);
  EXPECT_NE(annas[0].target, series) << "the exception's own record";
  EXPECT_EQ(LinksOf(annas[0].target), (std::vector<Link>{{LinkType::Contact, anna, u""}}));
  EXPECT_TRUE(LinksOf(series).empty());
}

TEST_F(LinksPageTest, TheFrameAnswersIconsAndItemLinksFromTheLinkStore) {
  ItemOid task = SaveTask(u"Tax return");
  ItemOid review = SaveAppointment(u"Review", 20);
  WriteBitmapFile(u"\\My Documents\\star.bmp", 12, 10);
  EditorHost& host = Frame();
  EXPECT_EQ(host.ItemIconImage(task), nullptr);
  EXPECT_TRUE(host.SetItemIcon(task, u"\\My Documents\\star.bmp"));
  HIMAGELIST image = host.ItemIconImage(task);
  ASSERT_NE(image, nullptr);
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(image, &width, &height);
  EXPECT_EQ(width, 12);
  EXPECT_EQ(height, 10);
  ImageList_Destroy(image);
  EXPECT_EQ(host.ItemIconImage(0), nullptr) << "an unsaved item has no icon";
  EXPECT_TRUE(host.SetItemIcon(task, u""));
  EXPECT_TRUE(LinksOf(task).empty()) << "an empty path removes the icon";

  EXPECT_TRUE(host.LinkItems(task, review, static_cast<int>(ItemKind::Appointment)));
  EXPECT_EQ(LinksOf(task), (std::vector<Link>{{LinkType::Appointment, review, u""}}));
  EXPECT_EQ(LinksOf(review), (std::vector<Link>{{LinkType::Task, task, u""}}));
  EXPECT_FALSE(host.LinkItems(task, review, 4)) << "not an item kind";
  EXPECT_FALSE(host.LinkItems(0, review, static_cast<int>(ItemKind::Appointment)));
  EXPECT_EQ(LinksOf(review).size(), 1u);
  EXPECT_EQ(host.Links(), &Component::Process().links);
}

TEST_F(LinksPageTest, TheContactEditorListsTheContactsLinksAndOffersEveryOtherContact) {
  ItemOid anna = SaveContact(u"Berg, Anna");
  ItemOid bert = SaveContact(u"Alm, Bert");
  ItemOid trip = SaveTask(u"Trip");
  ASSERT_TRUE(Store().LinkTask(anna, trip));
  Open(EditorKind::EditContact, anna);
  EXPECT_EQ(Texts(kLinksList), (std::vector<std::u16string>{u"Trip"}));
  EXPECT_EQ(Texts(kLinksContacts), (std::vector<std::u16string>{u"Alm, Bert"})) << "not Anna herself";
  ASSERT_TRUE(platform::UserSetListViewCheck(Control(kLinksContacts), 0, true));
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  EXPECT_EQ(LinksOf(anna), (std::vector<Link>{{LinkType::Task, trip, u""}, {LinkType::Contact, bert, u""}}));
  EXPECT_EQ(LinksOf(bert), (std::vector<Link>{{LinkType::Contact, anna, u""}}));
}

TEST_F(LinksPageTest, TheLinksColumnWidensForALongText) {
  ItemOid trip = SaveTask(u"Trip");
  Open(EditorKind::EditTask, trip);
  HWND list = Control(kLinksList);
  int width = ListView_GetColumnWidth(list, 0);
  std::u16string address = u"www.example.org/" + std::u16string(300, u'a');
  ASSERT_TRUE(platform::UserType(Control(kLinksWebAddress), address));
  Click(kLinksAddWeb);
  std::vector<Row> rows = Rows(kLinksList);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].text, address.substr(0, kLinkTextChars)) << "cut at the bound of a link's text";
  EXPECT_GT(ListView_GetColumnWidth(list, 0), width);
  Ok();
  EXPECT_EQ(LinksOf(trip), (std::vector<Link>{{LinkType::Web, 0, address.substr(0, kLinkTextChars)}}));

  Open(EditorKind::EditTask, trip);
  EXPECT_GT(ListView_GetColumnWidth(Control(kLinksList), 0), width) << "a stored long link widens it too";
  Cancel();

  Open(EditorKind::EditTask, SaveTask(u"Short"));
  EXPECT_EQ(ListView_GetColumnWidth(Control(kLinksList), 0), width) << "the next item starts narrow again";
}

TEST_F(LinksPageTest, AFailedWriteKeepsTheSavedItemsEditorOpenAndTheNextOkTriesAgain) {
  ItemOid anna = SaveContact(u"Berg, Anna");
  // A database of the link store's name that it cannot use: every link write fails.
  Database blocker;
  ASSERT_TRUE(blocker.Create(kLinkDatabaseName, kLinkDatabaseType, {SORTORDERSPEC{0x00090003, 0}}));
  ASSERT_EQ(NewItem(EditorKind::NewTask).Subject(u"Call Anna").Post(), 1);
  Pump();
  ShowPage();
  ASSERT_TRUE(platform::UserSetListViewCheck(Control(kLinksContacts), 0, true));
  ASSERT_TRUE(platform::UserType(Control(kLinksWebAddress), u"example.org"));
  Click(kLinksAddWeb);
  Ok();
  ASSERT_TRUE(Frame().IsOpen()) << "the links could not be written";
  ItemOid saved = Frame().Context().item->oid;
  EXPECT_NE(saved, 0u) << "the task itself is saved";
  EXPECT_FALSE(Page()->Pending().Empty());
  EXPECT_EQ(Texts(kLinksList), (std::vector<std::u16string>{u"example.org"})) << "the additions stay";
  EXPECT_TRUE(ListView_GetCheckState(Control(kLinksContacts), 0));

  ASSERT_TRUE(blocker.OpenByName(kLinkDatabaseName));
  ASSERT_TRUE(blocker.Delete());
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  EXPECT_EQ(LinksOf(saved),
            (std::vector<Link>{{LinkType::Contact, anna, u""}, {LinkType::Web, 0, u"example.org"}}));
}

}  // namespace
