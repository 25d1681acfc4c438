#include "platform/core/Device.h"

#include <cstdlib>
#include <system_error>

#include "platform/core/DeviceSchema.h"
#include "platform/core/DeviceUpgrade.h"

namespace platform {

std::unique_ptr<Device> Device::Open(const std::filesystem::path& folder, std::string* error) {
  try {
    std::error_code ec;
    std::filesystem::create_directories(folder / "fs", ec);
    std::filesystem::create_directories(folder / "sections", ec);
    std::filesystem::create_directories(folder / "mutexes", ec);
    if (!std::filesystem::is_directory(folder / "fs")) {
      if (error) *error = "cannot create the device folder " + folder.string();
      return nullptr;
    }
    std::unique_ptr<Device> device(new Device(folder, SqliteConnection::Open(folder / "device.sqlite")));
    device->CreateSchema();
    return device;
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    return nullptr;
  }
}

std::filesystem::path Device::DefaultFolder() {
  if (const char* chosen = std::getenv("CALYRA_DEVICE"); chosen && *chosen) return chosen;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    return std::filesystem::path(data) / "calyra" / "device";
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".local" / "share" / "calyra" / "device";
}

void Device::CreateSchema() {
  std::lock_guard guard(lock_);
  SqliteTransaction transaction(*db_);
  db_->Execute(kDeviceSchema);
  UpgradeDevice(*db_);
  // Object identifiers start well above small numbers so that an oid is never mistaken for a count.
  db_->Execute(
      "INSERT INTO sqlite_sequence(name, seq) SELECT 'objects', 65535 "
      "WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = 'objects')");
  transaction.Commit();
}

std::optional<std::u16string> Device::Setting(std::string_view name) {
  std::lock_guard guard(lock_);
  // A value read once stands while the store has not changed (by the data version this connection
  // last saw): time conversions ask for the time zone many times per item. Outside a transaction a
  // change by another process is seen from this process's next read of the store on.
  uint64_t counter = db_->ChangeCounter();
  if (counter != settingsCounter_) {
    settingsCache_.clear();
    settingsCounter_ = counter;
  }
  if (auto found = settingsCache_.find(name); found != settingsCache_.end()) return found->second;
  auto statement = db_->Prepare("SELECT value FROM settings WHERE name = ?");
  statement.Bind(1, name);
  std::optional<std::u16string> value;
  if (statement.Step()) value = statement.ColumnText16(0);
  settingsCache_.emplace(std::string(name), value);
  return value;
}

void Device::SetSetting(std::string_view name, std::u16string_view value) {
  std::lock_guard guard(lock_);
  settingsCache_.clear();
  db_->Prepare("INSERT OR REPLACE INTO settings(name, value) VALUES(?, ?)")
      .Bind(1, name)
      .Bind(2, value)
      .Run();
}

void Device::ClearSetting(std::string_view name) {
  std::lock_guard guard(lock_);
  settingsCache_.clear();
  db_->Prepare("DELETE FROM settings WHERE name = ?").Bind(1, name).Run();
}

Device::ChangeCounts Device::Changes() {
  std::lock_guard guard(lock_);
  ChangeCounts counts;
  auto statement = db_->Prepare("SELECT area, count FROM changecounts");
  while (statement.Step()) {
    std::string area = statement.ColumnText(0);
    if (area == "settings") counts.settings = statement.ColumnInt64(1);
    if (area == "registry") counts.registry = statement.ColumnInt64(1);
  }
  return counts;
}

}  // namespace platform
