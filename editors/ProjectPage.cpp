#include "editors/ProjectPage.h"

#include <algorithm>
#include <string>

#include "editors/AppointmentTimes.h"
#include "editors/ControlText.h"
#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "editors/PickerDays.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "projects/Project.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

constexpr int kNameChars = 1024;
constexpr int kPercentDigits = 7;
constexpr DWORD kComplete = 100;
constexpr size_t kFlagsByte = 0;
constexpr BYTE kKeptOffOpenList = 0x01;
constexpr char16_t kBlanks[] = u" \t\r\n";

std::u16string Trimmed(const std::u16string& text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::u16string::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The digits of the field as a number; what is not a digit (pasted text) ends it. Empty counts as 0.
DWORD Number(const std::u16string& text) {
  DWORD value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = value * 10 + static_cast<DWORD>(c - u'0');
  }
  return value;
}

bool Before(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return MinutesBetween(a, b) > 0;
}

}  // namespace

bool IsKeptOffOpenList(const Project& project) {
  return project.projectData.size() > kFlagsByte && (project.projectData[kFlagsByte] & kKeptOffOpenList);
}

void SetKeptOffOpenList(Project& project, bool keptOff) {
  if (!keptOff && project.projectData.empty()) return;  // no data is written for no flag
  if (project.projectData.empty()) project.projectData.resize(kFlagsByte + 1);
  BYTE& flags = project.projectData[kFlagsByte];
  flags = keptOff ? flags | kKeptOffOpenList : flags & ~kKeptOffOpenList;
}

void ProjectPage::Load() {
  Project* project = TheProject();
  if (!project) return;
  SendMessageW(Control(kProjectName), EM_LIMITTEXT, kNameChars, 0);
  SendMessageW(Control(kProjectPercent), EM_LIMITTEXT, kPercentDigits, 0);
  bool existing = project->HasRecord();
  SetWindowTextW(Control(kProjectName), existing ? project->name.c_str() : u"");
  std::u16string percent = platform::FormatText(u"%d", {project->percentComplete});
  SetWindowTextW(Control(kProjectPercent), percent.c_str());
  ShowDay(Control(kProjectStart), project->startDate);
  ShowDay(Control(kProjectEnd), project->endDate);
  ShowDay(Control(kProjectCompleted), existing ? project->completedDate : platform::kNoDateSystemTime);
  bool subProject = project->parentId != 0;
  CheckDlgButton(GetWindow(), kProjectActive, subProject || !IsKeptOffOpenList(*project) ? BST_CHECKED : 0);
  ShowWindow(Control(kProjectActive), subProject ? SW_HIDE : SW_SHOW);
}

std::u16string UnnamedProjectName(HINSTANCE resources) {
  SYSTEMTIME today = Today();
  return platform::FormatText(u"<%s %02d-%02d-%04d>", {ResourceText(resources, kStringNewProjectName),
                                                       today.wMonth, today.wDay, today.wYear});
}

// The name as typed without surrounding blanks; the unnamed project's name for none.
std::u16string ProjectPage::StoredName() const {
  std::u16string name = Trimmed(WindowText(Control(kProjectName)).substr(0, kNameChars));
  return name.empty() ? UnnamedProjectName(Host().Resources()) : name;
}

void ProjectPage::StoreDates(Project& project) const {
  project.startDate = PickedDay(Control(kProjectStart));
  project.endDate = PickedDay(Control(kProjectEnd));
  bool bothSet = platform::IsDateSet(project.startDate) && platform::IsDateSet(project.endDate);
  if (bothSet && Before(project.endDate, project.startDate)) project.endDate = project.startDate;
  SYSTEMTIME completed = platform::kNoDateSystemTime;
  if (project.percentComplete == kComplete) {
    completed = PickedDay(Control(kProjectCompleted));
    if (!platform::IsDateSet(completed)) completed = Today();
  }
  project.SetCompletedDate(completed);
}

bool ProjectPage::Store(CloseAction) {
  Project* project = TheProject();
  if (!project || !Control(kProjectStart) || !Control(kProjectEnd) || !Control(kProjectCompleted))
    return false;
  project->name = StoredName();
  std::u16string percent = WindowText(Control(kProjectPercent)).substr(0, kPercentDigits);
  project->SetPercentComplete(Number(percent));
  StoreDates(*project);
  if (project->parentId == 0)
    SetKeptOffOpenList(*project, IsDlgButtonChecked(GetWindow(), kProjectActive) != BST_CHECKED);
  return true;
}

void ProjectPage::Reset(CloseAction) {
  if (!GetWindow()) return;
  SetWindowTextW(Control(kProjectName), u"");
  SetWindowTextW(Control(kProjectPercent), u"");
}

INT_PTR ProjectPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kCommandDelete) {
    CloseWith(CloseAction::Delete, kMsgCloseEditor);
    return TRUE;
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
