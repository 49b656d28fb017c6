// Files, directories, disks and aliases end to end: each program runs under
// Wine in a scratch directory of its own (a Z: path), reports what it saw in
// the bits of its exit code, and its files are checked natively afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <string>
#include <vector>
#include "lib/file_bytes.h"
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

std::string Contents(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) return "<missing>";
  return std::string(bytes.begin(), bytes.end());
}
bool IsDir(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

// Creates, lists, deletes and tests files and directories; each bit of the
// exit code is one answer the program got.
const char* const CreateListDelete = R"(
global
  main: function -> main_def
  code: real = 0
local
  main_def: function -> main_body
program
  main_body: function
    file_create
      text_const "a.txt"
    file_create
      text_const " b.txt "
    file_create
      text_const "docs\\c.doc"
    dir_create
      text_const "data\\saves"
    file_create
      text_const "gone.txt"
    file_delete
      text_const "gone.txt"
    dir_create
      text_const "emptydir"
    file_delete
      text_const "emptydir"
    current_dir
      text_const "data"
    file_create
      text_const "inner.txt"
    current_dir
      text_const ".."
    if
      if_cond
        text_equal
          file_list
            text_const "a.txt;docs\\*.doc; b.t?t"
          text_const "a.txt\r\nc.doc\r\nb.txt\r\n"
      then
        @code
          +
            @code
            num 1
    if
      if_cond
        file_exists
          text_const "a.txt"
      then
        @code
          +
            @code
            num 2
    if
      if_cond
        not
          file_exists
            text_const "gone.txt"
      then
        @code
          +
            @code
            num 4
    if
      if_cond
        file_exists
          text_const "z:"
      then
        @code
          +
            @code
            num 8
    if
      if_cond
        file_exists
          text_const "data\\saves"
      then
        @code
          +
            @code
            num 16
    if
      if_cond
        >
          disk_size
          num 0
      then
        @code
          +
            @code
            num 32
    if
      if_cond
        not
          >
            disk_free
            disk_size
      then
        @code
          +
            @code
            num 64
    if
      if_cond
        not
          file_create
            text_const ""
      then
        @code
          +
            @code
            num 128
    if
      if_cond
        not
          file_delete
            text_const "data"
      then
        @code
          +
            @code
            num 256
    return_code
      @code
)";

TEST(FilesEndToEnd, CreateListDelete) {
  RunOptions options;
  options.WorkDir = "work";
  ProgramRun run = RunSource(CreateListDelete, options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(511u, run.ExitCode) << run.Output;
  const std::string& w = run.WorkDir;
  EXPECT_EQ("", Contents(w + "/a.txt"));
  EXPECT_EQ("", Contents(w + "/b.txt"));
  EXPECT_EQ("", Contents(w + "/docs/c.doc"));
  EXPECT_EQ("", Contents(w + "/data/inner.txt"));
  EXPECT_TRUE(IsDir(w + "/data/saves"));
  EXPECT_FALSE(Exists(w + "/gone.txt"));
  EXPECT_FALSE(Exists(w + "/emptydir"));
}

// Copies and moves a file whose size and times it set, changes its
// attributes and stores its alias.
const char* const CopyMoveSizesTimes = R"(
global
  main: function -> main_def
  code: real = 0
local
  main_def: function -> main_body
program
  main_body: function
    file_create
      text_const "orig.txt"
    file_write_name
      text_const "orig.txt"
    file_size
      num 1000
    file_write_time
      num 13000000000
    file_read_name
      text_const "orig.txt"
    file_write_name
      text_const "copy.txt"
    if
      if_cond
        file_copy
      then
        @code
          +
            @code
            num 1
    if
      if_cond
        not
          file_copy
      then
        @code
          +
            @code
            num 2
    file_read_name
      text_const "copy.txt"
    file_write_name
      text_const "moved.txt"
    if
      if_cond
        file_move
      then
        @code
          +
            @code
            num 4
    file_read_name
      text_const "moved.txt"
    if
      if_cond
        =
          file_size
          num 1000
      then
        @code
          +
            @code
            num 8
    if
      if_cond
        and
          >
            file_write_time
            num 12999999999.99
          <
            file_write_time
            num 13000000000.01
      then
        @code
          +
            @code
            num 16
    file_write_name
      text_const "moved.txt"
    file_readonly
      true
    if
      if_cond
        file_readonly
      then
        @code
          +
            @code
            num 32
    file_alias
      text_const " Moved = file "
    if
      if_cond
        text_equal
          file_alias
          text_const "Moved = file"
      then
        @code
          +
            @code
            num 64
    if
      if_cond
        text_equal
          file_read_name
          text_const "moved.txt"
      then
        @code
          +
            @code
            num 128
    file_readonly
      false
    if
      if_cond
        not
          file_readonly
      then
        @code
          +
            @code
            num 256
    file_write_name
      text_const "stamp.txt"
    file_access_time
      num 12900000000
    return_code
      @code
)";

TEST(FilesEndToEnd, CopyMoveSizesTimes) {
  RunOptions options;
  options.WorkDir = "work";
  options.Env = "YELTO_WINE_TZ=UTC";  // local seconds are UTC seconds, as the native checks read them
  ProgramRun run = RunSource(CopyMoveSizesTimes, options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(511u, run.ExitCode) << run.Output;
  const std::string& w = run.WorkDir;
  const long unixFrom1601 = 11644473600;
  struct stat st;
  ASSERT_EQ(0, stat((w + "/orig.txt").c_str(), &st));
  EXPECT_EQ(1000, st.st_size);
  EXPECT_EQ(13000000000 - unixFrom1601, st.st_mtime);
  EXPECT_FALSE(Exists(w + "/copy.txt"));
  ASSERT_EQ(0, stat((w + "/moved.txt").c_str(), &st));
  EXPECT_EQ(1000, st.st_size);
  EXPECT_EQ(std::string(1000, '\0'), Contents(w + "/moved.txt"));
  EXPECT_TRUE(st.st_mode & S_IWUSR) << "read-only was cleared again";
  ASSERT_EQ(0, stat((w + "/stamp.txt").c_str(), &st));  // made by the time command
  EXPECT_EQ(0, st.st_size);
  EXPECT_EQ(12900000000 - unixFrom1601, st.st_atime);
  std::string ini = Contents(w + "/ALIASES.INI");
  EXPECT_NE(std::string::npos, ini.find("[LANGID 9]")) << ini;
  EXPECT_NE(std::string::npos, ini.find("moved.txt=Moved = file")) << ini;
}

const char* const SetVolumeLabel = R"(
global
  main: function -> main_def
local
  main_def: function -> main_body
program
  main_body: function
    disk_label
      text_const "YELTO"
    if
      if_cond
        file_error
      then
        return_code
          num 1
      else
        return_code
          num 2
)";

// Under Wine the label goes to a file at the root of the current drive and
// is never read back, so the program runs on C: of a copy of the prefix and
// only the error flag is checked.
TEST(FilesEndToEnd, SetVolumeLabel) {
  // Beside the scratch directory, which RunImage makes afresh. The files are
  // linked, but the registry, which Wine writes, is copied.
  std::string copy = BuildPath("e2e-scratch/FilesEndToEnd.SetVolumeLabel-build");
  std::string prefix = BuildPath("wineprefix"), newPrefix = copy + "/wineprefix";
  // The Wine server of the tests running alongside writes passing temporary
  // files into the prefix, which can vanish during the copy: tried again.
  std::string link = "rm -rf '" + copy + "' && mkdir -p '" + copy + "' && cp -al '" + prefix + "' '" + newPrefix +
                     "' && rm '" + newPrefix + "'/*.reg && cp '" + prefix + "'/*.reg '" + newPrefix + "/'";
  std::string cmd = "for try in 1 2 3 4 5; do (" + link + ") 2>/dev/null && break; sleep 0.2; done && mkdir '" +
                    newPrefix + "/drive_c/work' && (cp '" + BuildPath("xvfb.state") + "' '" + copy +
                    "/' 2>/dev/null || true)";
  ASSERT_EQ(0, system(cmd.c_str()));
  RunOptions options;
  options.Env = "YELTO_BUILD='" + copy + "'";
  options.WorkDir = newPrefix + "/drive_c/work";
  ProgramRun run = RunSource(SetVolumeLabel, options);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(2u, run.ExitCode) << "the file error flag is set: " << run.Output;
}

}  // namespace
