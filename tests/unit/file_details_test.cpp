// Attributes, times and sizes: set on the write file and read or tested on
// the read file, on real files in a scratch directory.
#include <math.h>
#include "file_fixture.h"

namespace {

class FileDetails : public FileTest {
 public:
  // Sets attribute element id of the write file to on.
  void SetAttribute(int32_t id, bool on) {
    Command("(" + std::string(ElementNameOfId(id)) + (on ? " (true))" : " (false))"));
  }
  // Tests attribute element id of the read file.
  int TestAttribute(int32_t id) { return Logic(id); }

  // The file's time as the system keeps it (UTC, 100-ns units).
  static uint64_t SystemTime(const char* name, int32_t which) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &d)) return 0;
    FILETIME t = which == El::file_create_time ? d.ftCreationTime : which == El::file_access_time ? d.ftLastAccessTime : d.ftLastWriteTime;
    return (uint64_t)t.dwHighDateTime << 32 | t.dwLowDateTime;
  }
  // Local seconds since 1601 as UTC units, as the system converts them.
  static uint64_t LocalSecondsToUtc(double seconds) {
    uint64_t units = (uint64_t)llround(seconds * 1e7);
    FILETIME local = {(DWORD)units, (DWORD)(units >> 32)}, utc;
    LocalFileTimeToFileTime(&local, &utc);
    return (uint64_t)utc.dwHighDateTime << 32 | utc.dwLowDateTime;
  }
  static double UtcToLocalSeconds(uint64_t units) {
    FILETIME utc = {(DWORD)units, (DWORD)(units >> 32)}, local;
    FileTimeToLocalFileTime(&utc, &local);
    return (double)(int64_t)((uint64_t)local.dwHighDateTime << 32 | local.dwLowDateTime) * 1e-7;
  }
  static std::string SetTime(int32_t id, double seconds) {
    char n[64];
    snprintf(n, sizeof n, "%.17g", seconds);
    return "(" + std::string(ElementNameOfId(id)) + " (num " + n + "))";
  }
};

TEST_F(FileDetails, SetAndTestAttributes) {
  ASSERT_TRUE(Put("f.txt", "x"));
  WriteFileName.AssignChars("f.txt");
  ReadFileName.AssignChars("f.txt");
  const struct {
    int32_t Id;
    DWORD Mask;
  } kinds[] = {{El::file_readonly, FILE_ATTRIBUTE_READONLY}, {El::file_hidden, FILE_ATTRIBUTE_HIDDEN},
               {El::file_system, FILE_ATTRIBUTE_SYSTEM}};
  for (auto& k : kinds) {
    SetAttribute(k.Id, true);
    EXPECT_EQ(0, FileError) << ElementNameOfId(k.Id);
    EXPECT_TRUE(Attributes("f.txt") & k.Mask) << ElementNameOfId(k.Id);
    EXPECT_EQ(1, TestAttribute(k.Id)) << ElementNameOfId(k.Id);
    SetAttribute(k.Id, true);  // already set: nothing to change, a success
    EXPECT_EQ(0, FileError) << ElementNameOfId(k.Id) << " set twice";
    SetAttribute(k.Id, false);
    EXPECT_EQ(0, FileError) << ElementNameOfId(k.Id);
    EXPECT_FALSE(Attributes("f.txt") & k.Mask) << ElementNameOfId(k.Id);
    EXPECT_EQ(0, TestAttribute(k.Id)) << ElementNameOfId(k.Id);
    EXPECT_EQ(0, FileError) << ElementNameOfId(k.Id);
  }
  for (int32_t id : {El::file_directory, El::file_temporary, El::file_compressed, El::file_offline}) {
    EXPECT_EQ(0, TestAttribute(id)) << ElementNameOfId(id);
    EXPECT_EQ(0, FileError) << ElementNameOfId(id);
  }
  CreateDirectoryA("d", nullptr);
  ReadFileName.AssignChars("d");
  EXPECT_EQ(1, TestAttribute(El::file_directory));
}

// Clearing the last attribute leaves none, which the system only takes as
// the normal attribute.
TEST_F(FileDetails, ClearingTheLastAttribute) {
  ASSERT_TRUE(Put("f.txt", "x"));
  WriteFileName.AssignChars("f.txt");
  ReadFileName.AssignChars("f.txt");
  SetFileAttributesA("f.txt", FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ((DWORD)FILE_ATTRIBUTE_READONLY, Attributes("f.txt") & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE);
  SetAttribute(El::file_archive, false);
  SetAttribute(El::file_readonly, false);
  EXPECT_EQ(0, FileError);
  EXPECT_FALSE(Attributes("f.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(0, TestAttribute(El::file_readonly));
  SetAttribute(El::file_archive, true);
  EXPECT_EQ(0, FileError);
  EXPECT_EQ(1, TestAttribute(El::file_archive));
}

TEST_F(FileDetails, AttributesNeedAnExistingNamedFile) {
  for (const char* name : {"", "missing.txt"}) {
    WriteFileName.AssignChars(name);
    ReadFileName.AssignChars(name);
    SetAttribute(El::file_hidden, true);
    EXPECT_EQ(1, FileError) << "'" << name << "'";
    EXPECT_EQ(0, TestAttribute(El::file_hidden)) << "'" << name << "'";
    EXPECT_EQ(1, FileError) << "'" << name << "'";
  }
  EXPECT_FALSE(IsFile("missing.txt"));
}

TEST_F(FileDetails, WriteAndAccessTimes) {
  ASSERT_TRUE(Put("f.txt", "x"));
  WriteFileName.AssignChars("f.txt");
  ReadFileName.AssignChars("f.txt");
  const double seconds = 13000000000.25;  // in 2012, local clock
  for (int32_t id : {El::file_write_time, El::file_access_time}) {
    Command(SetTime(id, seconds));
    EXPECT_EQ(0, FileError) << ElementNameOfId(id);
    ResetFiles();
    WriteFileName.AssignChars("f.txt");
    ReadFileName.AssignChars("f.txt");
    EXPECT_EQ(LocalSecondsToUtc(seconds), SystemTime("f.txt", id)) << ElementNameOfId(id);
    double back = Number(Element(id));
    EXPECT_EQ(0, FileError) << ElementNameOfId(id);
    EXPECT_NEAR(seconds, back, 1e-5) << ElementNameOfId(id);
  }
  // The other times are read as the system has them, in local seconds.
  EXPECT_NEAR(UtcToLocalSeconds(SystemTime("f.txt", El::file_create_time)), Number(Element(El::file_create_time)), 1e-5);
  // A name with wildcards reads its first match.
  ReadFileName.AssignChars("f.*");
  EXPECT_NEAR(seconds, Number(Element(El::file_write_time)), 1e-5);
}

TEST_F(FileDetails, CreationTime) {
  const double seconds = 12000000000;
  ASSERT_TRUE(Put("probe.txt", ""));
  uint64_t units = LocalSecondsToUtc(seconds);
  FILETIME wanted = {(DWORD)units, (DWORD)(units >> 32)};
  HANDLE h = CreateFileA("probe.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  SetFileTime(h, &wanted, nullptr, nullptr);
  CloseHandle(h);
  if (SystemTime("probe.txt", El::file_create_time) != units)
    GTEST_SKIP() << "the system keeps no settable creation time (Wine on this file system)";
  ASSERT_TRUE(Put("f.txt", "x"));
  WriteFileName.AssignChars("f.txt");
  Command(SetTime(El::file_create_time, seconds));
  EXPECT_EQ(0, FileError);
  ResetFiles();
  EXPECT_EQ(units, SystemTime("f.txt", El::file_create_time));
  ReadFileName.AssignChars("f.txt");
  EXPECT_NEAR(seconds, Number(Element(El::file_create_time)), 1e-5);
}

TEST_F(FileDetails, TimeOfAMissingFile) {
  // Setting creates the file empty.
  WriteFileName.AssignChars("new.txt");
  Command(SetTime(El::file_write_time, 13000000000));
  EXPECT_EQ(0, FileError);
  ResetFiles();
  EXPECT_EQ("", Get("new.txt"));
  // Reading a missing or unnamed file gives 0 and the error.
  for (const char* name : {"", "missing.txt"}) {
    ReadFileName.AssignChars(name);
    EXPECT_EQ(0, Number(Element(El::file_write_time))) << "'" << name << "'";
    EXPECT_EQ(1, FileError) << "'" << name << "'";
  }
  // An unnamed write file cannot be changed.
  WriteFileName.Empty();
  Command(SetTime(El::file_access_time, 13000000000));
  EXPECT_EQ(1, FileError);
}

TEST_F(FileDetails, SetSize) {
  const struct {
    const char* Operand;
    const char* Before;  // null: no such file
    int64_t Size;        // afterwards; -1: the file is unchanged
    int Error;
  } cases[] = {
      {"(num 10)", nullptr, 10, 0},     {"(num 3)", "abcdefgh", 3, 0},
      {"(num 5.6)", "ab", 6, 0},        {"(num -4)", "abcdefgh", 0, 0},
      {"(@nan)", "abcdefgh", -1, 1},    {"(num 1e10)", "abcdefgh", -1, 1},
      {"(@pinf)", "abcdefgh", -1, 1},   {"(num 0)", "abc", 0, 0},
  };
  for (auto& c : cases) {
    ResetFiles();
    DeleteFileA("s.bin");
    if (c.Before) {
      ASSERT_TRUE(Put("s.bin", c.Before));
    }
    WriteFileName.AssignChars("s.bin");
    Command("(file_size " + std::string(c.Operand) + ")");
    EXPECT_EQ(c.Error, FileError) << c.Operand;
    ResetFiles();
    std::string after = Get("s.bin");
    if (c.Size < 0) {
      EXPECT_EQ(c.Before ? c.Before : "<missing>", after) << c.Operand;
    } else {
      EXPECT_EQ((size_t)c.Size, after.size()) << c.Operand;
      if (c.Before) {
        EXPECT_EQ(std::string(c.Before).substr(0, c.Size), after.substr(0, strlen(c.Before))) << c.Operand;
      }
    }
  }
  WriteFileName.Empty();
  Command("(file_size (num 4))");
  EXPECT_EQ(1, FileError);
}

TEST_F(FileDetails, ReadSize) {
  ASSERT_TRUE(Put("s.bin", std::string(70000, 'z')));
  ASSERT_TRUE(Put("empty.bin", ""));
  const struct {
    const char* Name;
    double Size;
    int Error;
  } cases[] = {{"s.bin", 70000, 0}, {"empty.bin", 0, 0}, {"missing.bin", 0, 1}, {"", 0, 1}};
  for (auto& c : cases) {
    ResetFiles();
    ReadFileName.AssignChars(c.Name);
    EXPECT_EQ(c.Size, Number(Element(El::file_size))) << "'" << c.Name << "'";
    EXPECT_EQ(c.Error, FileError) << "'" << c.Name << "'";
  }
}

}  // namespace
