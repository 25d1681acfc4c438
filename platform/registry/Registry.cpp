#include "platform/registry/Registry.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/core/HandleTable.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"

namespace {

using platform::SqliteConnection;

// Root keys have no rows: their ids are negative, one per predefined key.
std::optional<int64_t> RootId(HKEY key) {
  auto value = reinterpret_cast<uintptr_t>(key);
  if (value >= 0x80000000 && value <= 0x80000002) return -static_cast<int64_t>(value - 0x80000000) - 1;
  return std::nullopt;
}

struct RegistryKey : platform::KernelObject {
  int64_t id = 0;
};

bool KeyExists(SqliteConnection& db, int64_t id) {
  if (id < 0) return true;
  auto statement = db.Prepare("SELECT 1 FROM regkeys WHERE id = ?");
  statement.Bind(1, id);
  return statement.Step();
}

// The key id behind a handle, or an error.
LONG Resolve(SqliteConnection& db, HKEY key, int64_t* id) {
  if (auto root = RootId(key)) {
    *id = *root;
    return ERROR_SUCCESS;
  }
  auto object = platform::System::Current().Handles().Get<RegistryKey>(key);
  if (!object) return ERROR_INVALID_HANDLE;
  if (!KeyExists(db, object->id)) return ERROR_KEY_DELETED;
  *id = object->id;
  return ERROR_SUCCESS;
}

bool SplitPath(LPCWSTR path, std::vector<std::u16string>* parts) {
  std::u16string_view text = platform::TextView(path, 32768);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'\\', start);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view part = text.substr(start, end - start);
    if (part.size() > kMaxRegistryName) return false;
    if (!part.empty()) parts->emplace_back(part);
    start = end + 1;
  }
  return true;
}

std::optional<int64_t> FindChild(SqliteConnection& db, int64_t parent, const std::u16string& name) {
  auto statement = db.Prepare("SELECT id FROM regkeys WHERE parent = ? AND fold = ?");
  statement.Bind(1, parent).Bind(2, std::u16string_view(platform::FoldCase(name)));
  if (!statement.Step()) return std::nullopt;
  return statement.ColumnInt64(0);
}

// The existing key `parts` below `key`.
LONG FindKey(SqliteConnection& db, HKEY key, const std::vector<std::u16string>& parts, int64_t* id) {
  if (LONG error = Resolve(db, key, id)) return error;
  for (const std::u16string& part : parts) {
    auto child = FindChild(db, *id, part);
    if (!child) return ERROR_FILE_NOT_FOUND;
    *id = *child;
  }
  return ERROR_SUCCESS;
}

HKEY AddHandle(int64_t id) {
  auto object = std::make_shared<RegistryKey>();
  object->id = id;
  return reinterpret_cast<HKEY>(platform::System::Current().Handles().Add(object));
}

template <class F>
LONG WithRegistry(F&& body) {
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr) return ERROR_INVALID_HANDLE;
  try {
    std::lock_guard guard(device->Lock());
    return body(device->Db());
  } catch (const std::exception&) {
    return ERROR_WRITE_FAULT;
  }
}

bool ValidValueName(LPCWSTR name) {
  return platform::TextView(name, kMaxRegistryName + 1).size() <= kMaxRegistryName;
}

// Copies value data to the caller's buffer with the platform's size rules.
LONG CopyData(const std::vector<uint8_t>& bytes, DWORD storedType, DWORD* type, BYTE* data, DWORD* size) {
  if (type) *type = storedType;
  if (size == nullptr) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  DWORD available = *size;
  *size = static_cast<DWORD>(bytes.size());
  if (data == nullptr) return ERROR_SUCCESS;
  if (available < bytes.size()) return ERROR_MORE_DATA;
  std::copy(bytes.begin(), bytes.end(), data);
  return ERROR_SUCCESS;
}

LONG CopyName(const std::u16string& text, LPWSTR name, DWORD* nameChars) {
  if (name == nullptr || nameChars == nullptr) return ERROR_INVALID_PARAMETER;
  if (*nameChars <= text.size()) {
    *nameChars = static_cast<DWORD>(text.size() + 1);
    return ERROR_MORE_DATA;
  }
  platform::BoundedCopy(name, *nameChars, text);
  *nameChars = static_cast<DWORD>(text.size());
  return ERROR_SUCCESS;
}

void DeleteTree(SqliteConnection& db, int64_t id) {
  std::vector<int64_t> children;
  auto statement = db.Prepare("SELECT id FROM regkeys WHERE parent = ?");
  statement.Bind(1, id);
  while (statement.Step()) children.push_back(statement.ColumnInt64(0));
  for (int64_t child : children) DeleteTree(db, child);
  db.Prepare("DELETE FROM regvalues WHERE key = ?").Bind(1, id).Run();
  db.Prepare("DELETE FROM regkeys WHERE id = ?").Bind(1, id).Run();
}

}  // namespace

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, void*, HKEY* result,
                     DWORD* disposition) {
  std::vector<std::u16string> parts;
  if (result == nullptr || !SplitPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    platform::SqliteTransaction transaction(db);
    int64_t id = 0;
    if (LONG error = Resolve(db, key, &id)) return error;
    bool created = false;
    for (const std::u16string& part : parts) {
      if (auto child = FindChild(db, id, part)) {
        id = *child;
        continue;
      }
      db.Prepare("INSERT INTO regkeys(parent, name, fold) VALUES(?, ?, ?)")
          .Bind(1, id)
          .Bind(2, std::u16string_view(part))
          .Bind(3, std::u16string_view(platform::FoldCase(part)))
          .Run();
      id = db.LastInsertRowId();
      created = true;
    }
    transaction.Commit();
    *result = AddHandle(id);
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
  });
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, HKEY* result) {
  std::vector<std::u16string> parts;
  if (result == nullptr || !SplitPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    int64_t id = 0;
    if (LONG error = FindKey(db, key, parts, &id)) return error;
    *result = AddHandle(id);
    return ERROR_SUCCESS;
  });
}

LONG RegCloseKey(HKEY key) {
  if (RootId(key)) return ERROR_SUCCESS;
  if (!platform::System::Current().Handles().Get<RegistryKey>(key)) return ERROR_INVALID_HANDLE;
  platform::System::Current().Handles().Close(key);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
  if (!ValidValueName(name)) return ERROR_INVALID_PARAMETER;
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    int64_t id = 0;
    if (LONG error = Resolve(db, key, &id)) return error;
    auto statement = db.Prepare("SELECT type, data FROM regvalues WHERE key = ? AND fold = ?");
    statement.Bind(1, id).Bind(2, std::u16string_view(platform::FoldCase(platform::TextView(name))));
    if (!statement.Step()) return ERROR_FILE_NOT_FOUND;
    return CopyData(statement.ColumnBlob(1), static_cast<DWORD>(statement.ColumnInt64(0)), type, data, size);
  });
}

LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  if (!ValidValueName(name) || (data == nullptr && size > 0) ||
      (type == REG_DWORD && size != sizeof(DWORD))) {
    return ERROR_INVALID_PARAMETER;
  }
  std::u16string_view text = platform::TextView(name);
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    platform::SqliteTransaction transaction(db);
    int64_t id = 0;
    if (LONG error = Resolve(db, key, &id)) return error;
    // A replaced value keeps its place in the enumeration order.
    db.Prepare(
          "INSERT INTO regvalues(key, name, fold, type, data, seq) VALUES(?1, ?2, ?3, ?4, ?5, "
          "(SELECT coalesce(max(seq), 0) + 1 FROM regvalues WHERE key = ?1)) "
          "ON CONFLICT(key, fold) DO UPDATE SET name = excluded.name, type = excluded.type, data = "
          "excluded.data")
        .Bind(1, id)
        .Bind(2, text)
        .Bind(3, std::u16string_view(platform::FoldCase(text)))
        .Bind(4, static_cast<int64_t>(type))
        .BindBlob(5, data, size)
        .Run();
    transaction.Commit();
    return ERROR_SUCCESS;
  });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR name) {
  if (!ValidValueName(name)) return ERROR_INVALID_PARAMETER;
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    int64_t id = 0;
    if (LONG error = Resolve(db, key, &id)) return error;
    db.Prepare("DELETE FROM regvalues WHERE key = ? AND fold = ?")
        .Bind(1, id)
        .Bind(2, std::u16string_view(platform::FoldCase(platform::TextView(name))))
        .Run();
    return db.Changes() ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
  std::vector<std::u16string> parts;
  if (!SplitPath(subKey, &parts) || parts.empty()) return ERROR_INVALID_PARAMETER;
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    platform::SqliteTransaction transaction(db);
    int64_t id = 0;
    if (LONG error = FindKey(db, key, parts, &id)) return error;
    DeleteTree(db, id);
    transaction.Commit();
    return ERROR_SUCCESS;
  });
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, DWORD* nameChars, DWORD*, DWORD* type, BYTE* data,
                   DWORD* size) {
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    int64_t id = 0;
    if (LONG error = Resolve(db, key, &id)) return error;
    auto statement =
        db.Prepare("SELECT name, type, data FROM regvalues WHERE key = ? ORDER BY seq LIMIT 1 OFFSET ?");
    statement.Bind(1, id).Bind(2, static_cast<int64_t>(index));
    if (!statement.Step()) return ERROR_NO_MORE_ITEMS;
    if (LONG error = CopyName(statement.ColumnText16(0), name, nameChars)) return error;
    return CopyData(statement.ColumnBlob(2), static_cast<DWORD>(statement.ColumnInt64(1)), type, data, size);
  });
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* nameChars, DWORD*, LPWSTR keyClass,
                   DWORD* classChars, FILETIME* lastWrite) {
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    int64_t id = 0;
    if (LONG error = Resolve(db, key, &id)) return error;
    auto statement = db.Prepare("SELECT name FROM regkeys WHERE parent = ? ORDER BY id LIMIT 1 OFFSET ?");
    statement.Bind(1, id).Bind(2, static_cast<int64_t>(index));
    if (!statement.Step()) return ERROR_NO_MORE_ITEMS;
    if (keyClass && classChars && *classChars > 0) keyClass[0] = u'\0';
    if (classChars) *classChars = 0;
    if (lastWrite) *lastWrite = FILETIME{};
    return CopyName(statement.ColumnText16(0), name, nameChars);
  });
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, DWORD* classChars, DWORD*, DWORD* subKeys,
                      DWORD* maxSubKeyChars, DWORD* maxClassChars, DWORD* values, DWORD* maxValueNameChars,
                      DWORD* maxValueBytes, DWORD*, FILETIME* lastWrite) {
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    int64_t id = 0;
    if (LONG error = Resolve(db, key, &id)) return error;
    auto keys = db.Prepare("SELECT count(*), coalesce(max(length(name)), 0) FROM regkeys WHERE parent = ?");
    keys.Bind(1, id).Step();
    auto vals = db.Prepare(
        "SELECT count(*), coalesce(max(length(name)), 0), coalesce(max(length(data)), 0) FROM regvalues "
        "WHERE key = ?");
    vals.Bind(1, id).Step();
    if (keyClass && classChars && *classChars > 0) keyClass[0] = u'\0';
    if (classChars) *classChars = 0;
    if (subKeys) *subKeys = static_cast<DWORD>(keys.ColumnInt64(0));
    if (maxSubKeyChars) *maxSubKeyChars = static_cast<DWORD>(keys.ColumnInt64(1));
    if (maxClassChars) *maxClassChars = 0;
    if (values) *values = static_cast<DWORD>(vals.ColumnInt64(0));
    if (maxValueNameChars) *maxValueNameChars = static_cast<DWORD>(vals.ColumnInt64(1));
    if (maxValueBytes) *maxValueBytes = static_cast<DWORD>(vals.ColumnInt64(2));
    if (lastWrite) *lastWrite = FILETIME{};
    return ERROR_SUCCESS;
  });
}

LONG RegFlushKey(HKEY key) {
  // Every write is already durable when it returns.
  return WithRegistry([&](SqliteConnection& db) -> LONG {
    int64_t id = 0;
    return Resolve(db, key, &id);
  });
}
