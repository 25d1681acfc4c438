#include "hosts/calyra/EditorLibrary.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace calyra::host {

namespace {

constexpr const char* kLibraryName = "libCalyraEditor.so";

std::string LibraryPath() {
  std::error_code error;
  if (std::filesystem::exists(CALYRA_EDITOR_LIBRARY, error)) return CALYRA_EDITOR_LIBRARY;
  // An installed host carries the library beside itself.
  auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(kLibraryName) : (executable.parent_path() / kLibraryName).string();
}

template <class F>
bool Resolve(void* handle, const char* name, F* slot, std::string* error) {
  *slot = reinterpret_cast<F>(dlsym(handle, name));
  if (*slot == nullptr && error->empty()) *error = std::string("the component does not export ") + name;
  return *slot != nullptr;
}

}  // namespace

bool EditorLibrary::Load(std::string* error) {
  path_ = LibraryPath();
  handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    *error = "cannot load " + path_ + ": " + (reason ? reason : "unknown error");
    return false;
  }
  error->clear();
  EditorExports& e = exports_;
  bool all = true;
  all &= Resolve(handle_, "CalyraEditor_Initialize", &e.initialize, error);
  all &= Resolve(handle_, "CalyraEditor_Destroy", &e.destroy, error);
  all &= Resolve(handle_, "CalyraEditor_IsEditorActive", &e.isEditorActive, error);
  all &= Resolve(handle_, "CalyraEditor_SetEditorOptions", &e.setEditorOptions, error);
  all &= Resolve(handle_, "CalyraEditor_SetNoteOptions", &e.setNoteOptions, error);
  all &= Resolve(handle_, "CalyraEditor_SetDisplayOptions", &e.setDisplayOptions, error);
  all &= Resolve(handle_, "CalyraEditor_SetJournalOptions", &e.setJournalOptions, error);
  all &= Resolve(handle_, "CalyraEditor_SetContactOptions", &e.setContactOptions, error);
  all &= Resolve(handle_, "CalyraEditor_NewAppointment", &e.newAppointment, error);
  all &= Resolve(handle_, "CalyraEditor_NewTask", &e.newTask, error);
  all &= Resolve(handle_, "CalyraEditor_NewContact", &e.newContact, error);
  all &= Resolve(handle_, "CalyraEditor_EditAppointment", &e.editAppointment, error);
  all &= Resolve(handle_, "CalyraEditor_EditTask", &e.editTask, error);
  all &= Resolve(handle_, "CalyraEditor_EditContact", &e.editContact, error);
  all &= Resolve(handle_, "CalyraEditor_CategoryAddDeleteDialog", &e.categoryAddDeleteDialog, error);
  all &= Resolve(handle_, "CalyraEditor_AddLinkToItem", &e.addLinkToItem, error);
  all &= Resolve(handle_, "CalyraEditor_SetIconLink", &e.setIconLink, error);
  all &= Resolve(handle_, "CalyraEditor_OpenFloatingLinkWindow", &e.openFloatingLinkWindow, error);
  all &= Resolve(handle_, "CalyraEditor_CloseFloatingLinkWindow", &e.closeFloatingLinkWindow, error);
  all &= Resolve(handle_, "CalyraEditor_FloatingLinkDialog_DropItem", &e.floatingLinkDropItem, error);
  all &=
      Resolve(handle_, "CalyraEditor_FloatingLinkDialog_IsPointInRect", &e.floatingLinkIsPointInRect, error);
  all &= Resolve(handle_, "CalyraEditor_MarkTaskComplete", &e.markTaskComplete, error);
  all &= Resolve(handle_, "CalyraEditor_MoveTaskToDate", &e.moveTaskToDate, error);
  all &= Resolve(handle_, "CalyraEditor_DeleteAppointment", &e.deleteAppointment, error);
  all &= Resolve(handle_, "CalyraEditor_OpenJournal", &e.openJournal, error);
  all &= Resolve(handle_, "CalyraEditor_AddItemToProject2", &e.addItemToProject2, error);
  all &= Resolve(handle_, "CalyraEditor_EditProject", &e.editProject, error);
  all &= Resolve(handle_, "CalyraEditor_NewProject", &e.newProject, error);
  all &= Resolve(handle_, "CalyraEditor_AddJournalEntryCustom", &e.addJournalEntryCustom, error);
  all &= Resolve(handle_, "CalyraEditor_SaveItemAsTemplate", &e.saveItemAsTemplate, error);
  all &= Resolve(handle_, "CalyraEditor_FillListViewWithTemplates", &e.fillListViewWithTemplates, error);
  if (!all) *error += " (" + path_ + ")";
  return all;
}

void* EditorLibrary::Find(const char* symbol) const {
  return handle_ ? dlsym(handle_, symbol) : nullptr;
}

}  // namespace calyra::host
