#include "hosts/calyra/EditorTour.h"

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "hosts/calyra/CategoryTour.h"
#include "hosts/calyra/ContactSummaryTour.h"
#include "hosts/calyra/ItemJson.h"
#include "hosts/calyra/JournalTour.h"
#include "hosts/calyra/JsonWriter.h"
#include "hosts/calyra/LinkTour.h"
#include "hosts/calyra/LinkWindowTour.h"
#include "hosts/calyra/NoteTour.h"
#include "hosts/calyra/OperationTour.h"
#include "hosts/calyra/OutlookItems.h"
#include "hosts/calyra/ProjectTour.h"
#include "hosts/calyra/Script.h"
#include "hosts/calyra/ScriptRunner.h"
#include "hosts/calyra/StepPerformer.h"
#include "hosts/calyra/TemplateTour.h"
#include "hosts/calyra/TourScripts.h"
#include "hosts/calyra/WindowSearch.h"
#include "platform/text/Text.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

namespace calyra::host {

namespace {

// Nobody sits at the device during the tour: whatever the editor asks is printed and cancelled.
class TourUserAgent : public platform::CancellingUserAgent {
 public:
  explicit TourUserAgent(std::FILE* out) : out_(out) {}
  bool ActOnDialog(HWND dialog) override {
    std::fprintf(out_, "  the editor opens %s: cancelled\n", StepPerformer::Describe(dialog).c_str());
    return CancellingUserAgent::ActOnDialog(dialog);
  }
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override {
    int answer = CancellingUserAgent::AnswerMessageBox(owner, text, caption, flags);
    std::fprintf(out_, "  the editor asks \"%s\" (%s): answered %d\n", platform::ToUtf8(text).c_str(),
                 platform::MessageBoxButtons(flags).c_str(), answer);
    return answer;
  }

 private:
  std::FILE* out_;
};

SYSTEMTIME DaysFromNow(int days, WORD hour) {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  time.wHour = hour;
  time.wMinute = time.wSecond = time.wMilliseconds = 0;
  platform::AddMinutes(&time, static_cast<int64_t>(days) * 1440);
  return time;
}

std::string Text(const SYSTEMTIME& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
  return text;
}

class Tour {
 public:
  Tour(EditorSession& session, std::FILE* out, PageCamera& camera)
      : session_(session), out_(out), camera_(camera) {}

  int Run();

 private:
  // Makes one editor request, shows what opened, optionally fills something in, presses OK and
  // reports the notifications and the new item of `kind` saved (kNone: an existing item). The new
  // item's oid, or 0.
  CEOID Edit(const char* what, ItemKind kind, const std::function<int()>& request,
             const std::function<void(HWND page)>& fill = {});
  void PrintStore();
  // An appointment made as a person makes one, through the steps of a script.
  // An item made as a person makes one, through the steps of a script after `request` opened its
  // editor; every tab is shown and what was saved printed as JSON. Returns the item saved, or 0.
  CEOID ThroughItsPages(const char* what, ItemKind kind, const std::string& script,
                        const std::function<int()>& request);
  // Opens a stored item's summary instead of its editor, prints it and presses OK.
  void ShowSummary(const char* what, CEOID oid, const std::function<int()>& request);
  // Brings each tab of the open editor to the front and prints its page.
  void ShowEveryTab();
  void ShowProject(CEOID task);

  // With an active camera, the screen showing `page` is written as a picture and its path printed.
  void Picture(HWND page, const std::string& what);

  EditorSession& session_;
  std::FILE* out_;
  PageCamera& camera_;
  OutlookItems items_;
  bool failed_ = false;
};

CEOID Tour::Edit(const char* what, ItemKind kind, const std::function<int()>& request,
                 const std::function<void(HWND page)>& fill) {
  std::fprintf(out_, "\n%s\n", what);
  std::set<CEOID> before = kind == ItemKind::kNone ? std::set<CEOID>() : items_.Oids(kind);
  size_t received = session_.Host().Notifications().size();
  if (request() == 0) {
    std::fprintf(out_, "  the component refused the request\n");
    failed_ = true;
    return 0;
  }
  session_.Pump();
  HWND page = session_.VisiblePage();
  if (page) {
    std::fprintf(out_, "  the editor shows %s:\n%s", StepPerformer::Describe(page).c_str(),
                 platform::DumpWindowTree(page).c_str());
    Picture(page, "opened");
    if (fill) fill(page);
  } else {
    std::fprintf(out_, "  the editor shows no page%s\n", session_.EditorOpen() ? "" : " and is not open");
  }
  std::fprintf(out_, "  the person presses OK\n");
  std::fflush(out_);
  if (!session_.PressOk()) std::fprintf(out_, "  there is no editor to press OK in\n");
  if (session_.EditorOpen()) {
    std::fprintf(out_, "  the editor stays open after OK; the person cancels it\n");
    session_.PressCancel();
    failed_ = true;
  }
  const auto& notifications = session_.Host().Notifications();
  std::string arrived;
  for (size_t i = received; i < notifications.size(); ++i) {
    arrived += (arrived.empty() ? "" : ", ") + std::to_string(notifications[i].message);
  }
  std::fprintf(out_, "  host notifications: %s\n", arrived.empty() ? "none" : arrived.c_str());
  if (arrived.find(std::to_string(kNotifyEditorClosed)) == std::string::npos) failed_ = true;

  if (kind == ItemKind::kNone) return 0;  // an existing item: nothing new to look for
  std::set<CEOID> after = items_.Oids(kind);
  std::vector<CEOID> added;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  if (added.empty()) {
    std::fprintf(out_, "  no new %s in the store\n", KindName(kind));
    return 0;
  }
  std::fprintf(out_, "  saved as %s 0x%08X\n", KindName(kind), added.front());
  return added.front();
}

CEOID Tour::ThroughItsPages(const char* what, ItemKind kind, const std::string& script,
                            const std::function<int()>& request) {
  std::fprintf(out_, "\n%s, each page shown\n", what);
  std::istringstream text(script);
  std::vector<ScriptStep> steps;
  ScriptError error;
  if (!ParseScript(text, &steps, &error)) {
    std::fprintf(out_, "  the tour's script has an error on line %d: %s\n", error.line,
                 error.message.c_str());
    failed_ = true;
    return 0;
  }
  std::set<CEOID> before = items_.Oids(kind);
  ScriptRunner runner(session_, "tour", out_, out_);
  int result = runner.Run(steps, [&](std::string* why) {
    if (request() == 0) {
      *why = "the component refused the request";
      return false;
    }
    session_.Pump();
    return true;
  });
  if (result != 0 || !session_.EditorOpen()) {
    failed_ = true;
    if (session_.EditorOpen()) session_.PressCancel();
    return 0;
  }
  ShowEveryTab();
  std::fprintf(out_, "  the person presses OK\n");
  if (!session_.PressOk() || session_.EditorOpen()) failed_ = true;
  CEOID saved = 0;
  for (CEOID oid : items_.Oids(kind)) {
    if (before.contains(oid)) continue;
    saved = saved ? saved : oid;
    std::fprintf(out_, "  saved as %s 0x%08X; calyra show 0x%08X --json:\n", KindName(kind), oid, oid);
    JsonWriter json;
    auto item = items_.Item(oid);
    if (item && WriteItemJson(&json, item.Get())) std::fprintf(out_, "%s\n", json.Text().c_str());
  }
  return saved;
}

void Tour::ShowSummary(const char* what, CEOID oid, const std::function<int()>& request) {
  if (oid == 0) return;
  char text[96];
  std::snprintf(text, sizeof text, "%s 0x%08X shown as a summary", what, oid);
  Edit(text, ItemKind::kNone, request);
}

// A project made with a sub-project, an item, a file and booked time, opened in the project editor
// with every tab shown, and its report.
void Tour::ShowProject(CEOID task) {
  CEOID kitchen = RunProjectTour(session_, task, out_);
  if (kitchen == 0) {
    failed_ = true;
    return;
  }
  const EditorExports& e = session_.Exports();
  ThroughItsPages("the project Kitchen in the project editor", ItemKind::kNone, KitchenEditorScript(),
                  [&] { return e.editProject(0, kitchen, 0); });
  if (RunReportTour(session_, kitchen, out_) != 0) failed_ = true;
}

void Tour::Picture(HWND page, const std::string& what) {
  if (!camera_.Active()) return;
  std::string path = camera_.Take(what + " " + StepPerformer::Describe(page), stderr);
  if (!path.empty()) std::fprintf(out_, "  picture: %s\n", path.c_str());
}

void Tour::ShowEveryTab() {
  HWND tabs = session_.Tabs();
  int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int tab = 0; tab < count; ++tab) {
    platform::UserSelectTab(tabs, tab);
    session_.Pump();
    HWND page = session_.VisiblePage();
    if (!page) continue;
    std::fprintf(out_, "  tab %d shows %s:\n%s", tab, StepPerformer::Describe(page).c_str(),
                 platform::DumpWindowTree(page).c_str());
    Picture(page, "tab " + std::to_string(tab));
  }
  platform::UserSelectTab(tabs, 0);
  session_.Pump();
}

void Tour::PrintStore() {
  for (ItemKind kind : {ItemKind::kAppointment, ItemKind::kTask, ItemKind::kContact}) {
    auto list = items_.List(kind);
    std::fprintf(out_, "%ss: %zu\n", KindName(kind), list.size());
    for (const auto& item : list) {
      std::fprintf(out_, "  0x%08X  %s%s%s\n", item.oid, item.title.c_str(), item.dates.empty() ? "" : "  ",
                   item.dates.c_str());
    }
  }
}

int Tour::Run() {
  std::string error;
  if (!items_.Open(session_.Host().Handle(), &error)) {
    std::fprintf(out_, "%s\n", error.c_str());
    return 1;
  }
  TourUserAgent person(out_);
  platform::SetUserAgent(&person);
  const EditorExports& e = session_.Exports();

  SYSTEMTIME start = DaysFromNow(1, 9), end = DaysFromNow(1, 10);
  std::string what = "a new appointment \"Dentist\", " + Text(start) + " to " + Text(end).substr(11);
  CEOID appointment =
      Edit((what + "; the person types the location \"Main Street surgery\"").c_str(), ItemKind::kAppointment,
           [&] { return e.newAppointment(0, &start, &end, u"Dentist", 0, nullptr, 0, 1, 0); },
           [this](HWND page) {
             HWND location = GetDlgItem(page, resources::kAppointmentLocation);
             bool typed = location && platform::UserType(location, u"Main Street surgery");
             std::fprintf(out_, "  typed the location: %s\n", typed ? "yes" : "no");
           });

  SYSTEMTIME taskStart = DaysFromNow(0, 0), due = DaysFromNow(7, 0);
  what = "a new task \"Renew the passport\", due " + Text(due).substr(0, 10);
  CEOID task = Edit(what.c_str(), ItemKind::kTask, [&] {
    return e.newTask(0, &taskStart, &due, u"Renew the passport", 0, nullptr, 0, 1, 0);
  });

  if (task != 0) {
    char text[64];
    std::snprintf(text, sizeof text, "the task 0x%08X opened again", task);
    Edit(text, ItemKind::kNone, [&] { return e.editTask(0, nullptr, task, 0, 0, 0); });
  } else {
    failed_ = true;
  }
  platform::SetUserAgent(nullptr);
  if (RunFloatingLinkTour(session_, appointment, task, out_) != 0) failed_ = true;
  SYSTEMTIME rehearsal = DaysFromNow(2, 18), rehearsalEnd = DaysFromNow(2, 19);
  ThroughItsPages("a recurring appointment made through its pages", ItemKind::kAppointment, RehearsalScript(),
                  [&] { return e.newAppointment(0, &rehearsal, &rehearsalEnd, u"", 0, nullptr, 0, 1, 0); });
  SYSTEMTIME checkUp = DaysFromNow(3, 18), checkUpEnd = DaysFromNow(3, 19);
  ThroughItsPages("an appointment with a second reminder", ItemKind::kAppointment, CheckUpScript(),
                  [&] { return e.newAppointment(0, &checkUp, &checkUpEnd, u"", 0, nullptr, 0, 1, 0); });
  if (RunCategoryTour(session_, out_) != 0) failed_ = true;
  ThroughItsPages("a task with a priority code, a reminder and two categories", ItemKind::kTask,
                  TaxReturnScript(DaysFromNow(10, 0)),
                  [&] { return e.newTask(0, nullptr, nullptr, u"", 0, nullptr, 0, 1, 0); });
  CEOID contact = ThroughItsPages("a contact with a work address in Germany", ItemKind::kContact,
                                  AdaLovelaceScript(), [&] { return e.newContact(0, nullptr, 0, 1, 0); });
  if (RunLinkTour(session_, appointment, task, contact, out_) != 0) failed_ = true;
  ShowSummary("the task", task, [&] { return e.editTask(0, nullptr, task, 1, 0, 0); });
  if (contact != 0) {
    PrepareContactSummary(out_);
    char text[96];
    std::snprintf(text, sizeof text, "the contact 0x%08X shown as a summary, mailed and dialled", contact);
    Edit(
        text, ItemKind::kNone, [&] { return e.editContact(0, contact, 1, 0, 0); },
        [this](HWND summary) { failed_ |= !UseContactSummary(summary, out_); });
  }
  ShowProject(task);
  if (RunOperationTour(session_, appointment, task, out_) != 0) failed_ = true;
  if (RunTemplateTour(session_, task, out_) != 0) failed_ = true;
  if (RunJournalTour(session_, out_) != 0) failed_ = true;
  if (RunNoteTour(out_) != 0) failed_ = true;

  std::fprintf(out_, "\nthe store now holds\n");
  PrintStore();
  return failed_ ? 1 : 0;
}

}  // namespace

int RunEditorTour(EditorSession& session, std::FILE* out, PageCamera& camera) {
  Tour tour(session, out, camera);
  return tour.Run();
}

}  // namespace calyra::host
