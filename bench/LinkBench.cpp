// The link store with 10,000 links: adding one (the smallest free id found without a seek per id in
// use) beside a raw durable insert of the same rows; whether an item is linked, from the cache, beside
// a bare hash lookup; and loading the cache beside a raw SELECT of the same properties.
#include <sqlite3.h>

#include <random>
#include <string>
#include <unordered_set>

#include "bench/BenchSupport.h"
#include "links/LinkCache.h"
#include "links/LinkOperations.h"
#include "links/LinkStore.h"
#include "platform/objectstore/ObjectStore.h"

namespace {

using namespace calyra;

constexpr int kLinks = 10000;
constexpr ItemOid kFirstOwner = 0x7000000;

// The bench device's link database, filled once with 10,000 web links of 2,500 owners.
class LinkDatabase {
 public:
  static LinkDatabase& Get() {
    static LinkDatabase database;
    return database;
  }
  CEOID Oid() const { return oid_; }

 private:
  LinkDatabase() {
    bench::AttachBenchDevice();
    LinkStore store;
    for (int i = 0; i < kLinks; ++i)
      store.AddWebLink(kFirstOwner + static_cast<ItemOid>(i % 2500), u"www.example.org");
    HANDLE handle = CeOpenDatabaseEx(nullptr, &oid_, kLinkDatabaseName, 0, 0, nullptr);
    CloseHandle(handle);
  }
  CEOID oid_ = 0;
};

sqlite3* OpenRaw() {
  sqlite3* raw = nullptr;
  sqlite3_open((bench::ScratchFolder() / "device" / "device.sqlite").c_str(), &raw);
  sqlite3_exec(raw, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA busy_timeout=10000;", nullptr,
               nullptr, nullptr);
  return raw;
}

void Ours_AddLinkAmong10000(benchmark::State& state) {
  LinkDatabase::Get();
  LinkStore store;
  for (auto _ : state) {
    WORD id = 0;
    store.AddLink(kFirstOwner, &id, LinkType::Web, 0, u"www.example.org");
    state.PauseTiming();
    store.DeleteLink(id);
    store.CloseLinkStore();
    state.ResumeTiming();
  }
}
BENCHMARK(Ours_AddLinkAmong10000)->Unit(benchmark::kMicrosecond);

// One durable transaction writing what a link's record is: its object, five properties, three sort keys.
void Raw_AddLinkAmong10000(benchmark::State& state) {
  CEOID database = LinkDatabase::Get().Oid();
  sqlite3* raw = OpenRaw();
  const char* sql[] = {
      "BEGIN IMMEDIATE",
      "INSERT INTO objects(kind, parent, size) VALUES (4, ?1, 40)",
      "INSERT INTO props(record, propid, value) VALUES (?1, 65539, 1), (?1, 131074, 1), (?1, 196610, 5), "
      "(?1, 327711, 'www.example.org'), (?1, 393221, 0.0)",
      "INSERT INTO sortkeys(db, slot, rank, key, record) VALUES (?2, 0, 0, 1, ?1), (?2, 1, 0, ?1, ?1), "
      "(?2, 2, 1, NULL, ?1)",
      "UPDATE databases SET records = records + 1 WHERE oid = ?1",
      "COMMIT",
      "DELETE FROM props WHERE record = ?1",
      "DELETE FROM sortkeys WHERE record = ?1",
      "DELETE FROM objects WHERE oid = ?1",
  };
  std::vector<sqlite3_stmt*> statements;
  for (const char* text : sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw, text, -1, &statement, nullptr);
    statements.push_back(statement);
  }
  auto run = [&](size_t index, int64_t first = 0, int64_t second = 0) {
    if (first) sqlite3_bind_int64(statements[index], 1, first);
    if (second) sqlite3_bind_int64(statements[index], 2, second);
    sqlite3_step(statements[index]);
    sqlite3_reset(statements[index]);
  };
  for (auto _ : state) {
    run(0);
    run(1, database);
    int64_t record = sqlite3_last_insert_rowid(raw);
    run(2, record);
    run(3, record, database);
    run(4, database);
    run(5);
    state.PauseTiming();
    for (size_t i = 6; i < 9; ++i) run(i, record);
    state.ResumeTiming();
  }
  for (sqlite3_stmt* statement : statements) sqlite3_finalize(statement);
  sqlite3_close(raw);
}
BENCHMARK(Raw_AddLinkAmong10000)->Unit(benchmark::kMicrosecond);

void Ours_IsItemLinkedAmong10000(benchmark::State& state) {
  LinkCache cache;
  for (int i = 0; i < kLinks; ++i) cache.Append(kFirstOwner + static_cast<ItemOid>(i), 1, LinkType::Web, 0);
  std::mt19937 random(11);
  std::uniform_int_distribution<ItemOid> pick(kFirstOwner, kFirstOwner + 2 * kLinks);
  for (auto _ : state) benchmark::DoNotOptimize(IsItemLinked(cache, pick(random)));
}
BENCHMARK(Ours_IsItemLinkedAmong10000);

void Raw_IsItemLinkedAmong10000(benchmark::State& state) {
  std::unordered_set<ItemOid> owners;
  for (int i = 0; i < kLinks; ++i) owners.insert(kFirstOwner + static_cast<ItemOid>(i));
  std::mt19937 random(11);
  std::uniform_int_distribution<ItemOid> pick(kFirstOwner, kFirstOwner + 2 * kLinks);
  for (auto _ : state) benchmark::DoNotOptimize(owners.count(pick(random)));
}
BENCHMARK(Raw_IsItemLinkedAmong10000);

void Ours_LoadLinkCache10000(benchmark::State& state) {
  LinkDatabase::Get();
  for (auto _ : state) {
    LinkCache cache;
    LoadLinkCache(cache);
    benchmark::DoNotOptimize(cache.Count());
  }
}
BENCHMARK(Ours_LoadLinkCache10000)->Unit(benchmark::kMillisecond);

// The four cached properties of every link record, in owner order.
void Raw_LoadLinkCache10000(benchmark::State& state) {
  CEOID database = LinkDatabase::Get().Oid();
  sqlite3* raw = OpenRaw();
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(raw,
                     "SELECT p.record, p.propid, p.value FROM sortkeys s JOIN props p ON p.record = s.record "
                     "WHERE s.db = ? AND s.slot = 0 AND p.propid IN (65539, 131074, 196610, 262147) "
                     "ORDER BY s.rank, s.key, s.record",
                     -1, &select, nullptr);
  for (auto _ : state) {
    sqlite3_bind_int64(select, 1, database);
    int64_t sum = 0;
    while (sqlite3_step(select) == SQLITE_ROW) sum += sqlite3_column_int64(select, 2);
    sqlite3_reset(select);
    benchmark::DoNotOptimize(sum);
  }
  sqlite3_finalize(select);
  sqlite3_close(raw);
}
BENCHMARK(Raw_LoadLinkCache10000)->Unit(benchmark::kMillisecond);

}  // namespace
