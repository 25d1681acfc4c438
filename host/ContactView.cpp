#include "host/ContactView.h"

#include <array>

#include "host/CallHistory.h"
#include "host/Component.h"
#include "host/ContactSummaryFields.h"
#include "host/SummaryFields.h"
#include "platform/gdi/ImageList.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/text/Formatter.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"

namespace calyra {

using namespace resources;
namespace props = platform::outlook;

namespace {

constexpr int kBackgroundColor = 0;

// The view's places in dialog units; the field list keeps the band between the photo and the actions.
constexpr RECT kPhotoPlace{0, 0, 40, 40};
constexpr RECT kChoosePhotoPlace{44, 4, 84, 18};
constexpr RECT kCancelDialPlace{44, 22, 84, 36};
constexpr RECT kTotalsPlace{88, 4, 160, 36};
constexpr RECT kFieldsPlace{0, 42, 160, 122};
constexpr RECT kActionsPlace{0, 124, 160, 164};
constexpr RECT kCallsPlace{0, 166, 160, 196};

// The phones the view keeps as its three numbers, dialled by the rows that carry their choice.
constexpr std::array<CEPROPID, 3> kKeptNumbers = {props::kPropContactBusinessTelephoneNumber,
                                                  props::kPropContactHomeTelephoneNumber,
                                                  props::kPropContactMobileTelephoneNumber};
struct LabelledPhone {
  unsigned label;
  CEPROPID tag;
};
constexpr LabelledPhone kOtherPhones[] = {
    {kStringSummaryWorkPhone, props::kPropContactBusiness2TelephoneNumber},
    {kStringSummaryHomePhone, props::kPropContactHome2TelephoneNumber},
};
constexpr std::array<unsigned, 3> kKeptLabels = {kStringSummaryWorkPhone, kStringSummaryHomePhone,
                                                 kStringSummaryMobilePhone};
constexpr CEPROPID kEmails[] = {props::kPropContactEmail1Address, props::kPropContactEmail2Address,
                                props::kPropContactEmail3Address};

RECT Pixels(HWND dialog, RECT place) {
  MapDialogRect(dialog, &place);
  return place;
}

HWND MakeChild(HWND parent, const char16_t* windowClass, DWORD style, int id, const RECT& place,
               const std::u16string& text = {}) {
  RECT pixels = Pixels(parent, place);
  return CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, pixels.left, pixels.top,
                         pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                         reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), Component::Process().OwnModule(),
                         nullptr);
}

void AddRow(HWND list, const std::u16string& text, LPARAM data) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = ListView_GetItemCount(list);
  item.pszText = const_cast<LPWSTR>(text.c_str());
  item.lParam = data;
  ListView_InsertItem(list, &item);
}

void AddColumn(HWND list, int index, const std::u16string& text, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<LPWSTR>(text.c_str());
  column.cx = width;
  ListView_InsertColumn(list, index, &column);
}

// The thumbnail's one image drawn onto a bitmap the photo control can show.
HBITMAP PhotoBitmap(HIMAGELIST thumbnail, COLORREF background) {
  int width = 0;
  int height = 0;
  if (!thumbnail || !ImageList_GetIconSize(thumbnail, &width, &height)) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  RECT all{0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ImageList_Draw(thumbnail, 0, dc, 0, 0, ILD_TRANSPARENT);
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

ContactView::ContactView(HWND summary, ItemOid contact)
    : summary_(summary),
      contact_(contact),
      actions_(Component::Process().Options(), Component::Process().dialer) {}

ContactView::~ContactView() {
  if (photo_) DeleteObject(photo_);
}

void ContactView::Create() {
  LoadContact();
  MakeControls();
  FillActions();
  FillCalls();
  Component& component = Component::Process();
  component.contactPhotos.InitContactPhotos(component.Resources(), summary_, kBitmapPhotoFrame,
                                            component.Options().DisplayColor(kBackgroundColor));
  ShowPhoto(false);
}

void ContactView::LoadContact() {
  ItemContext context;
  context.owner = summary_;
  context.resources = Component::Process().Resources();
  CPIMContact contact;
  contact.oid = contact_;
  if (!contact.Load(context)) return;
  fileAs_ = contact.DisplayText();
  fullName_ = ContactFullName(contact);
  std::array<std::u16string, 3> kept;
  for (size_t i = 0; i < kKeptNumbers.size(); ++i) {
    kept[i] = contact.Text(kKeptNumbers[i]);
    if (!kept[i].empty()) {
      rows_.push_back({ContactActionRow::kPhone | ContactActionRow::kNumberChoices[i],
                       SummaryText(kKeptLabels[i]) + u"  " + kept[i]});
      numbers_.push_back(kept[i]);
    }
  }
  actions_.SetNumbers(kept);
  for (const LabelledPhone& phone : kOtherPhones) {
    std::u16string number = contact.Text(phone.tag);
    if (number.empty()) continue;
    rows_.push_back({ContactActionRow::kPhone, number});
    numbers_.push_back(number);
  }
  for (CEPROPID email : kEmails) {
    std::u16string address = contact.Text(email);
    if (!address.empty()) rows_.push_back({ContactActionRow::kMail, address});
  }
  std::u16string web = contact.Text(props::kPropContactWebPage);
  if (!web.empty()) rows_.push_back({ContactActionRow::kWeb, web});
}

void ContactView::MakeControls() {
  RECT fields = Pixels(summary_, kFieldsPlace);
  SetWindowPos(GetDlgItem(summary_, kSummaryList), nullptr, fields.left, fields.top,
               fields.right - fields.left, fields.bottom - fields.top, SWP_NOZORDER | SWP_NOACTIVATE);
  MakeChild(summary_, u"STATIC", SS_BITMAP, kSummaryPhoto, kPhotoPlace);
  MakeChild(summary_, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kSummaryChoosePhoto, kChoosePhotoPlace,
            SummaryText(kStringSummaryPhoto));
  HWND cancel = MakeChild(summary_, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kSummaryCancelDial,
                          kCancelDialPlace, SummaryText(kStringSummaryHangUp));
  EnableWindow(cancel, FALSE);
  MakeChild(summary_, u"STATIC", SS_LEFT, kSummaryCallTotals, kTotalsPlace);
  constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | WS_TABSTOP;
  HWND actions = MakeChild(summary_, WC_LISTVIEWW, kListStyle, kSummaryActions, kActionsPlace);
  RECT actionPixels = Pixels(summary_, kActionsPlace);
  AddColumn(actions, 0, u"", actionPixels.right - actionPixels.left);
  HWND calls =
      MakeChild(summary_, WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP, kSummaryCalls, kCallsPlace);
  int quarter = (actionPixels.right - actionPixels.left) / 4;
  AddColumn(calls, 0, u"", quarter);
  AddColumn(calls, 1, SummaryText(kStringCallDateColumn), quarter);
  AddColumn(calls, 2, SummaryText(kStringCallDurationColumn), quarter);
  AddColumn(calls, 3, u"", quarter);
}

void ContactView::FillActions() {
  HWND list = GetDlgItem(summary_, kSummaryActions);
  for (size_t row = 0; row < rows_.size(); ++row) AddRow(list, rows_[row].text, static_cast<LPARAM>(row));
}

void ContactView::FillCalls() {
  Component& component = Component::Process();
  CallHistory history(numbers_);
  history.Load(component.Resources(), component.DateTimeTexts());
  HWND list = GetDlgItem(summary_, kSummaryCalls);
  for (const CallHistoryEntry& call : history.Entries()) {
    int row = ListView_GetItemCount(list);
    AddRow(list, call.kindText, row);
    ListView_SetItemText(list, row, 1, call.when.c_str());
    ListView_SetItemText(list, row, 2, call.duration.c_str());
    ListView_SetItemText(list, row, 3, call.number.c_str());
  }
  std::u16string totals = platform::FormatText(SummaryText(kStringSummaryCallTotals),
                                               {SummaryText(kStringCallIncoming), history.IncomingTotal(),
                                                SummaryText(kStringCallOutgoing), history.OutgoingTotal()});
  SetDlgItemTextW(summary_, kSummaryCallTotals, totals.c_str());
}

void ContactView::ShowPhoto(bool force) {
  Component& component = Component::Process();
  HIMAGELIST thumbnail = component.contactPhotos.LoadContactPhoto(
      fileAs_.c_str(), fullName_.c_str(), force ? PhotoReload::kAlways : PhotoReload::kIfNameChanged);
  HBITMAP shown = PhotoBitmap(thumbnail, component.Options().DisplayColor(kBackgroundColor));
  SendDlgItemMessageW(summary_, kSummaryPhoto, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
  if (photo_) DeleteObject(photo_);
  photo_ = shown;
}

void ContactView::ReloadPhoto() {
  ShowPhoto(true);
}

bool ContactView::OnNotify(const NMHDR& header) {
  if (header.idFrom != static_cast<UINT_PTR>(kSummaryActions) || header.code != LVN_ITEMACTIVATE)
    return false;
  const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
  if (activate.iItem < 0) return true;
  ContactAction done = actions_.Activate(summary_, rows_, static_cast<size_t>(activate.iItem));
  if (done == ContactAction::Dialled && actions_.OffersDialCancel()) {
    EnableWindow(GetDlgItem(summary_, kSummaryCancelDial), TRUE);
  }
  return true;
}

bool ContactView::OnCommand(int command) {
  if (command == kSummaryChoosePhoto) {
    StartPhotoSelect(contact_);
    return true;
  }
  if (command == kSummaryCancelDial) {
    actions_.CancelDial();
    EnableWindow(GetDlgItem(summary_, kSummaryCancelDial), FALSE);
    return true;
  }
  return false;
}

}  // namespace calyra
