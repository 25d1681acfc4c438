// The projects as the picker shows them: the tree of projects and sub-projects, and each label.
#include <gtest/gtest.h>

#include "projects/ProjectStore.h"
#include "projects/ProjectTree.h"
#include "tests/projects/ProjectTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::AdvanceClock;
using calyra::testing::DeviceTest;
using calyra::testing::Local;

class ProjectTreeTest : public DeviceTest {
 protected:
  // A project under `parent` (0: top level); its record.
  static ItemOid Make(const std::u16string& name, ItemOid parent = 0) {
    AdvanceClock();
    std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(ProjectEntryType::Project, parent);
    EXPECT_NE(entry, nullptr);
    entry->name = name;
    return entry->Save();
  }
  static std::vector<std::u16string> Names(const std::vector<std::unique_ptr<ProjectEntry>>& entries) {
    std::vector<std::u16string> names;
    for (const auto& entry : entries) names.push_back(entry->name);
    return names;
  }
};

TEST_F(ProjectTreeTest, TopLevelProjectsHoldTheirSubProjectsAllTheWayDown) {
  ItemOid house = Make(u"House");
  ItemOid garden = Make(u"Garden", house);
  Make(u"Shed", garden);
  Make(u"Office");
  AdvanceClock();
  std::unique_ptr<ProjectEntry> task = CreateProjectEntry(ProjectEntryType::Task, house);
  ASSERT_NE(task->Save(), 0u);  // an item entry is no sub-project

  std::vector<std::unique_ptr<Project>> tree = LoadProjectTree();
  ASSERT_EQ(tree.size(), 2u);
  const Project& first = tree[0]->name == u"House" ? *tree[0] : *tree[1];
  EXPECT_EQ(Names(first.children), std::vector<std::u16string>{u"Garden"});
  const auto& gardenProject = static_cast<const Project&>(*first.children[0]);
  EXPECT_EQ(Names(gardenProject.children), std::vector<std::u16string>{u"Shed"});
}

TEST_F(ProjectTreeTest, AnEmptyStoreHasNoProjects) {
  EXPECT_TRUE(LoadProjectTree().empty());
}

TEST_F(ProjectTreeTest, TheLabelShowsTheNameTheEndDateAndThePercentage) {
  const SYSTEMTIME today = Local(2024, 3, 15);
  struct Case {
    std::u16string name;
    SYSTEMTIME end;
    DWORD percent;
    bool complete;
    std::u16string label;
  };
  const std::u16string fifty(50, u'x');
  const Case cases[] = {
      {u"Garden", Local(2024, 6, 30), 0, false, u"Garden (6/30)"},
      {u"Garden", Local(2025, 1, 5), 0, false, u"Garden (1/5/25)"},
      {u"Garden", Local(2024, 6, 30), 40, false, u"Garden (6/30) 40%"},
      {u"Garden", Local(2024, 6, 30), 40, true, u"Garden (Complete)"},
      {u"Garden", Local(4501, 1, 1), 0, false, u"Garden"},
      {fifty, Local(2024, 6, 30), 0, false, std::u16string(48, u'x') + u" (6/30)"},
  };
  for (const Case& each : cases) {
    Project project;
    project.name = each.name;
    project.endDate = each.end;
    project.percentComplete = each.percent;
    if (each.complete) project.SetCompletedDate(Local(2024, 3, 1));
    EXPECT_EQ(ProjectDisplayLabel(project, today, u"Complete"), each.label);
  }
}

}  // namespace
