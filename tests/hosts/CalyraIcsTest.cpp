#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/System.h"
#include "platform/notify/Notifications.h"
#include "platform/text/Text.h"
#include "platform/ui/controls/InkBlob.h"
#include "resources/ResourceIds.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/PimDatabase.h"
#include "store/PimItem.h"
#include "store/TaskReminder.h"
#include "tests/hosts/ProgramRun.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::ProgramRun;
using calyra::testing::ReadTextFile;
using calyra::testing::RunProgram;

const std::filesystem::path kData = CALYRA_ICS_TEST_DATA;

// `calyra import` and `export` on the test's device (Europe/Berlin, fixed clock).
class CalyraIcsTest : public calyra::testing::DeviceTest {
 protected:
  ProgramRun Calyra(const std::vector<std::string>& arguments, const std::string& device = "device") {
    std::filesystem::path errors = DeviceFolder() / "stderr.txt";
    std::vector<std::string> all{"--device", (DeviceFolder() / device).string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(CALYRA_HOST_PROGRAM, all, "/dev/null", &errors);
  }
  // The JSON listing with every oid written as 0, so that it compares across devices.
  std::string Listing(const std::string& kind, const std::string& device = "device") {
    ProgramRun run = Calyra({"list", kind, "--json"}, device);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    std::string text = run.output;
    for (size_t at = 0; (at = text.find("\"oid\": ", at)) != std::string::npos;) {
      at += 7;
      size_t end = text.find(',', at);
      text.replace(at, end - at, "0");
    }
    return text;
  }
  // The expected listing beside the file; CALYRA_WRITE_EXPECTED=1 writes it from this run instead.
  void ExpectListing(const std::string& name, const std::string& kind) {
    std::string actual = Listing(kind);
    std::filesystem::path expected = kData / (name + "." + kind + ".json");
    if (std::getenv("CALYRA_WRITE_EXPECTED")) std::ofstream(expected) << actual;
    EXPECT_EQ(actual, ReadTextFile(expected)) << expected;
  }
  // An export without the lines that differ between devices by design.
  static std::string Comparable(const std::string& text) {
    std::string kept;
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find('\n', at);
      std::string line = text.substr(at, end - at + 1);
      if (line.rfind("UID:", 0) != 0 && line.rfind("DTSTAMP:", 0) != 0) kept += line;
      at = end + 1;
    }
    return kept;
  }
};

TEST_F(CalyraIcsTest, AllDayEventsAlarmsMeetingsAndRulesImportAsListed) {
  ProgramRun run = Calyra({"import", (kData / "allday-meetings.ics").string()});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(run.output.find("imported appointment 0x"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(" Dentist\n"), std::string::npos) << run.output;
  ExpectListing("allday-meetings", "appointments");
}

TEST_F(CalyraIcsTest, AZoneOfTheFileAndExceptionsImportAsListed) {
  ProgramRun run = Calyra({"import", (kData / "timezone-series.ics").string()});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  ExpectListing("timezone-series", "appointments");
}

TEST_F(CalyraIcsTest, TasksWithFoldedLinesImportAsListed) {
  ProgramRun run = Calyra({"import", (kData / "tasks.ics").string()});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(run.output.find("imported task 0x"), std::string::npos) << run.output;
  ExpectListing("tasks", "tasks");
}

TEST_F(CalyraIcsTest, WhatPocketOutlookCannotHoldIsSkippedWithAWarning) {
  ProgramRun run = Calyra({"import", (kData / "skipped.ics").string()});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(run.errors.find("skipped.ics: line 10: skipped RRULE: a BYSETPOS list"), std::string::npos)
      << run.errors;
  EXPECT_NE(run.errors.find("skipped.ics: line 18: skipped RRULE: a rule that repeats within a day"),
            std::string::npos)
      << run.errors;
  EXPECT_NE(run.errors.find("skipped.ics: line 20: skipped a VJOURNAL"), std::string::npos) << run.errors;
  ExpectListing("skipped", "appointments");
}

// Texts longer than the appointment keeps are cut at its bounds, as the editor cuts what is typed.
TEST_F(CalyraIcsTest, TextsLongerThanAnAppointmentKeepsAreCutAtItsBounds) {
  std::filesystem::path file = DeviceFolder() / "long.ics";
  std::ofstream(file)
      << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\nBEGIN:VEVENT\r\nUID:long\r\n"
         "DTSTART:20270101T100000Z\r\nDTEND:20270101T110000Z\r\nSUMMARY:"
      << std::string(5000, 's') << "\r\nLOCATION:" << std::string(2000, 'l')
      << "\r\nATTENDEE;CN=" << std::string(600, 'n') << ":mailto:a@example.org\r\n"
      << "END:VEVENT\r\nEND:VCALENDAR\r\n";
  ProgramRun run = Calyra({"import", file.string()});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  std::string listing = Listing("appointments");
  EXPECT_NE(listing.find("\"" + std::string(4096, 's') + "\""), std::string::npos);
  EXPECT_NE(listing.find("\"" + std::string(1024, 'l') + "\""), std::string::npos);
  EXPECT_NE(listing.find("\"" + std::string(512, 'n') + "\""), std::string::npos);
  EXPECT_EQ(listing.find(std::string(4097, 's')), std::string::npos);
  EXPECT_EQ(listing.find(std::string(1025, 'l')), std::string::npos);
  EXPECT_EQ(listing.find(std::string(513, 'n')), std::string::npos);
}

TEST_F(CalyraIcsTest, AMalformedFileImportsNothingAndNamesItsLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"malformed-utf8.ics", "malformed-utf8.ics:6: the text is not valid UTF-8"},
      {"malformed-nesting.ics", "malformed-nesting.ics:12: END:VTODO where END:VEVENT belongs"},
      {"malformed-folding.ics", "malformed-folding.ics:7: not a content line"},
      {"malformed-date.ics", "malformed-date.ics:10: DTSTART: not a valid date"},
      {"malformed-value.ics", "malformed-value.ics:5: "},
  };
  for (const auto& [file, message] : cases) {
    ProgramRun run = Calyra({"import", (kData / file).string()});
    EXPECT_EQ(run.exitCode, 4) << file;
    EXPECT_NE(run.errors.find(message), std::string::npos) << file << ": " << run.errors;
    EXPECT_EQ(run.output, "") << file;
  }
  EXPECT_EQ(Listing("appointments"), "[]\n") << "the good event before the fault is not imported either";
}

TEST_F(CalyraIcsTest, AMalformedFileLeavesTheOtherFilesImported) {
  ProgramRun run =
      Calyra({"import", (kData / "malformed-date.ics").string(), (kData / "tasks.ics").string()});
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_EQ(Listing("appointments"), "[]\n");
  ExpectListing("tasks", "tasks");
}

TEST_F(CalyraIcsTest, ExportThenImportIntoAFreshDeviceExportsTheSameFile) {
  {
    // The second device keeps the same clock and zone.
    auto fresh = platform::Device::Open(DeviceFolder() / "fresh");
    ASSERT_TRUE(fresh);
    fresh->SetSetting("Clock.Fixed", std::u16string(u"133549686000000000"));
    fresh->SetSetting("TimeZone", kTimeZone);
  }
  for (const char* file : {"allday-meetings.ics", "timezone-series.ics", "tasks.ics"}) {
    ASSERT_EQ(Calyra({"import", (kData / file).string()}).exitCode, 0) << file;
  }
  for (const std::string kind : {"appointments", "tasks"}) {
    std::filesystem::path first = DeviceFolder() / (kind + "-1.ics");
    std::filesystem::path second = DeviceFolder() / (kind + "-2.ics");
    ASSERT_EQ(Calyra({"export", kind, first.string()}).exitCode, 0) << kind;
    ProgramRun imported = Calyra({"import", first.string()}, "fresh");
    ASSERT_EQ(imported.exitCode, 0) << imported.errors;
    EXPECT_EQ(imported.errors, "") << kind;
    ASSERT_EQ(Calyra({"export", kind, second.string()}, "fresh").exitCode, 0) << kind;
    EXPECT_EQ(Comparable(ReadTextFile(first)), Comparable(ReadTextFile(second))) << kind;
    EXPECT_EQ(Listing(kind), Listing(kind, "fresh")) << kind;
  }
}

TEST_F(CalyraIcsTest, ExportAndImportRefuseWhatTheyCannotDo) {
  EXPECT_EQ(Calyra({"import"}).exitCode, 2);
  EXPECT_EQ(Calyra({"export", "tasks"}).exitCode, 2);
  EXPECT_EQ(Calyra({"import", (DeviceFolder() / "missing.ics").string()}).exitCode, 4);
}

}  // namespace

namespace {

TEST_F(CalyraIcsTest, AFileWhoseItemCannotBeSavedKeepsNoneOfItsItems) {
  // The second event's attendees are more than a record holds: its save fails after the first's.
  std::filesystem::path file = DeviceFolder() / "too-much.ics";
  std::ofstream out(file);
  out << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra//Test//EN\r\n"
      << "BEGIN:VEVENT\r\nUID:a\r\nDTSTART:20240320T090000Z\r\nDTEND:20240320T100000Z\r\n"
      << "SUMMARY:Kept only with the other\r\nEND:VEVENT\r\n"
      << "BEGIN:VEVENT\r\nUID:b\r\nDTSTART:20240321T090000Z\r\nDTEND:20240321T100000Z\r\n"
      << "SUMMARY:Too much\r\n";
  for (int i = 0; i < 300; ++i)
    out << "ATTENDEE;CN=" << std::string(500, 'x') << i << ":mailto:" << std::string(400, 'm') << i
        << "@a.org\r\n";
  out << "END:VEVENT\r\nEND:VCALENDAR\r\n";
  out.close();
  ProgramRun run = Calyra({"import", file.string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errors.find("too-much.ics: nothing of it is imported"), std::string::npos) << run.errors;
  EXPECT_EQ(run.output, "");
  EXPECT_EQ(Listing("appointments"), "[]\n");
}

// The oid of the first item of `kind` ("appointment", "task", "contact") the import's lines name; 0
// when none.
CEOID FirstImported(const std::string& output, const std::string& kind) {
  size_t at = output.find("imported " + kind + " 0x");
  if (at == std::string::npos) return 0;
  return static_cast<CEOID>(std::stoul(output.substr(at + 10 + kind.size()), nullptr, 16));
}

// Notes come in as the notes page saves them: the ink control's data holding the text, paragraphs
// ending in CR LF, and are cut to what the item holds rather than refused.
TEST_F(CalyraIcsTest, ImportedNotesAreTheInkDataOfTheirTextAsTheNotesPageSavesThem) {
  std::filesystem::path longNotes = DeviceFolder() / "long-notes.ics";
  std::ofstream(longNotes) << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra//Test//EN\r\n"
                           << "BEGIN:VTODO\r\nUID:long\r\nSUMMARY:Long\r\nDESCRIPTION:"
                           << std::string(70000, 'x') << "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
  struct Case {
    std::filesystem::path file;
    const char* kind;
    calyra::ItemKind itemKind;
    std::u16string text;  // empty: the long notes, cut
  };
  const Case cases[] = {
      {kData / "timezone-series.ics", "appointment", calyra::ItemKind::Appointment,
       u"Agenda:\r\n1. Roadmap\r\n2. Budget"},
      {kData / "tasks.ics", "task", calyra::ItemKind::Task, u"Belege im Ordner \u201E2023\u201C."},
      {std::filesystem::path(CALYRA_VCARD_TEST_DATA) / "v30-groups.vcf", "contact", calyra::ItemKind::Contact,
       u"Prefers letters, not calls.\r\nSecond line."},
      {longNotes, "task", calyra::ItemKind::Task, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.filename().string());
    ProgramRun run = Calyra({"import", c.file.string()});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    CEOID oid = FirstImported(run.output, c.kind);
    ASSERT_NE(oid, 0u) << run.output;
    ReopenDevice();
    std::vector<BYTE> blob;
    ASSERT_TRUE(calyra::ReadPimProperty(oid, c.itemKind, calyra::kNotesTag, &blob));
    std::optional<platform::InkContent> content = platform::ReadInkBlob(blob.data(), blob.size());
    ASSERT_TRUE(content) << "the notes are the ink control's data";
    EXPECT_TRUE(content->runs.empty() && content->links.empty() && content->strokes.empty());
    if (!c.text.empty()) {
      EXPECT_EQ(content->text, c.text);
    } else {
      EXPECT_LE(blob.size(), 57072u) << "a task's notes hold at most 57,072 bytes";
      EXPECT_GT(content->text.size(), 28000u);
      EXPECT_EQ(content->text, std::u16string(content->text.size(), u'x'));
    }
  }
}

TEST_F(CalyraIcsTest, AChangedOccurrenceBecomesAnExceptionOfItsSeriesAndIsExportedAgain) {
  ProgramRun run = Calyra({"import", (kData / "timezone-series.ics").string()});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.errors, "") << "the changed occurrence before its series is joined to it";
  std::filesystem::path file = DeviceFolder() / "exported.ics";
  ASSERT_EQ(Calyra({"export", "appointments", file.string()}).exitCode, 0);
  std::string text = ReadTextFile(file);
  // 09:00 and 11:00 in New York on 2024-03-25 (summer time) are 13:00 and 15:00 UTC.
  for (const char* line : {"RECURRENCE-ID:20240325T130000Z\r\nDTSTART:20240325T150000Z\r\n"
                           "DTEND:20240325T160000Z\r\nSUMMARY:Weekly sync\\, moved to eleven\r\n"
                           "LOCATION:Raum 4\r\nCATEGORIES:Business\r\n",
                           "EXDATE:20240320T130000Z\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
}

TEST_F(CalyraIcsTest, AChangedOccurrenceWithoutItsSeriesOrOnADayWithoutOneIsSkippedWithAWarning) {
  std::filesystem::path file = DeviceFolder() / "orphans.ics";
  std::ofstream(file)
      << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra//Test//EN\r\n"
      << "BEGIN:VEVENT\r\nUID:alone\r\nRECURRENCE-ID:20240320T090000Z\r\n"
      << "DTSTART:20240320T100000Z\r\nDTEND:20240320T110000Z\r\nSUMMARY:Alone\r\nEND:VEVENT\r\n"
      << "BEGIN:VEVENT\r\nUID:series\r\nDTSTART:20240318T090000Z\r\nDTEND:20240318T100000Z\r\n"
      << "RRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:Series\r\nEND:VEVENT\r\n"
      << "BEGIN:VEVENT\r\nUID:series\r\nRECURRENCE-ID:20240319T090000Z\r\n"
      << "DTSTART:20240319T100000Z\r\nDTEND:20240319T110000Z\r\nSUMMARY:Tuesday\r\nEND:VEVENT\r\n"
      << "END:VCALENDAR\r\n";
  ProgramRun run = Calyra({"import", file.string()});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(run.errors.find("orphans.ics: line 4: skipped a changed occurrence (RECURRENCE-ID) without its"),
            std::string::npos)
      << run.errors;
  EXPECT_NE(run.errors.find("orphans.ics: line 18: skipped a changed occurrence (RECURRENCE-ID) on a day"),
            std::string::npos)
      << run.errors;
  EXPECT_NE(run.output.find(" Series\n"), std::string::npos) << run.output;
}

// What a task's reminder is made of: its notification and the reminder's reference and lead in the
// task's record.
struct TaskReminderState {
  platform::PendingNotification notification;
  std::optional<int64_t> reference;
  std::optional<int64_t> lead;
};

TaskReminderState ReminderOf(CEOID task) {
  TaskReminderState state;
  calyra::Database tasks;
  EXPECT_TRUE(tasks.OpenByName(calyra::TasksDatabaseName()));
  EXPECT_TRUE(tasks.SeekToOid(task));
  calyra::Record record;
  for (CEPROPID tag :
       {calyra::kTaskNotificationHandle, calyra::kTaskReminderReference, calyra::kTaskReminderLead})
    record.Request(tag);
  EXPECT_TRUE(tasks.ReadRecord(record));
  auto number = [&](CEPROPID tag) {
    const calyra::PropertyValue* value = record.Find(tag);
    return value ? std::optional<int64_t>(value->AsInteger()) : std::nullopt;
  };
  state.reference = number(calyra::kTaskReminderReference);
  state.lead = number(calyra::kTaskReminderLead);
  std::optional<int64_t> handle = number(calyra::kTaskNotificationHandle);
  for (const platform::PendingNotification& pending : platform::ReadPendingNotifications()) {
    if (handle && reinterpret_cast<uintptr_t>(pending.handle) == static_cast<uintptr_t>(*handle))
      state.notification = pending;
  }
  EXPECT_NE(state.notification.handle, nullptr) << "the task " << task << " has a pending notification";
  return state;
}

// An imported task reminds as one saved through the task editor with the same subject, dates,
// importance and reminder: the same notification texts (the due date's and the importance's labels
// from the component's resources), sound, program and time, and the same reference and lead.
TEST_F(CalyraIcsTest, AnImportedTasksReminderIsTheOneTheTaskEditorSaves) {
  std::filesystem::path file = DeviceFolder() / "rent.ics";
  // 08:00 in Berlin on 2024-03-20, the time of day the task page gives a new reminder.
  std::ofstream(file)
      << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra//Test//EN\r\n"
      << "BEGIN:VTODO\r\nUID:rent\r\nSUMMARY:Pay the rent\r\nDTSTART;VALUE=DATE:20240318\r\n"
      << "DUE;VALUE=DATE:20240320\r\nPRIORITY:1\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
      << "TRIGGER;VALUE=DATE-TIME:20240320T070000Z\r\nEND:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
  ProgramRun imported = Calyra({"import", file.string()});
  ASSERT_EQ(imported.exitCode, 0) << imported.errors;
  CEOID importedTask = FirstImported(imported.output, "task");
  ASSERT_NE(importedTask, 0u) << imported.output;

  std::filesystem::path script = DeviceFolder() / "rent.txt";
  std::ofstream(script) << "click " << calyra::resources::kTaskImportanceHigh << "\n"
                        << "date " << calyra::resources::kTaskReminderDate << " 2024-03-20\nok\n";
  ProgramRun edited = Calyra({"call", "NewTask", "0", "2024-03-18T00:00", "2024-03-20T00:00",
                              "\"Pay the rent\"", "0", "[]", "0", "1", "0", "--script", script.string()});
  ASSERT_EQ(edited.exitCode, 0) << edited.output << edited.errors;
  ReopenDevice();
  std::vector<platform::PendingNotification> pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 2u) << "one notification per task";
  CEOID editedTask = 0;
  {
    calyra::Database tasks;
    ASSERT_TRUE(tasks.OpenByName(calyra::TasksDatabaseName()));
    calyra::Record names;
    names.Request(calyra::kTaskNotificationHandle);
    tasks.Enumerate(names, [&](calyra::Record& record) {
      if (record.Oid() != importedTask && record.Find(calyra::kTaskNotificationHandle))
        editedTask = record.Oid();
      return true;
    });
  }
  ASSERT_NE(editedTask, 0u);
  TaskReminderState fromFile = ReminderOf(importedTask);
  TaskReminderState fromEditor = ReminderOf(editedTask);
  EXPECT_EQ(platform::ToUtf8(fromFile.notification.dialogText),
            platform::ToUtf8(fromEditor.notification.dialogText));
  EXPECT_NE(fromFile.notification.dialogText.find(u"Pay the rent"), std::u16string::npos);
  EXPECT_EQ(fromFile.notification.dialogTitle, fromEditor.notification.dialogTitle);
  EXPECT_EQ(fromFile.notification.sound, fromEditor.notification.sound);
  EXPECT_EQ(fromFile.notification.application, fromEditor.notification.application);
  EXPECT_EQ(fromFile.notification.arguments, fromEditor.notification.arguments);
  EXPECT_EQ(fromFile.notification.actionFlags, fromEditor.notification.actionFlags);
  EXPECT_EQ(fromFile.notification.triggerType, fromEditor.notification.triggerType);
  EXPECT_EQ(fromFile.notification.fireTimeUtc, fromEditor.notification.fireTimeUtc);
  EXPECT_EQ(fromFile.reference, fromEditor.reference);
  EXPECT_EQ(fromFile.lead, fromEditor.lead);
}

}  // namespace
