#include <gtest/gtest.h>

#include "platform/core/LocalMemory.h"
#include "store/OutlookContactFields.h"
#include "store/OutlookSession.h"
#include "store/RecurrencePattern.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

class ContactCodesTest : public DeviceTest {
 protected:
  ItemOid SaveContact(const char16_t* first, const char16_t* last, DATE birthday) {
    OutlookSession session;
    EXPECT_TRUE(session.Logon(nullptr));
    auto contact = session.NewContact();
    BSTR text = SysAllocString(first);
    contact->put_FirstName(text);
    SysFreeString(text);
    text = SysAllocString(last);
    contact->put_LastName(text);
    SysFreeString(text);
    if (birthday != 0) contact->put_Birthday(birthday);
    EXPECT_EQ(contact->Save(), S_OK);
    LONG oid = 0;
    contact->get_Oid(&oid);
    return static_cast<ItemOid>(oid);
  }
  std::u16string Expand(const char16_t* phrase, ItemOid contact) {
    char16_t* out = ExpandPhrase(phrase, contact, OpenOutlookContact);
    std::u16string text = out ? out : u"";
    LocalFree(out);
    return text;
  }
};

TEST_F(ContactCodesTest, PhrasesReadTheContactThroughPocketOutlook) {
  SYSTEMTIME birthday{1980, 5, 0, 17, 0, 0, 0, 0};
  ItemOid ann = SaveContact(u"Ann", u"Lee", DateOfSystemTime(birthday));
  ItemOid bob = SaveContact(u"Bob", u"Marsh", 0);
  EXPECT_EQ(Expand(u"Dear [fn] [ln], born [bd]", ann), u"Dear Ann Lee, born 5/17/80");
  EXPECT_EQ(Expand(u"[fn]: [bd][ad]|", bob), u"Bob:   |") << "no date gives a blank";
  EXPECT_EQ(Expand(u"Dear [fn]", 0xBAD), u"Dear [fn]") << "a contact that cannot be had leaves the codes";
  EXPECT_EQ(OpenOutlookContact(0), nullptr);
  auto fields = OpenOutlookContact(ann);
  ASSERT_NE(fields, nullptr);
  EXPECT_EQ(fields->Text(4001), u"Ann");
  EXPECT_EQ(fields->Text(4046), std::nullopt) << "a number the table skips";
  EXPECT_EQ(fields->Text(3999), std::nullopt);
  EXPECT_EQ(fields->Text(4052), u"");
  EXPECT_EQ(fields->Date(4001), std::nullopt);
}

}  // namespace
