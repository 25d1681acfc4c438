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
  // The component's own code stays inside; the platform is the platform libraries' to export.
  for (const char* inner : {"_ZN6calyra9Component7ProcessEv", "_ZN6calyra11EditorFrame5CloseEi",
                            "_ZN6calyra10MainWindow6CreateEP6HWND__RK4RECT"}) {
    EXPECT_EQ(Resolve<void>(inner), nullptr) << inner << " leaks out of the library";
  }
}

TEST_F(ExportsTest, EveryExportAHostCallsIsThere) {
  const char* names[] = {
      "CalyraEditor_Initialize", "CalyraEditor_Destroy", "CalyraEditor_IsEditorActive",
      "CalyraEditor_HandleActivationChange", "CalyraEditor_IsDialogMessage", "CalyraEditor_PostMessage",
      "CalyraEditor_NewAppointment", "CalyraEditor_EditAppointment", "CalyraEditor_NewTask",
      "CalyraEditor_EditTask", "CalyraEditor_NewContact", "CalyraEditor_EditContact",
      "CalyraEditor_NewProject", "CalyraEditor_EditProject", "CalyraEditor_SetDisplayOptions",
      "CalyraEditor_SetEditorOptions", "CalyraEditor_SetNoteOptions", "CalyraEditor_GetNoteOptions",
      "CalyraEditor_SetJournalOptions", "CalyraEditor_GetJournalOptions", "CalyraEditor_SetContactOptions",
      "CalyraEditor_MarkTaskComplete", "CalyraEditor_ChangeDates", "CalyraEditor_MoveTaskToDate",
      "CalyraEditor_DeleteAppointment", "CalyraEditor_DeleteTask", "CalyraEditor_DeleteContact",
      "CalyraEditor_SaveAppointmentAsTask", "CalyraEditor_SaveTaskAsAppointment",
      "CalyraEditor_InitLoadLinksInformation", "CalyraEditor_IsItemLinked", "CalyraEditor_GetIconLinkImage",
      "CalyraEditor_SetIconLink", "CalyraEditor_AddLinkToItem", "CalyraEditor_OpenFloatingLinkWindow",
      "CalyraEditor_CloseFloatingLinkWindow", "CalyraEditor_IsFloatingLinkWindowOpen",
      "CalyraEditor_FloatingLinkDialog_DropItem", "CalyraEditor_FloatingLinkDialog_IsPointInRect",
      "CalyraEditor_NewAlarmNote", "CalyraEditor_EditAlarmNote", "CalyraEditor_EditAlarmNoteTime",
      "CalyraEditor_OpenJournal", "CalyraEditor_JournalEntry", "CalyraEditor_AddJournalEntryCustom",
      "CalyraEditor_DoPhraseSelection", "CalyraEditor_FreePhraseBuffer",
      "CalyraEditor_GetAddressCityLineFormat", "CalyraEditor_SaveItemAsTemplate",
      "CalyraEditor_GetTemplateCount", "CalyraEditor_FillListViewWithTemplates",
      "CalyraEditor_EditTemplateName", "CalyraEditor_CategoryAddDeleteDialog",
      "CalyraEditor_IsCategoryImageChanged", "CalyraEditor_AddItemToProject",
      "CalyraEditor_AddItemToProject2",
      // The second reminder takes the appointment object and keeps its C++ name.
      "_Z33CalyraEditor_EditDualReminderTimeP6HWND__jPK10SYSTEMTIMEPS1_PN6calyra15CPIMAppointmentE"};
  for (const char* name : names) EXPECT_NE(Resolve<void>(name), nullptr) << name << " is missing";
}

TEST_F(ExportsTest, ExportsWithNothingToWorkOnAnswerTheirFailureValues) {
  EXPECT_EQ(Resolve<decltype(CalyraEditor_GetIconLinkImage)>("CalyraEditor_GetIconLinkImage")(42), nullptr);
  WCHAR* text = reinterpret_cast<WCHAR*>(0x1);
  EXPECT_EQ(Resolve<decltype(CalyraEditor_DoPhraseSelection)>("CalyraEditor_DoPhraseSelection")(
                nullptr, 1, nullptr, &text),
            0);
  EXPECT_EQ(text, nullptr) << "no buffer for the caller to free";
  EXPECT_EQ(Resolve<decltype(CalyraEditor_SaveTaskAsAppointment)>("CalyraEditor_SaveTaskAsAppointment")(0),
            0u);
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
