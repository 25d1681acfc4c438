#include "editors/ProjectTimePage.h"

#include <memory>

#include "editors/EditorHost.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/Project.h"
#include "projects/ProjectDates.h"
#include "projects/ProjectStore.h"
#include "projects/ReportTexts.h"
#include "projects/TimeRecordEntry.h"

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

}  // namespace

Project* ProjectTimePage::TheProject() const {
  return context_ ? context_->projectObject : nullptr;
}

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
}

// The records are read from the store afresh; the project object keeps its own children.
void ProjectTimePage::Fill() {
  rows_.clear();
  ListView_DeleteAllItems(List());
  Project* project = TheProject();
  if (!project || !project->HasRecord()) return;
  Project stored;
  if (!stored.Load(project->Record()) || !stored.LoadChildren(kTimeRecordsAndProjects, true)) return;
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

int ProjectTimePage::Selected() const {
  int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
  return row >= 0 && static_cast<size_t>(row) < rows_.size() ? row : -1;
}

void ProjectTimePage::Start() {
  Project* project = TheProject();
  if (!project || !project->HasRecord()) return;
  std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(ProjectEntryType::TimeRecord, project->Record());
  if (!entry) return;
  auto& record = static_cast<TimeRecordEntry&>(*entry);
  record.startDate = Now();
  record.bookedOn = project->projectId;
  record.name = project->name;
  if (record.Save() != 0) Fill();
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

void ProjectTimePage::Reset(CloseAction) {
  rows_.clear();
  if (GetWindow()) ListView_DeleteAllItems(List());
}

INT_PTR ProjectTimePage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case kProjectTimeStart:
        Start();
        return TRUE;
      case kProjectTimeStop:
        Stop();
        return TRUE;
      case kProjectTimeDelete:
        Delete();
        return TRUE;
      default:
        break;
    }
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
