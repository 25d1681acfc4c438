// Adding an item or a file to a project the person picks, through CalyraEditor_AddItemToProject.
#include <gtest/gtest.h>

#include "CalyraEditor.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
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

class AddItemToProjectTest : public EditorHostTest {
 protected:
  ItemOid SubProject(const std::u16string& name, ItemOid parent) {
    AdvanceClock();
    std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(ProjectEntryType::Project, parent);
    entry->name = name;
    return entry->Save();
  }
  static CEOID Add(CEOID item, const WCHAR* file = nullptr) {
    return CalyraEditor_AddItemToProject(nullptr, 0, u"the item", item, nullptr, file);
  }
  static std::vector<std::u16string> Labels(HWND dialog) {
    std::vector<std::u16string> labels;
    HWND tree = GetDlgItem(dialog, kProjectPickerTree);
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
      labels.push_back(Text(tree, item));
      for (HTREEITEM child = TreeView_GetChild(tree, item); child;
           child = TreeView_GetNextSibling(tree, child))
        labels.push_back(u"  " + Text(tree, child));
    }
    return labels;
  }
  static std::u16string Text(HWND tree, HTREEITEM item) {
    WCHAR text[128] = {};
    TVITEMW value{};
    value.mask = TVIF_TEXT;
    value.hItem = item;
    value.pszText = text;
    value.cchTextMax = 128;
    TreeView_GetItem(tree, &value);
    return text;
  }
  static size_t EntriesOf(ItemOid project) {
    Project loaded;
    EXPECT_TRUE(loaded.Load(project));
    loaded.LoadChildren(kItemAndFileEntries, false);
    return loaded.children.size();
  }
};

TEST_F(AddItemToProjectTest, ThePickedProjectGetsTheItemAndItsRecordComesBack) {
  ItemOid house = SaveProject(u"House");
  ItemOid garden = SubProject(u"Garden", house);
  ItemOid task = SaveTask(u"Mow the lawn");
  std::vector<std::u16string> labels;
  HWND named = nullptr;
  user_->ExpectDialog(kDialogProjectPicker)
      .Do("read the tree",
          [&](HWND dialog) {
            labels = Labels(dialog);
            named = Component::Process().modalDialog;
            return true;
          })
      .ChooseText(kProjectPickerTree, u"Garden")
      .Click(IDOK);
  EXPECT_EQ(Add(task), garden);
  EXPECT_EQ(labels, (std::vector<std::u16string>{u"House", u"  Garden"}));
  EXPECT_NE(named, nullptr);
  EXPECT_EQ(EntriesOf(garden), 1u);
  EXPECT_EQ(EntriesOf(house), 0u);

  // The same task again: the picker closes, nothing is added, and no project comes back.
  user_->ExpectDialog(kDialogProjectPicker).ChooseText(kProjectPickerTree, u"Garden").Click(IDOK);
  EXPECT_EQ(Add(task), 0u);
  EXPECT_EQ(EntriesOf(garden), 1u);
}

TEST_F(AddItemToProjectTest, TheFirstProjectIsSelectedAndCancelAddsNothing) {
  ItemOid house = SaveProject(u"House");
  ItemOid task = SaveTask(u"Mow the lawn");
  user_->ExpectDialog(kDialogProjectPicker).Click(IDCANCEL);
  EXPECT_EQ(Add(task), 0u);
  user_->ExpectDialog(kDialogProjectPicker).Click(IDOK);
  EXPECT_EQ(Add(task), house);
}

TEST_F(AddItemToProjectTest, NothingToAddIsRefusedBeforeThePicker) {
  SaveProject(u"House");
  user_->ExpectMessageBoxString(kStringNothingToAdd, IDOK);
  EXPECT_EQ(Add(0), 0u);
  user_->ExpectMessageBoxString(kStringNothingToAdd, IDOK);
  EXPECT_EQ(Add(0, u"\\My Documents\\missing.txt"), 0u);
}

TEST_F(AddItemToProjectTest, AFileIsAddedToTheProjectPicked) {
  ItemOid house = SaveProject(u"House");
  WriteDeviceFile(u"\\plan.txt", "plan");
  user_->ExpectDialog(kDialogProjectPicker).Click(IDOK);
  EXPECT_EQ(Add(0, u"\\plan.txt"), house);
  EXPECT_EQ(EntriesOf(house), 1u);
}

// The editors' and the summary's "add to project" commands go through the same picker.
class AddToProjectCommandTest : public AddItemToProjectTest {
 protected:
  void PickGarden() {
    user_->ExpectDialog(kDialogProjectPicker).ChooseText(kProjectPickerTree, u"Garden").Click(IDOK);
  }
  void Command(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    Pump();
  }
};

TEST_F(AddToProjectCommandTest, AnOpenSavedTaskJoinsTheProjectAtOnceAndTheHostHears) {
  ItemOid house = SaveProject(u"House");
  ItemOid garden = SubProject(u"Garden", house);
  ItemOid task = SaveTask(u"Mow the lawn");
  ASSERT_EQ(EditItem(EditorKind::EditTask, task).Post(), 1);
  Pump();
  HostMessages();
  PickGarden();
  Command(Frame().FocusedPage(), kCommandAddToProject);
  EXPECT_EQ(EntriesOf(garden), 1u);
  EXPECT_EQ(HostMessagesAre({{kNotifyItemSaved, platform::kPosted | platform::kWParam | platform::kLParam,
                              kItemSavedWithResult, static_cast<LPARAM>(garden)}}),
            "");
}

TEST_F(AddToProjectCommandTest, ANewTaskJoinsTheProjectWhenItIsSaved) {
  ItemOid house = SaveProject(u"House");
  ItemOid garden = SubProject(u"Garden", house);
  ASSERT_EQ(NewItem(EditorKind::NewTask).Subject(u"Prune").Post(), 1);
  Pump();
  PickGarden();
  Command(Frame().FocusedPage(), kCommandAddToProject);
  EXPECT_EQ(EntriesOf(garden), 0u) << "nothing to add before the save";
  Command(Frame().FocusedPage(), kCommandOk);
  EXPECT_EQ(EntriesOf(garden), 1u);
}

TEST_F(AddToProjectCommandTest, TheSummarysProjectButtonAddsItsItemAndStaysOpen) {
  ItemOid house = SaveProject(u"House");
  ItemOid garden = SubProject(u"Garden", house);
  ItemOid task = SaveTask(u"Mow the lawn");
  ASSERT_EQ(EditItem(EditorKind::EditTask, task).Summary().Post(), 1);
  Pump();
  HWND summary = Component::Process().mainWindow->SummaryHandle();
  ASSERT_NE(summary, nullptr);
  PickGarden();
  platform::UserClick(GetDlgItem(summary, kCommandAddToProject));
  Pump();
  EXPECT_EQ(EntriesOf(garden), 1u);
  EXPECT_EQ(Component::Process().mainWindow->SummaryHandle(), summary);

  // The same item a second time: the picker adds nothing and the host hears nothing.
  HostMessages();
  PickGarden();
  platform::UserClick(GetDlgItem(summary, kCommandAddToProject));
  Pump();
  EXPECT_EQ(EntriesOf(garden), 1u);
  EXPECT_TRUE(HostMessages().empty());
}

}  // namespace
