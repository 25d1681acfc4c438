#include <string>

#include "hosts/calyra/WindowTour.h"
#include "platform/notify/Notifications.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"

namespace calyra::host {

namespace {

std::string Text(const SYSTEMTIME& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
  return text;
}

SYSTEMTIME DaysFromNow(int days, WORD hour) {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  time.wHour = hour;
  time.wMinute = time.wSecond = time.wMilliseconds = 0;
  platform::AddMinutes(&time, static_cast<int64_t>(days) * 1440);
  return time;
}

}  // namespace

int RunItemTour(std::FILE* out) {
  ItemContext context;
  CPIMTask task;
  task.subject = u"Renew the passport";
  task.due = DaysFromNow(7, 0);
  task.reminderSet = true;
  task.reminderTime = DaysFromNow(6, 9);
  if (FAILED(task.Save(context))) return 1;
  std::fprintf(out, "task %08X saved, due %s, reminder %s\n", task.oid, Text(task.due).c_str(),
               Text(task.reminderTime).c_str());
  for (const auto& notification : platform::ReadPendingNotifications()) {
    if (notification.application != u"TASKS.EXE") continue;
    std::string text = platform::ToUtf8(notification.dialogText);
    for (char& c : text) c = c == '\n' ? ' ' : c;
    std::fprintf(out, "  pending notification %08X: %s \"%s\"\n",
                 static_cast<unsigned>(reinterpret_cast<uintptr_t>(notification.handle)),
                 platform::ToUtf8(notification.arguments).c_str(), text.c_str());
  }

  CPIMAppointment series;
  series.subject = u"Team meeting";
  series.start = DaysFromNow(1, 9);
  series.end = DaysFromNow(1, 10);
  series.recurring = true;
  series.recurrence.type = olRecursDaily;
  series.recurrence.interval = 7;
  series.recurrence.patternStart = DaysFromNow(1, 0);
  if (FAILED(series.Save(context))) return 1;
  std::fprintf(out, "appointment %08X saved, every 7 days from %s\n", series.oid, Text(series.start).c_str());
  CPIMAppointment occurrence;
  occurrence.oid = series.oid;
  occurrence.openScope = kOpenOccurrence;
  occurrence.occurrenceDate = DaysFromNow(8, 0);
  if (!occurrence.Load(context)) return 1;
  std::fprintf(out, "  its occurrence a week later starts %s\n", Text(occurrence.start).c_str());

  bool removed = task.Delete(context) && series.Delete(context);
  std::fprintf(out, "task and appointment deleted again: %s\n", removed ? "yes" : "no");
  return removed ? 0 : 1;
}

}  // namespace calyra::host
