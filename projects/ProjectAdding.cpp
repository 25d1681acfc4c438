#include "projects/ProjectAdding.h"

#include <string>

#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/ui/UserAgent.h"
#include "projects/AppointmentEntry.h"
#include "projects/FileEntry.h"
#include "projects/Project.h"
#include "projects/ProjectStore.h"
#include "resources/ResourceIds.h"
#include "store/ItemIdentity.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

constexpr UINT kStopIcon = MB_ICONHAND;

// A file counts as there when it can be opened or, failing that (a file open elsewhere without
// sharing), when its attributes can be read.
bool FileExists(const char16_t* path) {
  HANDLE file =
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return true;
  }
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

bool HasItem(const Project& project, ItemOid item) {
  for (const auto& child : project.children) {
    const auto* linked = dynamic_cast<const LinkedItemEntry*>(child.get());
    if (linked && linked->linkedItem == item) return true;
  }
  return false;
}

bool HasFile(const Project& project, std::u16string_view path) {
  for (const auto& child : project.children) {
    const auto* file = dynamic_cast<const FileEntry*>(child.get());
    if (file && platform::EqualsNoCase(file->filePath, path)) return true;
  }
  return false;
}

ProjectEntryType EntryTypeOfItem(ItemOid item) {
  switch (ItemKindOf(item)) {
    case ItemKind::Appointment:
      return ProjectEntryType::Appointment;
    case ItemKind::Task:
      return ProjectEntryType::Task;
    case ItemKind::Contact:
      return ProjectEntryType::Contact;
    default:
      return ProjectEntryType::None;
  }
}

}  // namespace

bool CheckAddable(HWND owner, HINSTANCE resources, ItemOid item, const char16_t* filePath) {
  bool isFile = filePath != nullptr && filePath[0] != u'\0';
  if (isFile ? FileExists(filePath) : item != 0) return true;
  MessageBoxW(owner, ResourceText(resources, resources::kStringNothingToAdd).c_str(),
              ResourceText(resources, resources::kStringCaption).c_str(), MB_OK | kStopIcon);
  return false;
}

int AddItemToProject2(HWND owner, HINSTANCE resources, ItemOid projectRecord, ItemOid item,
                      const SYSTEMTIME* date, const char16_t* filePath) {
  if (!CheckAddable(owner, resources, item, filePath)) return 0;
  bool isFile = filePath != nullptr && filePath[0] != u'\0';
  Project project;
  if (!project.Load(projectRecord) || !project.LoadChildren(kItemAndFileEntries, false)) return 0;
  if (isFile ? HasFile(project, filePath) : HasItem(project, item)) return 0;

  ProjectEntryType type = isFile ? ProjectEntryType::File : EntryTypeOfItem(item);
  if (type == ProjectEntryType::None) return 0;
  std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(type, projectRecord);
  if (!entry) return 0;
  if (isFile) {
    static_cast<FileEntry&>(*entry).filePath = filePath;
  } else {
    static_cast<LinkedItemEntry&>(*entry).linkedItem = item;
    if (type == ProjectEntryType::Appointment && date != nullptr) {
      static_cast<AppointmentEntry&>(*entry).itemDate = *date;
    }
  }
  return entry->Save() != 0 ? 1 : 0;
}

}  // namespace calyra
