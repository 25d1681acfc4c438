// The page containers without the component: a fake frame and items whose saves answer what a test
// asks, so that every commit result and every close action is seen from the container's side.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "editors/EditorHost.h"
#include "editors/PageContainer.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

// What the fake items and frame were asked to do.
struct Calls {
  int loads = 0;
  int saves = 0;
  std::vector<std::string> operations;
};

template <class Item>
class FakeItem : public Item {
 public:
  FakeItem(Calls& calls, HRESULT saveResult) : calls_(calls), saveResult_(saveResult) {}
  HRESULT Save(const ItemContext&) override {
    ++calls_.saves;
    return saveResult_;
  }
  bool Load(const ItemContext&) override {
    ++calls_.loads;
    return this->loaded = true;
  }
  ItemOid Copy(const ItemContext&) override { return Record("copy"); }
  ItemOid Convert(const ItemContext&) override { return Record("convert"); }
  bool Show(const ItemContext&) override { return Record("show") != 0; }
  HRESULT SendByInfrared(const ItemContext&) override { return Record("beam") ? S_OK : E_FAIL; }

 private:
  ItemOid Record(const char* operation) {
    calls_.operations.push_back(operation);
    return 1;
  }
  Calls& calls_;
  HRESULT saveResult_;
};

class FakeHost : public EditorHost {
 public:
  FakeHost(HINSTANCE resources, HWND window, Calls& calls)
      : resources_(resources), window_(window), calls_(calls) {}
  HINSTANCE Resources() const override { return resources_; }
  HWND MainWindow() const override { return window_; }
  HWND HostWindow() const override { return window_; }
  std::optional<EditorKind> OpenEditorKind() const override { return std::nullopt; }
  void SetCloseAction(CloseAction) override {}
  void SetFocusedPage(HWND) override {}
  int ScaledX(int size) const override { return size; }
  HFONT PageFont() const override { return nullptr; }
  ItemContext ItemContextFor(HWND owner) const override {
    ItemContext context;
    context.owner = owner;
    context.resources = resources_;
    return context;
  }
  bool DeleteItem(ItemKind kind, ItemOid item, const SYSTEMTIME*) override {
    calls_.operations.push_back("delete " + std::to_string(static_cast<int>(kind)) + " " +
                                std::to_string(item));
    return true;
  }
  ItemOid AddToProject(ItemOid, ItemKind, ItemOid, const SYSTEMTIME*) override { return 0; }

 private:
  HINSTANCE resources_;
  HWND window_;
  Calls& calls_;
};

class PageContainerTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    resources_ = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
    window_ =
        CreateWindowExW(0, WC_STATIC, u"", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    user_.emplace();
    user_->SetResourceModule(resources_);
    host_.emplace(resources_, window_, calls_);
    context_.host = &*host_;
    context_.owner = window_;
  }
  void TearDown() override {
    user_.reset();
    DeviceTest::TearDown();
  }
  // Closes an editor of `kind` over `item` (no pages) with `action`.
  PageContainer::CloseResult Close(EditorKind kind, PimItem& item, CloseAction action) {
    item.oid = kItem;
    context_.kind = ItemKindOf(kind);
    context_.item = &item;
    auto container = MakePageContainer(kind, context_);
    return container->Close(action);
  }
  std::u16string Text(unsigned id) const { return ResourceText(resources_, id); }

  static constexpr ItemOid kItem = 0x4242;
  HINSTANCE resources_ = nullptr;
  HWND window_ = nullptr;
  Calls calls_;
  std::optional<FakeHost> host_;
  EditorContext context_;
  std::optional<ScriptedUser> user_;
};

TEST_F(PageContainerTest, AppointmentSaveRefusalsAreExplainedByTheirResult) {
  struct Case {
    const char* name;
    HRESULT result;
    bool recurring;
    std::optional<unsigned> message;  // the string shown, none when nothing is said
  };
  const Case cases[] = {
      {"an overlapping occurrence", static_cast<HRESULT>(0x80040067), true, kStringOccurrenceOverlaps},
      {"an overlap of a single item says nothing", static_cast<HRESULT>(0x80040067), false, std::nullopt},
      {"bad dates of an occurrence", static_cast<HRESULT>(0x80040068), true, kStringOccurrenceDatesInvalid},
      {"bad dates of a single item", static_cast<HRESULT>(0x80040068), false, kStringEndBeforeStart},
      {"a bad reminder", static_cast<HRESULT>(0x8004006A), false, kStringInvalidReminder},
      {"a date that cannot move", static_cast<HRESULT>(0x8004006C), true, kStringDateCannotChange},
      {"a refusal without a message", static_cast<HRESULT>(1), false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeItem<CPIMAppointment> appointment(calls_, c.result);
    appointment.recurring = c.recurring;
    if (c.message) user_->ExpectMessageBoxString(*c.message, IDOK);
    EXPECT_EQ(Close(EditorKind::EditAppointment, appointment, CloseAction::Ok),
              PageContainer::CloseResult::Failed);
  }
}

TEST_F(PageContainerTest, OtherSaveFailuresShowTheTextAndTheResultCode) {
  FakeItem<CPIMAppointment> appointment(calls_, E_FAIL);
  user_->ExpectMessageBox(Text(kStringAppointmentNotSaved) + u" (0x80004005)", IDOK);
  EXPECT_EQ(Close(EditorKind::EditAppointment, appointment, CloseAction::Ok),
            PageContainer::CloseResult::Failed);

  FakeItem<CPIMTask> task(calls_, static_cast<HRESULT>(0x8007000E));
  user_->ExpectMessageBox(Text(kStringTaskNotSaved) + u" (0x8007000E)", IDOK);
  EXPECT_EQ(Close(EditorKind::NewTask, task, CloseAction::Ok), PageContainer::CloseResult::Failed);
}

TEST_F(PageContainerTest, EachCloseActionSavesAndRunsItsItemCommand) {
  struct Case {
    CloseAction action;
    int saves;
    int loads;  // convert and copy need the whole item
    std::vector<std::string> operations;
  };
  const std::string deleted = "delete 3 " + std::to_string(kItem);
  const Case cases[] = {
      {CloseAction::Cancel, 0, 0, {}},
      {CloseAction::ReturnToHost, 0, 0, {}},
      {CloseAction::Delete, 0, 0, {deleted}},
      {CloseAction::Convert, 1, 1, {"convert"}},
      {CloseAction::SendByInfrared, 1, 0, {"beam"}},
      {CloseAction::Copy, 1, 1, {"copy"}},
      {CloseAction::ShowInOutlook, 1, 0, {"show"}},
      {CloseAction::Ok, 1, 0, {}},
      {CloseAction::Other, 1, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.action));
    calls_ = Calls{};
    FakeItem<CPIMTask> task(calls_, S_OK);
    EXPECT_EQ(Close(EditorKind::EditTask, task, c.action), PageContainer::CloseResult::Closed);
    EXPECT_EQ(calls_.saves, c.saves);
    EXPECT_EQ(calls_.loads, c.loads);
    EXPECT_EQ(calls_.operations, c.operations);
  }
}

}  // namespace
