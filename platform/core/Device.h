#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/core/SqliteConnection.h"

namespace platform {

// A handheld: one folder holding the object store and registry (device.sqlite), the file system
// tree (fs/), and the files behind shared sections and named mutexes. Several OS processes may open
// the same folder; each opens its own Device on it.
class Device {
 public:
  // Opens the device in `folder`, creating it (and its schema) when new; null on failure.
  static std::unique_ptr<Device> Open(const std::filesystem::path& folder, std::string* error = nullptr);
  // $CALYRA_DEVICE, else $XDG_DATA_HOME/calyra/device, else ~/.local/share/calyra/device.
  static std::filesystem::path DefaultFolder();

  const std::filesystem::path& Folder() const { return folder_; }
  const std::filesystem::path& FileSystemRoot() const { return fileSystemRoot_; }
  std::filesystem::path SectionsFolder() const { return folder_ / "sections"; }
  std::filesystem::path MutexesFolder() const { return folder_ / "mutexes"; }

  // The store's connection; hold Lock() for as long as it is used.
  SqliteConnection& Db() { return *db_; }
  std::recursive_mutex& Lock() { return lock_; }

  // Device-wide settings (clock, time zone, version, platform type, screen): text values by name.
  std::optional<std::u16string> Setting(std::string_view name);
  void SetSetting(std::string_view name, std::u16string_view value);
  void ClearSetting(std::string_view name);

  // How often the settings and the registry have changed, by any connection of any process on the
  // device: counts that only grow, for code that keeps values read from them. One query for both.
  struct ChangeCounts {
    int64_t settings = 0;
    int64_t registry = 0;
    bool operator==(const ChangeCounts&) const = default;
  };
  ChangeCounts Changes();

 private:
  Device(std::filesystem::path folder, std::unique_ptr<SqliteConnection> db)
      : folder_(std::move(folder)), fileSystemRoot_(folder_ / "fs"), db_(std::move(db)) {}
  void CreateSchema();

  std::filesystem::path folder_;
  std::filesystem::path fileSystemRoot_;
  std::unique_ptr<SqliteConnection> db_;
  std::recursive_mutex lock_;
  std::map<std::string, std::optional<std::u16string>, std::less<>> settingsCache_;
  uint64_t settingsCounter_ = 0;
};

}  // namespace platform
