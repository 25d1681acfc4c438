// Store steps inside a write step of the same thread join it; another thread's step waits for it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "store/Database.h"
#include "store/StoreTransaction.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kNumber = 0x00100003;  // CEVT_I4
constexpr const char16_t* kName = u"Steps";

class StoreTransactionTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    Database db;
    ASSERT_TRUE(db.Create(kName, 0, {}));
  }
  static bool AddRecord(int number) {
    Database db;
    Record record;
    record.Set(PropertyValue::Integer(kNumber, number));
    return db.OpenByName(kName) && db.WriteRecord(record);
  }
  static DWORD Records() {
    Database db;
    DatabaseInformation information;
    return db.OpenByName(kName) && db.GetInformation(&information) ? information.records : 0;
  }
};

// How the inner and the outer step end, and what is kept.
struct Ending {
  bool keepInner;
  bool keepOuter;
  bool outerCommits;  // what the outer Commit() answers
  DWORD kept;
};

TEST_F(StoreTransactionTest, AnInnerWriteStepIsKeptOnlyWithTheOuterOne) {
  const Ending endings[] = {
      {true, true, true, 2},
      {false, true, false, 0},  // the inner step not kept undoes the outer one too
      {true, false, false, 0},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(::testing::Message()
                 << "inner kept " << ending.keepInner << ", outer kept " << ending.keepOuter);
    {
      StoreTransaction outer(StoreTransaction::Kind::Write);
      ASSERT_TRUE(AddRecord(1));
      {
        StoreTransaction inner(StoreTransaction::Kind::Write);
        ASSERT_TRUE(inner.Active());
        ASSERT_TRUE(AddRecord(2));
        if (ending.keepInner) {
          EXPECT_TRUE(inner.Commit());
        }
      }
      {
        StoreTransaction reading(StoreTransaction::Kind::Read);  // a read step inside changes nothing
        EXPECT_EQ(Records(), 2u);
      }
      if (ending.keepOuter) {
        EXPECT_EQ(outer.Commit(), ending.outerCommits);
      }
    }
    EXPECT_EQ(Records(), ending.kept);
    Database db;
    ASSERT_TRUE(db.OpenByName(kName));
    ASSERT_TRUE(db.Delete());
    ASSERT_TRUE(db.Create(kName, 0, {}));
  }
}

TEST_F(StoreTransactionTest, AStepAfterAKeptOneStartsItsOwn) {
  {
    StoreTransaction first(StoreTransaction::Kind::Write);
    ASSERT_TRUE(AddRecord(1));
    ASSERT_TRUE(first.Commit());
    StoreTransaction second(StoreTransaction::Kind::Write);  // while the first object still lives
    ASSERT_TRUE(AddRecord(2));
  }
  EXPECT_EQ(Records(), 1u) << "the second step was not kept, the first one was";
}

TEST_F(StoreTransactionTest, AnotherThreadsStepWaitsForTheOpenOne) {
  std::atomic<bool> written{false};
  std::thread other;
  {
    StoreTransaction outer(StoreTransaction::Kind::Write);
    ASSERT_TRUE(AddRecord(1));
    other = std::thread([&] {
      StoreTransaction step(StoreTransaction::Kind::Write);
      if (AddRecord(2) && step.Commit()) written = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(written) << "the other thread's step joined this one";
    ASSERT_TRUE(outer.Commit());
  }
  other.join();
  EXPECT_TRUE(written);
  EXPECT_EQ(Records(), 2u);
}

}  // namespace
