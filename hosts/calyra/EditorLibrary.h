#pragma once

#include <string>

#include "CalyraEditor.h"

namespace calyra::host {

// The exports the demo host calls, resolved from the loaded library; the declarations of
// CalyraEditor.h give only their types, so the host never links the component.
struct EditorExports {
  decltype(&CalyraEditor_Initialize) initialize = nullptr;
  decltype(&CalyraEditor_Destroy) destroy = nullptr;
  decltype(&CalyraEditor_IsEditorActive) isEditorActive = nullptr;
  decltype(&CalyraEditor_SetEditorOptions) setEditorOptions = nullptr;
  decltype(&CalyraEditor_SetNoteOptions) setNoteOptions = nullptr;
  decltype(&CalyraEditor_SetDisplayOptions) setDisplayOptions = nullptr;
  decltype(&CalyraEditor_SetJournalOptions) setJournalOptions = nullptr;
  decltype(&CalyraEditor_SetContactOptions) setContactOptions = nullptr;
  decltype(&CalyraEditor_NewAppointment) newAppointment = nullptr;
  decltype(&CalyraEditor_NewTask) newTask = nullptr;
  decltype(&CalyraEditor_NewContact) newContact = nullptr;
  decltype(&CalyraEditor_EditAppointment) editAppointment = nullptr;
  decltype(&CalyraEditor_EditTask) editTask = nullptr;
  decltype(&CalyraEditor_EditContact) editContact = nullptr;
  decltype(&CalyraEditor_CategoryAddDeleteDialog) categoryAddDeleteDialog = nullptr;
  decltype(&CalyraEditor_AddLinkToItem) addLinkToItem = nullptr;
  decltype(&CalyraEditor_SetIconLink) setIconLink = nullptr;
  decltype(&CalyraEditor_OpenFloatingLinkWindow) openFloatingLinkWindow = nullptr;
  decltype(&CalyraEditor_CloseFloatingLinkWindow) closeFloatingLinkWindow = nullptr;
  decltype(&CalyraEditor_FloatingLinkDialog_DropItem) floatingLinkDropItem = nullptr;
  decltype(&CalyraEditor_FloatingLinkDialog_IsPointInRect) floatingLinkIsPointInRect = nullptr;
  decltype(&CalyraEditor_MarkTaskComplete) markTaskComplete = nullptr;
  decltype(&CalyraEditor_MoveTaskToDate) moveTaskToDate = nullptr;
  decltype(&CalyraEditor_DeleteAppointment) deleteAppointment = nullptr;
  decltype(&CalyraEditor_OpenJournal) openJournal = nullptr;
  decltype(&CalyraEditor_AddJournalEntryCustom) addJournalEntryCustom = nullptr;
  decltype(&CalyraEditor_AddItemToProject2) addItemToProject2 = nullptr;
  decltype(&CalyraEditor_EditProject) editProject = nullptr;
  decltype(&CalyraEditor_NewProject) newProject = nullptr;
  decltype(&CalyraEditor_SaveItemAsTemplate) saveItemAsTemplate = nullptr;
  decltype(&CalyraEditor_FillListViewWithTemplates) fillListViewWithTemplates = nullptr;
};

// libCalyraEditor.so, loaded as a device host loads the component's DLL: at run time, by path, with
// every export looked up by name. The library stays loaded for the life of the process, as hosts
// keep it, so that the windows and caches it made stay valid until exit.
class EditorLibrary {
 public:
  // Loads the library (the build's copy, else the one beside the executable) and resolves every
  // export of EditorExports; false with `error` naming the file or the missing export.
  bool Load(std::string* error);
  const EditorExports& Exports() const { return exports_; }
  const std::string& Path() const { return path_; }
  // Any symbol of the loaded library by name; null when it has none.
  void* Find(const char* symbol) const;

 private:
  void* handle_ = nullptr;
  std::string path_;
  EditorExports exports_;
};

}  // namespace calyra::host
