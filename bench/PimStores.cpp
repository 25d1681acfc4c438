#include "bench/PimStores.h"

#include <random>
#include <string>

#include "bench/BenchSupport.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/text/Text.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/CategoryCounts.h"
#include "store/StoreTransaction.h"
#include "store/TaskReminder.h"

namespace calyra::bench {

namespace {

constexpr int kCategories = 8;
constexpr CEPROPID kCategoryIndex = 0x40020002;
constexpr CEPROPID kTaskCount = 0x40060002;
constexpr CEPROPID kFireTime = 0x00010040;

// Days from 2030 on: reminders stay in the future of the host's clock.
SYSTEMTIME Day(int index, WORD hour) {
  return SYSTEMTIME{static_cast<WORD>(2030 + index / 300),
                    static_cast<WORD>(1 + index / 25 % 12),
                    0,
                    static_cast<WORD>(2 + index % 25),
                    hour,
                    0,
                    0,
                    0};
}

int64_t Single(sqlite3* db, const char* sql, int64_t a, int64_t b) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  sqlite3_bind_int64(statement, 1, a);
  sqlite3_bind_int64(statement, 2, b);
  int64_t value = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
  sqlite3_finalize(statement);
  return value;
}

// A contact as the contact page fills one in: names, company, two numbers, e-mail and a work address.
ItemOid SaveContact(const ItemContext& context, int index) {
  namespace props = platform::outlook;
  std::u16string letter(1, static_cast<char16_t>(u'A' + index % 26));
  std::u16string number = platform::FromUtf8(std::to_string(index));
  CPIMContact contact;
  contact.SetText(props::kPropContactFirstName, u"Ada " + letter);
  contact.SetText(props::kPropContactLastName, u"Lovelace " + number);
  contact.SetText(props::kPropContactFileAs, u"Lovelace " + number + u", Ada " + letter);
  contact.SetText(props::kPropContactCompanyName, u"Analytical Engines");
  contact.SetText(props::kPropContactBusinessTelephoneNumber, u"+49 30 " + number);
  contact.SetText(props::kPropContactMobileTelephoneNumber, u"+49 171 " + number);
  contact.SetText(props::kPropContactEmail1Address, u"ada" + number + u"@example.org");
  contact.SetText(props::kPropContactBusinessAddressStreet, u"Unter den Linden " + number);
  contact.SetText(props::kPropContactBusinessAddressCity, u"Berlin");
  contact.SetText(props::kPropContactBusinessAddressPostalCode, u"10117");
  contact.SetText(props::kPropContactBusinessAddressCountry, u"Germany");
  contact.Save(context);
  return contact.oid;
}

}  // namespace

PimStores& PimStores::Get() {
  static PimStores stores;
  return stores;
}

// The items are saved in one store step: the benchmarks measure single saves, not the filling.
PimStores::PimStores() {
  AttachBenchDevice();
  std::vector<std::u16string> names;
  for (int i = 0; i < kCategories; ++i) names.push_back(u"Category " + std::u16string(1, char16_t(u'A' + i)));
  std::vector<int> numbers = CategoryNumbersFor(names);
  StoreTransaction filling(StoreTransaction::Kind::Write);
  for (int i = 0; i < kItems; ++i) {
    CPIMTask task;
    task.subject = u"Task number " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    task.due = Day(i, 0);
    task.reminderSet = true;
    task.reminderTime = Day(i, 8);
    task.reminderTime.wDay -= 1;
    task.categories = CategorySet::FromNumbers({numbers[static_cast<size_t>(i % kCategories)]});
    task.Save(context_);
    tasks_.push_back(task.oid);
    CPIMAppointment appointment;
    appointment.subject = u"Meeting " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    appointment.start = Day(i, 9);
    appointment.end = Day(i, 10);
    appointment.categories = task.categories;
    appointment.Save(context_);
    appointments_.push_back(appointment.oid);
    contacts_.push_back(SaveContact(context_, i));
  }
  filling.Commit();
  // The raw side works on a copy of the same store file, so that its rows are the same rows.
  std::string copy = (ScratchFolder() / "pim-raw.sqlite").string();
  sqlite3* device = nullptr;
  sqlite3_open((ScratchFolder() / "device" / "device.sqlite").c_str(), &device);
  sqlite3_exec(device, ("VACUUM INTO '" + copy + "'").c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(device);
  sqlite3_open(copy.c_str(), &raw_);
  sqlite3_exec(raw_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
  for (int i = 0; i < kItems; ++i) {
    ItemOid task = tasks_[static_cast<size_t>(i)];
    notifications_.push_back(Single(raw_, "SELECT value FROM props WHERE record = ? AND propid = ?", task,
                                    kTaskNotificationHandle));
  }
  for (int number : numbers) {
    categoryRecords_.push_back(
        Single(raw_, "SELECT record FROM props WHERE propid = ? AND value = ?", kCategoryIndex, number));
  }
}

void RawItemRead(benchmark::State& state, const std::vector<ItemOid>& items) {
  sqlite3* raw = PimStores::Get().Raw();
  sqlite3_stmt* read = nullptr;
  sqlite3_prepare_v2(raw, "SELECT propid, value FROM props WHERE record = ?", -1, &read, nullptr);
  std::mt19937 random(3);
  std::uniform_int_distribution<size_t> pick(0, items.size() - 1);
  for (auto _ : state) {
    sqlite3_bind_int64(read, 1, items[pick(random)]);
    while (sqlite3_step(read) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_value(read, 1));
    sqlite3_reset(read);
  }
  sqlite3_finalize(read);
}

// One durable transaction writing what a save of the item writes: every row of its record (the
// fields and the raw properties), its sort key, the counter of its category and, for a task, the
// time of its notification.
void RawItemWrite(benchmark::State& state, const std::vector<ItemOid>& items, bool withNotification) {
  const PimStores& stores = PimStores::Get();
  sqlite3* raw = stores.Raw();
  sqlite3_stmt* statements[5] = {};
  const char* sql[5] = {"BEGIN IMMEDIATE", "UPDATE props SET value = value WHERE record = ?",
                        "UPDATE sortkeys SET key = key WHERE record = ?",
                        "UPDATE props SET value = value WHERE record = ? AND propid = ?", "COMMIT"};
  for (int i = 0; i < 5; ++i) sqlite3_prepare_v2(raw, sql[i], -1, &statements[i], nullptr);
  std::mt19937 random(5);
  std::uniform_int_distribution<size_t> pick(0, items.size() - 1);
  auto run = [](sqlite3_stmt* statement) {
    sqlite3_step(statement);
    sqlite3_reset(statement);
  };
  for (auto _ : state) {
    size_t index = pick(random);
    run(statements[0]);
    sqlite3_bind_int64(statements[1], 1, items[index]);
    run(statements[1]);
    sqlite3_bind_int64(statements[2], 1, items[index]);
    run(statements[2]);
    sqlite3_bind_int64(statements[3], 1, stores.CategoryRecord(index));
    sqlite3_bind_int64(statements[3], 2, kTaskCount);
    run(statements[3]);
    if (withNotification) {
      sqlite3_bind_int64(statements[3], 1, stores.Notification(index));
      sqlite3_bind_int64(statements[3], 2, kFireTime);
      run(statements[3]);
    }
    run(statements[4]);
  }
  for (sqlite3_stmt* statement : statements) sqlite3_finalize(statement);
}

}  // namespace calyra::bench
