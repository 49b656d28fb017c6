// Attributes, times and sizes: set on the write file and read or tested on
// the read file, on real files in a scratch directory.
#include <math.h>
#include "file_fixture.h"

namespace {

const int SetReadOnly = 454, SetHidden = 455, SetSystem = 456, SetArchive = 458;
const int IsDirectory = 457, IsTemporary = 459, IsCompressed = 460, IsOffline = 461;
const int CreateTime = 462, AccessTime = 463, WriteTime = 464, FileSize = 508;

class FileDetails : public FileTest {
 public:
  // Sets attribute element id of the write file to on.
  void SetAttribute(int id, bool on) { Command("(#" + std::to_string(id) + (on ? " (true))" : " (false))")); }
  // Tests attribute element id of the read file.
  int TestAttribute(int id) { return Logic(id); }

  // The file's time as the system keeps it (UTC, 100-ns units).
  static uint64_t SystemTime(const char* name, int which) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &d)) return 0;
    FILETIME t = which == CreateTime ? d.ftCreationTime : which == AccessTime ? d.ftLastAccessTime : d.ftLastWriteTime;
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
  static std::string SetTime(int id, double seconds) {
    char n[64];
    snprintf(n, sizeof n, "%.17g", seconds);
    return "(#" + std::to_string(id) + " (num " + n + "))";
  }
};

TEST_F(FileDetails, SetAndTestAttributes) {
  ASSERT_TRUE(Put("f.txt", "x"));
  WriteFileName.AssignChars("f.txt");
  ReadFileName.AssignChars("f.txt");
  const struct {
    int Id;
    DWORD Mask;
  } kinds[] = {{SetReadOnly, FILE_ATTRIBUTE_READONLY}, {SetHidden, FILE_ATTRIBUTE_HIDDEN},
               {SetSystem, FILE_ATTRIBUTE_SYSTEM}};
  for (auto& k : kinds) {
    SetAttribute(k.Id, true);
    EXPECT_EQ(0, FileError) << k.Id;
    EXPECT_TRUE(Attributes("f.txt") & k.Mask) << k.Id;
    EXPECT_EQ(1, TestAttribute(k.Id)) << k.Id;
    SetAttribute(k.Id, true);  // already set: nothing to change, a success
    EXPECT_EQ(0, FileError) << k.Id << " set twice";
    SetAttribute(k.Id, false);
    EXPECT_EQ(0, FileError) << k.Id;
    EXPECT_FALSE(Attributes("f.txt") & k.Mask) << k.Id;
    EXPECT_EQ(0, TestAttribute(k.Id)) << k.Id;
    EXPECT_EQ(0, FileError) << k.Id;
  }
  for (int id : {IsDirectory, IsTemporary, IsCompressed, IsOffline}) {
    EXPECT_EQ(0, TestAttribute(id)) << id;
    EXPECT_EQ(0, FileError) << id;
  }
  CreateDirectoryA("d", nullptr);
  ReadFileName.AssignChars("d");
  EXPECT_EQ(1, TestAttribute(IsDirectory));
}

// Clearing the last attribute leaves none, which the system only takes as
// the normal attribute.
TEST_F(FileDetails, ClearingTheLastAttribute) {
  ASSERT_TRUE(Put("f.txt", "x"));
  WriteFileName.AssignChars("f.txt");
  ReadFileName.AssignChars("f.txt");
  SetFileAttributesA("f.txt", FILE_ATTRIBUTE_READONLY);
  ASSERT_EQ((DWORD)FILE_ATTRIBUTE_READONLY, Attributes("f.txt") & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE);
  SetAttribute(SetArchive, false);
  SetAttribute(SetReadOnly, false);
  EXPECT_EQ(0, FileError);
  EXPECT_FALSE(Attributes("f.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(0, TestAttribute(SetReadOnly));
  SetAttribute(SetArchive, true);
  EXPECT_EQ(0, FileError);
  EXPECT_EQ(1, TestAttribute(SetArchive));
}

TEST_F(FileDetails, AttributesNeedAnExistingNamedFile) {
  for (const char* name : {"", "missing.txt"}) {
    WriteFileName.AssignChars(name);
    ReadFileName.AssignChars(name);
    SetAttribute(SetHidden, true);
    EXPECT_EQ(1, FileError) << "'" << name << "'";
    EXPECT_EQ(0, TestAttribute(SetHidden)) << "'" << name << "'";
    EXPECT_EQ(1, FileError) << "'" << name << "'";
  }
  EXPECT_FALSE(IsFile("missing.txt"));
}

TEST_F(FileDetails, WriteAndAccessTimes) {
  ASSERT_TRUE(Put("f.txt", "x"));
  WriteFileName.AssignChars("f.txt");
  ReadFileName.AssignChars("f.txt");
  const double seconds = 13000000000.25;  // in 2012, local clock
  for (int id : {WriteTime, AccessTime}) {
    Command(SetTime(id, seconds));
    EXPECT_EQ(0, FileError) << id;
    ResetFiles();
    WriteFileName.AssignChars("f.txt");
    ReadFileName.AssignChars("f.txt");
    EXPECT_EQ(LocalSecondsToUtc(seconds), SystemTime("f.txt", id)) << id;
    double back = Number(Element(id));
    EXPECT_EQ(0, FileError) << id;
    EXPECT_NEAR(seconds, back, 1e-5) << id;
  }
  // The other times are read as the system has them, in local seconds.
  EXPECT_NEAR(UtcToLocalSeconds(SystemTime("f.txt", CreateTime)), Number(Element(CreateTime)), 1e-5);
  // A name with wildcards reads its first match.
  ReadFileName.AssignChars("f.*");
  EXPECT_NEAR(seconds, Number(Element(WriteTime)), 1e-5);
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
  if (SystemTime("probe.txt", CreateTime) != units)
    GTEST_SKIP() << "the system keeps no settable creation time (Wine on this file system)";
  ASSERT_TRUE(Put("f.txt", "x"));
  WriteFileName.AssignChars("f.txt");
  Command(SetTime(CreateTime, seconds));
  EXPECT_EQ(0, FileError);
  ResetFiles();
  EXPECT_EQ(units, SystemTime("f.txt", CreateTime));
  ReadFileName.AssignChars("f.txt");
  EXPECT_NEAR(seconds, Number(Element(CreateTime)), 1e-5);
}

TEST_F(FileDetails, TimeOfAMissingFile) {
  // Setting creates the file empty.
  WriteFileName.AssignChars("new.txt");
  Command(SetTime(WriteTime, 13000000000));
  EXPECT_EQ(0, FileError);
  ResetFiles();
  EXPECT_EQ("", Get("new.txt"));
  // Reading a missing or unnamed file gives 0 and the error.
  for (const char* name : {"", "missing.txt"}) {
    ReadFileName.AssignChars(name);
    EXPECT_EQ(0, Number(Element(WriteTime))) << "'" << name << "'";
    EXPECT_EQ(1, FileError) << "'" << name << "'";
  }
  // An unnamed write file cannot be changed.
  WriteFileName.Empty();
  Command(SetTime(AccessTime, 13000000000));
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
    Command("(#508 " + std::string(c.Operand) + ")");
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
  Command("(#508 (num 4))");
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
    EXPECT_EQ(c.Size, Number(Element(FileSize))) << "'" << c.Name << "'";
    EXPECT_EQ(c.Error, FileError) << "'" << c.Name << "'";
  }
}

}  // namespace
