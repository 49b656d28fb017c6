// Programs that write and read their data files under Wine, each in its own
// scratch directory as its working directory; the files are checked natively
// afterwards.
#include <gtest/gtest.h>
#include <string.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>
#include <string>
#include <vector>
#include "lib/bind.h"
#include "lib/file_bytes.h"
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

const char* const Header = R"(
global
  main: function -> main_def
local
  main_def: function -> main_body
program
  main_body: function
)";

// The program source bound and run in dir, its working directory.
ProgramRun RunIn(const std::string& dir, const std::string& source, const std::string& launcher = "tools/yltrun.exe",
                 const std::vector<std::string>& args = {}) {
  RunOptions options;
  options.WorkDir = dir;
  options.Launcher = launcher;
  options.Args = args;
  return RunSource(source, options);
}

std::string FileText(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) return "<missing>";
  return std::string(bytes.begin(), bytes.end());
}

void Put(std::string& s, uint64_t v, int bytes) {
  for (int k = 0; k < bytes; k++) s += (char)(v >> (8 * k));
}
std::string Double(double x) {
  uint64_t bits;
  memcpy(&bits, &x, 8);
  std::string s;
  Put(s, bits, 8);
  return s;
}
std::string Units(const std::string& s) {
  std::string u;
  for (char c : s) u += std::string(1, c) + '\0';
  return u;
}

// Every typed value written, the file named anew (which writes it), then read
// back element by element and written to a second file as doubles and lines.
// The return code is the read offset at the end: the size of the data.
TEST(DataFiles, TypedValuesWrittenAndReadBack) {
  std::string dir = ScratchDir();
  std::string body = R"(
    file_write_name
      text_const "data.bin"
    file_int8
      num -5
    file_uint8
      num 200
    file_int16
      num -1234
    file_uint16
      num 54321
    file_int24
      num -100000
    file_uint24
      num 10000000
    file_int32
      num -123456789
    file_uint32
      num 4000000000
    file_float
      num 1.5
    file_double
      num 3.25
    file_text_nul
      text_const "nul"
    file_line
      text_const "line"
    file_text_length
      num 6
    file_text_fixed
      text_const "fix"
    file_unicode
      true
    file_text_nul
      text_const "wide"
    file_line
      text_const "w\xE9"
    file_text_fixed
      text_const "wf"
    file_unicode
      false
    file_write_name
      text_const "back.bin"
    file_read_name
      text_const "data.bin"
)";
  for (const char* read : {"file_int8", "file_uint8", "file_int16", "file_uint16", "file_int24", "file_uint24", "file_int32", "file_uint32", "file_float", "file_double"})
    body += std::string("    file_double\n      ") + read + "\n";
  const char* texts = "    file_line\n      file_text_nul\n    file_line\n      file_line\n    file_line\n      file_text_fixed\n";
  body += texts;
  body += "    file_unicode\n      true\n";
  body += texts;
  body += "    return_code\n      file_read_offset\n";
  ProgramRun run = RunIn(dir, Header + body);
  ASSERT_TRUE(run.Started) << run.Output;

  std::string data;
  Put(data, (uint8_t)-5, 1);
  Put(data, 200, 1);
  Put(data, (uint16_t)-1234, 2);
  Put(data, 54321, 2);
  Put(data, (uint32_t)-100000, 3);
  Put(data, 10000000, 3);
  Put(data, (uint32_t)-123456789, 4);
  Put(data, 4000000000u, 4);
  Put(data, 0x3FC00000, 4);
  data += Double(3.25);
  data += std::string("nul\0line\r\nfix   ", 16);
  data += Units(std::string("wide\0w\xE9\r\nwf    ", 15));
  EXPECT_EQ(data, FileText(dir + "/data.bin"));
  EXPECT_EQ(data.size(), run.ExitCode);

  std::string back;
  for (double x : {-5.0, 200.0, -1234.0, 54321.0, -100000.0, 10000000.0, -123456789.0, 4000000000.0, 1.5, 3.25})
    back += Double(x);
  back += "nul\r\nline\r\nfix\r\n" + Units("wide\r\nw\xE9\r\nwf\r\n");
  EXPECT_EQ(back, FileText(dir + "/back.bin"));
}

// Lines copied until the error flag: every line-end form in both encodings,
// and the last line, which has no end, copied too.
TEST(DataFiles, EveryLineEndInBothEncodings) {
  std::string dir = ScratchDir();
  std::string lines = "a\r\nb\n\rc\rd\ne\r\n\r\nlast";
  ASSERT_TRUE(WriteFileBytes(dir + "/lines.txt", std::vector<uint8_t>(lines.begin(), lines.end())));
  std::string wide = Units(lines);
  ASSERT_TRUE(WriteFileBytes(dir + "/wlines.txt", std::vector<uint8_t>(wide.begin(), wide.end())));
  const char* copy = R"(
    while
      while_cond
        not
          file_error
      while_body
        @t
          file_line
        if
          if_cond
            not
              file_error
          then
            file_line
              @t
)";
  std::string source = std::string(R"(
global
  main: function -> main_def
  t: text = ""
local
  main_def: function -> main_body
program
  main_body: function
    file_read_name
      text_const "lines.txt"
    file_write_name
      text_const "out.txt"
)") + copy + R"(
    file_error
      false
    file_unicode
      true
    file_read_name
      text_const "wlines.txt"
    file_write_name
      text_const "wout.txt"
)" + copy;
  ProgramRun run = RunIn(dir, source);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(0u, run.ExitCode);
  std::string expected = "a\r\nb\r\nc\r\nd\r\ne\r\n\r\nlast\r\n";
  EXPECT_EQ(expected, FileText(dir + "/out.txt"));
  EXPECT_EQ(Units(expected), FileText(dir + "/wout.txt"));
}

// A sprite of the image saved, loaded again and saved once more: the two
// files are the same, and the reader stopped at the end of the first.
TEST(DataFiles, SpriteSavedAndLoadedAgain) {
  std::string dir = ScratchDir();
  std::string source = R"(
sprite herodata phases=2 directions=2 rest=1 w=8 h=6 delay=110 level=5 step=4 fill=0
  key x=30 o=200
  frame fill=3
    |..xx..
    |.xoox.
  frame fill=7
    |oooo
  frame fill=0
  frame fill=9
    |x.x.x.x.
global
  main: function -> main_def
  hero: sprite = herodata
  copy: sprite = herodata
local
  main_def: function -> main_body
program
  main_body: function
    file_write_name
      text_const "hero.spr"
    file_sprite
      @hero
    file_write_name
      text_const "again.spr"
    file_read_name
      text_const "hero.spr"
    @copy
      file_sprite
    file_sprite
      @copy
    return_code
      file_read_offset
)";
  ProgramRun run = RunIn(dir, source);
  ASSERT_TRUE(run.Started) << run.Output;
  std::string first = FileText(dir + "/hero.spr"), second = FileText(dir + "/again.spr");
  ASSERT_GT(first.size(), 940u);
  EXPECT_EQ(0, first.compare(0, 4, "YSPR"));
  int32_t fields[5];
  memcpy(fields, first.data() + 4, 12);
  memcpy(fields + 3, first.data() + 20, 8);
  EXPECT_EQ(2, fields[0]);
  EXPECT_EQ(2, fields[1]);
  EXPECT_EQ(110, fields[3]);
  EXPECT_EQ(5, fields[4]);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first.size(), run.ExitCode);
}

// Wine fails writes to /dev/full with "disk full": a program that names
// another file sees the flag; one that just ends, with return code 0, ends
// with 1 instead, since its data is lost. The same program on a plain file
// ends with 0 and its bytes on disk.
TEST(DataFiles, DiskFull) {
  const char* writes = R"(
    file_write_name
      text_const "%s"
    repeat
      repeat_num
        num 100
      while_body
        file_uint8
          num 7
)";
  const char* check = R"(
    file_write_name
      text_const "other.bin"
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
  struct Case {
    const char* Name;
    const char* File;
    bool Check;
    uint32_t Expected;
  } cases[] = {
      {"the program tests the flag", "full.bin", true, 1},
      {"the data is lost at the end", "full.bin", false, 1},
      {"a plain file", "plain.bin", false, 0},
  };
  for (const Case& c : cases) {
    std::string dir = ScratchDir();
    ASSERT_EQ(0, symlink("/dev/full", (dir + "/full.bin").c_str()));
    char body[512];
    snprintf(body, sizeof body, writes, c.File);
    ProgramRun run = RunIn(dir, std::string(Header) + body + (c.Check ? check : ""));
    ASSERT_TRUE(run.Started) << c.Name << ": " << run.Output;
    EXPECT_EQ(c.Expected, run.ExitCode) << c.Name << ": " << run.Output;
    if (c.Expected == 0) {
      EXPECT_EQ(std::string(100, '\x07'), FileText(dir + "/" + c.File)) << c.Name;
    }
  }
}

// Data that the idle close wrote survives a kill from outside: the program
// writes a line and waits forever; once the line is on disk (the idle close,
// while the program still runs), the program's own process is killed.
TEST(DataFiles, KilledAfterTheIdleClose) {
  std::string dir = ScratchDir();
  std::string body = R"(
    file_write_name
      text_const "kept.txt"
    file_line
      text_const "kept"
    while
      while_cond
        true
      while_body
        wait
          num 1
)";
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(Header + body, &error), engine, bound;
  ASSERT_FALSE(image.empty()) << error;
  ASSERT_TRUE(ReadFileBytes(BuildPath("yelto.exe"), engine));
  ASSERT_TRUE(BindImage(engine, image, bound, error)) << error;
  std::string exe = dir + "/killed_program.exe", out = dir + "/launcher.out";
  ASSERT_TRUE(WriteFileBytes(exe, bound));
  std::string start = "cd '" + dir + "' && '" + YELTO_SOURCE_DIR + "/scripts/wine-run.sh' '" +
                      BuildPath("tools/yltrun.exe") + "' '" + exe + "' >'" + out + "' 2>&1 </dev/null &";
  ASSERT_EQ(0, system(start.c_str()));

  bool written = false;
  for (int i = 0; i < 300 && !written; i++, usleep(100000)) written = FileText(dir + "/kept.txt") == "kept\r\n";
  // The program's process is the one whose command line starts with its path.
  std::string pids = "pgrep -f '^" + exe + "'";
  std::vector<int> found;
  for (int i = 0; i < 100 && found.empty(); i++) {
    if (i) usleep(100000);
    FILE* p = popen(pids.c_str(), "r");
    ASSERT_NE(nullptr, p);
    for (int pid; fscanf(p, "%d", &pid) == 1;) found.push_back(pid);
    pclose(p);
  }
  EXPECT_EQ(1u, found.size()) << "the program was running when its data was on disk";
  for (int pid : found) kill(pid, SIGKILL);
  bool ended = false;
  for (int i = 0; i < 300 && !ended; i++, usleep(100000))
    ended = FileText(out).find("exit code") != std::string::npos;
  EXPECT_TRUE(ended) << FileText(out);
  EXPECT_TRUE(written) << "the idle close wrote the line within 30 s";
  EXPECT_EQ("kept\r\n", FileText(dir + "/kept.txt"));
}

}  // namespace
