#include "hosts/calyra/OperationTour.h"

#include <string>

#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/LinkCommands.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/UserAgent.h"

namespace calyra::host {

namespace {

// The person at the device says Yes to every question, and the tour prints it.
class YesSayer : public platform::CancellingUserAgent {
 public:
  explicit YesSayer(std::FILE* out) : out_(out) {}
  int AnswerMessageBox(HWND, std::u16string_view text, std::u16string_view, UINT flags) override {
    std::fprintf(out_, "  the component asks \"%s\" (%s): answered Yes\n", platform::ToUtf8(text).c_str(),
                 platform::MessageBoxButtons(flags).c_str());
    return IDYES;
  }

 private:
  std::FILE* out_;
};

// The line `calyra list tasks` prints for the task.
void PrintTask(CEOID task, std::FILE* out) {
  OutlookItems items;
  std::string error;
  if (!items.Open(nullptr, &error)) return;
  for (const ItemSummary& item : items.List(ItemKind::kTask)) {
    if (item.oid == task)
      std::fprintf(out, "  the task is now: %s  %s\n", item.title.c_str(), item.dates.c_str());
  }
}

// The day of the task's start, or nothing when it has none.
std::optional<SYSTEMTIME> StartOf(CEOID task) {
  OutlookItems items;
  std::string error;
  platform::ComPtr<ITask> stored;
  platform::ComPtr<IDispatch> item = items.Open(nullptr, &error) ? items.Item(task) : nullptr;
  DATE start = 0;
  SYSTEMTIME day{};
  if (!item || FAILED(item->QueryInterface(IID_ITask, reinterpret_cast<void**>(&stored))) ||
      FAILED(stored->get_StartDate(&start)) || !VariantTimeToSystemTime(start, &day) || day.wYear > 2999)
    return std::nullopt;
  day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
  return day;
}

std::string DayText(const SYSTEMTIME& day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
  return text;
}

bool Answered(int result, std::FILE* out) {
  std::fprintf(out, "  result: %d\n", result);
  return result == 1;
}

}  // namespace

int RunOperationTour(EditorSession& session, CEOID appointment, CEOID task, std::FILE* out) {
  std::fprintf(out, "\nthe host changes items without an editor\n");
  std::optional<SYSTEMTIME> from = task ? StartOf(task) : std::nullopt;
  if (appointment == 0 || !from) {
    std::fprintf(out, "  the appointment or the task's start is missing: nothing to change\n");
    return 1;
  }
  const EditorExports& e = session.Exports();
  HWND host = session.Host().Handle();
  YesSayer person(out);
  platform::SetUserAgent(&person);
  std::fprintf(out, "  calyra complete 0x%08X: the task is complete\n", task);
  bool done = Answered(e.markTaskComplete(host, task, 1), out);
  PrintTask(task, out);
  SYSTEMTIME to = *from;
  platform::AddMinutes(&to, 2 * 1440);
  std::fprintf(out, "  calyra move 0x%08X %s %s: dragged from its first day two days on\n", task,
               DayText(*from).c_str(), DayText(to).c_str());
  done &= Answered(e.moveTaskToDate(host, task, 0, &*from, &to), out);
  PrintTask(task, out);
  std::fprintf(out, "  calyra delete 0x%08X: the appointment, asking first\n", appointment);
  done &= Answered(e.deleteAppointment(appointment, 0, nullptr, 1), out);
  session.Pump();
  platform::SetUserAgent(nullptr);
  std::fprintf(out, "  the appointment is %s; the task's links now:\n",
               ItemKindOf(appointment) == ItemKind::kNone ? "gone" : "still there");
  std::fflush(out);
  ListLinks(task, ListingFormat::kText, out, out);
  return done ? 0 : 1;
}

}  // namespace calyra::host
