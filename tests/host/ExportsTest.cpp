#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "CalyraEditor.h"

namespace {

// The library as a host loads it: loaded for good, as hosts keep it, so that the caches of the
// libraries it brings along stay reachable.
class ExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = dlopen(CALYRA_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ASSERT_NE(library_, nullptr) << dlerror();
  }
  void TearDown() override {
    if (library_) dlclose(library_);
  }
  template <class F>
  F* Resolve(const char* name) {
    return reinterpret_cast<F*>(dlsym(library_, name));
  }
  void* library_ = nullptr;
};

TEST_F(ExportsTest, OnlyTheComponentsExportsAreVisible) {
  EXPECT_NE(Resolve<void>("CalyraEditor_GetAddressCityLineFormat"), nullptr);
  for (const char* name :
       {"CalyraEditor_FreePhraseBuffer", "CalyraEditor_SetEditorOptions", "CalyraEditor_SetNoteOptions",
        "CalyraEditor_GetNoteOptions", "CalyraEditor_SetDisplayOptions", "CalyraEditor_SetJournalOptions",
        "CalyraEditor_GetJournalOptions", "CalyraEditor_SetContactOptions", "CalyraEditor_JournalEntry"}) {
    EXPECT_NE(Resolve<void>(name), nullptr) << name;
  }
  for (const char* inner :
       {"CeOpenDatabaseEx", "RegOpenKeyExW", "CreateFileW", "GetLastError", "LocalAlloc"}) {
    EXPECT_EQ(Resolve<void>(inner), nullptr) << inner << " leaks out of the library";
  }
}

TEST_F(ExportsTest, CityLinesThroughTheExport) {
  auto* format =
      Resolve<decltype(CalyraEditor_GetAddressCityLineFormat)>("CalyraEditor_GetAddressCityLineFormat");
  ASSERT_NE(format, nullptr);
  WCHAR output[64];
  ASSERT_EQ(format(u"Deutschland", u"Berlin", nullptr, u"10115", output, 64), 1);
  EXPECT_EQ(std::u16string(output), u"10115 Berlin ");
  EXPECT_EQ(format(u"usa", u"Town", u"RG", u"123", output, 64), 1);
  EXPECT_EQ(std::u16string(output), u"Town RG 123");
  EXPECT_EQ(format(u"Germany", u"Town", nullptr, u"123", output, 9), 0) << "total + 2 is too small";
  EXPECT_EQ(output[0], u'\0');
  EXPECT_EQ(format(u"Germany", u"Town", nullptr, u"123", output, -5), 0);
  EXPECT_EQ(format(u"Germany", u"Town", nullptr, u"123", nullptr, 64), 0);

  auto* setEditor = Resolve<decltype(CalyraEditor_SetEditorOptions)>("CalyraEditor_SetEditorOptions");
  auto* getNote = Resolve<decltype(CalyraEditor_GetNoteOptions)>("CalyraEditor_GetNoteOptions");
  ASSERT_NE(setEditor, nullptr);
  ASSERT_NE(getNote, nullptr);
  CalyraEditorOptions editor{};
  EXPECT_EQ(setEditor(&editor), 1);
  EXPECT_EQ(setEditor(nullptr), 0);
  CalyraNoteOptions note{};
  EXPECT_EQ(getNote(&note), 1);
  EXPECT_EQ(note.zoom, 1u);

  auto* release = Resolve<decltype(CalyraEditor_FreePhraseBuffer)>("CalyraEditor_FreePhraseBuffer");
  ASSERT_NE(release, nullptr);
  release(nullptr);  // nothing to free is no failure
}

}  // namespace
