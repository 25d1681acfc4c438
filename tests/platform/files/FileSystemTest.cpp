#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/core/LastError.h"
#include "platform/files/FileSystem.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

class FileSystemTest : public DeviceTest {
 protected:
  bool Write(const char16_t* name, const std::string& bytes, DWORD disposition = CREATE_ALWAYS) {
    HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
  }
  std::string Read(const char16_t* name) {
    HANDLE file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
  }
  std::vector<std::u16string> Find(const char16_t* pattern) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW data{};
    HANDLE search = FindFirstFileW(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      names.push_back(data.cFileName);
    } while (FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    FindClose(search);
    return names;
  }
};

TEST_F(FileSystemTest, PathsLiveInTheDeviceAndMatchWithoutRegardToCase) {
  ASSERT_TRUE(CreateDirectoryW(u"\\My Documents", nullptr));
  ASSERT_TRUE(Write(u"\\My Documents\\Note.pwi", "ink"));
  EXPECT_TRUE(std::filesystem::exists(DeviceFolder() / "device" / "fs" / "My Documents" / "Note.pwi"));
  EXPECT_EQ(Read(u"\\MY DOCUMENTS\\note.PWI"), "ink");
  EXPECT_EQ(Read(u"/my documents/note.pwi"), "ink") << "slashes are accepted";
  EXPECT_EQ(Read(u"my documents\\note.pwi"), "ink") << "a relative path starts at the root";
  ASSERT_TRUE(Write(u"\\my documents\\NOTE.pwi", "again"));
  EXPECT_EQ(Find(u"\\My Documents\\*"), std::vector<std::u16string>{u"Note.pwi"})
      << "one file, its first name kept";
  EXPECT_EQ(platform::HostPathOf(u"\\MY DOCUMENTS\\NOTE.PWI"),
            DeviceFolder() / "device" / "fs" / "My Documents" / "Note.pwi");

  for (const char16_t* bad : {u"\\a\\..\\b", u"\\a:b", u"\\x<y", u"\\what?", u"\\star*"}) {
    SetLastError(0);
    EXPECT_EQ(CreateFileW(bad, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
  }
  std::u16string longPath = u"\\" + std::u16string(MAX_PATH, u'a');
  EXPECT_EQ(CreateFileW(longPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
  EXPECT_EQ(CreateFileW(u"\\No Folder\\x", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(FileSystemTest, DispositionsAndErrorsAreThePlatforms) {
  EXPECT_EQ(CreateFileW(u"\\a.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  ASSERT_TRUE(Write(u"\\a.txt", "one", CREATE_NEW));
  EXPECT_FALSE(Write(u"\\a.txt", "two", CREATE_NEW));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  HANDLE file = CreateFileW(u"\\a.txt", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS) << "set even though it succeeds";
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_END), 3u);
  DWORD written = 0;
  WriteFile(file, "+", 1, &written, nullptr);
  EXPECT_EQ(GetFileSize(file, nullptr), 4u);
  EXPECT_EQ(SetFilePointer(file, -10, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_BEGIN), 2u);
  EXPECT_TRUE(SetEndOfFile(file));
  char byte;
  DWORD read = 99;
  EXPECT_FALSE(ReadFile(file, &byte, 1, &read, nullptr)) << "opened for writing only";
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(read, 0u);
  CloseHandle(file);
  EXPECT_EQ(Read(u"\\a.txt"), "on");

  file = CreateFileW(u"\\a.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  char buffer[8];
  ASSERT_TRUE(ReadFile(file, buffer, 8, &read, nullptr));
  EXPECT_EQ(read, 2u);
  ASSERT_TRUE(ReadFile(file, buffer, 8, &read, nullptr));
  EXPECT_EQ(read, 0u) << "at the end a read succeeds with nothing";
  EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));
  FILETIME modified{};
  ASSERT_TRUE(GetFileTime(file, nullptr, nullptr, &modified));
  EXPECT_EQ((static_cast<int64_t>(modified.dwHighDateTime) << 32) | modified.dwLowDateTime, kFixedNowUtc)
      << "a file written on the device carries the device's time";
  CloseHandle(file);
  EXPECT_FALSE(ReadFile(file, buffer, 1, &read, nullptr)) << "a closed handle";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(GetFileSize(INVALID_HANDLE_VALUE, nullptr), 0xFFFFFFFFu);
}

TEST_F(FileSystemTest, ReadOnlyFilesCannotBeChanged) {
  ASSERT_TRUE(Write(u"\\locked.txt", "keep"));
  ASSERT_TRUE(SetFileAttributesW(u"\\LOCKED.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributesW(u"\\locked.txt") & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(Write(u"\\locked.txt", "lost"));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(DeleteFileW(u"\\locked.txt"));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  ASSERT_TRUE(Write(u"\\other.txt", "other"));
  EXPECT_FALSE(CopyFileW(u"\\other.txt", u"\\locked.txt", FALSE));
  EXPECT_EQ(Read(u"\\locked.txt"), "keep");

  ASSERT_TRUE(MoveFileW(u"\\locked.txt", u"\\Moved.txt"));
  EXPECT_EQ(GetFileAttributesW(u"\\moved.txt") & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY)
      << "the attribute moves with the file";
  ReopenDevice();
  EXPECT_FALSE(DeleteFileW(u"\\moved.txt")) << "and survives reopening the device";
  ASSERT_TRUE(SetFileAttributesW(u"\\moved.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(DeleteFileW(u"\\moved.txt"));
  EXPECT_EQ(GetFileAttributesW(u"\\moved.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileSystemTest, AReadOnlyFileIsKnownByEveryWayIn) {
  HANDLE made =
      CreateFileW(u"\\made.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(made, "first", 5, &written, nullptr)) << "the handle that made it may write";
  CloseHandle(made);
  for (DWORD disposition : {OPEN_EXISTING, OPEN_ALWAYS, TRUNCATE_EXISTING, CREATE_ALWAYS}) {
    for (const char16_t* name : {u"\\made.txt", u"\\MADE.TXT"}) {
      EXPECT_EQ(CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, 0, nullptr),
                INVALID_HANDLE_VALUE)
          << "disposition " << disposition;
      EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    }
  }
  EXPECT_EQ(Read(u"\\made.txt"), "first") << "reading is allowed";
  ASSERT_TRUE(CopyFileW(u"\\made.txt", u"\\copy.txt", TRUE));
  EXPECT_FALSE(Write(u"\\copy.txt", "x", OPEN_EXISTING)) << "a copy takes the attribute along";

  // A device whose table called a file read-only before the host's permission followed it.
  ASSERT_TRUE(Write(u"\\old.txt", "old"));
  Device().Db().Prepare("INSERT INTO fileattrs(path, attributes) VALUES('\\old.txt', 1)").Run();
  ReopenDevice();
  EXPECT_FALSE(Write(u"\\old.txt", "new", OPEN_EXISTING));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributesW(u"\\old.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(Write(u"\\old.txt", "new", OPEN_EXISTING)) << "and stops being read-only when it is cleared";
  EXPECT_EQ(Read(u"\\old.txt"), "new");
}

TEST_F(FileSystemTest, EachHandleHasItsOwnFilePointer) {
  ASSERT_TRUE(Write(u"\\two.txt", "abcdef"));
  HANDLE first =
      CreateFileW(u"\\two.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE second = CreateFileW(u"\\TWO.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  ASSERT_NE(second, INVALID_HANDLE_VALUE);
  char buffer[8] = {};
  DWORD done = 0;
  EXPECT_EQ(SetFilePointer(first, 4, nullptr, FILE_BEGIN), 4u);
  ASSERT_TRUE(WriteFile(first, "XY", 2, &done, nullptr));
  EXPECT_EQ(SetFilePointer(first, 0, nullptr, FILE_CURRENT), 6u);
  ASSERT_TRUE(ReadFile(second, buffer, 3, &done, nullptr));
  EXPECT_EQ(std::string(buffer, done), "abc") << "the other handle still reads from the start";
  EXPECT_EQ(SetFilePointer(second, -1, nullptr, FILE_END), 5u);
  ASSERT_TRUE(ReadFile(second, buffer, 8, &done, nullptr));
  EXPECT_EQ(std::string(buffer, done), "Y");
  EXPECT_EQ(SetFilePointer(first, 10, nullptr, FILE_END), 16u) << "past the end is allowed";
  ASSERT_TRUE(WriteFile(first, "!", 1, &done, nullptr));
  EXPECT_EQ(GetFileSize(second, nullptr), 17u);
  CloseHandle(first);
  CloseHandle(second);
}

TEST_F(FileSystemTest, MoveCopyDeleteAndFolders) {
  ASSERT_TRUE(CreateDirectoryW(u"\\CalyraAlarmNotes", nullptr));
  EXPECT_FALSE(CreateDirectoryW(u"\\calyraalarmnotes", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(GetFileAttributesW(u"\\CalyraAlarmNotes"), FILE_ATTRIBUTE_DIRECTORY);
  ASSERT_TRUE(Write(u"\\CalyraAlarmNotes\\a.pwi", "a"));
  EXPECT_FALSE(RemoveDirectoryW(u"\\CalyraAlarmNotes"));
  EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);

  ASSERT_TRUE(CopyFileW(u"\\CalyraAlarmNotes\\a.pwi", u"\\CalyraAlarmNotes\\b.pwi", TRUE));
  EXPECT_FALSE(CopyFileW(u"\\CalyraAlarmNotes\\a.pwi", u"\\CalyraAlarmNotes\\b.pwi", TRUE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_FALSE(MoveFileW(u"\\CalyraAlarmNotes\\a.pwi", u"\\CalyraAlarmNotes\\B.PWI"));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  ASSERT_TRUE(MoveFileW(u"\\CalyraAlarmNotes\\a.pwi", u"\\CalyraAlarmNotes\\A.pwi"))
      << "a change of case only";
  EXPECT_EQ(Find(u"\\CalyraAlarmNotes\\*.*"), (std::vector<std::u16string>{u"A.pwi", u"b.pwi"}));
  EXPECT_FALSE(MoveFileW(u"\\CalyraAlarmNotes\\none", u"\\x"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(DeleteFileW(u"\\CalyraAlarmNotes\\none"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(DeleteFileW(u"\\CalyraAlarmNotes")) << "a folder is not deleted as a file";

  EXPECT_TRUE(DeleteFileW(u"\\CalyraAlarmNotes\\A.pwi"));
  EXPECT_TRUE(DeleteFileW(u"\\CalyraAlarmNotes\\b.pwi"));
  EXPECT_TRUE(RemoveDirectoryW(u"\\CalyraAlarmNotes"));
  EXPECT_FALSE(RemoveDirectoryW(u"\\"));
}

TEST_F(FileSystemTest, FindMatchesWildcardsWithoutRegardToCase) {
  CreateDirectoryW(u"\\Notes", nullptr);
  for (const char16_t* name :
       {u"\\Notes\\20240315]0001]Call.pwi", u"\\Notes\\Plan.TXT", u"\\Notes\\README"}) {
    ASSERT_TRUE(Write(name, "x"));
  }
  EXPECT_EQ(Find(u"\\Notes\\*.pwi"), std::vector<std::u16string>{u"20240315]0001]Call.pwi"});
  EXPECT_EQ(Find(u"\\Notes\\*.txt"), std::vector<std::u16string>{u"Plan.TXT"});
  EXPECT_EQ(Find(u"\\Notes\\*.*").size(), 3u) << "*.* matches names without a dot too";
  EXPECT_EQ(Find(u"\\Notes\\pla?.*"), std::vector<std::u16string>{u"Plan.TXT"});
  EXPECT_EQ(Find(u"\\Notes\\2024*]*]*.pwi").size(), 1u);
  WIN32_FIND_DATAW data{};
  EXPECT_EQ(FindFirstFileW(u"\\Notes\\*.doc", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FindFirstFileW(u"\\Nowhere\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(FindNextFileW(nullptr, &data));
  EXPECT_FALSE(FindClose(nullptr));
  HANDLE search = FindFirstFileW(u"\\Notes\\Plan.txt", &data);
  EXPECT_EQ(data.nFileSizeLow, 1u);
  EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FindClose(search);
}

TEST_F(FileSystemTest, SpecialFoldersAndTheModulePath) {
  WCHAR buffer[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, buffer, CSIDL_PERSONAL, TRUE));
  EXPECT_EQ(std::u16string(buffer), u"\\My Documents");
  EXPECT_EQ(GetFileAttributesW(buffer), FILE_ATTRIBUTE_DIRECTORY) << "made when asked to";
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, buffer, 0x77, FALSE));

  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, MAX_PATH), 32u);
  EXPECT_EQ(std::u16string(buffer), u"\\Program Files\\Calyra\\Calyra.exe");
  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 10), 9u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::u16string(buffer), u"\\Program ");
  platform::SetModuleFileName(u"\\Program Files\\Calyra\\CalyraFind.exe");
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  EXPECT_EQ(std::u16string(buffer), u"\\Program Files\\Calyra\\CalyraFind.exe");
  EXPECT_EQ(GetModuleFileNameW(nullptr, nullptr, 10), 0u);
}

}  // namespace
