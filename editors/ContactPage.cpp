#include "editors/ContactPage.h"

#include <algorithm>

#include "editors/ControlText.h"
#include "editors/EditorHost.h"
#include "editors/ModalDialog.h"
#include "platform/core/System.h"
#include "platform/text/Formatter.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "text/CountryTable.h"

namespace calyra {

namespace {

using namespace resources;
namespace props = platform::outlook;

// The years the contact store keeps a birthday or anniversary in.
constexpr WORD kFirstYear = 1900;
constexpr WORD kLastYear = 2999;

struct Field {
  int control;
  CEPROPID tag;
  size_t limit;
};

constexpr size_t kShort = ContactPage::kFieldChars;
constexpr size_t kLong = ContactPage::kLongFieldChars;

// Every text of the contact the page shows, by its field; the notes and categories have pages of
// their own.
constexpr Field kFields[] = {
    {kContactTitle, props::kPropContactTitle, kShort},
    {kContactFirstName, props::kPropContactFirstName, kShort},
    {kContactMiddleName, props::kPropContactMiddleName, kShort},
    {kContactLastName, props::kPropContactLastName, kShort},
    {kContactSuffix, props::kPropContactSuffix, kShort},
    {kContactNickname, props::kPropContactNickname, kShort},
    {kContactJobTitle, props::kPropContactJobTitle, kShort},
    {kContactDepartment, props::kPropContactDepartment, kShort},
    {kContactCompany, props::kPropContactCompanyName, kShort},
    {kContactOffice, props::kPropContactOfficeLocation, kShort},
    {kContactWorkPhone, props::kPropContactBusinessTelephoneNumber, kShort},
    {kContactWorkPhone2, props::kPropContactBusiness2TelephoneNumber, kShort},
    {kContactWorkFax, props::kPropContactBusinessFaxNumber, kShort},
    {kContactAssistant, props::kPropContactAssistantName, kShort},
    {kContactAssistantPhone, props::kPropContactAssistantTelephoneNumber, kShort},
    {kContactHomePhone, props::kPropContactHomeTelephoneNumber, kShort},
    {kContactHomePhone2, props::kPropContactHome2TelephoneNumber, kShort},
    {kContactHomeFax, props::kPropContactHomeFaxNumber, kShort},
    {kContactMobilePhone, props::kPropContactMobileTelephoneNumber, kShort},
    {kContactCarPhone, props::kPropContactCarTelephoneNumber, kShort},
    {kContactPager, props::kPropContactPagerNumber, kShort},
    {kContactRadioPhone, props::kPropContactRadioTelephoneNumber, kShort},
    {kContactEmail, props::kPropContactEmail1Address, kShort},
    {kContactEmail2, props::kPropContactEmail2Address, kShort},
    {kContactEmail3, props::kPropContactEmail3Address, kShort},
    {kContactWebPage, props::kPropContactWebPage, kLong},
    {kContactWorkStreet, props::kPropContactBusinessAddressStreet, kLong},
    {kContactWorkCity, props::kPropContactBusinessAddressCity, kShort},
    {kContactWorkState, props::kPropContactBusinessAddressState, kShort},
    {kContactWorkPostalCode, props::kPropContactBusinessAddressPostalCode, kShort},
    {kContactWorkCountry, props::kPropContactBusinessAddressCountry, kShort},
    {kContactHomeStreet, props::kPropContactHomeAddressStreet, kLong},
    {kContactHomeCity, props::kPropContactHomeAddressCity, kShort},
    {kContactHomeState, props::kPropContactHomeAddressState, kShort},
    {kContactHomePostalCode, props::kPropContactHomeAddressPostalCode, kShort},
    {kContactHomeCountry, props::kPropContactHomeAddressCountry, kShort},
    {kContactOtherStreet, props::kPropContactOtherAddressStreet, kLong},
    {kContactOtherCity, props::kPropContactOtherAddressCity, kShort},
    {kContactOtherState, props::kPropContactOtherAddressState, kShort},
    {kContactOtherPostalCode, props::kPropContactOtherAddressPostalCode, kShort},
    {kContactOtherCountry, props::kPropContactOtherAddressCountry, kShort},
    {kContactSpouse, props::kPropContactSpouse, kShort},
    {kContactChildren, props::kPropContactChildren, kShort},
};

// The placeholder labels and the no-name text, read from the resources once per process.
struct NameTextsState : platform::ProcessState {
  bool loaded = false;
  NameFormatTexts texts;
};

std::u16string ShortDate(const SYSTEMTIME& date) {
  char16_t text[64] = {};
  return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 64) > 0 ? text : u"";
}

void ShowDay(HWND picker, const SYSTEMTIME& day) {
  if (platform::IsDateSet(day)) {
    DateTime_SetSystemtime(picker, GDT_VALID, &day);
  } else {
    DateTime_SetSystemtime(picker, GDT_NONE, nullptr);
  }
}

// The custom file-as dialog: the name built so far, to be edited.
class CustomFileAsDialog : public ModalDialog {
 public:
  explicit CustomFileAsDialog(std::u16string text) : text_(std::move(text)) {}
  const std::u16string& Text() const { return text_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_INITDIALOG) {
      HWND field = Item(kCustomFileAsText);
      SendMessageW(field, EM_LIMITTEXT, ContactPage::kLongFieldChars, 0);
      SetWindowTextW(field, text_.c_str());
      SendMessageW(field, EM_SETSEL, 0, -1);
      return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL) return FALSE;
    if (id == IDOK) text_ = WindowText(Item(kCustomFileAsText)).substr(0, ContactPage::kLongFieldChars);
    EndDialog(Window(), id);
    return TRUE;
  }

 private:
  std::u16string text_;
};

// An address's rows: its parts and the text that shows them together.
struct Address {
  int text;
  int street;
  int city;
  int state;
  int postalCode;
  int country;
};
constexpr Address kAddresses[] = {
    {kContactWorkAddress, kContactWorkStreet, kContactWorkCity, kContactWorkState, kContactWorkPostalCode,
     kContactWorkCountry},
    {kContactHomeAddress, kContactHomeStreet, kContactHomeCity, kContactHomeState, kContactHomePostalCode,
     kContactHomeCountry},
    {kContactOtherAddress, kContactOtherStreet, kContactOtherCity, kContactOtherState,
     kContactOtherPostalCode, kContactOtherCountry},
};

}  // namespace

HINSTANCE ContactPage::Resources() const {
  return Host().Resources();
}

const NameFormatTexts& ContactPage::Texts() const {
  auto& state = platform::System::Current().State<NameTextsState>();
  if (!state.loaded) {
    HINSTANCE module = Resources();
    state.texts = {ResourceText(module, kStringNoName),      ResourceText(module, kStringLabelFirst),
                   ResourceText(module, kStringLabelMiddle), ResourceText(module, kStringLabelLast),
                   ResourceText(module, kStringLabelSuffix), ResourceText(module, kStringLabelCompany)};
    state.loaded = true;
  }
  return state.texts;
}

void ContactPage::Load() {
  CPIMContact& contact = Contact();
  shownTexts_.clear();
  for (const Field& field : kFields) {
    HWND control = Control(field.control);
    SendMessageW(control, EM_LIMITTEXT, field.limit, 0);
    SetWindowTextW(control, contact.Text(field.tag).c_str());
    shownTexts_.push_back(WindowText(control));
  }
  lastField_ = nullptr;
  HWND areaCode = Control(kContactAreaCode);
  SendMessageW(areaCode, EM_LIMITTEXT, kAreaCodeChars, 0);
  SetWindowTextW(areaCode, Host().AreaCode().substr(0, kAreaCodeChars).c_str());
  ShowDay(Control(kContactBirthday), contact.editedBirthday);
  ShowDay(Control(kContactAnniversary), contact.editedAnniversary);

  loadedName_ = ShownName();
  loadedTitle_ = WindowText(Control(kContactTitle));
  customFileAs_.clear();
  if (contact.oid == 0) {
    loadedFileAs_.clear();
    format_ = FileAsFormat::LastFirstMiddle;
  } else {
    loadedFileAs_ = contact.Text(CPIMContact::kFileAs);
    format_ = RecognizeFileAs(loadedFileAs_, loadedName_, &customFileAs_);
  }
  loadedFormat_ = format_;
  loaded_ = true;
  ShowFileAs();
  for (size_t index = 0; index < std::size(kAddresses); ++index) ShowAddress(index);
}

ContactName ContactPage::ShownName() const {
  return {WindowText(Control(kContactFirstName)), WindowText(Control(kContactMiddleName)),
          WindowText(Control(kContactLastName)), WindowText(Control(kContactSuffix)),
          WindowText(Control(kContactCompany))};
}

bool ContactPage::NameChanged() const {
  ContactName name = ShownName();
  return name.first != loadedName_.first || name.middle != loadedName_.middle ||
         name.last != loadedName_.last || name.suffix != loadedName_.suffix ||
         name.company != loadedName_.company || WindowText(Control(kContactTitle)) != loadedTitle_;
}

// A file-as name the editor did not make survives an edit of other fields: it is written back
// unchanged while the name fields and the format stay as they were loaded.
std::u16string ContactPage::FileAsToStore(FileAsFormat& format) const {
  if (!NameChanged() && format != FileAsFormat::Custom && format == loadedFormat_) return loadedFileAs_;
  return BuildFileAs(format, ShownName(), customFileAs_, Texts()).substr(0, kLongFieldChars);
}

void ContactPage::ShowFileAs() {
  FileAsFormat format = format_;
  SetDlgItemTextW(GetWindow(), kContactFileAs, FileAsToStore(format).c_str());
}

void ContactPage::ShowAddress(size_t index) {
  const Address& address = kAddresses[index];
  std::u16string country = WindowText(Control(address.country));
  std::u16string cityLine =
      Host().CityLine(country, WindowText(Control(address.city)), WindowText(Control(address.state)),
                      WindowText(Control(address.postalCode)));
  std::u16string text = AddressText(WindowText(Control(address.street)), cityLine, country);
  SetDlgItemTextW(GetWindow(), address.text, text.c_str());
}

bool ContactPage::Store(CloseAction) {
  if (!loaded_) return true;
  CPIMContact& contact = Contact();
  if (!StoreDate(kContactBirthday, &contact.editedBirthday) ||
      !StoreDate(kContactAnniversary, &contact.editedAnniversary))
    return false;
  // A field the person did not change keeps its stored text, even one longer than the field takes.
  for (size_t index = 0; index < std::size(kFields); ++index) {
    const Field& field = kFields[index];
    std::u16string text = WindowText(Control(field.control));
    if (text == shownTexts_[index]) continue;
    text.resize(std::min(text.size(), field.limit));
    if (text != contact.Text(field.tag)) contact.SetText(field.tag, std::move(text));
  }
  std::u16string fileAs = FileAsToStore(format_);
  if (fileAs != contact.Text(CPIMContact::kFileAs)) contact.SetText(CPIMContact::kFileAs, std::move(fileAs));
  return true;
}

// A day the store cannot keep is refused with its reason, the picker focused; nothing is written.
bool ContactPage::StoreDate(int control, SYSTEMTIME* date) {
  HWND picker = Control(control);
  SYSTEMTIME day{};
  if (DateTime_GetSystemtime(picker, &day) != GDT_VALID) {
    *date = platform::kNoDateSystemTime;
    return true;
  }
  if (day.wYear < kFirstYear || day.wYear > kLastYear) {
    std::u16string text =
        platform::FormatText(ResourceText(Resources(), kStringContactDateOutOfRange), {ShortDate(day)});
    MessageBoxW(GetWindow(), text.c_str(), ResourceText(Resources(), kStringCaption).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
    SetFocus(picker);
    return false;
  }
  day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
  *date = day;
  return true;
}

void ContactPage::Reset(CloseAction) {
  loaded_ = false;
  customFileAs_.clear();
  shownTexts_.clear();
  lastField_ = nullptr;
  if (!GetWindow()) return;
  for (const Field& field : kFields) SetDlgItemTextW(GetWindow(), field.control, u"");
  for (int id :
       {kContactAreaCode, kContactFileAs, kContactWorkAddress, kContactHomeAddress, kContactOtherAddress})
    SetDlgItemTextW(GetWindow(), id, u"");
}

INT_PTR ContactPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && Command(LOWORD(wParam), HIWORD(wParam))) return TRUE;
  return EditorPage::HandleMessage(message, wParam, lParam);
}

bool ContactPage::Command(int id, int code) {
  if (code == EN_SETFOCUS) {
    lastField_ = Control(id);
    return false;
  }
  if (code == EN_CHANGE) {
    if (!loaded_) return false;
    for (size_t index = 0; index < std::size(kAddresses); ++index) {
      const Address& address = kAddresses[index];
      for (int part : {address.street, address.city, address.state, address.postalCode, address.country}) {
        if (part == id) ShowAddress(index);
      }
    }
    ShowFileAs();
    return true;
  }
  if (code != BN_CLICKED) return false;
  for (int format = 0; format < static_cast<int>(std::size(kFileAsMenuCommands)); ++format) {
    if (static_cast<int>(kFileAsMenuCommands[format]) != id) continue;
    format_ = static_cast<FileAsFormat>(format);
    ShowFileAs();
    return true;
  }
  switch (id) {
    case kContactFileAsButton:
      ChooseFileAs();
      return true;
    case kCommandCustomFileAs:
      EditCustomFileAs();
      return true;
    case kCommandApplyTemplate:
      ApplyTemplate();
      return true;
    default:
      return RunEditCommand(id, lastField_);
  }
}

// What the page shows is kept in the contact first; the template fills in the fields it has, and a
// name the person typed stays.
void ContactPage::ApplyTemplate() {
  if (!Store(CloseAction::None)) return;
  SYSTEMTIME today{};
  GetLocalTime(&today);
  if (!Host().ApplyTemplate(GetWindow(), Contact(), today)) return;
  Reset(CloseAction::None);
  LoadNow();
}

// The file-as menu, with each format's preview of the name as it stands on the page.
void ContactPage::ChooseFileAs() {
  HMENU menu = LoadMenuW(Resources(), MAKEINTRESOURCEW(kMenuFileAs));
  HMENU popup = menu ? GetSubMenu(menu, 0) : nullptr;
  if (!popup) {
    if (menu) DestroyMenu(menu);
    return;
  }
  FillFileAsMenu(popup, ShownName(), format_, Texts());
  RECT button{};
  GetWindowRect(Control(kContactFileAsButton), &button);
  auto command = static_cast<int>(TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                                   button.left, button.bottom, GetWindow(), nullptr));
  DestroyMenu(menu);
  if (command) Command(command, BN_CLICKED);
}

// The custom text starts from the name the current format builds (normalised as a store would).
void ContactPage::EditCustomFileAs() {
  std::u16string built = BuildFileAs(format_, ShownName(), customFileAs_, Texts());
  CustomFileAsDialog dialog(built.substr(0, kLongFieldChars));
  if (dialog.Run(Resources(), kDialogCustomFileAs, GetWindow()) == IDOK) {
    customFileAs_ = dialog.Text();
    format_ = FileAsFormat::Custom;
  }
  ShowFileAs();
}

}  // namespace calyra
