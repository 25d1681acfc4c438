#include "projects/ProjectId.h"

#include "platform/time/TimeConversion.h"

namespace calyra {

ProjectId MakeProjectId(const SYSTEMTIME& local, DWORD tickCount) {
  DWORD seconds = local.wSecond & 0x3F;
  DWORD minuteOfDay = (static_cast<DWORD>(local.wHour) * 60 + local.wMinute) & 0x7FF;
  DWORD dayTimesMonth = (static_cast<DWORD>(local.wDay) * local.wMonth) & 0x1FF;
  DWORD ticks = (tickCount % 63) & 0x3F;
  return seconds | (minuteOfDay << 6) | (dayTimesMonth << 17) | (ticks << 26);
}

ProjectId NewProjectId() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return MakeProjectId(now, GetTickCount());
}

}  // namespace calyra
