// The buffered data files on a fake file system: lazy opens and retries,
// refills, the pending write run, flushes, closes, the offset limit, and
// what survives when the file calls fail.
#include <stdio.h>
#include <string>
#include <vector>
#include "fake_files.h"
#include "base/memory.h"
#include "startup/runtime.h"

FakeFiles FakeDisk;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// n bytes of a pattern that differs from run to run of 61440 bytes.
std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; i++) b[i] = (uint8_t)(i * 7 + i / FileBufferSize * 13 + 1);
  return b;
}

void WriteAll(const std::vector<uint8_t>& bytes) {
  for (uint8_t b : bytes) WriteFileByte(b);
}

TEST_F(DataFilesTest, ReadsByteByBytePastTheEnd) {
  FakeDisk.Files["r"] = Bytes("abc");
  ReadFileName = Text("r");
  EXPECT_EQ('a', ReadFileByte());
  EXPECT_EQ('b', ReadFileByte());
  EXPECT_EQ('c', ReadFileByte());
  EXPECT_EQ(0, FileError);
  EXPECT_EQ(0, ReadFileByte());
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(4, ReadFileState.Offset);
  EXPECT_EQ(FileIdleTime, FileIdleTicks) << "every access restarts the idle count";
  EXPECT_EQ(1, FakeDisk.Creates) << "opened once, lazily";
}

TEST_F(DataFilesTest, WordsAndDwordsAreLittleEndian) {
  WriteFileName = Text("w");
  ReadFileName = Text("w");
  WriteFileWord(0x1234);
  WriteFileDword(0xA1B2C3D4u);
  CloseFiles();
  EXPECT_EQ(Bytes("\x34\x12\xD4\xC3\xB2\xA1"), FakeDisk.Files["w"]);
  EXPECT_EQ(0x1234, ReadFileWord());
  EXPECT_EQ(0xC3D4, ReadFileWord());
}

TEST_F(DataFilesTest, WriteRuns) {
  WriteFileName = Text("w");
  // A gap before the first byte is what the system fills it with.
  WriteFileState.Offset = 100;
  WriteFileByte('x');
  CloseFiles();
  std::vector<uint8_t> gap(101, 0);
  gap[100] = 'x';
  EXPECT_EQ(gap, FakeDisk.Files["w"]);

  // Back inside the pending run: overwritten there, no write call.
  FakeDisk = FakeFiles();
  WriteFileState.Offset = 0;
  WriteAll(Bytes("abc"));
  WriteFileState.Offset = 1;
  WriteFileByte('B');
  EXPECT_EQ(0, FakeDisk.Writes);
  EXPECT_EQ(3, WriteFileState.BufferCount);
  CloseFiles();
  EXPECT_EQ("aBc", FakeDisk.Text("w"));
  EXPECT_EQ(1, FakeDisk.Writes);

  // Before the pending run, or after a gap: the run is written first.
  FakeDisk = FakeFiles();
  WriteFileState.Offset = 10;
  WriteAll(Bytes("kl"));
  WriteFileState.Offset = 5;
  WriteFileByte('f');
  EXPECT_EQ(1, FakeDisk.Writes) << "the run at 10 was flushed";
  WriteFileState.Offset = 20;
  WriteFileByte('u');
  EXPECT_EQ(2, FakeDisk.Writes);
  CloseFiles();
  std::string expected(21, '\0');
  expected[5] = 'f', expected[10] = 'k', expected[11] = 'l', expected[20] = 'u';
  EXPECT_EQ(expected, FakeDisk.Text("w"));
  EXPECT_EQ(0, FileError);
}

TEST_F(DataFilesTest, OneSystemCallPerBufferOfSequentialData) {
  const size_t n = 3 * FileBufferSize + 100;
  std::vector<uint8_t> data = Pattern(n);
  WriteFileName = Text("w");
  WriteAll(data);
  EXPECT_EQ(3, FakeDisk.Writes);
  CloseFiles();
  EXPECT_EQ(4, FakeDisk.Writes);
  EXPECT_EQ(data, FakeDisk.Files["w"]);

  // A refill keeps the lead before the offset, so each one after the first
  // brings FileBufferSize - FileRefillLead new bytes; the last finds the end.
  ReadFileName = Text("w");
  std::vector<uint8_t> back(n);
  for (size_t i = 0; i < n; i++) back[i] = ReadFileByte();
  EXPECT_EQ(data, back);
  int fresh = FileBufferSize - FileRefillLead;
  EXPECT_EQ(1 + (int)((n - FileBufferSize + fresh - 1) / fresh), FakeDisk.Reads);
  EXPECT_EQ(0, FileError);
}

TEST_F(DataFilesTest, ShortStepBackHitsTheBuffer) {
  FakeDisk.Files["r"] = Pattern(3 * FileBufferSize);
  ReadFileName = Text("r");
  ReadFileState.Offset = FileBufferSize;
  ReadFileByte();
  int reads = FakeDisk.Reads;
  ReadFileState.Offset = FileBufferSize - FileRefillLead;
  EXPECT_EQ(FakeDisk.Files["r"][FileBufferSize - FileRefillLead], ReadFileByte());
  EXPECT_EQ(reads, FakeDisk.Reads);
}

TEST_F(DataFilesTest, NamesThatDoNotOpen) {
  // Empty names and missing files fail on every access, and every access
  // tries again; nothing moves.
  EXPECT_EQ(0, ReadFileByte());
  EXPECT_EQ(1, FileError);
  FileError = 0;
  WriteFileByte(1);
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(0, FakeDisk.Creates) << "an empty name is not tried";

  ReadFileName = Text("missing");
  for (int i = 0; i < 3; i++) {
    FileError = 0;
    EXPECT_EQ(0, ReadFileByte());
    EXPECT_EQ(1, FileError);
  }
  EXPECT_EQ(3, FakeDisk.Creates);
  EXPECT_EQ(0, ReadFileState.Offset);

  FakeDisk.Files["missing"] = Bytes("z");
  EXPECT_EQ('z', ReadFileByte()) << "a file that appears is opened by the next access";
}

TEST_F(DataFilesTest, Blocks) {
  FakeDisk.Files["r"] = Pattern(200000);
  const std::vector<uint8_t>& file = FakeDisk.Files["r"];
  ReadFileName = Text("r");

  std::vector<uint8_t> small(50000, 0xEE);
  ReadFileState.Offset = 1000;
  ReadFileBlock(small.data(), (int32_t)small.size());
  EXPECT_TRUE(std::equal(small.begin(), small.end(), file.begin() + 1000));
  EXPECT_EQ(51000, ReadFileState.Offset);

  // A large block goes straight to the destination.
  std::vector<uint8_t> large(FileBufferSize + 5);
  int reads = FakeDisk.Reads;
  ReadFileBlock(large.data(), (int32_t)large.size());
  EXPECT_EQ(reads + 1, FakeDisk.Reads);
  EXPECT_TRUE(std::equal(large.begin(), large.end(), file.begin() + 51000));

  // A negative count moves back, never below 0.
  ReadFileState.Offset = 300;
  ReadFileBlock(nullptr, -120);
  EXPECT_EQ(180, ReadFileState.Offset);
  ReadFileBlock(nullptr, -1000);
  EXPECT_EQ(0, ReadFileState.Offset);

  // Past the end a small block stops quietly after the bytes that exist.
  std::vector<uint8_t> tail(100, 0xEE);
  ReadFileState.Offset = 199990;
  ReadFileBlock(tail.data(), 100);
  EXPECT_EQ(200000, ReadFileState.Offset);
  EXPECT_TRUE(std::equal(tail.begin(), tail.begin() + 10, file.begin() + 199990));
  EXPECT_EQ(0xEE, tail[10]);
  EXPECT_EQ(0, FileError);
}

TEST_F(DataFilesTest, OffsetsStopAtTheLimit) {
  FakeDisk.Files["r"] = Bytes("abc");
  ReadFileName = Text("r");
  WriteFileName = Text("w");
  ReadFileState.Offset = FileOffsetLimit;
  EXPECT_EQ(0, ReadFileByte());
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(FileOffsetLimit, ReadFileState.Offset) << "never wraps";
  uint8_t block[FileBufferSize];
  ReadFileState.Offset = FileOffsetLimit - 10;
  FileError = 0;
  ReadFileBlock(block, FileBufferSize);
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(FileOffsetLimit - 10, ReadFileState.Offset);

  FileError = 0;
  WriteFileState.Offset = FileOffsetLimit - 1;
  WriteFileByte(1);
  EXPECT_EQ(0, FileError) << "the last byte below the limit";
  WriteFileByte(2);
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(FileOffsetLimit, WriteFileState.Offset);
}

// What the file holds and reports after faults of the file calls. Each case
// writes the same data of three and a half runs through the write file,
// with the seek or write back to the start of the third run in between.
struct FaultCase {
  const char* Name;
  void (*Arrange)(FakeFiles&);
  // What the file must hold: for each of the four runs whether its bytes are there.
  bool Kept[4];
  bool Error;
};

TEST_F(DataFilesTest, NothingReportedWrittenIsLost) {
  const FaultCase cases[] = {
      {"no fault", [](FakeFiles&) {}, {true, true, true, true}, false},
      {"the second write fails", [](FakeFiles& f) { f.FailWriteFrom = 2, f.FailWriteCount = 1; },
       {true, false, true, true}, true},
      {"every write fails", [](FakeFiles& f) { f.FailWriteFrom = 1; }, {false, false, false, false}, true},
      {"the third seek fails", [](FakeFiles& f) { f.FailSeekFrom = 3; }, {true, true, false, false}, true},
      {"the close fails after the last write", [](FakeFiles& f) { f.FailCloseFrom = 1; },
       {true, true, true, true}, true},
  };
  const size_t n = 3 * FileBufferSize + 1000;
  std::vector<uint8_t> data = Pattern(n);
  for (const FaultCase& c : cases) {
    ResetDataFiles();
    WriteFileName = Text("w");
    c.Arrange(FakeDisk);
    WriteAll(data);
    CloseFiles();
    EXPECT_EQ(c.Error, FileError != 0) << c.Name;
    EXPECT_EQ((int32_t)n, WriteFileState.Offset) << c.Name;
    EXPECT_EQ(0, WriteFileState.BufferCount) << c.Name;
    EXPECT_EQ(nullptr, WriteFileState.Handle) << c.Name;
    const std::vector<uint8_t>& file = FakeDisk.Files["w"];
    for (int run = 0; run < 4; run++) {
      size_t from = run * (size_t)FileBufferSize, to = run == 3 ? n : from + FileBufferSize;
      bool same = file.size() >= to && std::equal(data.begin() + from, data.begin() + to, file.begin() + from);
      EXPECT_EQ(c.Kept[run], same) << c.Name << ": run " << run;
      // A lost run leaves nothing of its own behind: at most the zeros of a gap.
      if (!c.Kept[run])
        for (size_t i = from; i < to && i < file.size(); i++)
          if (file[i] != 0) {
            ADD_FAILURE() << c.Name << ": byte " << i << " written from a lost run";
            break;
          }
    }
    EXPECT_LE(FakeDisk.WrittenBytes, n) << c.Name << ": nothing written twice";
  }
}

TEST_F(DataFilesTest, ShortWriteIsAFailure) {
  WriteFileName = Text("w");
  FakeDisk.ShortWriteFrom = 1;
  WriteAll(Bytes("abcd"));
  CloseFiles();
  EXPECT_EQ(1, FileError);
  EXPECT_EQ("ab", FakeDisk.Text("w")) << "the part the system took stays at its place";

  // After the program clears the flag, new data goes where its offset says.
  FileError = 0;
  FakeDisk.ShortWriteFrom = 0;
  WriteAll(Bytes("ef"));
  CloseFiles();
  EXPECT_EQ(0, FileError);
  EXPECT_EQ(std::string("ab\0\0ef", 6), FakeDisk.Text("w"));
}

TEST_F(DataFilesTest, OpenThatFailsOnceIsRetried) {
  WriteFileName = Text("w");
  FakeDisk.FailCreateFrom = 1;
  FakeDisk.FailCreateCount = 1;
  WriteFileByte('a');
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(0, WriteFileState.Offset) << "a byte that found no file leaves the offset";
  WriteFileByte('b');
  CloseFiles();
  EXPECT_EQ("b", FakeDisk.Text("w"));
  EXPECT_EQ(2, FakeDisk.Creates);
}

TEST_F(DataFilesTest, ReadFaults) {
  FakeDisk.Files["r"] = Bytes("abc");
  ReadFileName = Text("r");
  FakeDisk.FailSeekFrom = 1;
  EXPECT_EQ(0, ReadFileByte());
  EXPECT_EQ(1, FileError);
  EXPECT_EQ(0, FakeDisk.Reads) << "no read after a failed positioning";
  EXPECT_EQ(1, ReadFileState.Offset);
  FakeDisk.FailSeekFrom = 0;
  FakeDisk.FailReadFrom = 1;
  FileError = 0;
  EXPECT_EQ(0, ReadFileByte());
  EXPECT_EQ(1, FileError);
  FakeDisk.FailReadFrom = 0;
  FileError = 0;
  EXPECT_EQ('c', ReadFileByte());
  EXPECT_EQ(0, FileError);
}

TEST_F(DataFilesTest, CloseForgetsTheReadBuffer) {
  FakeDisk.Files["f"] = Bytes("old");
  ReadFileName = Text("f");
  WriteFileName = Text("f");
  EXPECT_EQ('o', ReadFileByte());
  WriteFileState.Offset = 1;
  WriteAll(Bytes("NE"));
  EXPECT_EQ('l', ReadFileByte()) << "reads do not see pending writes";
  CloseFiles();
  ReadFileState.Offset = 1;
  EXPECT_EQ('N', ReadFileByte()) << "after the close the read side refills";
  EXPECT_EQ(2, FakeDisk.Closes);
}

TEST_F(DataFilesTest, EndOfRunReportsALostWrite) {
  struct Case {
    const char* Name;
    bool WriteFails;
    uint32_t ReturnBefore, ReturnAfter;
  } cases[] = {
      {"written", false, 0, 0},
      {"lost, return code 0", true, 0, 1},
      {"lost, return code of the program's own", true, 7, 7},
  };
  for (const Case& c : cases) {
    ResetDataFiles();
    WriteFileName = Text("w");
    FakeDisk.FailWriteFrom = c.WriteFails ? 1 : 0;
    WriteAll(Bytes("data"));
    ReturnCode = c.ReturnBefore;
    CloseFilesAtEnd();
    EXPECT_EQ(c.ReturnAfter, ReturnCode) << c.Name;
    EXPECT_EQ(nullptr, WriteFileState.Handle) << c.Name;
  }
  ReturnCode = 0;
}

int WINAPI QuietMessageBox(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }

// The exit for exhausted memory writes what is pending first: a real file,
// looked at after the child process has gone.
TEST(DataFilesExit, MemoryExhaustionWritesPendingBytes) {
  // A fixed name: the child runs the test again from its start.
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string name = std::string(dir) + "yelto_exhaustion_test.bin";
  const char* path = name.c_str();
  DeleteFileA(path);
  EXPECT_EXIT(
      {
        ResetDataFiles();
        FileSys = RealFileSys;
        WriteFileName = Text(path);
        for (const char* p = "pending"; *p; p++) WriteFileByte((uint8_t)*p);
        MemorySys.MessageBoxA = QuietMessageBox;
        ShowMemoryError();
      },
      testing::ExitedWithCode(253), "");
  FILE* f = fopen(path, "rb");
  ASSERT_NE(nullptr, f);
  char got[16] = {};
  size_t n = fread(got, 1, sizeof got, f);
  fclose(f);
  DeleteFileA(path);
  EXPECT_EQ("pending", std::string(got, n));
}

}  // namespace
