#include "editors/ProjectContentsPage.h"

#include <algorithm>

#include "editors/DocumentChooser.h"
#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "editors/ImageStrip.h"
#include "links/LinkOperations.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/AppointmentEntry.h"
#include "projects/FileEntry.h"
#include "projects/Project.h"
#include "projects/ProjectStore.h"
#include "store/ItemDescription.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

using namespace resources;

constexpr size_t kPathChars = 260;
constexpr size_t kDescriptionChars = 4096;
constexpr char16_t kDateSample[] = u"(12/28/2999) ";
constexpr int kDateColumn = 0;
constexpr int kTextColumn = 1;

int ImageOf(ProjectEntryType type) {
  switch (type) {
    case ProjectEntryType::Appointment:
      return kProjectImageAppointment;
    case ProjectEntryType::Task:
      return kProjectImageTask;
    case ProjectEntryType::Contact:
      return kProjectImageContact;
    default:
      return kProjectImageFile;
  }
}

ItemKind KindOf(ProjectEntryType type) {
  switch (type) {
    case ProjectEntryType::Appointment:
      return ItemKind::Appointment;
    case ProjectEntryType::Task:
      return ItemKind::Task;
    case ProjectEntryType::Contact:
      return ItemKind::Contact;
    default:
      return ItemKind::None;
  }
}

std::u16string FileName(const std::u16string& path) {
  size_t slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ProjectContentsPage::~ProjectContentsPage() {
  DestroyDialog();
  if (images_) ImageList_Destroy(images_);
}

void ProjectContentsPage::Load() {
  if (!columnsMade_) {
    images_ =
        LoadImageStrip(Host().Resources(), kBitmapProjectIcons, kBitmapProjectIconsLarge, kProjectImageCount);
    ListView_SetImageList(List(), images_, LVSIL_SMALL);
    MakeColumns();
    columnsMade_ = true;
  }
  Project* project = TheProject();
  EnableWindow(Control(kProjectAddFile), project && project->HasRecord());
  Fill();
}

// The date column is as wide as the widest date it can show, in the list's font.
void ProjectContentsPage::MakeColumns() {
  HWND list = List();
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  RECT client{};
  GetClientRect(list, &client);
  int dateWidth = ListView_GetStringWidth(list, kDateSample);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = dateWidth;
  ListView_InsertColumn(list, kDateColumn, &column);
  column.cx = std::max(0, static_cast<int>(client.right) - dateWidth);
  ListView_InsertColumn(list, kTextColumn, &column);
}

ProjectContentsPage::Row ProjectContentsPage::RowOf(const ProjectEntry& entry) const {
  Row row;
  row.record = entry.Record();
  row.type = entry.entryType;
  if (const auto* file = dynamic_cast<const FileEntry*>(&entry)) {
    row.path = file->filePath;
    row.text = FileName(file->filePath);
    return row;
  }
  const auto& linked = static_cast<const LinkedItemEntry&>(entry);
  row.item = linked.linkedItem;
  row.text = ItemDescription(row.item, KindOf(row.type), kDescriptionChars).value_or(u"");
  const auto* appointment = dynamic_cast<const AppointmentEntry*>(&entry);
  if (appointment && platform::IsDateSet(appointment->itemDate))
    row.date = u"(" + DateTimeText().FormatShortDateFourDigitYear(appointment->itemDate) + u")";
  return row;
}

// Appointments, tasks, contacts and files in that order, each kind by its text.
void ProjectContentsPage::Fill() {
  rows_.clear();
  Project* project = TheProject();
  if (project && project->HasRecord() && project->LoadChildren(kItemAndFileEntries, false)) {
    for (const auto& entry : project->children) rows_.push_back(RowOf(*entry));
  }
  std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
    if (a.type != b.type) return a.type < b.type;
    return platform::CompareNoCase(a.text, b.text) < 0;
  });
  ShowRows();
}

void ProjectContentsPage::ShowRows() {
  HWND list = List();
  ListView_DeleteAllItems(list);
  for (size_t index = 0; index < rows_.size(); ++index) {
    Row& row = rows_[index];
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(index);
    item.pszText = row.date.data();
    item.iImage = ImageOf(row.type);
    int at = ListView_InsertItem(list, &item);
    ListView_SetItemText(list, at, kTextColumn, row.text.c_str());
  }
}

int ProjectContentsPage::Selected() const {
  int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
  return row >= 0 && static_cast<size_t>(row) < rows_.size() ? row : -1;
}

void ProjectContentsPage::AddFile() {
  Project* project = TheProject();
  if (!project || !project->HasRecord()) return;
  std::optional<std::u16string> path = ChooseDocument(GetWindow(), kPathChars);
  if (!path) return;
  std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(ProjectEntryType::File, project->Record());
  if (!entry) return;
  static_cast<FileEntry&>(*entry).filePath = *path;
  if (entry->Save() != 0) Fill();
}

void ProjectContentsPage::OpenSelected() {
  int index = Selected();
  if (index < 0) return;
  const Row& row = rows_[static_cast<size_t>(index)];
  if (row.type == ProjectEntryType::File) {
    OpenDocument(GetWindow(), row.path);
  } else {
    PostMessageW(Host().HostWindow(), kNotifyOpenItem, static_cast<WPARAM>(KindOf(row.type)),
                 static_cast<LPARAM>(row.item));
  }
}

void ProjectContentsPage::RemoveSelected() {
  int index = Selected();
  if (index < 0 || !DeleteProjectEntry(rows_[static_cast<size_t>(index)].record)) return;
  Fill();
}

void ProjectContentsPage::Reset(CloseAction) {
  rows_.clear();
  if (GetWindow()) ListView_DeleteAllItems(List());
}

INT_PTR ProjectContentsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case kProjectAddFile:
        AddFile();
        return TRUE;
      case kProjectContentsOpen:
        OpenSelected();
        return TRUE;
      case kProjectContentsRemove:
        RemoveSelected();
        return TRUE;
      default:
        break;
    }
  }
  if (message == WM_NOTIFY) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.idFrom == static_cast<UINT_PTR>(kProjectContentsList) && header.code == NM_DBLCLK) {
      OpenSelected();
      return TRUE;
    }
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
