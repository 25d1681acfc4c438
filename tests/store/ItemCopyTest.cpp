#include <gtest/gtest.h>

#include <optional>

#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/CategoryCounts.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kCategoryIndex = 0x40020002;

// Each kind's counter of items in a category.
CEPROPID CountTag(ItemKind kind) {
  return kind == ItemKind::Contact ? 0x40040002 : kind == ItemKind::Appointment ? 0x40050002 : 0x40060002;
}

template <class Item>
class ItemCopyTest : public DeviceTest {
 protected:
  // The counter of `kind` in the category numbered `number`.
  std::optional<int64_t> Count(int number, ItemKind kind) {
    Database categories;
    categories.OpenByName(CategoriesDatabaseName());
    std::optional<int64_t> count;
    Record request;
    request.Request(kCategoryIndex);
    request.Request(CountTag(kind));
    categories.Enumerate(request, [&](Record& record) {
      const PropertyValue* index = record.Find(kCategoryIndex);
      const PropertyValue* value = record.Find(CountTag(kind));
      if (index && index->AsInteger() == number && value) count = value->AsInteger();
      return true;
    });
    return count;
  }

  ItemContext context_;
};

using Items = ::testing::Types<CPIMAppointment, CPIMTask, CPIMContact>;
TYPED_TEST_SUITE(ItemCopyTest, Items);

TYPED_TEST(ItemCopyTest, ACopyKeepsTheCategoriesAndCountsInThem) {
  int work = CategoryNumbersFor({u"Work"}).at(0);
  TypeParam item;
  ItemKind kind = item.Kind();
  item.categories = CategorySet::FromNumbers({work});
  ASSERT_EQ(item.Save(this->context_), S_OK);
  EXPECT_EQ(this->Count(work, kind), 1);

  ItemOid copy = item.Copy(this->context_);
  ASSERT_NE(copy, 0u);
  EXPECT_EQ(ReadCategorySet(copy, kind).Numbers(), std::vector<int>{work});
  EXPECT_EQ(this->Count(work, kind), 2) << "the copy is one more item in the category";
}

}  // namespace
