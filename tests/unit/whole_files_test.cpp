// Files and directories as wholes, on real files in a scratch directory: the
// file names as texts, create, directory paths, delete, existence, copy and move.
#include "file_fixture.h"

namespace {

class WholeFiles : public FileTest {};

TEST_F(WholeFiles, NamesAsTexts) {
  ReadFileName.AssignChars("in\\a.dat");
  WriteFileName.AssignChars("out.dat");
  EXPECT_EQ("in\\a.dat", TextOf(Element(El::file_read_name)));
  EXPECT_EQ("out.dat", TextOf(Element(El::file_write_name)));
}

TEST_F(WholeFiles, CreateMakesOrEmptiesFiles) {
  ASSERT_TRUE(Put("full.txt", "content"));
  CreateDirectoryA("adir", nullptr);
  const struct {
    const char* Name;
    int Result;
    const char* Made;  // the file that must then exist empty, or null
  } cases[] = {
      {"new.txt", 1, "new.txt"},
      {"full.txt", 1, "full.txt"},           // emptied
      {" \t spaced.txt  ", 1, "spaced.txt"},  // trimmed
      {"x\\y\\z.txt", 1, "x\\y\\z.txt"},    // every missing directory, the first included
      {"adir\\in.txt", 1, "adir\\in.txt"},
      {"", 0, nullptr},
      {"   ", 0, nullptr},
      {"adir\\", 0, nullptr},
      {"adir", 0, nullptr},  // a directory of that name
      {"full.txt\\below.txt", 0, nullptr},
  };
  for (auto& c : cases) {
    EXPECT_EQ(c.Result, Logic(El::file_create, c.Name)) << "'" << c.Name << "'";
    EXPECT_EQ(!c.Result, FileError) << "'" << c.Name << "'";
    if (c.Made) {
      EXPECT_EQ("", Get(c.Made)) << c.Name;
    }
  }
  EXPECT_TRUE(IsDir("adir"));
  // The command form does the same and drops the result.
  Command("(file_create " + Const("cmd\\made.txt") + ")");
  EXPECT_EQ("", Get("cmd\\made.txt"));
  Command("(file_create " + Const("") + ")");
  EXPECT_EQ(1, FileError);
}

// Over an existing file that cannot be opened (here: held without sharing,
// then read-only) the create reports success and leaves the file alone.
TEST_F(WholeFiles, CreateOverAFileItCannotOpen) {
  ASSERT_TRUE(Put("held.txt", "keep"));
  HANDLE held = CreateFileA("held.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(1, Logic(El::file_create, "held.txt"));
  EXPECT_EQ(0, FileError);
  CloseHandle(held);
  EXPECT_EQ("keep", Get("held.txt"));

  ASSERT_TRUE(Put("ro.txt", "keep"));
  SetFileAttributesA("ro.txt", FILE_ATTRIBUTE_READONLY);
  HANDLE probe = CreateFileA("ro.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    GTEST_SKIP() << "the system opens read-only files for writing (Wine runs as root)";
  }
  EXPECT_EQ(1, Logic(El::file_create, "ro.txt"));
  EXPECT_EQ(0, FileError);
  EXPECT_EQ("keep", Get("ro.txt"));
}

TEST_F(WholeFiles, DirectoryPaths) {
  ASSERT_TRUE(Put("plain.txt", "x"));
  const struct {
    const char* Name;
    int Result;
    const char* Made;
  } cases[] = {
      {"data\\saves", 1, "data\\saves"},  // the first component is made too
      {"data\\saves", 1, "data\\saves"},  // already there
      {"  deep\\a\\b\\c\\\\ ", 1, "deep\\a\\b\\c"},
      {"one", 1, "one"},
      {"", 0, nullptr},
      {"plain.txt", 0, nullptr},
      {"plain.txt\\sub", 0, nullptr},
  };
  for (auto& c : cases) {
    EXPECT_EQ(c.Result, Logic(El::dir_create, c.Name)) << "'" << c.Name << "'";
    EXPECT_EQ(!c.Result, FileError) << "'" << c.Name << "'";
    if (c.Made) {
      EXPECT_TRUE(IsDir(c.Made)) << c.Name;
    }
  }
  // An absolute path below the scratch directory.
  std::string absolute = Dir + "\\abs\\p\\q";
  EXPECT_EQ(1, Logic(El::dir_create, absolute.c_str()));
  EXPECT_TRUE(IsDir(absolute));
  Command("(dir_create " + Const("by\\command") + ")");
  EXPECT_TRUE(IsDir("by\\command"));
}

TEST_F(WholeFiles, DeleteFilesAndEmptyDirectories) {
  ASSERT_TRUE(Put("f.txt", "x"));
  CreateDirectoryA("empty", nullptr);
  CreateDirectoryA("full", nullptr);
  ASSERT_TRUE(Put("full\\in.txt", "x"));
  const struct {
    const char* Name;
    int Result;
  } cases[] = {
      {" f.txt ", 1}, {"f.txt", 0}, {"empty", 1}, {"full", 0}, {"missing", 0}, {"", 0},
  };
  for (auto& c : cases) {
    EXPECT_EQ(c.Result, Logic(El::file_delete, c.Name)) << "'" << c.Name << "'";
    EXPECT_EQ(!c.Result, FileError) << "'" << c.Name << "'";
  }
  EXPECT_FALSE(IsFile("f.txt"));
  EXPECT_FALSE(IsDir("empty"));
  EXPECT_TRUE(IsFile("full\\in.txt"));
  Command("(file_delete " + Const("full\\in.txt") + ")");
  EXPECT_FALSE(IsFile("full\\in.txt"));
}

TEST_F(WholeFiles, Existence) {
  ASSERT_TRUE(Put("f.txt", "x"));
  CreateDirectoryA("sub", nullptr);
  DWORD drives = GetLogicalDrives();
  ASSERT_TRUE(drives & 1 << ('C' - 'A')) << "the prefix has a drive C:";
  std::string missing;
  for (char d = 'Z'; d >= 'D'; d--)
    if (!(drives & 1 << (d - 'A'))) {
      missing = std::string(1, d) + ":";
      break;
    }
  const struct {
    std::string Name;
    int Result;
  } cases[] = {
      {"f.txt", 1},  {" f.txt\t", 1}, {"sub", 1}, {"*.txt", 1}, {"s?b", 1}, {"g.txt", 0}, {"", 0},
      {"C:", 1},     {"c:", 1},      {"C:\\", 1}, {"c:\\", 1}, {missing, 0}, {missing + "\\", 0},
      {"1:", 0},     {"C:\\nothing-here", 0},
  };
  for (auto& c : cases) {
    FileError = 0;
    EXPECT_EQ(c.Result, Logic(El::file_exists, c.Name.c_str())) << "'" << c.Name << "'";
    EXPECT_EQ(0, FileError) << "'" << c.Name << "': the test is silent";
  }
}

TEST_F(WholeFiles, CopyAndMove) {
  ASSERT_TRUE(Put("a.txt", "alpha"));
  ASSERT_TRUE(Put("taken.txt", "old"));
  const struct {
    int32_t Id;
    const char* From;
    const char* To;
    int Result;
  } cases[] = {
      {El::file_copy, "a.txt", "b.txt", 1},
      {El::file_copy, "a.txt", "taken.txt", 0},  // the target must not exist
      {El::file_copy, "none.txt", "c.txt", 0},
      {El::file_copy, "", "d.txt", 0},
      {El::file_copy, "a.txt", "", 0},
      {El::file_move, "b.txt", "moved.txt", 1},
      {El::file_move, "none.txt", "e.txt", 0},
      {El::file_move, "a.txt", "", 0},
  };
  for (auto& c : cases) {
    ReadFileName.AssignChars(c.From);
    WriteFileName.AssignChars(c.To);
    ReadFileState.Offset = 5;
    WriteFileState.Offset = 7;
    EXPECT_EQ(c.Result, Logic(c.Id)) << ElementNameOfId(c.Id) << " " << c.From << " -> " << c.To;
    EXPECT_EQ(!c.Result, FileError) << ElementNameOfId(c.Id) << " " << c.From << " -> " << c.To;
    bool named = *c.From && *c.To;
    EXPECT_EQ(named ? 0 : 5, ReadFileState.Offset) << c.From << " -> " << c.To;
    EXPECT_EQ(named ? 0 : 7, WriteFileState.Offset) << c.From << " -> " << c.To;
  }
  EXPECT_EQ("alpha", Get("a.txt"));
  EXPECT_EQ("old", Get("taken.txt"));
  EXPECT_EQ("<missing>", Get("b.txt"));
  EXPECT_EQ("alpha", Get("moved.txt"));
  // The command forms.
  ReadFileName.AssignChars("moved.txt");
  WriteFileName.AssignChars("sub-copy.txt");
  Command("(file_copy)");
  EXPECT_EQ("alpha", Get("sub-copy.txt"));
  WriteFileName.AssignChars("renamed.txt");
  Command("(file_move)");
  EXPECT_EQ("<missing>", Get("moved.txt"));
  EXPECT_EQ("alpha", Get("renamed.txt"));
}

// CreateDirPath alone on absolute paths with a drive.
TEST_F(WholeFiles, DirectoryPathWithDrive) {
  std::string base = Dir + "\\drive";
  EXPECT_TRUE(CreateDirPath(Text((base + "\\one\\two").c_str())));
  EXPECT_TRUE(IsDir(base + "\\one\\two"));
  EXPECT_TRUE(CreateOneDirectory(Text((base + "\\one\\\\ ").c_str())));  // exists already
  EXPECT_FALSE(CreateOneDirectory(Text((base + "\\x\\y").c_str())));     // its parent is missing
  EXPECT_FALSE(CreateDirPath(Text("")));
}

}  // namespace
