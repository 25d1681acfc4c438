#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "projects/FileEntry.h"
#include "projects/LinkedItemEntry.h"
#include "projects/Project.h"
#include "projects/ProjectStore.h"
#include "tests/projects/ProjectTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::AdvanceClock;
using calyra::testing::DeviceTest;

// A tree of two top-level projects:
//   Office: task 1, contact 2, time record, file, sub-project Move (appointment 3, sub-project Boxes
//   (task 4))
//   Garden: task 5
class ProjectChildrenTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    office_ = NewProject(0, u"Office");
    garden_ = NewProject(0, u"Garden");
    NewEntry(ProjectEntryType::Task, office_, 1);
    NewEntry(ProjectEntryType::Contact, office_, 2);
    NewEntry(ProjectEntryType::TimeRecord, office_, 0);
    NewEntry(ProjectEntryType::File, office_, 0);
    move_ = NewProject(office_, u"Move");
    NewEntry(ProjectEntryType::Appointment, move_, 3);
    boxes_ = NewProject(move_, u"Boxes");
    NewEntry(ProjectEntryType::Task, boxes_, 4);
    NewEntry(ProjectEntryType::Task, garden_, 5);
  }

  ItemOid NewProject(ItemOid parent, const std::u16string& name) {
    AdvanceClock();
    auto project = CreateProjectEntry(ProjectEntryType::Project, parent);
    EXPECT_NE(project, nullptr);
    project->name = name;
    return project->Save();
  }
  void NewEntry(ProjectEntryType type, ItemOid parent, ItemOid item) {
    AdvanceClock();
    auto entry = CreateProjectEntry(type, parent);
    ASSERT_NE(entry, nullptr);
    if (auto* linked = dynamic_cast<LinkedItemEntry*>(entry.get())) linked->linkedItem = item;
    if (auto* file = dynamic_cast<FileEntry*>(entry.get())) file->filePath = u"\\Plan.txt";
    ASSERT_NE(entry->Save(), 0u);
  }

  // The children as "type:item" or "type:name" texts, in a stable order, nested ones in brackets.
  static std::string Describe(const Project& project) {
    std::vector<std::string> parts;
    for (const auto& child : project.children) {
      std::string part = std::to_string(static_cast<DWORD>(child->entryType)) + ":";
      if (auto* linked = dynamic_cast<const LinkedItemEntry*>(child.get())) {
        part += std::to_string(linked->linkedItem);
      } else {
        part += std::string(child->name.begin(), child->name.end());
      }
      if (auto* sub = dynamic_cast<const Project*>(child.get()); sub && !sub->children.empty()) {
        part += "[" + Describe(*sub) + "]";
      }
      parts.push_back(part);
    }
    std::sort(parts.begin(), parts.end());
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : " ") + part;
    return text;
  }
  std::string Children(ItemOid record, DWORD mask, bool recurse) {
    Project project;
    EXPECT_TRUE(project.Load(record));
    EXPECT_TRUE(project.LoadChildren(mask, recurse));
    return Describe(project);
  }

  ItemOid office_ = 0;
  ItemOid garden_ = 0;
  ItemOid move_ = 0;
  ItemOid boxes_ = 0;
};

TEST_F(ProjectChildrenTest, MaskChoosesTheTypes) {
  EXPECT_EQ(Children(office_, kAllEntryTypes, false), "16:2 1:Move 2: 32: 8:1");
  EXPECT_EQ(Children(office_, kItemAndFileEntries, false), "16:2 32: 8:1");
  EXPECT_EQ(Children(office_, kProjectEntriesOnly, false), "1:Move");
  EXPECT_EQ(Children(office_, static_cast<DWORD>(ProjectEntryType::TimeRecord), false), "2:");
  EXPECT_EQ(Children(garden_, kAllEntryTypes, false), "8:5") << "only the project's own entries";
  EXPECT_EQ(Children(boxes_, kProjectEntriesOnly, false), "");
}

TEST_F(ProjectChildrenTest, RecursionFillsEachSubProject) {
  EXPECT_EQ(Children(office_, kAllEntryTypes, true), "16:2 1:Move[1:Boxes[8:4] 4:3] 2: 32: 8:1");
  EXPECT_EQ(Children(office_, kProjectEntriesOnly, true), "1:Move[1:Boxes]");
  EXPECT_EQ(Children(office_, kItemAndFileEntries, true), "16:2 32: 8:1")
      << "sub-projects outside the mask are not entered";
  EXPECT_EQ(Children(move_, kAllEntryTypes, true), "1:Boxes[8:4] 4:3");
}

TEST_F(ProjectChildrenTest, ReloadingReplacesTheList) {
  Project project;
  ASSERT_TRUE(project.Load(office_));
  ASSERT_TRUE(project.LoadChildren(kAllEntryTypes, false));
  EXPECT_EQ(project.children.size(), 5u);
  ASSERT_TRUE(project.LoadChildren(kProjectEntriesOnly, false));
  EXPECT_EQ(project.children.size(), 1u);
  ASSERT_TRUE(project.Load(garden_));
  EXPECT_TRUE(project.children.empty()) << "loading another project drops the old children";

  Project fresh;
  fresh.InitNew();
  EXPECT_TRUE(fresh.LoadChildren(kAllEntryTypes, true));
  EXPECT_TRUE(fresh.children.empty()) << "a new project contains nothing yet";
}

}  // namespace
