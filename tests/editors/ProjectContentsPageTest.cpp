// The project editor's contents page: the project's items and files listed with their icons and
// dates, a file added through the file dialog, an entry opened and one removed.
#include <gtest/gtest.h>

#include "CalyraEditor.h"
#include "editors/EditorMessages.h"
#include "host/EditorFrame.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/AppointmentEntry.h"
#include "projects/FileEntry.h"
#include "projects/Project.h"
#include "projects/ProjectStore.h"
#include "resources/ResourceIds.h"
#include "tests/projects/ProjectTestSupport.h"
#include "tests/support/PhraseFiles.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

constexpr int kContentsTab = 2;

class ProjectContentsPageTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    project_ = SaveProject(u"House");
  }
  void AddEntry(ProjectEntryType type, ItemOid item, const std::u16string& path = u"",
                const SYSTEMTIME* date = nullptr) {
    AdvanceClock();
    std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(type, project_);
    if (auto* file = dynamic_cast<FileEntry*>(entry.get())) file->filePath = path;
    if (auto* linked = dynamic_cast<LinkedItemEntry*>(entry.get())) linked->linkedItem = item;
    if (auto* appointment = dynamic_cast<AppointmentEntry*>(entry.get()); appointment && date)
      appointment->itemDate = *date;
    ASSERT_NE(entry->Save(), 0u);
  }
  void OpenContents() {
    ASSERT_EQ(EditItem(EditorKind::EditProject, project_).Post(), 1);
    Pump();
    ASSERT_TRUE(platform::UserSelectTab(Tabs(), kContentsTab));
    Pump();
  }
  HWND List() { return GetDlgItem(Frame().FocusedPage(), kProjectContentsList); }
  // The rows as "date|text|image".
  std::vector<std::u16string> Rows() {
    std::vector<std::u16string> rows;
    for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
      WCHAR date[64] = {}, text[128] = {};
      ListView_GetItemText(List(), row, 0, date, 64);
      ListView_GetItemText(List(), row, 1, text, 128);
      LVITEMW item{};
      item.mask = LVIF_IMAGE;
      item.iItem = row;
      ListView_GetItem(List(), &item);
      rows.push_back(std::u16string(date) + u"|" + text + u"|" +
                     platform::FromUtf8(std::to_string(item.iImage)));
    }
    return rows;
  }
  void Command(int id) {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    Pump();
  }

  ItemOid project_ = 0;
};

TEST_F(ProjectContentsPageTest, EntriesAreListedByKindWithTheirIconsAndDates) {
  ItemOid task = SaveTask(u"Mow the lawn");
  ItemOid other = SaveTask(u"Buy seeds");
  AddEntry(ProjectEntryType::File, 0, u"\\My Documents\\plan.txt");
  AddEntry(ProjectEntryType::Task, task);
  AddEntry(ProjectEntryType::Task, other);
  OpenContents();
  EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"|Buy seeds|1", u"|Mow the lawn|1", u"|plan.txt|3"}));
}

TEST_F(ProjectContentsPageTest, AFileIsAddedOpenedAndRemoved) {
  CreateDirectoryW(u"\\My Documents", nullptr);
  WriteDeviceFile(u"\\My Documents\\plan.txt", "plan");
  OpenContents();
  user_->ExpectFileDialog(u"\\My Documents\\plan.txt");
  Command(kProjectAddFile);
  ASSERT_EQ(Rows(), (std::vector<std::u16string>{u"|plan.txt|3"}));
  Project stored;
  ASSERT_TRUE(stored.Load(project_));
  ASSERT_TRUE(stored.LoadChildren(kItemAndFileEntries, false));
  EXPECT_EQ(stored.children.size(), 1u) << "written at once";

  ASSERT_TRUE(platform::UserClickListViewItem(List(), 0));
  Command(kProjectContentsRemove);
  EXPECT_TRUE(Rows().empty());
  ASSERT_TRUE(stored.LoadChildren(kItemAndFileEntries, false));
  EXPECT_TRUE(stored.children.empty());
}

TEST_F(ProjectContentsPageTest, OpeningAnItemAsksTheHost) {
  ItemOid task = SaveTask(u"Mow the lawn");
  AddEntry(ProjectEntryType::Task, task);
  OpenContents();
  HostMessages();
  ASSERT_TRUE(platform::UserClickListViewItem(List(), 0));
  Command(kProjectContentsOpen);
  EXPECT_EQ(HostMessagesAre({{kNotifyOpenItem, platform::kPosted | platform::kWParam | platform::kLParam,
                              static_cast<WPARAM>(ItemKind::Task), static_cast<LPARAM>(task)}}),
            "");
}

}  // namespace
