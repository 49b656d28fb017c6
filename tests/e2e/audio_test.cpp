// Music and CD audio under Wine: a tiny MIDI file's length and position
// through the system's sequencer, no temporary file left after the run, and
// the CD elements' defaults where there is no drive.
#include <dirent.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "lib/program_asm.h"
#include "run_program.h"

namespace {

// The program's temporary folder, seen as a Windows path and from here: an
// empty folder beside the test's scratch folder, which each run remakes.
struct TempFolder {
  std::string Unix, Windows;
};

TempFolder MakeTempFolder() {
  TempFolder t;
  t.Unix = ScratchDir() + "-temp";
  std::string cmd = "rm -rf '" + t.Unix + "' && mkdir -p '" + t.Unix + "'";
  if (system(cmd.c_str()) != 0) ADD_FAILURE() << "cannot make " << t.Unix;
  t.Windows = "Z:" + t.Unix;
  for (char& c : t.Windows)
    if (c == '/') c = '\\';
  return t;
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
    closedir(d);
  }
  return names;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string s;
  for (const std::string& n : names) s += n + " ";
  return s;
}

ProgramRun RunWithTemp(const std::string& source, const TempFolder& temp) {
  RunOptions options;
  options.Env = "YLTRUN_TEMP='" + temp.Windows + "'";
  return RunSource(source, options);
}

// Four quarter notes at the default tempo: 2 s. %BODY% runs after the start
// of the piece; the exit code is the length in ms plus 10000 times the
// position in ms.
const char* const MusicProgram = R"(
global
  main: function -> main_def
  tune: music = t
local
  main_def: function -> main_body
program
  main_body: function
%BODY%
    return_code
      +
        *
          music_length
          num 1000
        *
          music_position
          num 10000000
music t
  notes 60 62 64 67
)";

std::string MusicSource(const std::string& body) {
  std::string s = MusicProgram;
  s.replace(s.find("%BODY%"), 6, body);
  return s;
}

// Wine's sequencer opens the file, reports its length and takes a seek; its
// position does not move while it "plays", so only positions set by the
// program are checked. The polled position is read after ticks have passed.
TEST(Audio, MusicLengthAndPositionThroughTheSequencer) {
  const struct {
    const char* Name;
    const char* Body;
    uint32_t Expected;
  } cases[] = {
      {"length of a playing piece", "    music_play\n      @tune\n    wait\n      num 0.3", 2000},
      {"a position beyond the end", "    music_play\n      @tune\n    music_position\n      num 10\n    wait\n      num 0.3",
       1999 * 10000 + 2000},
      {"a position set before the piece, paused", "    music_position\n      num 1.25\n    music_pause\n      true\n    music_play\n      @tune\n"
       "    wait\n      num 0.3", 1250 * 10000 + 2000},
      {"stopped at the end of the program's run", "    music_play_loop\n      @tune\n    wait\n      num 0.2\n    music_stop",
       86400000},
  };
  for (auto& c : cases) {
    TempFolder temp = MakeTempFolder();
    ProgramRun run = RunWithTemp(MusicSource(c.Body), temp);
    ASSERT_TRUE(run.Started) << c.Name << ": " << run.Output;
    EXPECT_EQ(c.Expected, run.ExitCode) << c.Name << ": " << run.Output;
    EXPECT_EQ("", Joined(FilesIn(temp.Unix))) << c.Name << ": temporary files left";
  }
}

// The piece is still open when the program ends: the shutdown deletes its file.
TEST(Audio, NoTemporaryFileLeftWhenTheProgramEndsWithMusic) {
  TempFolder temp = MakeTempFolder();
  ProgramRun run = RunWithTemp(MusicSource("    music_play\n      @tune\n    wait\n      num 0.2"), temp);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(2000u, run.ExitCode) << run.Output;
  EXPECT_EQ("", Joined(FilesIn(temp.Unix)));
}

// Wine has no CD driver: the device does not open and every value is the
// default; the commands change nothing. Exit code: length s + 10000 x track
// count + 100000 x track + 1000000 x ejected + 10000000 x (playing or paused)
// + position and track position in ms.
TEST(Audio, CdWithoutADriveGivesTheDefaults) {
  const char* source = R"(
global
  main: function -> main_def
  r: real = 0
local
  main_def: function -> main_body
program
  main_body: function
    cd_play
      num 3
    cd_position
      num 20
    cd_pause
      true
    wait
      num 0.2
    @r
      +
        cd_length
        *
          cd_track_count
          num 10000
        *
          cd_track
          num 100000
        *
          cd_position
          num 1000
        *
          cd_track_position
          num 1000
    if
      if_cond
        cd_eject
      then
        @r
          +
            @r
            num 1000000
    if
      if_cond
        or
          cd_playing
          cd_pause
      then
        @r
          +
            @r
            num 10000000
    return_code
      @r
)";
  TempFolder temp = MakeTempFolder();
  ProgramRun run = RunWithTemp(source, temp);
  ASSERT_TRUE(run.Started) << run.Output;
  EXPECT_EQ(3600u + 10000 + 100000 + 1000000, run.ExitCode) << run.Output;
}

}  // namespace
