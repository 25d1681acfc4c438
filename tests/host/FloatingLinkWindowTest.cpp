// The floating link window as a host drives it: opening it once, the drops that link items to the
// window's item, the rows' menu and activation, moving it by its top edge, its colours, and closing it
// from the host, the window itself, the summary's command and a host that switches away.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CalyraEditor.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/MainWindow.h"
#include "links/LinkOperations.h"
#include "links/LinkStore.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/process/Processes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/ListViewTypes.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;

static_assert(kOpenLinkedItemMessage == kNotifyOpenItem, "the host's one open-item notification");

class FloatingLinkWindowTest : public EditorHostTest {
 protected:
  FloatingLinkWindow& Floating() { return Component::Process().floatingLinks; }
  HWND Window() { return Floating().Window(); }
  HWND List() { return GetDlgItem(Window(), kFloatingLinksList); }
  RECT Frame() {
    RECT frame{};
    GetWindowRect(Window(), &frame);
    return frame;
  }
  std::u16string Text(int control) {
    char16_t text[128] = {};
    GetDlgItemTextW(Window(), control, text, 128);
    return text;
  }
  std::vector<std::u16string> Rows() {
    std::vector<std::u16string> rows;
    for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
      WCHAR text[300] = {};
      ListView_GetItemText(List(), row, 0, text, 300);
      rows.emplace_back(text);
    }
    return rows;
  }
  ItemOid SaveAppointment(const std::u16string& subject) {
    CPIMAppointment appointment;
    appointment.subject = subject;
    appointment.start = SYSTEMTIME{2024, 3, 0, 18, 9, 0, 0, 0};
    appointment.end = SYSTEMTIME{2024, 3, 0, 18, 10, 0, 0, 0};
    ItemContext context;
    EXPECT_EQ(appointment.Save(context), S_OK);
    return appointment.oid;
  }
  ItemOid SaveContact(const std::u16string& fileAs) {
    CPIMContact contact;
    contact.SetText(CPIMContact::kFileAs, fileAs);
    ItemContext context;
    EXPECT_EQ(contact.Save(context), S_OK);
    return contact.oid;
  }
  // The links the item owns, as (type, far end) pairs.
  std::vector<std::pair<LinkType, ItemOid>> LinksOf(ItemOid item) {
    std::vector<std::pair<LinkType, ItemOid>> links;
    LinkStore store;
    LinkRecord record;
    for (CEOID oid = store.FirstLinkOf(item, &record, false); oid;
         oid = store.NextLinkOf(item, &record, false))
      links.emplace_back(record.type, record.target);
    return links;
  }
  void PressAndLift(POINT press, POINT lift) {
    SendMessageW(Window(), WM_LBUTTONDOWN, 0,
                 MAKELPARAM(static_cast<WORD>(press.x), static_cast<WORD>(press.y)));
    SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(lift.x), static_cast<WORD>(lift.y)));
  }
};

TEST_F(FloatingLinkWindowTest, OpensOnceAndASecondOpenLeavesTheFirstAsItWas) {
  ItemOid appointment = SaveAppointment(u"Dentist");
  ItemOid task = SaveTask(u"Pay the bill");
  EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 0);
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, appointment), 1);
  HWND first = Window();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 1);
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_EQ(GetWindow(first, GW_OWNER), host_);
  EXPECT_EQ(Text(kFloatingLinksTitle), u"Dentist");

  EXPECT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, task), 0);
  EXPECT_EQ(Window(), first);
  EXPECT_EQ(Floating().Item(), appointment);
  EXPECT_EQ(Text(kFloatingLinksTitle), u"Dentist");
}

TEST_F(FloatingLinkWindowTest, TheTitleIsTheSubjectOrTheContactsNameCutAtSixtyFourCharacters) {
  std::u16string longSubject(80, u'x');
  struct Case {
    ItemOid item;
    std::u16string title;
  } cases[] = {
      {SaveTask(longSubject), std::u16string(64, u'x')},
      {SaveContact(u"Berg, Anna"), u"Berg, Anna"},
      {SaveAppointment(u"Dentist"), u"Dentist"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, c.item), 1);
    EXPECT_EQ(Floating().Title(), c.title);
    EXPECT_EQ(Text(kFloatingLinksTitle), c.title);
    CalyraEditor_CloseFloatingLinkWindow();
  }
}

TEST_F(FloatingLinkWindowTest, OpensCentredAcrossTheScreenBelowItsTopWithTheFocusOnTheList) {
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Plan")), 1);
  RECT frame = Frame();
  EXPECT_EQ(frame.top, 35);
  EXPECT_EQ(frame.left, (240 - (frame.right - frame.left)) / 2);
  EXPECT_EQ(GetFocus(), List());
}

TEST_F(FloatingLinkWindowTest, TheListHasOneFullRowColumnActivatedByOneTapAndTheItemIcons) {
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Plan")), 1);
  RECT client{};
  GetClientRect(List(), &client);
  EXPECT_EQ(ListView_GetColumnWidth(List(), 0), client.right - GetSystemMetrics(SM_CXVSCROLL));
  DWORD style = ListView_GetExtendedListViewStyle(List());
  EXPECT_TRUE(style & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(style & LVS_EX_ONECLICKACTIVATE);
  HIMAGELIST images = ListView_GetImageList(List(), LVSIL_SMALL);
  ASSERT_NE(images, nullptr);
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
  EXPECT_EQ(ImageList_GetImageCount(images), 8);
}

TEST_F(FloatingLinkWindowTest, DroppingATaskOnAnAppointmentLinksBothWaysAndShowsTheRowAtOnce) {
  ItemOid appointment = SaveAppointment(u"Dentist");
  ItemOid task = SaveTask(u"Pay the bill");
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, appointment), 1);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(CalyraEditor_FloatingLinkDialog_DropItem(task, 3), 1);
  EXPECT_EQ(Rows(), std::vector<std::u16string>{u"Pay the bill"});
  using Links = std::vector<std::pair<LinkType, ItemOid>>;
  EXPECT_EQ(LinksOf(appointment), (Links{{LinkType::Task, task}}));
  EXPECT_EQ(LinksOf(task), (Links{{LinkType::Appointment, appointment}}));
  EXPECT_EQ(CalyraEditor_IsItemLinked(task), 1);
}

TEST_F(FloatingLinkWindowTest, DropsOfNoItemOrAnUnknownKindOrWithoutAWindowLinkNothing) {
  ItemOid appointment = SaveAppointment(u"Dentist");
  ItemOid task = SaveTask(u"Pay the bill");
  struct Case {
    ItemOid dropped;
    int kind;
    bool open;
  } cases[] = {
      {0, 3, true}, {task, 0, true}, {task, 4, true}, {task, -1, true}, {task, 3, false},
  };
  for (const Case& c : cases) {
    if (c.open) {
      ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, appointment), 1);
    }
    EXPECT_EQ(CalyraEditor_FloatingLinkDialog_DropItem(c.dropped, c.kind), 0) << c.dropped << " " << c.kind;
    if (c.open) {
      EXPECT_TRUE(Rows().empty());
    }
    CalyraEditor_CloseFloatingLinkWindow();
  }
  EXPECT_TRUE(LinksOf(appointment).empty());
  EXPECT_TRUE(LinksOf(task).empty());
}

TEST_F(FloatingLinkWindowTest, EachKindDroppedMakesItsOwnLinkType) {
  ItemOid owner = SaveTask(u"Trip");
  struct Case {
    ItemOid dropped;
    int kind;
    LinkType type;
  } cases[] = {
      {SaveAppointment(u"Visa"), 1, LinkType::Appointment},
      {SaveContact(u"Berg, Anna"), 2, LinkType::Contact},
      {SaveTask(u"Hotel"), 3, LinkType::Task},
  };
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  std::vector<std::pair<LinkType, ItemOid>> expected;
  for (const Case& c : cases) {
    EXPECT_EQ(CalyraEditor_FloatingLinkDialog_DropItem(c.dropped, c.kind), 1);
    expected.emplace_back(c.type, c.dropped);
  }
  EXPECT_EQ(LinksOf(owner), expected);
  EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"Berg, Anna", u"Visa (3/18/24)", u"Hotel"}));
}

TEST_F(FloatingLinkWindowTest, TheFirstLinkCutsTheWindowOffBelowTheDropTextOnceOnly) {
  ItemOid owner = SaveTask(u"Trip");
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  LONG fullHeight = Frame().bottom - Frame().top;
  ASSERT_EQ(CalyraEditor_FloatingLinkDialog_DropItem(SaveTask(u"Hotel"), 3), 1);
  RECT dropText{};
  GetWindowRect(GetDlgItem(Window(), kFloatingLinksDropText), &dropText);
  EXPECT_EQ(Frame().bottom, dropText.bottom);
  EXPECT_LT(Frame().bottom - Frame().top, fullHeight);

  RECT frame = Frame();
  SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left, fullHeight, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_EQ(CalyraEditor_FloatingLinkDialog_DropItem(SaveTask(u"Visa"), 3), 1);
  EXPECT_EQ(Frame().bottom - Frame().top, fullHeight) << "the window is cut once only";
}

TEST_F(FloatingLinkWindowTest, AnItemWithLinksOpensCutAlready) {
  ItemOid owner = SaveTask(u"Trip");
  ASSERT_TRUE(LinkStore().AddWebLink(owner, u"www.example.org"));
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  RECT dropText{};
  GetWindowRect(GetDlgItem(Window(), kFloatingLinksDropText), &dropText);
  EXPECT_EQ(Frame().bottom, dropText.bottom);
  EXPECT_EQ(Rows(), std::vector<std::u16string>{u"www.example.org"});
}

TEST_F(FloatingLinkWindowTest, AnIconLinkAloneLeavesTheListEmptyAndTheWindowWhole) {
  ItemOid owner = SaveTask(u"Trip");
  ASSERT_TRUE(LinkStore().AddIconLink(owner, u"\\star.bmp"));
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  RECT dropText{};
  GetWindowRect(GetDlgItem(Window(), kFloatingLinksDropText), &dropText);
  EXPECT_TRUE(Rows().empty());
  EXPECT_GT(Frame().bottom, dropText.bottom);
}

TEST_F(FloatingLinkWindowTest, AWideLinkWidensTheColumnUpToItsLimit) {
  ItemOid owner = SaveTask(u"Trip");
  std::u16string address = u"www.example.org/" + std::u16string(200, u'a');
  ASSERT_TRUE(LinkStore().AddWebLink(owner, address));
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  int wanted = ListView_GetStringWidth(List(), address.c_str()) + 22;
  EXPECT_EQ(ListView_GetColumnWidth(List(), 0), std::min(wanted, 1024));
}

TEST_F(FloatingLinkWindowTest, ThePointTestCoversTheWindowsRectangleAndNothingOnceClosed) {
  EXPECT_EQ(CalyraEditor_FloatingLinkDialog_IsPointInRect(120, 60), 0) << "no window yet";
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Trip")), 1);
  RECT frame = Frame();
  struct Case {
    int x, y;
    bool inside;
  } cases[] = {
      {frame.left, frame.top, true},          {frame.right - 1, frame.bottom - 1, true},
      {frame.left - 1, frame.top, false},     {frame.left, frame.top - 1, false},
      {frame.right, frame.bottom - 1, false}, {frame.right - 1, frame.bottom, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CalyraEditor_FloatingLinkDialog_IsPointInRect(c.x, c.y) != 0, c.inside) << c.x << "," << c.y;
  CalyraEditor_CloseFloatingLinkWindow();
  EXPECT_EQ(CalyraEditor_FloatingLinkDialog_IsPointInRect(frame.left, frame.top), 0);
}

TEST_F(FloatingLinkWindowTest, EveryCloseOfTheWindowClearsItsStateForTheNextOne) {
  ItemOid owner = SaveTask(u"Trip");
  const std::vector<std::function<void(HWND)>> closes = {
      [](HWND) { CalyraEditor_CloseFloatingLinkWindow(); },
      [](HWND window) { platform::UserClick(GetDlgItem(window, kFloatingLinksClose)); },
      [](HWND window) { platform::UserClick(GetDlgItem(window, kFloatingLinksCloseBox)); },
      [](HWND window) { SendMessageW(window, WM_COMMAND, IDOK, 0); },
      [](HWND window) { SendMessageW(window, WM_COMMAND, IDCANCEL, 0); },
      [](HWND window) { SendMessageW(window, WM_CLOSE, 0, 0); },
      [](HWND window) { DestroyWindow(window); },
  };
  for (size_t i = 0; i < closes.size(); ++i) {
    ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1) << i;
    HWND window = Window();
    closes[i](window);
    Pump();
    EXPECT_FALSE(IsWindow(window)) << i;
    EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 0) << i;
    EXPECT_EQ(Floating().Item(), 0u) << i;
    EXPECT_EQ(Window(), nullptr) << i;
    EXPECT_EQ(CalyraEditor_FloatingLinkDialog_DropItem(SaveTask(u"Late"), 3), 0) << i;
  }
  EXPECT_TRUE(LinksOf(owner).empty());
  CalyraEditor_CloseFloatingLinkWindow();  // nothing open: nothing happens
  EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 0);
}

TEST_F(FloatingLinkWindowTest, AFailedCreationReportsZeroAndLeavesNothingOpen) {
  Component::Process().SetResources(nullptr);  // no module holds dialog 601
  EXPECT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Trip")), 0);
  EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 0);
  EXPECT_EQ(CalyraEditor_FloatingLinkDialog_DropItem(SaveTask(u"Hotel"), 3), 0);
  Component::Process().SetResources(resources_);
}

TEST_F(FloatingLinkWindowTest, DeletingFromTheRowMenuRemovesTheRowAndBothHalves) {
  ItemOid owner = SaveTask(u"Trip");
  ItemOid contact = SaveContact(u"Berg, Anna");
  ItemOid other = SaveTask(u"Hotel");
  ASSERT_TRUE(LinkStore().LinkContact(owner, contact));
  ASSERT_TRUE(LinkStore().LinkTask(owner, other));
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  ASSERT_EQ(Rows(), (std::vector<std::u16string>{u"Berg, Anna", u"Hotel"}));
  user_->ExpectPopupMenu(kCommandDelete);
  ASSERT_TRUE(platform::UserTapAndHold(List(), 0));
  EXPECT_EQ(Rows(), std::vector<std::u16string>{u"Hotel"});
  EXPECT_TRUE(LinksOf(contact).empty());
  using Links = std::vector<std::pair<LinkType, ItemOid>>;
  EXPECT_EQ(LinksOf(owner), (Links{{LinkType::Task, other}}));
  EXPECT_EQ(HostMessagesAre({}), "") << "a deletion opens nothing";
}

TEST_F(FloatingLinkWindowTest, OpeningFromTheRowMenuAsksTheHostForTheFarEnd) {
  ItemOid owner = SaveTask(u"Trip");
  ItemOid contact = SaveContact(u"Berg, Anna");
  ASSERT_TRUE(LinkStore().LinkContact(owner, contact));
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  user_->ExpectPopupMenu(kCommandOpenLink);
  ASSERT_TRUE(platform::UserTapAndHold(List(), 0));
  Pump();
  EXPECT_EQ(
      HostMessagesAre({{kNotifyOpenItem, kPosted | kWParam | kLParam, 2, static_cast<LPARAM>(contact)}}), "");
  user_->ExpectPopupMenu(0);  // dismissed
  ASSERT_TRUE(platform::UserTapAndHold(List(), 0));
  Pump();
  EXPECT_EQ(HostMessagesAre({}), "");
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(FloatingLinkWindowTest, TheFarEndIsTheOtherItemFromEitherSideOfTheLink) {
  ItemOid appointment = SaveAppointment(u"Dentist");
  ItemOid task = SaveTask(u"Pay the bill");
  ASSERT_TRUE(LinkStore().LinkTask(appointment, task));
  struct Case {
    ItemOid window, farEnd;
    WPARAM kind;
  } cases[] = {{appointment, task, 3}, {task, appointment, 1}};
  for (const Case& c : cases) {
    ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, c.window), 1);
    ASSERT_TRUE(platform::UserChoose(List(), 0)) << "one tap activates the row";
    Pump();
    EXPECT_EQ(HostMessagesAre(
                  {{kNotifyOpenItem, kPosted | kWParam | kLParam, c.kind, static_cast<LPARAM>(c.farEnd)}}),
              "");
    CalyraEditor_CloseFloatingLinkWindow();
  }
}

TEST_F(FloatingLinkWindowTest, TheOpenButtonOpensTheSelectedFileOrAddressAndNothingWithoutASelection) {
  ItemOid owner = SaveTask(u"Trip");
  ASSERT_TRUE(LinkStore().AddWebLink(owner, u"www.example.org"));
  ASSERT_TRUE(LinkStore().AddFileLink(owner, u"\\My Documents\\route.txt"));
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  ASSERT_EQ(Rows(), (std::vector<std::u16string>{u"www.example.org", u"\\My Documents\\route.txt"}));
  HWND open = GetDlgItem(Window(), kFloatingLinksOpen);
  platform::UserClick(open);
  EXPECT_TRUE(platform::ReadLaunchLog().empty());
  ListView_SetItemState(List(), 1, LVIS_SELECTED, LVIS_SELECTED);
  platform::UserClick(open);
  ListView_SetItemState(List(), 1, 0, LVIS_SELECTED);
  ListView_SetItemState(List(), 0, LVIS_SELECTED, LVIS_SELECTED);
  platform::UserClick(open);
  auto log = platform::ReadLaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].verb, u"open");
  EXPECT_EQ(log[0].program, u"\\My Documents\\route.txt");
  EXPECT_EQ(log[1].verb, u"");
  EXPECT_EQ(log[1].program, u"iexplore.exe");
  EXPECT_EQ(log[1].arguments, u"www.example.org");
  EXPECT_EQ(HostMessagesAre({}), "");
}

TEST_F(FloatingLinkWindowTest, ARowWhoseLinkIsGoneOpensNothing) {
  ItemOid owner = SaveTask(u"Trip");
  ItemOid other = SaveTask(u"Hotel");
  ASSERT_TRUE(LinkStore().LinkTask(owner, other));
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, owner), 1);
  LinkStore store(&Component::Process().links);
  LinkRecord record;
  ASSERT_NE(store.FirstLinkOf(owner, &record, false), 0u);
  ASSERT_TRUE(store.DeleteLink(record.linkId));
  ASSERT_TRUE(platform::UserChoose(List(), 0));
  Pump();
  EXPECT_EQ(HostMessagesAre({}), "");
}

TEST_F(FloatingLinkWindowTest, TheTopEdgeDragsTheWindowByTheStylusWay) {
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Trip")), 1);
  RECT before = Frame();
  SendMessageW(Window(), WM_LBUTTONDOWN, 0, MAKELPARAM(30, 10));
  EXPECT_EQ(GetCapture(), Window());
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(20, 40));
  EXPECT_EQ(GetCapture(), nullptr);
  RECT after = Frame();
  EXPECT_EQ(after.left, before.left - 10);
  EXPECT_EQ(after.top, before.top + 30);
  EXPECT_EQ(after.right - after.left, before.right - before.left);

  PressAndLift({30, 27}, {20, 60});  // below the band: not a drag
  EXPECT_EQ(Frame().left, after.left);
  EXPECT_EQ(Frame().top, after.top);
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));  // a lift without a press
  EXPECT_EQ(Frame().top, after.top);
}

TEST_F(FloatingLinkWindowTest, ADroppedWindowIsKeptWhereItsTopEdgeCanBeReached) {
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Trip")), 1);
  RECT client{};
  GetClientRect(Window(), &client);
  const LONG width = client.right;
  struct Case {
    const char* what;
    POINT to;  // the window's wanted top left corner
    POINT expected;
  } cases[] = {
      {"far left", {-1000, 100}, {20 - width, 100}},
      {"far right", {1000, 100}, {240 - 20, 100}},
      {"above the top", {50, 10}, {50, 40}},
      {"just above the top limit", {50, 39}, {50, 40}},
      {"at the top limit", {50, 40}, {50, 40}},
      {"at the bottom limit", {50, 280}, {50, 280}},
      {"below the bottom limit", {50, 281}, {50, 300}},
  };
  for (const Case& c : cases) {
    RECT frame = Frame();
    PressAndLift({5, 5},
                 {static_cast<LONG>(5 + c.to.x - frame.left), static_cast<LONG>(5 + c.to.y - frame.top)});
    EXPECT_EQ(Frame().left, c.expected.x) << c.what;
    EXPECT_EQ(Frame().top, c.expected.y) << c.what;
  }
}

TEST_F(FloatingLinkWindowTest, TitleAndTextsAreWhiteOnDarkBlueOverTheCaptionColour) {
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Trip")), 1);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP surface = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ old = SelectObject(dc, surface);
  auto brushColour = [&](LRESULT brush) {
    RECT all{0, 0, 4, 4};
    FillRect(dc, &all, reinterpret_cast<HBRUSH>(brush));
    return GetPixel(dc, 1, 1);
  };
  for (int id : {kFloatingLinksTitle, kFloatingLinksHint, kFloatingLinksDropText}) {
    SetTextColor(dc, 0);
    SetBkColor(dc, 0xFFFFFF);
    LRESULT brush = SendMessageW(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(GetDlgItem(Window(), id)));
    ASSERT_NE(brush, 0) << id;
    EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255)) << id;
    EXPECT_EQ(GetBkColor(dc), static_cast<COLORREF>(0x990000)) << id;
    EXPECT_EQ(brushColour(brush), static_cast<COLORREF>(0x990000)) << id;
  }
  EXPECT_EQ(SendMessageW(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(GetDlgItem(Window(), kFloatingLinksOpen))),
            0);
  LRESULT background = SendMessageW(Window(), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(Window()));
  ASSERT_NE(background, 0);
  EXPECT_EQ(brushColour(background), GetSysColor(COLOR_ACTIVECAPTION));
  SelectObject(dc, old);
  DeleteObject(surface);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST_F(FloatingLinkWindowTest, TheKindImageShowsTheItemsKind) {
  struct Case {
    ItemOid item;
    int image;
  } cases[] = {
      {SaveAppointment(u"Dentist"), 0},
      {SaveTask(u"Trip"), 1},
      {SaveContact(u"Berg, Anna"), 2},
  };
  HDC screen = GetDC(nullptr);
  for (const Case& c : cases) {
    ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, c.item), 1);
    HIMAGELIST images = ListView_GetImageList(List(), LVSIL_SMALL);
    std::vector<COLORREF> drawn[2];
    for (int pass = 0; pass < 2; ++pass) {
      HDC dc = CreateCompatibleDC(screen);
      HBITMAP surface = CreateCompatibleBitmap(screen, 16, 16);
      HGDIOBJ old = SelectObject(dc, surface);
      RECT all{0, 0, 16, 16};
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      if (pass == 0) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_BUTTON;
        draw.CtlID = kFloatingLinksKind;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hwndItem = GetDlgItem(Window(), kFloatingLinksKind);
        draw.hDC = dc;
        draw.rcItem = all;
        SendMessageW(Window(), WM_DRAWITEM, kFloatingLinksKind, reinterpret_cast<LPARAM>(&draw));
      } else {
        ImageList_Draw(images, c.image, dc, 0, 0, ILD_TRANSPARENT);
      }
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) drawn[pass].push_back(GetPixel(dc, x, y));
      SelectObject(dc, old);
      DeleteObject(surface);
      DeleteDC(dc);
    }
    EXPECT_EQ(drawn[0], drawn[1]) << "image " << c.image;
    CalyraEditor_CloseFloatingLinkWindow();
  }
  ReleaseDC(nullptr, screen);
}

TEST_F(FloatingLinkWindowTest, AHostSwitchingAwayClosesTheWindowOnlyWhenItSaysSo) {
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Trip")), 1);
  EXPECT_EQ(CalyraEditor_IsEditorActive(0, host_, kHostMessage, 1, 2), 0);
  EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 1);
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 1, 2), 0);
  EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 0);
}

TEST_F(FloatingLinkWindowTest, TheSummarysLinksCommandOpensTheWindowForItsItem) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 1, 0, 0), 1);
  Pump();
  HWND summary = Component::Process().mainWindow->SummaryHandle();
  ASSERT_NE(summary, nullptr);
  ASSERT_TRUE(platform::UserClick(GetDlgItem(summary, kSummaryLinks)));
  Pump();
  EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 1);
  EXPECT_EQ(Floating().Item(), task);
  EXPECT_EQ(Text(kFloatingLinksTitle), u"Report");
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 1, 2), 0) << "the summary closes first";
  EXPECT_EQ(CalyraEditor_IsFloatingLinkWindowOpen(), 1) << "a summary that was open returns at once";
}

// On a screen of twice the resolution the sizes double; the drag band does not.
class HighDpiFloatingLinkWindowTest : public FloatingLinkWindowTest {
 protected:
  void ConfigureDevice() override {
    Device().SetSetting("Screen.DpiX", u"192");
    Device().SetSetting("Screen.DpiY", u"192");
    Device().SetSetting("Screen.Width", u"480");
    Device().SetSetting("Screen.Height", u"640");
  }
};

TEST_F(HighDpiFloatingLinkWindowTest, PlacementImagesAndLimitsScaleButTheDragBandDoesNot) {
  ASSERT_EQ(CalyraEditor_OpenFloatingLinkWindow(host_, SaveTask(u"Trip")), 1);
  RECT frame = Frame();
  EXPECT_EQ(frame.top, 70);
  EXPECT_EQ(frame.left, (480 - (frame.right - frame.left)) / 2);
  int width = 0, height = 0;
  ImageList_GetIconSize(ListView_GetImageList(List(), LVSIL_SMALL), &width, &height);
  EXPECT_EQ(width, 32);
  EXPECT_EQ(height, 32);
  PressAndLift({5, 30}, {5, 500});
  EXPECT_EQ(Frame().top, 70) << "30 pixels down is below the band";
  PressAndLift({5, 26}, {5, 26 - 1000});
  EXPECT_EQ(Frame().top, 80);
  PressAndLift({5, 5}, {5, 5 + 640});
  EXPECT_EQ(Frame().top, 640 - 40);
}

}  // namespace
