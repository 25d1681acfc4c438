#include <gtest/gtest.h>

#include "platform/time/TimeConversion.h"
#include "store/CPIMContact.h"
#include "store/OutlookSession.h"
#include "store/RecurrencePattern.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kFirstName = 0x3A06001F;
constexpr CEPROPID kLastName = 0x3A11001F;
constexpr CEPROPID kEmail1 = 0x4083001F;
constexpr CEPROPID kHomeCity = 0x4041001F;
constexpr CEPROPID kYomiFirst = 0x4010001F;

class ContactObjectTest : public DeviceTest {
 protected:
  ItemContext context_;
};

TEST_F(ContactObjectTest, TheReaderTakesTheRecordAndASaveGoesThroughPocketOutlook) {
  CPIMContact contact;
  contact.SetText(kFirstName, u"Anna");
  contact.SetText(kLastName, u"Berg");
  contact.SetText(CPIMContact::kFileAs, u"Berg, Anna");
  contact.SetText(kEmail1, u"anna@example.org");
  contact.SetText(kHomeCity, u"Hamburg");
  contact.SetText(kYomiFirst, u"Ana");
  contact.editedBirthday = SYSTEMTIME{1980, 5, 0, 17, 0, 0, 0, 0};
  contact.categories = CategorySet::FromNumbers({3});
  ASSERT_EQ(contact.Save(context_), S_OK);
  ASSERT_NE(contact.oid, 0u);

  CPIMContact loaded;
  loaded.oid = contact.oid;
  ASSERT_TRUE(loaded.Load(context_));
  EXPECT_EQ(loaded.Text(kFirstName), u"Anna");
  EXPECT_EQ(loaded.Text(kEmail1), u"anna@example.org")
      << "e-mail is one of the contact properties read directly";
  EXPECT_EQ(loaded.Text(kHomeCity), u"Hamburg");
  EXPECT_EQ(loaded.Text(kYomiFirst), u"") << "not a property the reader takes";
  EXPECT_EQ(loaded.DisplayText(), u"Berg, Anna");
  EXPECT_EQ(loaded.birthday.wYear, 1980);
  EXPECT_EQ(loaded.editedBirthday.wDay, 17);
  EXPECT_FALSE(platform::IsDateSet(loaded.anniversary));
  EXPECT_EQ(loaded.categories.Numbers(), std::vector<int>{3});
  EXPECT_EQ(loaded.NotesCapacity(), 44256u);

  loaded.SetText(kHomeCity, u"Bremen");
  ASSERT_EQ(loaded.Save(context_), S_OK);
  CPIMContact again;
  again.oid = contact.oid;
  ASSERT_TRUE(again.Load(context_));
  EXPECT_EQ(again.Text(kHomeCity), u"Bremen");
  EXPECT_EQ(again.oid, contact.oid) << "saved in place";

  ItemOid copy = again.Copy(context_);
  EXPECT_NE(copy, 0u);
  EXPECT_NE(copy, contact.oid);
  ASSERT_TRUE(again.Delete(context_));
  CPIMContact gone;
  gone.oid = contact.oid;
  EXPECT_FALSE(gone.Load(context_));
  EXPECT_EQ(gone.Save(context_), E_FAIL);
}

}  // namespace
