// Object-store writes, seeks by value and reads on databases of 1k, 10k and 100k records, each
// beside the raw SQLite statements that do the same work on a table with the same index, with the
// same durability settings.
#include <memory>
#include <random>

#include "bench/BenchSupport.h"
#include "platform/core/LocalMemory.h"
#include "platform/core/System.h"
#include "platform/objectstore/ObjectStore.h"

namespace {

using namespace calyra::bench;

constexpr CEPROPID kNumber = MakePropID(1, CEVT_I4);
constexpr CEPROPID kSubject = MakePropID(2, CEVT_LPWSTR);
const char16_t* const kText = u"Quarterly review with the project team";

// One device with a database per size, and one raw SQLite file with a table per size.
class Stores {
 public:
  static Stores& Get() {
    static Stores stores;
    return stores;
  }

  HANDLE Database(int64_t size) {
    auto& handle = handles_[size];
    if (handle) return handle;
    std::u16string name =
        u"Bench" + std::u16string(1, static_cast<char16_t>(u'0' + std::to_string(size).size()));
    CEDBASEINFO info{};
    info.dwFlags = CEDB_VALIDNAME | CEDB_VALIDSORTSPEC;
    name.copy(info.szDbaseName, name.size());
    info.wNumSortOrder = 1;
    info.rgSortSpecs[0] = {kNumber, 0};
    CeCreateDatabaseEx(nullptr, &info);
    CEOID oid = 0;
    handle = CeOpenDatabaseEx(nullptr, &oid, name.c_str(), kNumber, 0, nullptr);
    auto& db = platform::CurrentDevice()->Db();
    db.Begin();  // filling in one transaction keeps the set-up short; every measured call commits alone
    for (int64_t i = 0; i < size; ++i) {
      CEPROPVAL values[2]{};
      values[0].propid = kNumber;
      values[0].val.lVal = static_cast<LONG>(i);
      values[1].propid = kSubject;
      values[1].val.lpwstr = const_cast<LPWSTR>(kText);
      oids_[size].push_back(CeWriteRecordProps(handle, 0, 2, values));
    }
    db.Commit();
    return handle;
  }

  sqlite3* Raw(int64_t size) {
    std::string table = "t" + std::to_string(size);
    if (filled_[size]) return raw_;
    std::string sql = "CREATE TABLE " + table + "(oid INTEGER PRIMARY KEY, number INTEGER, subject TEXT);" +
                      "CREATE INDEX " + table + "_number ON " + table + "(number);";
    sqlite3_exec(raw_, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(raw_, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(raw_, ("INSERT INTO " + table + "(number, subject) VALUES(?, ?)").c_str(), -1, &insert,
                       nullptr);
    for (int64_t i = 0; i < size; ++i) {
      sqlite3_bind_int64(insert, 1, i);
      sqlite3_bind_text16(insert, 2, kText, -1, SQLITE_STATIC);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(raw_, "COMMIT", nullptr, nullptr, nullptr);
    filled_[size] = true;
    return raw_;
  }

  const std::vector<CEOID>& Oids(int64_t size) { return oids_[size]; }

 private:
  Stores() {
    AttachBenchDevice();
    sqlite3_open((ScratchFolder() / "raw.sqlite").c_str(), &raw_);
    sqlite3_busy_timeout(raw_, 60000);
    sqlite3_exec(raw_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
  }

  sqlite3* raw_ = nullptr;
  std::map<int64_t, HANDLE> handles_;
  std::map<int64_t, std::vector<CEOID>> oids_;
  std::map<int64_t, bool> filled_;
};

sqlite3_stmt* Prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
  return statement;
}

void Ours_Write(benchmark::State& state) {
  HANDLE db = Stores::Get().Database(state.range(0));
  LONG n = 0;
  for (auto _ : state) {
    CEPROPVAL values[2]{};
    values[0].propid = kNumber;
    values[0].val.lVal = -(++n);
    values[1].propid = kSubject;
    values[1].val.lpwstr = const_cast<LPWSTR>(kText);
    benchmark::DoNotOptimize(CeWriteRecordProps(db, 0, 2, values));
  }
}

void Raw_Write(benchmark::State& state) {
  sqlite3* db = Stores::Get().Raw(state.range(0));
  sqlite3_stmt* insert =
      Prepare(db, "INSERT INTO t" + std::to_string(state.range(0)) + "(number, subject) VALUES(?, ?)");
  int64_t n = 0;
  for (auto _ : state) {
    sqlite3_bind_int64(insert, 1, -(++n));
    sqlite3_bind_text16(insert, 2, kText, -1, SQLITE_STATIC);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
}

void Ours_SeekByValue(benchmark::State& state) {
  HANDLE db = Stores::Get().Database(state.range(0));
  std::mt19937 random(7);
  std::uniform_int_distribution<LONG> pick(0, static_cast<LONG>(state.range(0) - 1));
  for (auto _ : state) {
    CEPROPVAL value{};
    value.propid = kNumber;
    value.val.lVal = pick(random);
    benchmark::DoNotOptimize(
        CeSeekDatabase(db, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<uintptr_t>(&value), nullptr));
  }
}

void Raw_SeekByValue(benchmark::State& state) {
  sqlite3* db = Stores::Get().Raw(state.range(0));
  sqlite3_stmt* seek = Prepare(db, "SELECT oid FROM t" + std::to_string(state.range(0)) +
                                       " WHERE number = ? ORDER BY number, oid LIMIT 1");
  std::mt19937 random(7);
  std::uniform_int_distribution<int64_t> pick(0, state.range(0) - 1);
  for (auto _ : state) {
    sqlite3_bind_int64(seek, 1, pick(random));
    sqlite3_step(seek);
    benchmark::DoNotOptimize(sqlite3_column_int64(seek, 0));
    sqlite3_reset(seek);
  }
  sqlite3_finalize(seek);
}

void Ours_Read(benchmark::State& state) {
  HANDLE db = Stores::Get().Database(state.range(0));
  const auto& oids = Stores::Get().Oids(state.range(0));
  std::mt19937 random(11);
  std::uniform_int_distribution<size_t> pick(0, oids.size() - 1);
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  for (auto _ : state) {
    CeSeekDatabase(db, CEDB_SEEK_CEOID, oids[pick(random)], nullptr);
    WORD count = 0;
    benchmark::DoNotOptimize(CeReadRecordProps(db, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size));
  }
  LocalFree(buffer);
}

void Raw_Read(benchmark::State& state) {
  sqlite3* db = Stores::Get().Raw(state.range(0));
  sqlite3_stmt* read =
      Prepare(db, "SELECT number, subject FROM t" + std::to_string(state.range(0)) + " WHERE oid = ?");
  std::mt19937 random(11);
  std::uniform_int_distribution<int64_t> pick(1, state.range(0));
  for (auto _ : state) {
    sqlite3_bind_int64(read, 1, pick(random));
    sqlite3_step(read);
    benchmark::DoNotOptimize(sqlite3_column_int64(read, 0));
    benchmark::DoNotOptimize(sqlite3_column_text16(read, 1));
    sqlite3_reset(read);
  }
  sqlite3_finalize(read);
}

}  // namespace

#define CALYRA_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)
BENCHMARK(Ours_Write) CALYRA_SIZES;
BENCHMARK(Raw_Write) CALYRA_SIZES;
BENCHMARK(Ours_SeekByValue) CALYRA_SIZES;
BENCHMARK(Raw_SeekByValue) CALYRA_SIZES;
BENCHMARK(Ours_Read) CALYRA_SIZES;
BENCHMARK(Raw_Read) CALYRA_SIZES;
