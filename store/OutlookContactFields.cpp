#include "store/OutlookContactFields.h"

#include "platform/outlook/OutlookDates.h"
#include "platform/time/TimeConversion.h"
#include "store/OutlookSession.h"
#include "store/PimItem.h"
#include "store/RecurrencePattern.h"

namespace calyra {

namespace {

using TextGetter = HRESULT (IContact::*)(BSTR*);

// The contact's text property for each contact code, by code number from 4000 (none for numbers
// that the table skips).
constexpr TextGetter kTextGetters[] = {
    &IContact::get_Title,
    &IContact::get_FirstName,
    &IContact::get_MiddleName,
    &IContact::get_LastName,
    &IContact::get_Suffix,
    &IContact::get_FileAs,
    &IContact::get_JobTitle,
    &IContact::get_Department,
    &IContact::get_CompanyName,
    &IContact::get_BusinessTelephoneNumber,
    &IContact::get_Business2TelephoneNumber,
    &IContact::get_HomeTelephoneNumber,
    &IContact::get_Home2TelephoneNumber,
    &IContact::get_MobileTelephoneNumber,
    &IContact::get_PagerNumber,
    &IContact::get_CarTelephoneNumber,
    &IContact::get_BusinessFaxNumber,
    &IContact::get_HomeFaxNumber,
    &IContact::get_AssistantTelephoneNumber,
    &IContact::get_RadioTelephoneNumber,
    &IContact::get_Email1Address,
    &IContact::get_Email2Address,
    &IContact::get_Email3Address,
    &IContact::get_WebPage,
    &IContact::get_BusinessAddressStreet,
    &IContact::get_BusinessAddressCity,
    &IContact::get_BusinessAddressState,
    &IContact::get_BusinessAddressPostalCode,
    &IContact::get_BusinessAddressCountry,
    &IContact::get_OfficeLocation,
    &IContact::get_HomeAddressStreet,
    &IContact::get_HomeAddressCity,
    &IContact::get_HomeAddressState,
    &IContact::get_HomeAddressPostalCode,
    &IContact::get_HomeAddressCountry,
    &IContact::get_OtherAddressStreet,
    &IContact::get_OtherAddressCity,
    &IContact::get_OtherAddressState,
    &IContact::get_OtherAddressPostalCode,
    &IContact::get_OtherAddressCountry,
    &IContact::get_Categories,
    &IContact::get_AssistantName,
    nullptr,  // 4042 birthday: a date
    nullptr,  // 4043 anniversary: a date
    &IContact::get_Spouse,
    &IContact::get_Children,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &IContact::get_YomiFirstName,
    &IContact::get_YomiLastName,
    &IContact::get_YomiCompanyName,
};
constexpr uint32_t kFirstCode = 4000;
constexpr uint32_t kBirthday = 4042;
constexpr uint32_t kAnniversary = 4043;

// The getter of a contact code's text property; null for numbers outside the table, and for the dates.
TextGetter GetterOf(uint32_t codeNumber) {
  if (codeNumber < kFirstCode || codeNumber - kFirstCode >= std::size(kTextGetters)) return nullptr;
  return kTextGetters[codeNumber - kFirstCode];
}

class OutlookContact : public ContactFieldSource {
 public:
  OutlookContact(std::unique_ptr<OutlookSession> session, platform::ComPtr<IContact> contact)
      : session_(std::move(session)), contact_(std::move(contact)) {}
  ~OutlookContact() override {
    contact_ = nullptr;
    session_->Logoff(false);
  }

  std::optional<std::u16string> Text(uint32_t codeNumber) override {
    TextGetter getter = GetterOf(codeNumber);
    if (!getter) return std::nullopt;
    IContact* contact = contact_.Get();
    BSTR text = nullptr;
    if (FAILED((contact->*getter)(&text))) return std::nullopt;
    return TakeText(text);
  }

  std::optional<SYSTEMTIME> Date(uint32_t codeNumber) override {
    DATE date = platform::kNoDate;
    HRESULT result = codeNumber == kBirthday      ? contact_->get_Birthday(&date)
                     : codeNumber == kAnniversary ? contact_->get_Anniversary(&date)
                                                  : E_INVALIDARG;
    if (FAILED(result) || !platform::outlook::HasDate(date)) return std::nullopt;
    return SystemTimeOfDate(date);
  }

 private:
  std::unique_ptr<OutlookSession> session_;
  platform::ComPtr<IContact> contact_;
};

}  // namespace

std::unique_ptr<ContactFieldSource> OpenOutlookContact(CEOID contact) {
  auto session = std::make_unique<OutlookSession>();
  if (!contact || !session->Logon(nullptr)) return nullptr;
  platform::ComPtr<IContact> typed = session->GetItem<IContact>(contact, IID_IContact);
  if (!typed) return nullptr;
  return std::make_unique<OutlookContact>(std::move(session), std::move(typed));
}

}  // namespace calyra
