#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/files/FileSystem.h"
#include "platform/ui/ResourceModule.h"
#include "projects/AppointmentEntry.h"
#include "projects/FileEntry.h"
#include "projects/Project.h"
#include "projects/ProjectAdding.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectStore.h"
#include "resources/ResourceIds.h"
#include "tests/projects/ProjectTestSupport.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using namespace calyra;
using calyra::testing::AddPimRecord;
using calyra::testing::AdvanceClock;
using calyra::testing::DeviceTest;
using calyra::testing::Local;
using calyra::testing::ScriptedUser;
using calyra::testing::Text;

// A scripted person who also notes the caption and flags of the message boxes shown.
class WatchingUser : public ScriptedUser {
 public:
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override {
    captions.emplace_back(caption);
    this->flags.push_back(flags);
    return ScriptedUser::AnswerMessageBox(owner, text, caption, flags);
  }
  std::vector<std::u16string> captions;
  std::vector<UINT> flags;
};

class ProjectAddingTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    auto module = std::make_shared<platform::ResourceModule>();
    module->AddString(resources::kStringNothingToAdd, u"The item or file does not exist.");
    module->AddString(resources::kStringCaption, u"Calyra");
    resources_ = platform::RegisterResourceModule(module);
    Project project;
    project.InitNew();
    project.name = u"Office";
    project_ = project.Save();
    ASSERT_NE(project_, 0u);
    AdvanceClock();
  }

  int Add(ItemOid item, const SYSTEMTIME* date = nullptr, const char16_t* path = nullptr) {
    AdvanceClock();
    return AddItemToProject2(nullptr, resources_, project_, item, date, path);
  }
  // The entries of the project, all types.
  std::unique_ptr<Project> Entries() {
    auto project = std::make_unique<Project>();
    EXPECT_TRUE(project->Load(project_));
    EXPECT_TRUE(project->LoadChildren(kAllEntryTypes, false));
    return project;
  }
  static void WriteFile(const char16_t* path) {
    CreateDirectoryW(u"\\My Documents", nullptr);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "plan", 4, &written, nullptr);
    CloseHandle(file);
  }

  HINSTANCE resources_ = nullptr;
  ItemOid project_ = 0;
};

TEST_F(ProjectAddingTest, EachItemKindBecomesItsEntry) {
  ItemOid task = AddPimRecord(TasksDatabaseName(), u"Order chairs");
  ItemOid contact = AddPimRecord(ContactsDatabaseName(), u"Anna Berg");
  ItemOid appointment = AddPimRecord(AppointmentsDatabaseName(), u"Delivery");
  SYSTEMTIME date = Local(2024, 3, 20, 14, 0);
  EXPECT_NE(Add(task), 0);
  EXPECT_NE(Add(contact), 0);
  EXPECT_NE(Add(appointment, &date), 0);

  auto project = Entries();
  ASSERT_EQ(project->children.size(), 3u);
  for (const auto& child : project->children) {
    EXPECT_EQ(child->parentId, project->projectId);
    auto& linked = dynamic_cast<const LinkedItemEntry&>(*child);
    if (linked.linkedItem == task) {
      EXPECT_EQ(child->entryType, ProjectEntryType::Task);
    } else if (linked.linkedItem == contact) {
      EXPECT_EQ(child->entryType, ProjectEntryType::Contact);
    } else {
      EXPECT_EQ(linked.linkedItem, appointment);
      EXPECT_EQ(child->entryType, ProjectEntryType::Appointment);
      EXPECT_EQ(Text(dynamic_cast<const AppointmentEntry&>(*child).itemDate), "2024-03-20 14:00:00.000");
    }
  }
  EXPECT_EQ(ReadEntryType(FindEntryLinking(appointment)), ProjectEntryType::Appointment);
}

TEST_F(ProjectAddingTest, AppointmentWithoutDateHasNoItemDate) {
  ItemOid appointment = AddPimRecord(AppointmentsDatabaseName(), u"Delivery");
  EXPECT_NE(Add(appointment), 0);
  auto entry = LoadProjectEntry(FindEntryLinking(appointment));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(Text(dynamic_cast<const AppointmentEntry&>(*entry).itemDate), "4501-01-01 00:00:00.000");
}

TEST_F(ProjectAddingTest, SameItemIsAddedOnce) {
  ItemOid task = AddPimRecord(TasksDatabaseName(), u"Order chairs");
  EXPECT_NE(Add(task), 0);
  EXPECT_EQ(Add(task), 0) << "already in the project, without a message";
  EXPECT_EQ(Entries()->children.size(), 1u);

  // Another project may hold the same task.
  Project other;
  other.InitNew();
  ItemOid otherRecord = other.Save();
  AdvanceClock();
  EXPECT_NE(AddItemToProject2(nullptr, resources_, otherRecord, task, nullptr, nullptr), 0);
}

TEST_F(ProjectAddingTest, SameFileIsAddedOnceWhateverItsCase) {
  WriteFile(u"\\My Documents\\Plan.txt");
  EXPECT_NE(Add(0, nullptr, u"\\My Documents\\Plan.txt"), 0);
  EXPECT_EQ(Add(0, nullptr, u"\\MY DOCUMENTS\\plan.TXT"), 0);
  auto project = Entries();
  ASSERT_EQ(project->children.size(), 1u);
  EXPECT_EQ(project->children[0]->entryType, ProjectEntryType::File);
  EXPECT_EQ(dynamic_cast<const FileEntry&>(*project->children[0]).filePath, u"\\My Documents\\Plan.txt");
}

TEST_F(ProjectAddingTest, FileAndItemOfTheSameProjectAreSeparate) {
  WriteFile(u"\\My Documents\\Plan.txt");
  ItemOid task = AddPimRecord(TasksDatabaseName(), u"Order chairs");
  EXPECT_NE(Add(task, nullptr, u"\\My Documents\\Plan.txt"), 0) << "with a path the file is added";
  EXPECT_NE(Add(task), 0) << "the task itself is not there yet";
  EXPECT_EQ(Entries()->children.size(), 2u);
}

TEST_F(ProjectAddingTest, NothingToAddIsRefusedWithAMessage) {
  WatchingUser user;
  user.SetResourceModule(resources_);
  user.ExpectMessageBoxString(resources::kStringNothingToAdd, IDOK);
  user.ExpectMessageBoxString(resources::kStringNothingToAdd, IDOK);
  user.ExpectMessageBoxString(resources::kStringNothingToAdd, IDOK);
  ItemOid task = AddPimRecord(TasksDatabaseName(), u"Order chairs");
  EXPECT_EQ(Add(0), 0) << "no item";
  EXPECT_EQ(Add(task, nullptr, u"\\My Documents\\Missing.txt"), 0) << "a missing file, even with an item";
  EXPECT_EQ(Add(0, nullptr, u"\\Nowhere\\Plan.txt"), 0) << "a path through a missing folder";
  ASSERT_EQ(user.captions.size(), 3u);
  for (size_t i = 0; i < user.captions.size(); ++i) {
    EXPECT_EQ(user.captions[i], u"Calyra");
    EXPECT_EQ(user.flags[i], MB_OK | MB_ICONHAND) << "a stop icon";
  }
  EXPECT_TRUE(Entries()->children.empty());
}

TEST_F(ProjectAddingTest, OtherRecordsAndMissingProjectsWriteNothing) {
  // A record of the project database itself is no Pocket Outlook item.
  ItemOid entryRecord = CreateProjectEntry(ProjectEntryType::Task, project_)->Save();
  ASSERT_NE(entryRecord, 0u);
  AdvanceClock();
  ItemOid category = AddPimRecord(CategoriesDatabaseName(), u"Holiday");
  EXPECT_EQ(Add(category), 0);
  EXPECT_EQ(Add(project_), 0);
  EXPECT_EQ(Add(987654), 0) << "no record at all";

  ItemOid task = AddPimRecord(TasksDatabaseName(), u"Order chairs");
  EXPECT_EQ(AddItemToProject2(nullptr, resources_, 0, task, nullptr, nullptr), 0) << "no project";
  EXPECT_EQ(AddItemToProject2(nullptr, resources_, entryRecord, task, nullptr, nullptr), 0)
      << "an entry that is no project";

  ProjectDatabase database;
  ASSERT_TRUE(database.Open());
  DatabaseInformation information;
  database.GetInformation(&information);
  EXPECT_EQ(information.records, 2u) << "the project and its one entry";
}

}  // namespace
