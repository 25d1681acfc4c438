#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

#include "platform/text/Text.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/platform/objectstore/ObjectStoreTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing;

struct Reported {
  CEOID oid;
  long number;
};

Reported ParseLine(const std::string& line) {
  std::istringstream in(line);
  Reported r{};
  in >> r.oid >> r.number;
  return r;
}

std::string IntegrityCheck(platform::Device& device) {
  std::lock_guard guard(device.Lock());
  auto statement = device.Db().Prepare("PRAGMA integrity_check");
  return statement.Step() ? statement.ColumnText(0) : "no answer";
}

class ProcessSafetyTest : public DeviceTest {
 protected:
  std::string DeviceArg() { return (DeviceFolder() / "device").string(); }
  void ExpectRecord(HANDLE db, const Reported& r, const std::u16string& tag) {
    ASSERT_EQ(CeSeekDatabase(db, CEDB_SEEK_CEOID, r.oid, nullptr), r.oid)
        << "record " << r.number << " is lost";
    ReadResult read = ReadCurrent(db, {MakePropID(1, CEVT_I4), MakePropID(2, CEVT_LPWSTR)});
    ASSERT_EQ(read.values.size(), 2u);
    EXPECT_EQ(read.values[0].val.lVal, r.number);
    EXPECT_EQ(read.strings[1], tag + u" " + platform::FromUtf8(std::to_string(r.number)));
  }
};

TEST_F(ProcessSafetyTest, AWriterKilledMidWriteLosesNothingItReported) {
  std::mt19937 random(std::random_device{}());
  for (int round = 0; round < 3; ++round) {
    ChildProcess writer(HelperProgram("record_writer"), {DeviceArg(), "Crash", "crash", "0"});
    ASSERT_TRUE(writer.Started());
    int stopAfter = std::uniform_int_distribution<int>(20, 200)(random);
    std::vector<Reported> reported;
    std::string line;
    while (static_cast<int>(reported.size()) < stopAfter && writer.ReadLine(&line))
      reported.push_back(ParseLine(line));
    writer.Kill();  // somewhere inside the next write
    while (writer.ReadLine(&line)) reported.push_back(ParseLine(line));
    ASSERT_GE(static_cast<int>(reported.size()), stopAfter);

    ReopenDevice();
    EXPECT_EQ(IntegrityCheck(Device()), "ok");
    HANDLE db = OpenDatabase(u"Crash");
    ASSERT_NE(db, INVALID_HANDLE_VALUE);
    for (const Reported& r : reported) ExpectRecord(db, r, u"crash");
    CloseHandle(db);
  }
}

TEST_F(ProcessSafetyTest, TwoProcessesWritingAtOnceLoseNoRecord) {
  constexpr int kEach = 300;
  ChildProcess first(HelperProgram("record_writer"), {DeviceArg(), "Shared", "first", std::to_string(kEach)});
  ChildProcess second(HelperProgram("record_writer"),
                      {DeviceArg(), "Shared", "second", std::to_string(kEach)});
  std::vector<Reported> fromFirst, fromSecond;
  std::string line;
  while (first.ReadLine(&line)) fromFirst.push_back(ParseLine(line));
  while (second.ReadLine(&line)) fromSecond.push_back(ParseLine(line));
  EXPECT_EQ(first.Wait(), 0) << "a writer saw a failure";
  EXPECT_EQ(second.Wait(), 0) << "a writer saw a failure";
  ASSERT_EQ(fromFirst.size(), static_cast<size_t>(kEach));
  ASSERT_EQ(fromSecond.size(), static_cast<size_t>(kEach));

  HANDLE db = OpenDatabase(u"Shared");
  ASSERT_NE(db, INVALID_HANDLE_VALUE);
  std::set<CEOID> oids;
  for (const Reported& r : fromFirst) {
    ExpectRecord(db, r, u"first");
    oids.insert(r.oid);
  }
  for (const Reported& r : fromSecond) {
    ExpectRecord(db, r, u"second");
    oids.insert(r.oid);
  }
  EXPECT_EQ(oids.size(), 2u * kEach) << "object identifiers are unique across processes";
  CEOID dbOid = 0;
  CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr);
  CEOIDINFO info{};
  CeOidGetInfo(*oids.begin(), &info);
  dbOid = info.infRecord.oidParent;
  ASSERT_TRUE(CeOidGetInfo(dbOid, &info));
  EXPECT_EQ(info.infDatabase.dwNumRecords, 2u * kEach);
  CloseHandle(db);
}

}  // namespace
