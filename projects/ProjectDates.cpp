#include "projects/ProjectDates.h"

#include "platform/time/TimeConversion.h"

namespace calyra {

FILETIME StoredProjectTime(const SYSTEMTIME& local) {
  FILETIME stored{};
  if (platform::IsDateSet(local) && SystemTimeToFileTime(&local, &stored)) return stored;
  SystemTimeToFileTime(&platform::kNoDateSystemTime, &stored);
  return stored;
}

SYSTEMTIME LocalProjectTime(const FILETIME& stored) {
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&stored, &local)) return platform::kNoDateSystemTime;
  return local;
}

SYSTEMTIME WholeMinute(const SYSTEMTIME& time) {
  if (!platform::IsDateSet(time)) return time;
  SYSTEMTIME rounded = time;
  bool roundUp = rounded.wSecond >= 30;
  rounded.wSecond = 0;
  rounded.wMilliseconds = 0;
  if (roundUp && !platform::AddMinutes(&rounded, 1)) return time;
  return rounded;
}

}  // namespace calyra
