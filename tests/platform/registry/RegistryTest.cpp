#include <gtest/gtest.h>

#include <string>

#include "platform/core/HandleTable.h"
#include "platform/registry/Registry.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

class RegistryTest : public DeviceTest {
 protected:
  HKEY Create(HKEY root, const char16_t* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition),
              ERROR_SUCCESS);
    return key;
  }
  LONG SetString(HKEY key, const char16_t* name, const std::u16string& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * 2));
  }
  LONG SetNumber(HKEY key, const char16_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  }
  std::u16string GetString(HKEY key, const char16_t* name) {
    WCHAR buffer[256] = {};
    DWORD size = sizeof(buffer), type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
      return u"<none>";
    return type == REG_SZ ? std::u16string(buffer) : u"<type>";
  }
};

TEST_F(RegistryTest, KeysAreCreatedOpenedAndNamedWithoutRegardToCase) {
  DWORD disposition = 0;
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra", &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  HKEY again = Create(HKEY_LOCAL_MACHINE, u"software\\VELMORA\\calyra", &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  ASSERT_EQ(SetString(key, u"EmailSig", u"Regards"), ERROR_SUCCESS);
  EXPECT_EQ(GetString(again, u"EMAILSIG"), u"Regards");

  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Velmora", 0, KEY_READ, &opened), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Velmora", 0, KEY_READ, &opened),
            ERROR_FILE_NOT_FOUND)
      << "the roots are separate";
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Nobody", 0, KEY_READ, &opened),
            ERROR_FILE_NOT_FOUND);
  std::u16string tooLong(256, u'k');
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, tooLong.c_str(), 0, nullptr, 0, 0, nullptr, &opened, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE) << "twice";
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS) << "a root key closes without harm";
  EXPECT_EQ(GetString(key, u"EmailSig"), u"<none>");
}

TEST_F(RegistryTest, ValuesFollowThePlatformsBufferRules) {
  HKEY key = Create(HKEY_CURRENT_USER, u"ControlPanel\\Owner");
  ASSERT_EQ(SetString(key, nullptr, u"default"), ERROR_SUCCESS);
  EXPECT_EQ(GetString(key, u""), u"default") << "null and empty names are the default value";
  ASSERT_EQ(SetNumber(key, u"Count", 42), ERROR_SUCCESS);
  BYTE blob[3] = {1, 2, 3};
  ASSERT_EQ(RegSetValueExW(key, u"Blob", 0, REG_BINARY, blob, 3), ERROR_SUCCESS);

  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"Blob", nullptr, &type, nullptr, &size), ERROR_SUCCESS) << "a size query";
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(size, 3u);
  BYTE small[2] = {};
  size = sizeof(small);
  EXPECT_EQ(RegQueryValueExW(key, u"Blob", nullptr, &type, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 3u);
  DWORD number = 0;
  size = sizeof(number);
  ASSERT_EQ(RegQueryValueExW(key, u"count", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(number, 42u);
  EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

  std::u16string longName(256, u'v');
  EXPECT_EQ(SetNumber(key, longName.c_str(), 1), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExW(key, u"Short", 0, REG_DWORD, blob, 3), ERROR_INVALID_PARAMETER)
      << "a DWORD is 4 bytes";
  EXPECT_EQ(RegSetValueExW(key, u"Null", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExW(key, u"Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);

  EXPECT_EQ(RegDeleteValueW(key, u"COUNT"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"Count"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(SetNumber(reinterpret_cast<HKEY>(0x1234), u"x", 1), ERROR_INVALID_HANDLE);
  RegCloseKey(key);
}

TEST_F(RegistryTest, EnumerationKeepsCreationOrder) {
  HKEY key = Create(HKEY_CURRENT_USER, u"ControlPanel\\Notifications");
  RegCloseKey(Create(key, u"Reminders"));
  RegCloseKey(Create(key, u"Led"));
  SetNumber(key, u"b", 1);
  SetNumber(key, u"a", 2);
  SetNumber(key, u"B", 3);  // replaces "b", keeps its place

  WCHAR name[16];
  DWORD chars = 16;
  ASSERT_EQ(RegEnumKeyExW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"Reminders");
  EXPECT_EQ(chars, 9u);
  chars = 16;
  ASSERT_EQ(RegEnumKeyExW(key, 1, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"Led");
  chars = 16;
  EXPECT_EQ(RegEnumKeyExW(key, 2, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  chars = 3;
  EXPECT_EQ(RegEnumKeyExW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

  std::vector<std::pair<std::u16string, DWORD>> values;
  for (DWORD i = 0;; ++i) {
    DWORD value = 0, size = sizeof(value), type = 0;
    chars = 16;
    if (RegEnumValueW(key, i, name, &chars, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
      break;
    values.emplace_back(name, value);
  }
  EXPECT_EQ(values, (std::vector<std::pair<std::u16string, DWORD>>{{u"B", 3}, {u"a", 2}}));

  DWORD subKeys = 0, valueCount = 0, maxName = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &valueCount,
                             &maxName, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 2u);
  EXPECT_EQ(valueCount, 2u);
  EXPECT_EQ(maxName, 1u);
  RegCloseKey(key);
}

TEST_F(RegistryTest, DeletingAKeyTakesItsSubtreeAndStalesItsHandles) {
  HKEY calyra = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra\\Icons");
  SetString(calyra, u"Set", u"one");
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"software\\velmora"), ERROR_SUCCESS);
  HKEY opened = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra\\Icons", 0, KEY_READ, &opened),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(SetString(calyra, u"Set", u"two"), ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u""), ERROR_INVALID_PARAMETER) << "a root is never deleted";
  RegCloseKey(calyra);
}

TEST_F(RegistryTest, ValuesSurviveReopeningTheDevice) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra");
  SetString(key, u"ContactPhotoFolder", u"\\My Documents\\Photos");
  ReopenDevice();
  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra", 0, KEY_READ, &opened),
            ERROR_SUCCESS);
  EXPECT_EQ(GetString(opened, u"ContactPhotoFolder"), u"\\My Documents\\Photos");
  EXPECT_EQ(RegFlushKey(opened), ERROR_SUCCESS);
  RegCloseKey(opened);
}

TEST_F(RegistryTest, EveryChangeIsCounted) {
  int64_t count = Device().Changes().registry;
  auto changed = [&] {
    int64_t now = Device().Changes().registry;
    bool grew = now > count;
    count = now;
    return grew;
  };
  HKEY key = Create(HKEY_CURRENT_USER, u"ControlPanel\\Owner");
  EXPECT_TRUE(changed()) << "a new key";
  EXPECT_EQ(SetString(key, u"Name", u"Ann"), ERROR_SUCCESS);
  EXPECT_TRUE(changed()) << "a new value";
  EXPECT_EQ(SetString(key, u"Name", u"Bob"), ERROR_SUCCESS);
  EXPECT_TRUE(changed()) << "a replaced value";
  GetString(key, u"Name");
  EXPECT_FALSE(changed()) << "a read";
  EXPECT_EQ(RegDeleteValueW(key, u"Name"), ERROR_SUCCESS);
  EXPECT_TRUE(changed()) << "a deleted value";
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"ControlPanel"), ERROR_SUCCESS);
  EXPECT_TRUE(changed()) << "a deleted key";
  int64_t settings = Device().Changes().settings;
  Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora");
  EXPECT_EQ(Device().Changes().settings, settings) << "the settings' count stays";
}

}  // namespace
