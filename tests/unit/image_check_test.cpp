// The image checker: a table of malformed images with the fault each must
// give, the images at the edge of each limit that must pass, and many
// randomly damaged copies of a full image that must be refused or load.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "image/image_check.h"
#include "image_fixtures.h"
#include "image_setup.h"

namespace {

struct CheckCase {
  const char* Name;
  std::string Extra;  // appended to MainProgram
  ImageFault Fault;
  int32_t Table;
};

ImageVerdict Verdict(const std::string& source) {
  std::vector<uint8_t> image = AssembleForTest(source);
  return CheckProgramImage(image.data(), (uint32_t)image.size());
}

void RunCases(const std::vector<CheckCase>& cases) {
  for (const CheckCase& c : cases) {
    ImageVerdict v = Verdict(MainProgram + c.Extra);
    EXPECT_EQ(c.Fault, v.Fault) << c.Name << ": got " << ImageFaultName(v.Fault);
    if (c.Fault != ImageGood && c.Table >= 0) {
      EXPECT_EQ(c.Table, v.Table) << c.Name;
    }
  }
}

// A program nested `levels` deep in PROGRAM.
std::string Nested(int levels) {
  std::string s = "program\n";
  for (int i = 1; i <= levels; i++) s += std::string(2 * i, ' ') + "group\n";
  return s;
}

TEST(ImageCheck, HeaderAndDirectory) {
  RunCases({
      {"valid", "", ImageGood, -1},
      {"transformed texts", "header magic=REL", ImageGood, -1},
      {"any word 4 and table count", "header word4=0xFFFFFFFF tablecount=99", ImageGood, -1},
      {"three bytes", "size 3", FaultTooShort, -1},
      {"version 2", "header version=2", FaultBadMagic, -1},
      {"unknown magic", "header magic=XYZ", FaultBadMagic, -1},
      {"500 bytes", "size 500", FaultTooShort, -1},
      {"527 bytes", "size 527", FaultTooShort, -1},
      {"header size 527", "header headersize=527", FaultBadHeaderSize, -1},
      {"header size beyond the image", "header headersize=100000", FaultBadHeaderSize, -1},
      {"tables shifted past the end", "header headersize=532", FaultTableOutside, TablePalette},
      {"last table one byte long", "table PALETTE bytesize=897", FaultTableOutside, TablePalette},
      {"a size that wraps in 32 bits", "table IMPORT bytesize=0xFFFFFFF0", FaultTableOutside,
       TableImport},
      {"bytes after the last table", "size 4000", ImageGood, -1},
      {"a table of count 0 and size 0 takes no bytes", "table CLASS count=0", ImageGood, -1},
  });
}

TEST(ImageCheck, FixedSizeTablesAndTexts) {
  RunCases({
      {"REAL count beyond its bytes", "numbers 1 2\ntable REAL count=3", FaultTableTooSmall,
       TableReal},
      {"GLOBAL count beyond its bytes", "table GLOBAL count=2", FaultTableTooSmall, TableGlobal},
      {"BOOL count beyond its bytes", "logics true\ntable BOOL count=2", FaultTableTooSmall,
       TableBool},
      {"REAL bytes to spare", "numbers 1 2\ntable REAL count=1", ImageGood, -1},
      {"texts in two blocks", "languages 9 5\ntexts \"a\" {5:\"b\"}", ImageGood, -1},
      {"a text beyond its block", "texts \"abc\"\ntable TEXT count=2", FaultTextOutside,
       TableText},
      {"a block beyond the table", "texts \"abc\"\ntable TEXT extra1=2", FaultTextOutside,
       TableText},
      {"a text length beyond the table",
       "languages\ntable TEXT count=1 extra1=1\nbytes TEXT 09000000 e4040000 ffffff00",
       FaultTextOutside, TableText},
      {"texts without blocks", "languages\ntable TEXT count=500", ImageGood, -1},
      {"more texts than bytes", "languages\ntable TEXT count=100000", FaultTooManyTexts,
       TableText},
      {"a block of an unknown language", "languages 0 99\ntexts \"a\"", ImageGood, -1},
  });
}

TEST(ImageCheck, MediaRecords) {
  RunCases({
      {"one of each", R"(
picture p
map m w=2 h=2
background b w=3 h=2
sprite s phases=2 directions=2 rest=9
sound w bits=8 channels=2 rate=11025
  samples 1 2
sound x format=2
  bytes 0200 0100 112b0000 112b0000 0100 0400 0000
music t
)",
       ImageGood, -1},
      {"icon beyond the table", "picture p size=100000", FaultIconOutside, TablePicture},
      {"icon count beyond the records", "picture p\ntable PICTURE count=2", FaultIconOutside,
       TablePicture},
      {"map width 0", "map m w=0 h=1", FaultMapSize, TableMap},
      {"map height 0", "map m w=1 h=0", FaultMapSize, TableMap},
      {"map side above the cap", "map m w=40000 h=1 cells=0", FaultMapSize, TableMap},
      {"map cells above the cap", "map m w=4000 h=2000 cells=0", FaultMapSize, TableMap},
      {"map cells that wrap in 32 bits", "map m w=65536 h=65536 cells=0", FaultMapSize, TableMap},
      {"map cells beyond the table", "map m w=2 h=2 cells=3", FaultMapOutside, TableMap},
      {"picture width 0", "background b w=0 h=5", FaultPictureSize, TableBackgrnd},
      {"picture height 32768", "background b w=1 h=32768", FaultPictureSize, TableBackgrnd},
      {"picture sides of 32767", "background b w=32767 h=1", ImageGood, -1},
      {"picture width kept to 16 bits", "background b w=65537 h=1", ImageGood, -1},
      {"picture code beyond the table", "background b size=99999", FaultPictureOutside,
       TableBackgrnd},
      {"sprite without phases", "sprite s phases=0", FaultSpriteCounts, TableSprite},
      {"sprite without directions", "sprite s directions=0", FaultSpriteCounts, TableSprite},
      {"sprite pictures above the cap", "sprite s phases=2048 directions=2048 frames=0",
       FaultSpriteCounts, TableSprite},
      {"sprite pictures that wrap in 32 bits", "sprite s phases=65536 directions=65536 frames=0",
       FaultSpriteCounts, TableSprite},
      {"sprite width 0", "sprite s w=0", FaultSpriteSize, TableSprite},
      {"sprite height 32768", "sprite s h=32768", FaultSpriteSize, TableSprite},
      {"sprite picture missing", "sprite s phases=2 frames=1", FaultSpriteOutside, TableSprite},
      {"sprite picture beyond the table", "sprite s\n  frame size=5000", FaultSpriteOutside,
       TableSprite},
      {"sprite rest phases outside 1..phases", "sprite s phases=2 rest=0\nsprite t rest=7",
       ImageGood, -1},
      {"sound without channels", "sound w channels=0", FaultSoundFormat, TableSound},
      {"sound of three channels", "sound w channels=3", FaultSoundFormat, TableSound},
      {"sound of 12 bits", "sound w bits=12", FaultSoundFormat, TableSound},
      {"sound rate 0", "sound w rate=0", FaultSoundFormat, TableSound},
      {"sound rate above 2^31", "sound w rate=0x80000000", FaultSoundFormat, TableSound},
      {"sound data beyond the table", "sound w size=999", FaultSoundOutside, TableSound},
      {"compressed sound shorter than its header", "sound x format=2\n  bytes 0200",
       FaultSoundFormatHeader, TableSound},
      {"compressed sound header beyond its data",
       "sound x format=2\n  bytes 0200 0100 112b0000 112b0000 0100 0400 2000",
       FaultSoundFormatHeader, TableSound},
      {"music beyond the table", "music t size=999", FaultMusicOutside, TableMusic},
  });
}

TEST(ImageCheck, TreesAndIndexes) {
  RunCases({
      {"a subtree that never closes", "program\n  group flags=0x01", FaultTreeUnclosed,
       TableProgram},
      {"a next sibling that never comes", "local\n  group\n    group flags=0x02", FaultTreeUnclosed,
       TableLocal},
      {"a top-level next flag at the end", "program\n  group flags=0x02", ImageGood, -1},
      {"1024 levels", Nested(1024), ImageGood, -1},
      {"1025 levels", Nested(1025), FaultTreeTooDeep, TableProgram},
      {"a global reference", "program\n  real reftable=2 refindex=0", ImageGood, -1},
      {"a global reference outside", "program\n  real reftable=2 refindex=1", FaultBadReference,
       TableProgram},
      {"a local reference below 0", "program\n  real reftable=3 refindex=-1", FaultBadReference,
       TableProgram},
      {"another ref table is not checked", "program\n  real reftable=7 refindex=999", ImageGood,
       -1},
      {"data index below -1", "program\n  real dataindex=-2", FaultBadDataIndex, TableProgram},
      {"a number that is not there", "global\n  real datatable=6 dataindex=0", FaultBadDataIndex,
       TableGlobal},
      {"data of an unread table", "global\n  real datatable=5 dataindex=0", FaultBadDataIndex,
       TableGlobal},
      {"no data of an unread table", "global\n  real datatable=5 dataindex=-1", ImageGood, -1},
      {"a body that is not there", "local\n  function datatable=4 dataindex=1",
       FaultBadDataIndex, TableLocal},
      {"every value table",
       "global\n  real = 1\n  logic = true\n  text = \"t\"\n  picture = p\n  map = m\n"
       "  background = b\n  sprite = s\n  sound = w\n  music = t\n"
       "picture p\nmap m\nbackground b\nsprite s\nsound w\nmusic t\n",
       ImageGood, -1},
      {"an icon that is not there", "program\n  group iconindex=0", FaultBadIconIndex, TableProgram},
      {"a text that is not there", "program\n  group textindex=0", FaultBadTextIndex, TableProgram},
      {"a text index below -1", "texts \"a\"\nprogram\n  group textindex=-5", FaultBadTextIndex,
       TableProgram},
  });
}

TEST(ImageCheck, NeverReadsOutsideTheImage) {
  // The image sits at the very end of a committed page with a guard page after
  // it: a read past its last byte faults at once.
  std::vector<uint8_t> image = AssembleForTest(std::string(MainProgram) + "texts \"abc\"\n");
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  size_t page = info.dwPageSize, span = (image.size() + page - 1) / page * page;
  uint8_t* block = (uint8_t*)VirtualAlloc(nullptr, span + page, MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(nullptr, block);
  ASSERT_NE(nullptr, VirtualAlloc(block, span, MEM_COMMIT, PAGE_READWRITE));
  for (size_t cut = 0; cut <= image.size(); cut++) {
    uint8_t* at = block + span - cut;
    memcpy(at, image.data(), cut);
    ImageVerdict v = CheckProgramImage(at, (uint32_t)cut);
    EXPECT_EQ(cut == image.size(), v.Fault == ImageGood) << cut << " bytes";
  }
  VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace
