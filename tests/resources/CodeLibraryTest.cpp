#include <gtest/gtest.h>

#include "CalyraEditorResources.h"
#include "platform/core/LastError.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

using AnswerFunction = int (*)();

class CodeLibraryTest : public DeviceTest {
 protected:
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    DeviceTest::TearDown();
  }
  HINSTANCE module_ = nullptr;
};

TEST_F(CodeLibraryTest, EntryPointsAreFoundByName) {
  module_ = LoadLibraryW(u"CalyraNoResources.dll");
  ASSERT_NE(module_, nullptr) << GetLastError();
  auto answer = reinterpret_cast<AnswerFunction>(GetProcAddressW(module_, u"CalyraNoResources_Answer"));
  ASSERT_NE(answer, nullptr) << GetLastError();
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(GetProcAddress(module_, u"CalyraNoResources_Answer"), reinterpret_cast<FARPROC>(answer));
}

TEST_F(CodeLibraryTest, MissingEntryPointIsNotFound) {
  module_ = LoadLibraryW(u"CalyraNoResources.dll");
  ASSERT_NE(module_, nullptr);
  for (const char16_t* name : {u"CalyraNoResources_Question", u"calyranoresources_answer", u""}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddressW(module_, name), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  }
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(module_, u"malloc"), nullptr) << "only the library's own exports";
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(module_, MAKEINTRESOURCEW(1)), nullptr) << "no numbered entries";
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(module_, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(CodeLibraryTest, MissingLibraryHasNoEntryPoints) {
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(u"NoSuchLibrary.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(nullptr, u"CalyraNoResources_Answer"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(CodeLibraryTest, ResourceLibraryHasItsEntryPointToo) {
  module_ = LoadLibraryW(u"CalyraEditorResources.dll");
  ASSERT_NE(module_, nullptr);
  auto table =
      reinterpret_cast<CalyraResourcesTableFunction>(GetProcAddressW(module_, u"CalyraResources_Table"));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table()->version, CALYRA_RESOURCES_VERSION);
}

TEST_F(CodeLibraryTest, ModuleBuiltInMemoryHasNoEntryPoints) {
  module_ = platform::RegisterResourceModule(std::make_shared<platform::ResourceModule>());
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(module_, u"CalyraResources_Table"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
}

TEST_F(CodeLibraryTest, FreedHandleFindsNothingButFoundEntriesStayCallable) {
  HINSTANCE module = LoadLibraryW(u"CalyraNoResources.dll");
  ASSERT_NE(module, nullptr);
  auto answer = reinterpret_cast<AnswerFunction>(GetProcAddressW(module, u"CalyraNoResources_Answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_TRUE(FreeLibrary(module));
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(module, u"CalyraNoResources_Answer"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(FreeLibrary(module));
  EXPECT_EQ(answer(), 42) << "libraries are never unloaded";
}

}  // namespace
