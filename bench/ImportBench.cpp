// Importing a calendar of 10,000 events as the demo host does (read and checked whole, then each
// event saved as the editors save an appointment, all in one store step), beside the raw cost of the same
// work: libical's parse of the text alone plus raw SQLite inserts of the same rows in one durable
// transaction.
#include <libical/ical.h>
#include <sqlite3.h>

#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "hosts/calyra/IcsReader.h"
#include "hosts/calyra/IcsWriter.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/CPIMAppointment.h"
#include "store/StoreTransaction.h"

namespace {

using namespace calyra;

constexpr int kEvents = 10000;

// A calendar as a desktop program writes one: UTC times, a location and a category per event.
const std::string& CalendarText() {
  static const std::string text = [] {
    std::string calendar = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra//Bench//EN\r\n";
    char event[512];
    for (int i = 0; i < kEvents; ++i) {
      int day = 1 + i % 28, month = 1 + (i / 28) % 12, hour = 6 + i % 12;
      std::snprintf(event, sizeof(event),
                    "BEGIN:VEVENT\r\nUID:bench-%d@calyra\r\nDTSTAMP:20260101T000000Z\r\n"
                    "DTSTART:2027%02d%02dT%02d0000Z\r\nDTEND:2027%02d%02dT%02d3000Z\r\n"
                    "SUMMARY:Meeting number %d\r\nLOCATION:Room %d\r\nCATEGORIES:Business\r\nEND:VEVENT\r\n",
                    i, month, day, hour, month, day, hour, i, i % 40);
      calendar += event;
    }
    return calendar + "END:VCALENDAR\r\n";
  }();
  return text;
}

// Ours: one whole import; the imported appointments are deleted again outside the timing, so that
// the other benchmarks find the store as they left it.
void Ours_ImportEvents(benchmark::State& state) {
  bench::AttachBenchDevice();
  for (auto _ : state) {
    ics::CalendarRecords records;
    ics::ReadError error;
    if (!ics::ReadCalendar(CalendarText(), &records, &error)) state.SkipWithError(error.message.c_str());
    std::vector<ItemOid> saved;
    StoreTransaction step(StoreTransaction::Kind::Write);  // one step per file, as the host imports
    host::ImportCategories categories;
    for (const ics::AppointmentRecord& record : records.appointments)
      saved.push_back(ics::WriteAppointment(record, categories));
    categories.ApplyCounts();
    step.Commit();
    state.PauseTiming();
    ItemContext context;
    StoreTransaction removal(StoreTransaction::Kind::Write);
    for (ItemOid oid : saved) {
      CPIMAppointment appointment;
      appointment.oid = oid;
      appointment.Delete(context);
    }
    removal.Commit();
    state.ResumeTiming();
  }
}

// Raw: libical's parse alone, and the same rows inserted in one transaction.
void Raw_ImportEvents(benchmark::State& state) {
  sqlite3* raw = nullptr;
  sqlite3_open((bench::ScratchFolder() / "import-raw.sqlite").c_str(), &raw);
  sqlite3_exec(raw,
               "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"
               "CREATE TABLE IF NOT EXISTS events(id INTEGER PRIMARY KEY, subject TEXT, location TEXT, "
               "start INTEGER, end INTEGER, categories TEXT)",
               nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(raw,
                     "INSERT INTO events(subject, location, start, end, categories) VALUES(?, ?, ?, ?, ?)",
                     -1, &insert, nullptr);
  for (auto _ : state) {
    icalcomponent* calendar = icalparser_parse_string(CalendarText().c_str());
    sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
      sqlite3_bind_text(insert, 1, icalcomponent_get_summary(event), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 2, icalcomponent_get_location(event), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int64(insert, 3, icaltime_as_timet(icalcomponent_get_dtstart(event)));
      sqlite3_bind_int64(insert, 4, icaltime_as_timet(icalcomponent_get_dtend(event)));
      sqlite3_bind_text(insert, 5, "Business", -1, SQLITE_STATIC);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
    icalcomponent_free(calendar);
    state.PauseTiming();
    sqlite3_exec(raw, "DELETE FROM events", nullptr, nullptr, nullptr);
    state.ResumeTiming();
  }
  sqlite3_finalize(insert);
  sqlite3_close(raw);
}

// Five imports each, so that the first one's cold caches and fresh tables do not decide the ratio,
// three times over: the ratio is of the fastest runs, as what else the machine does comes and goes.
BENCHMARK(Ours_ImportEvents)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK(Raw_ImportEvents)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

}  // namespace
