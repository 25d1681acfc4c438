#include "hosts/calyra/DeviceTour.h"

#include <string>

#include "platform/core/LastError.h"
#include "platform/core/LocalMemory.h"
#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/notify/Notifications.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/process/Processes.h"
#include "platform/process/SystemInformation.h"
#include "platform/registry/Registry.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"

namespace calyra::host {

namespace {

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kTourNumber = MakePropID(0x7001, CEVT_I4);
constexpr const char16_t* kTourDatabase = u"Calyra Tour";

std::string Utf8(std::u16string_view text) {
  return platform::ToUtf8(text);
}

// The subject of the record under the database's current position, or "" when it has none.
std::string ReadSubject(HANDLE database, CEOID* oid) {
  WORD count = 1;
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  *oid = CeReadRecordPropsEx(database, CEDB_ALLOWREALLOC, &count, &kSubject, &buffer, &size, nullptr);
  std::string subject;
  const auto* value = reinterpret_cast<const CEPROPVAL*>(buffer);
  if (*oid != 0 && count == 1 && !(value->wFlags & CEDB_PROPNOTFOUND)) subject = Utf8(value->val.lpwstr);
  LocalFree(buffer);
  return subject;
}

void DeleteTourDatabase() {
  CEOID oid = 0;
  HANDLE existing = CeOpenDatabaseEx(nullptr, &oid, kTourDatabase, 0, 0, nullptr);
  if (existing == INVALID_HANDLE_VALUE) return;
  CloseHandle(existing);
  CeDeleteDatabaseEx(nullptr, oid);
}

int TourDatabases(std::FILE* out) {
  // A database of the tour's own, removed at the end, so that the device's items stay untouched.
  DeleteTourDatabase();
  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDCREATE;
  std::u16string_view name = kTourDatabase;
  name.copy(info.szDbaseName, name.size());
  info.wNumSortOrder = 1;
  info.rgSortSpecs[0] = SORTORDERSPEC{kSubject, CEDB_SORT_CASEINSENSITIVE};
  CEOID database = CeCreateDatabaseEx(nullptr, &info);
  if (database == 0) {
    std::fprintf(out, "cannot create the tour database (error %u)\n", GetLastError());
    return 1;
  }
  std::fprintf(out, "created database \"%s\" sorted by subject\n", Utf8(kTourDatabase).c_str());
  HANDLE tasks = CeOpenDatabaseEx(nullptr, &database, nullptr, kSubject, 0, nullptr);
  if (tasks == INVALID_HANDLE_VALUE) return 1;
  for (const char16_t* subject : {u"Water the plants", u"call the garage", u"Book flights"}) {
    CEPROPVAL values[2] = {};
    values[0].propid = kSubject;
    values[0].val.lpwstr = const_cast<WCHAR*>(subject);
    values[1].propid = kTourNumber;
    values[1].val.lVal = 1;
    CEOID record = CeWriteRecordProps(tasks, 0, 2, values);
    if (record == 0) return 1;
    std::fprintf(out, "wrote record %08X: %s\n", record, Utf8(subject).c_str());
  }
  std::fprintf(out, "records sorted by subject, without regard to case:\n");
  DWORD index = 0;
  for (CEOID at = CeSeekDatabase(tasks, CEDB_SEEK_BEGINNING, 0, &index); at != 0;
       at = CeSeekDatabase(tasks, CEDB_SEEK_CURRENT, 1, &index)) {
    CEOID oid = 0;
    std::string subject = ReadSubject(tasks, &oid);
    std::fprintf(out, "  %08X  %s\n", oid, subject.c_str());
  }
  CloseHandle(tasks);
  CEOIDINFO written{};
  CeOidGetInfo(database, &written);
  std::fprintf(out, "database \"%s\" holds %u records in %u bytes\n",
               Utf8(written.infDatabase.szDbaseName).c_str(), written.infDatabase.dwNumRecords,
               written.infDatabase.dwSize);
  std::fprintf(out, "deleted database \"%s\": %s\n", Utf8(kTourDatabase).c_str(),
               CeDeleteDatabaseEx(nullptr, database) ? "yes" : "no");
  return 0;
}

void TourRegistry(std::FILE* out) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, &disposition) != ERROR_SUCCESS) {
    std::fprintf(out, "cannot open the registry\n");
    return;
  }
  DWORD runs = 0, size = sizeof(runs);
  RegQueryValueExW(key, u"Tour.Runs", nullptr, nullptr, reinterpret_cast<BYTE*>(&runs), &size);
  ++runs;
  RegSetValueExW(key, u"Tour.Runs", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&runs), sizeof(runs));
  std::fprintf(out, "registry: HKLM\\SOFTWARE\\Velmora\\Calyra %s, Tour.Runs = %u\n",
               disposition == REG_CREATED_NEW_KEY ? "created" : "opened", runs);
  RegCloseKey(key);
}

void TourFiles(std::FILE* out) {
  WCHAR documents[MAX_PATH];
  SHGetSpecialFolderPath(nullptr, documents, CSIDL_PERSONAL, TRUE);
  std::u16string name = std::u16string(documents) + u"\\Tour.txt";
  HANDLE file =
      CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  const char text[] = "Written on the device.";
  DWORD written = 0;
  WriteFile(file, text, sizeof text - 1, &written, nullptr);
  CloseHandle(file);
  auto host = platform::HostPathOf(u"\\MY DOCUMENTS\\tour.TXT");
  std::fprintf(out, "file: %s (%u bytes) is %s on the host\n", Utf8(name).c_str(), written,
               host ? host->c_str() : "nowhere");
}

void TourNotification(std::FILE* out) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::fprintf(out, "device time: %04u-%02u-%02u %02u:%02u local\n", now.wYear, now.wMonth, now.wDay,
               now.wHour, now.wMinute);
  platform::AddMinutes(&now, -1);
  CE_NOTIFICATION_TRIGGER trigger{};
  trigger.dwSize = kDeviceTriggerSize;
  trigger.dwType = CNT_TIME;
  trigger.lpszApplication = const_cast<WCHAR*>(u"TASKS.EXE");
  trigger.lpszArguments = const_cast<WCHAR*>(u"Task Reminder");
  trigger.stStartTime = now;
  CE_USER_NOTIFICATION user{};
  user.ActionFlags = PUN_LED | PUN_SOUND | PUN_DIALOG;
  user.pwszDialogText = const_cast<WCHAR*>(u"Water the plants");
  HANDLE handle = CeSetUserNotificationEx(nullptr, &trigger, &user);
  std::fprintf(out, "notification %08X set for a minute ago in \"DB_notify_queue\"\n",
               static_cast<unsigned>(reinterpret_cast<uintptr_t>(handle)));
  std::fprintf(out, "due notifications run: %d\n", platform::RunDueNotifications());
  auto log = platform::ReadLaunchLog();
  if (!log.empty()) {
    std::fprintf(out, "last program started: %s %s\n", Utf8(log.back().program).c_str(),
                 Utf8(log.back().arguments).c_str());
  }
}

void TourSystem(std::FILE* out) {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  GetVersionExW(&version);
  WCHAR type[256];
  SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(type), type, 0);
  std::fprintf(out, "system: version %u.%02u, platform \"%s\"\n", version.dwMajorVersion,
               version.dwMinorVersion, Utf8(type).c_str());
}

}  // namespace

int RunDeviceTour(std::FILE* out) {
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr) return 1;
  std::fprintf(out, "device: %s\n", device->Folder().c_str());
  TourSystem(out);
  if (int failed = TourDatabases(out)) return failed;
  TourRegistry(out);
  TourFiles(out);
  TourNotification(out);
  return 0;
}

}  // namespace calyra::host
