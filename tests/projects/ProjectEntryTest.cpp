#include <gtest/gtest.h>

#include "platform/time/TimeConversion.h"
#include "projects/AppointmentEntry.h"
#include "projects/ContactEntry.h"
#include "projects/FileEntry.h"
#include "projects/Project.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectDates.h"
#include "projects/ProjectStore.h"
#include "projects/TaskEntry.h"
#include "projects/TimeRecordEntry.h"
#include "tests/projects/ProjectTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::AdvanceClock;
using calyra::testing::DeviceTest;
using calyra::testing::Local;
using calyra::testing::Text;

const std::string kNoDate = "4501-01-01 00:00:00.000";

class ProjectEntryTest : public DeviceTest {
 protected:
  // The raw properties of a record of the project database.
  Record Raw(ItemOid oid) {
    ProjectDatabase database;
    Record record;
    EXPECT_TRUE(database.Open() && database.SeekToOid(oid) && database.ReadRecord(record));
    return record;
  }
  static FILETIME Stored(const SYSTEMTIME& local) {
    FILETIME time{};
    SystemTimeToFileTime(&local, &time);
    return time;
  }
  ItemOid SavedProject(const std::u16string& name) {
    AdvanceClock();
    Project project;
    project.InitNew();
    project.name = name;
    return project.Save();
  }
};

TEST_F(ProjectEntryTest, OpeningCreatesTheDatabaseWithItsSortOrders) {
  Database probe;
  EXPECT_FALSE(probe.Exists(ProjectDatabase::Name()));
  ProjectDatabase database;
  ASSERT_TRUE(database.Open(kParentIdTag));
  DatabaseInformation information;
  ASSERT_TRUE(database.GetInformation(&information));
  EXPECT_EQ(information.name, u"CY_ProjectDatabase");
  EXPECT_EQ(information.type, 0u);
  ASSERT_EQ(information.sortOrders.size(), 4u);
  const CEPROPID expected[] = {0x00650013, 0x00660013, 0x00710013, 0x00640013};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(information.sortOrders[i].propid, expected[i]) << "sort order " << i;
    EXPECT_EQ(information.sortOrders[i].dwFlags, 0u);
  }
  ProjectDatabase again;
  EXPECT_TRUE(again.Open()) << "a second open finds it";
}

TEST_F(ProjectEntryTest, NewProjectStartsEmptyWithoutDates) {
  Project project;
  project.name = u"old";
  project.percentComplete = 40;
  project.InitNew();
  EXPECT_FALSE(project.HasRecord());
  EXPECT_EQ(project.Record(), 0u);
  EXPECT_NE(project.projectId, 0u);
  EXPECT_EQ(project.parentId, 0u);
  EXPECT_EQ(project.entryType, ProjectEntryType::Project);
  EXPECT_EQ(Text(project.startDate), kNoDate);
  EXPECT_EQ(Text(project.endDate), kNoDate);
  EXPECT_EQ(Text(project.completedDate), kNoDate);
  EXPECT_TRUE(project.name.empty());
  EXPECT_TRUE(project.notes.empty());
  EXPECT_EQ(project.percentComplete, 0u);
  EXPECT_FALSE(project.IsComplete());
}

TEST_F(ProjectEntryTest, ProjectRoundTripsThroughItsRecord) {
  Project project;
  project.InitNew();
  project.name = u"Kitchen renovation";
  project.notes = u"Ask about the tiles";
  project.startDate = Local(2024, 3, 1, 8, 15, 42);
  project.endDate = Local(2024, 6, 30);
  project.percentComplete = 35;
  project.projectData = {1, 2, 3};
  ItemOid record = project.Save();
  ASSERT_NE(record, 0u);
  EXPECT_EQ(project.Record(), record);

  Record raw = Raw(record);
  ASSERT_TRUE(raw.Find(kEntryTypeTag));
  EXPECT_EQ(raw.Find(kEntryTypeTag)->AsInteger(), 1);
  EXPECT_EQ(raw.Find(kProjectIdTag)->AsInteger(), project.projectId);
  EXPECT_EQ(raw.Find(kParentIdTag)->AsInteger(), 0);
  EXPECT_EQ(platform::TicksOf(raw.Find(kStartDateTag)->AsTime()),
            platform::TicksOf(Stored(Local(2024, 3, 1, 8, 15, 42))))
      << "dates are stored as the local wall-clock time";
  EXPECT_EQ(platform::TicksOf(raw.Find(kCompletedDateTag)->AsTime()),
            platform::TicksOf(Stored(platform::kNoDateSystemTime)));

  Project loaded;
  ASSERT_TRUE(loaded.Load(record));
  EXPECT_EQ(loaded.Record(), record);
  EXPECT_EQ(loaded.projectId, project.projectId);
  EXPECT_EQ(loaded.name, u"Kitchen renovation");
  EXPECT_EQ(loaded.notes, u"Ask about the tiles");
  EXPECT_EQ(Text(loaded.startDate), "2024-03-01 08:15:42.000") << "project dates keep their seconds";
  EXPECT_EQ(Text(loaded.endDate), "2024-06-30 00:00:00.000");
  EXPECT_EQ(Text(loaded.completedDate), kNoDate);
  EXPECT_EQ(loaded.percentComplete, 35u);
  EXPECT_EQ(loaded.projectData, (std::vector<BYTE>{1, 2, 3}));

  loaded.name = u"Kitchen";
  loaded.endDate = platform::kNoDateSystemTime;
  EXPECT_EQ(loaded.Save(), record) << "an existing project is written in place";
  Project again;
  ASSERT_TRUE(again.Load(record));
  EXPECT_EQ(again.name, u"Kitchen");
  EXPECT_EQ(Text(again.endDate), kNoDate);
  DatabaseInformation information;
  ProjectDatabase database;
  database.Open();
  database.GetInformation(&information);
  EXPECT_EQ(information.records, 1u);
}

TEST_F(ProjectEntryTest, EmptyProjectDataIsNotWritten) {
  Project project;
  project.InitNew();
  ItemOid record = project.Save();
  ASSERT_NE(record, 0u);
  EXPECT_EQ(Raw(record).Find(kProjectDataTag), nullptr);
}

TEST_F(ProjectEntryTest, CompletedDateMakesTheProjectWhollyDone) {
  Project project;
  project.InitNew();
  project.percentComplete = 20;
  project.SetCompletedDate(Local(2024, 3, 14));
  EXPECT_EQ(project.percentComplete, 100u);
  EXPECT_TRUE(project.IsComplete());

  Project other;
  other.InitNew();
  other.percentComplete = 20;
  other.SetCompletedDate(platform::kNoDateSystemTime);
  EXPECT_EQ(other.percentComplete, 20u) << "no date leaves the percentage";
  other.SetCompletedDate(Local(1899, 12, 31));
  EXPECT_EQ(other.percentComplete, 20u) << "a date out of range is no date";

  // A completed date set as a field counts the same once saved.
  other.completedDate = Local(2024, 3, 10);
  ItemOid record = other.Save();
  ASSERT_NE(record, 0u);
  Project loaded;
  ASSERT_TRUE(loaded.Load(record));
  EXPECT_EQ(loaded.percentComplete, 100u);
  EXPECT_EQ(Text(loaded.completedDate), "2024-03-10 00:00:00.000");
  EXPECT_TRUE(loaded.IsComplete());
}

TEST_F(ProjectEntryTest, TextsAreCutAtTheirBound) {
  Project project;
  project.InitNew();
  project.name = std::u16string(1500, u'n');
  project.notes = std::u16string(3000, u'x');
  ItemOid record = project.Save();
  ASSERT_NE(record, 0u);
  EXPECT_EQ(Raw(record).Find(kNameTag)->AsString().size(), 1023u);
  EXPECT_EQ(Raw(record).Find(kProjectNotesTag)->AsString().size(), 1023u);
  Project loaded;
  ASSERT_TRUE(loaded.Load(record));
  EXPECT_EQ(loaded.name, std::u16string(1023, u'n'));
  EXPECT_EQ(loaded.notes, std::u16string(1023, u'x'));
}

TEST_F(ProjectEntryTest, LoadRefusesMissingRecordsAndOtherTypes) {
  Project project;
  EXPECT_FALSE(project.Load(0));
  EXPECT_FALSE(project.Load(12345)) << "no database yet";
  ItemOid projectRecord = SavedProject(u"Garden");
  auto task = CreateProjectEntry(ProjectEntryType::Task, projectRecord);
  ASSERT_NE(task, nullptr);
  ItemOid taskRecord = task->Save();
  ASSERT_NE(taskRecord, 0u);

  project.name = u"unchanged";
  EXPECT_FALSE(project.Load(taskRecord)) << "a task entry is no project";
  EXPECT_EQ(project.name, u"unchanged") << "a refused load changes nothing";
  EXPECT_FALSE(project.Load(taskRecord + 1000));
  ItemOid stranger = calyra::testing::AddPimRecord(TasksDatabaseName(), u"Pay rent");
  EXPECT_FALSE(project.Load(stranger)) << "a record of another database";
  EXPECT_TRUE(project.Load(projectRecord));
  EXPECT_EQ(project.name, u"Garden");
}

TEST_F(ProjectEntryTest, EveryEntryTypeRoundTrips) {
  ItemOid projectRecord = SavedProject(u"Move house");
  Project project;
  ASSERT_TRUE(project.Load(projectRecord));

  AdvanceClock();
  auto time = CreateProjectEntry(ProjectEntryType::TimeRecord, projectRecord);
  ASSERT_NE(time, nullptr);
  auto& timeRecord = dynamic_cast<TimeRecordEntry&>(*time);
  timeRecord.name = u"Packing";
  timeRecord.bookedOn = project.projectId;
  timeRecord.startDate = Local(2024, 3, 14, 9, 0, 29);
  timeRecord.plannedEnd = Local(2024, 3, 14, 11, 59, 30);
  ItemOid timeOid = timeRecord.Save();
  ASSERT_NE(timeOid, 0u);

  AdvanceClock();
  auto appointment = CreateProjectEntry(ProjectEntryType::Appointment, projectRecord);
  ASSERT_NE(appointment, nullptr);
  auto& appointmentEntry = dynamic_cast<AppointmentEntry&>(*appointment);
  appointmentEntry.linkedItem = 4242;
  appointmentEntry.itemDate = Local(2024, 4, 2);
  appointmentEntry.startDate = Local(2024, 4, 2, 10, 0, 31);
  appointmentEntry.endDate = Local(2024, 4, 2, 23, 59, 45);
  ItemOid appointmentOid = appointmentEntry.Save();
  ASSERT_NE(appointmentOid, 0u);

  AdvanceClock();
  auto file = CreateProjectEntry(ProjectEntryType::File, projectRecord);
  ASSERT_NE(file, nullptr);
  dynamic_cast<FileEntry&>(*file).filePath = u"\\My Documents\\Boxes.pxl";
  ItemOid fileOid = file->Save();
  ASSERT_NE(fileOid, 0u);

  AdvanceClock();
  auto contact = CreateProjectEntry(ProjectEntryType::Contact, projectRecord);
  ASSERT_NE(contact, nullptr);
  dynamic_cast<ContactEntry&>(*contact).linkedItem = 77;
  ItemOid contactOid = contact->Save();
  ASSERT_NE(contactOid, 0u);

  auto loadedTime = LoadProjectEntry(timeOid);
  ASSERT_NE(loadedTime, nullptr);
  auto& t = dynamic_cast<TimeRecordEntry&>(*loadedTime);
  EXPECT_EQ(t.parentId, project.projectId);
  EXPECT_EQ(t.projectId, timeRecord.projectId);
  EXPECT_EQ(t.name, u"Packing");
  EXPECT_EQ(t.bookedOn, project.projectId);
  EXPECT_EQ(Text(t.startDate), "2024-03-14 09:00:00.000") << "under 30 seconds rounds down";
  EXPECT_EQ(Text(t.plannedEnd), "2024-03-14 12:00:00.000") << "30 seconds round up";
  EXPECT_EQ(Text(t.endDate), kNoDate);

  auto loadedAppointment = LoadProjectEntry(appointmentOid);
  ASSERT_NE(loadedAppointment, nullptr);
  auto& a = dynamic_cast<AppointmentEntry&>(*loadedAppointment);
  EXPECT_EQ(a.linkedItem, 4242u);
  EXPECT_EQ(Text(a.itemDate), "2024-04-02 00:00:00.000");
  EXPECT_EQ(Text(a.startDate), "2024-04-02 10:01:00.000");
  EXPECT_EQ(Text(a.endDate), "2024-04-03 00:00:00.000") << "rounding carries into the next day";

  auto loadedFile = LoadProjectEntry(fileOid);
  ASSERT_NE(loadedFile, nullptr);
  EXPECT_EQ(loadedFile->entryType, ProjectEntryType::File);
  EXPECT_EQ(dynamic_cast<FileEntry&>(*loadedFile).filePath, u"\\My Documents\\Boxes.pxl");
  auto loadedContact = LoadProjectEntry(contactOid);
  ASSERT_NE(loadedContact, nullptr);
  EXPECT_EQ(dynamic_cast<ContactEntry&>(*loadedContact).linkedItem, 77u);

  EXPECT_EQ(Raw(fileOid).Find(kLinkedItemTag), nullptr) << "a file entry links no item";
  EXPECT_EQ(Raw(contactOid).Find(kPercentCompleteTag), nullptr) << "only projects have a percentage";
  EXPECT_EQ(LoadProjectEntry(0), nullptr);
}

TEST_F(ProjectEntryTest, EntriesNeedAProjectAsParent) {
  EXPECT_EQ(CreateProjectEntry(ProjectEntryType::Task, 0), nullptr);
  ItemOid projectRecord = SavedProject(u"Taxes");
  AdvanceClock();
  auto task = CreateProjectEntry(ProjectEntryType::Task, projectRecord);
  ASSERT_NE(task, nullptr);
  ItemOid taskRecord = task->Save();
  EXPECT_EQ(CreateProjectEntry(ProjectEntryType::Contact, taskRecord), nullptr) << "a task holds no entries";
  EXPECT_EQ(CreateProjectEntry(ProjectEntryType::None, projectRecord), nullptr);

  auto topLevel = CreateProjectEntry(ProjectEntryType::Project, 0);
  ASSERT_NE(topLevel, nullptr);
  EXPECT_EQ(topLevel->parentId, 0u);
  AdvanceClock();
  auto sub = CreateProjectEntry(ProjectEntryType::Project, projectRecord);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->parentId, task->parentId);
  EXPECT_EQ(Text(sub->startDate), kNoDate);
  EXPECT_EQ(Text(dynamic_cast<Project&>(*sub).completedDate), kNoDate);
}

TEST_F(ProjectEntryTest, StoreFindsEntriesByIdentifierItemAndParent) {
  EXPECT_EQ(FindEntryRecord(1234), 0u) << "nothing stored yet";
  EXPECT_EQ(ReadEntryType(99), ProjectEntryType::None);
  ItemOid projectRecord = SavedProject(u"Wedding");
  AdvanceClock();
  auto sub = CreateProjectEntry(ProjectEntryType::Project, projectRecord);
  ASSERT_NE(sub, nullptr);
  ItemOid subRecord = sub->Save();
  AdvanceClock();
  auto task = CreateProjectEntry(ProjectEntryType::Task, subRecord);
  ASSERT_NE(task, nullptr);
  dynamic_cast<TaskEntry&>(*task).linkedItem = 5150;
  ItemOid taskRecord = task->Save();
  ASSERT_NE(taskRecord, 0u);

  EXPECT_EQ(FindEntryRecord(task->projectId), taskRecord);
  EXPECT_EQ(FindEntryRecord(sub->projectId), subRecord);
  EXPECT_EQ(FindEntryRecord(sub->projectId + 1), 0u);
  EXPECT_EQ(FindEntryLinking(5150), taskRecord);
  EXPECT_EQ(FindEntryLinking(5151), 0u);
  EXPECT_EQ(FindEntryLinking(0), 0u);
  EXPECT_EQ(FindParentRecord(taskRecord), subRecord);
  EXPECT_EQ(FindParentRecord(subRecord), projectRecord);
  EXPECT_EQ(FindParentRecord(projectRecord), 0u) << "a top-level project has no parent";
  EXPECT_EQ(ReadEntryType(taskRecord), ProjectEntryType::Task);
  EXPECT_EQ(ReadEntryType(subRecord), ProjectEntryType::Project);
  EXPECT_EQ(ReadEntryType(taskRecord + 100), ProjectEntryType::None);
}

TEST_F(ProjectEntryTest, TimeRecordDuration) {
  SYSTEMTIME now = Local(2024, 3, 15, 10, 30);
  TimeRecordEntry time;
  EXPECT_EQ(time.DurationMinutes(now), 0) << "no start";
  time.startDate = Local(2024, 3, 15, 9, 0);
  EXPECT_EQ(time.DurationMinutes(now), 90) << "no end and no planned end: until now";
  time.plannedEnd = Local(2024, 3, 15, 11, 0);
  EXPECT_EQ(time.DurationMinutes(now), 120);
  EXPECT_EQ(Text(time.endDate), kNoDate) << "a planned end in the future is not yet the end";
  time.plannedEnd = Local(2024, 3, 15, 10, 0);
  EXPECT_EQ(time.DurationMinutes(now), 60);
  EXPECT_EQ(Text(time.endDate), "2024-03-15 10:00:00.000") << "a planned end that has passed is the end";
  time.endDate = Local(2024, 3, 15, 9, 45);
  EXPECT_EQ(time.DurationMinutes(now), 45);
}

TEST(ProjectDatesTest, WholeMinutes) {
  EXPECT_EQ(Text(WholeMinute(Local(2024, 3, 15, 9, 0, 29))), "2024-03-15 09:00:00.000");
  SYSTEMTIME late = Local(2024, 12, 31, 23, 59, 30);
  late.wMilliseconds = 500;
  EXPECT_EQ(Text(WholeMinute(late)), "2025-01-01 00:00:00.000");
  EXPECT_EQ(Text(WholeMinute(platform::kNoDateSystemTime)), kNoDate);
}

}  // namespace
