#include "editors/ProjectTimePage.h"

#include <memory>

#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "editors/PickerDays.h"
#include "editors/ProjectPage.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/Project.h"
#include "projects/ProjectDates.h"
#include "projects/ProjectStore.h"
#include "projects/ProjectTree.h"
#include "projects/ReportTexts.h"
#include "projects/TimeRecordEntry.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

constexpr int kDayColumn = 0;
constexpr int kDurationColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kColumnShares[] = {35, 25, 40};  // percent of the list's width
constexpr DWORD kTimeRecordsAndProjects =
    static_cast<DWORD>(ProjectEntryType::TimeRecord) | static_cast<DWORD>(ProjectEntryType::Project);

SYSTEMTIME Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return WholeMinute(now);
}

// The time records of `project` and of its sub-projects, all the way down.
void CollectTimeRecords(Project& project, std::vector<TimeRecordEntry*>& records) {
  for (auto& child : project.children) {
    if (auto* record = dynamic_cast<TimeRecordEntry*>(child.get())) records.push_back(record);
    if (auto* sub = dynamic_cast<Project*>(child.get())) CollectTimeRecords(*sub, records);
  }
}

// The projects time can be booked on: `project` and its sub-projects in tree order, each indented
// by its depth.
void CollectChoices(const Project& project, size_t depth, std::vector<BookingChoice>& choices) {
  std::u16string label(2 * depth, u' ');
  label += project.name.substr(0, kProjectLabelNameChars);
  choices.push_back(BookingChoice{project.projectId, std::move(label)});
  for (const auto& child : project.children) {
    if (const auto* sub = dynamic_cast<const Project*>(child.get())) CollectChoices(*sub, depth + 1, choices);
  }
}

// The selected row of a list that shows `rows` rows; -1 for none.
int SelectedRow(HWND list, size_t rows) {
  int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  return row >= 0 && static_cast<size_t>(row) < rows ? row : -1;
}

bool AskYesNo(HWND owner, HINSTANCE resources, const std::u16string& question) {
  return MessageBoxW(owner, question.c_str(), ResourceText(resources, kStringCaption).c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

void ProjectTimePage::Load() {
  if (!columnsMade_) {
    MakeColumns();
    columnsMade_ = true;
  }
  Fill();
}

void ProjectTimePage::MakeColumns() {
  HWND list = List();
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  RECT client{};
  GetClientRect(list, &client);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  for (int index : {kDayColumn, kDurationColumn, kNameColumn}) {
    column.cx = static_cast<int>(client.right) * kColumnShares[index] / 100;
    ListView_InsertColumn(list, index, &column);
  }
  GetClientRect(SubList(), &client);
  column.cx = static_cast<int>(client.right);
  ListView_InsertColumn(SubList(), 0, &column);
}

// The records are read from the store afresh; the project object keeps its own children.
void ProjectTimePage::Fill() {
  rows_.clear();
  choices_.clear();
  ListView_DeleteAllItems(List());
  Project* project = TheProject();
  if (!project || !project->HasRecord()) return;
  Project stored;
  if (!stored.Load(project->Record()) || !stored.LoadChildren(kTimeRecordsAndProjects, true)) return;
  FillSubProjects(stored);
  CollectChoices(stored, 0, choices_);
  std::vector<TimeRecordEntry*> records;
  CollectTimeRecords(stored, records);
  ReportStrings strings(Host().Resources());
  SYSTEMTIME now = Now();
  int64_t total = 0;
  for (TimeRecordEntry* record : records) {
    LONG minutes = record->DurationMinutes(now);
    total += minutes;
    std::u16string day = ReportDate(record->startDate, strings);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(rows_.size());
    item.pszText = day.data();
    int at = ListView_InsertItem(List(), &item);
    ListView_SetItemText(List(), at, kDurationColumn, ReportDuration(minutes).c_str());
    ListView_SetItemText(List(), at, kNameColumn, record->name.c_str());
    rows_.push_back(Row{record->Record(), !platform::IsDateSet(record->endDate)});
  }
  std::u16string line = platform::FormatText(u"%s: %s", {strings.totalTime, ReportTotal(total, strings)});
  SetWindowTextW(Control(kProjectTimeTotal), line.c_str());
}

// The project's own sub-projects, labelled as the project picker labels them.
void ProjectTimePage::FillSubProjects(const Project& stored) {
  subProjects_.clear();
  ListView_DeleteAllItems(SubList());
  std::u16string completeMark = ResourceText(Host().Resources(), kStringSummaryComplete);
  SYSTEMTIME today = Today();
  for (const auto& child : stored.children) {
    const auto* sub = dynamic_cast<const Project*>(child.get());
    if (!sub) continue;
    std::u16string label = ProjectDisplayLabel(*sub, today, completeMark);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(subProjects_.size());
    item.pszText = label.data();
    ListView_InsertItem(SubList(), &item);
    subProjects_.push_back(SubProjectRow{sub->Record(), sub->name});
  }
}

int ProjectTimePage::Selected() const {
  return SelectedRow(List(), rows_.size());
}

int ProjectTimePage::SelectedSubProject() const {
  return SelectedRow(SubList(), subProjects_.size());
}

bool ProjectTimePage::ShowDialog(TimeRecordEntry& record) {
  TimeRecordDialog dialog(record, choices_);
  return dialog.Show(GetWindow(), Host().Resources()) == IDOK;
}

// A record booked on the project from now, named after it, not yet written; null without a stored
// project.
std::unique_ptr<ProjectEntry> ProjectTimePage::RecordFromNow() const {
  Project* project = TheProject();
  if (!project || !project->HasRecord()) return nullptr;
  std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(ProjectEntryType::TimeRecord, project->Record());
  if (!entry) return nullptr;
  auto& record = static_cast<TimeRecordEntry&>(*entry);
  record.startDate = Now();
  record.bookedOn = project->projectId;
  record.name = project->name;
  return entry;
}

// The dialog starts from a record of no time, now, for the person to set.
void ProjectTimePage::Add() {
  std::unique_ptr<ProjectEntry> entry = RecordFromNow();
  if (!entry) return;
  auto& record = static_cast<TimeRecordEntry&>(*entry);
  record.endDate = record.startDate;
  if (ShowDialog(record) && record.Save() != 0) Fill();
}

void ProjectTimePage::Edit() {
  int index = Selected();
  if (index < 0) return;
  std::unique_ptr<ProjectEntry> entry = LoadProjectEntry(rows_[static_cast<size_t>(index)].record);
  auto* record = dynamic_cast<TimeRecordEntry*>(entry.get());
  if (record && ShowDialog(*record) && record->Save() != 0) Fill();
}

void ProjectTimePage::Start() {
  std::unique_ptr<ProjectEntry> entry = RecordFromNow();
  if (entry && entry->Save() != 0) Fill();
}

void ProjectTimePage::Stop() {
  int index = Selected();
  if (index < 0 || !rows_[static_cast<size_t>(index)].running) return;
  std::unique_ptr<ProjectEntry> entry = LoadProjectEntry(rows_[static_cast<size_t>(index)].record);
  auto* record = dynamic_cast<TimeRecordEntry*>(entry.get());
  if (!record) return;
  record->endDate = Now();
  if (record->Save() != 0) Fill();
}

void ProjectTimePage::Delete() {
  int index = Selected();
  if (index >= 0 && DeleteProjectEntry(rows_[static_cast<size_t>(index)].record)) Fill();
}

// The sub-project is written at once, named as an unnamed project is, and opened for editing.
void ProjectTimePage::NewSubProject() {
  Project* project = TheProject();
  if (!project || !project->HasRecord()) return;
  std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(ProjectEntryType::Project, project->Record());
  if (!entry) return;
  entry->name = UnnamedProjectName(Host().Resources());
  ItemOid record = entry->Save();
  if (record == 0) return;
  Fill();
  OpenSubProject(record);
}

// This project is saved and its editor closed first, as OK would; a refused save keeps it open.
void ProjectTimePage::OpenSubProject(ItemOid record) {
  Host().FollowWithProject(record);
  CloseWith(CloseAction::Other, kMsgCloseEditor);
}

void ProjectTimePage::DeleteSubProject() {
  int index = SelectedSubProject();
  if (index < 0) return;
  const SubProjectRow& row = subProjects_[static_cast<size_t>(index)];
  HINSTANCE resources = Host().Resources();
  std::u16string question = platform::FormatText(ResourceText(resources, kStringDeleteProject), {row.name});
  if (AskYesNo(GetWindow(), resources, question) && DeleteProjectEntry(row.record)) Fill();
}

void ProjectTimePage::Reset(CloseAction) {
  rows_.clear();
  subProjects_.clear();
  choices_.clear();
  if (!GetWindow()) return;
  ListView_DeleteAllItems(List());
  ListView_DeleteAllItems(SubList());
}

bool ProjectTimePage::RunCommand(int command) {
  switch (command) {
    case kProjectTimeAdd:
      Add();
      return true;
    case kProjectTimeEdit:
      Edit();
      return true;
    case kProjectTimeStart:
      Start();
      return true;
    case kProjectTimeStop:
      Stop();
      return true;
    case kProjectTimeDelete:
      Delete();
      return true;
    case kProjectSubNew:
      NewSubProject();
      return true;
    case kProjectSubOpen:
      if (int index = SelectedSubProject(); index >= 0)
        OpenSubProject(subProjects_[static_cast<size_t>(index)].record);
      return true;
    case kProjectSubDelete:
      DeleteSubProject();
      return true;
    default:
      return false;
  }
}

INT_PTR ProjectTimePage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && RunCommand(LOWORD(wParam))) return TRUE;
  if (message == WM_NOTIFY) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.code == NM_DBLCLK && header.idFrom == static_cast<UINT_PTR>(kProjectTimeList)) {
      Edit();
      return TRUE;
    }
    if (header.code == NM_DBLCLK && header.idFrom == static_cast<UINT_PTR>(kProjectSubList)) {
      return RunCommand(kProjectSubOpen) ? TRUE : FALSE;
    }
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
