// The file data elements run in programs on the fake file system: integer
// widths and their saturation, reals, the three text shapes in both
// encodings, every line end, offsets, settings, the error flag and the
// file-name commands.
#include <string>
#include "expression_fixture.h"
#include "fake_files.h"
#include "base/language.h"
#include "system/file_data_elements.h"
#include "base/memory.h"
#include "code/exec_functions.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// Each character of s as a UTF-16 unit, low byte first.
std::string Units(const std::string& s) {
  std::string u;
  for (char c : s) u += std::string(1, c) + '\0';
  return u;
}

class ExecFileData : public ExpressionTest {
 public:
  uint32_t SavedCodePage;
  ExecFileData() : SavedCodePage(LanguageCodePage) {}

  void Fresh() {
    ResetDataFiles();
    FixedTextLength = 10;
    FileUnicode = 0;
    LanguageCodePage = 1252;
  }
  void TearDown() override {
    ExpressionTest::TearDown();
    for (BufferedFile* f : {&ReadFileState, &WriteFileState}) f->Handle = 0;
    FileSys = RealFileSys;
    FixedTextLength = 10;
    FileUnicode = 0;
    LanguageCodePage = SavedCodePage;
  }

  // Runs the commands; the data files stay as they are between runs.
  void RunCommands(const std::string& commands) {
    ASSERT_TRUE(RunExpressions("", "", commands)) << commands;
  }
  // The bytes the commands leave in the write file "w" once both files closed.
  std::string Written(const std::string& commands) {
    Fresh();
    RunCommands("(#449 (text_const \"w\"))" + commands);
    CloseFiles();
    return FakeDisk.Text("w");
  }
  static std::string TextOf(const char* name) {
    const Text& t = Texts[GlobalValue(name)];
    return std::string(t.Chars(), t.Length());
  }
};

struct WriteCase {
  const char* Commands;
  std::string Expected;
};

TEST_F(ExecFileData, IntegerWritesSaturate) {
  const WriteCase cases[] = {
      {"(#466 (num 300))", "\x7F"},
      {"(#466 (num -300))", "\x80"},
      {"(#466 (num 1E10))", "\x7F"},
      {"(#466 (@nan))", std::string(1, '\0')},
      {"(#466 (num 2.5))", "\x02"},
      {"(#467 (num -1))", std::string(1, '\0')},
      {"(#467 (num 255.6))", "\xFF"},
      {"(#467 (@pinf))", "\xFF"},
      {"(#468 (num 2.5))", std::string("\x02\0", 2)},
      {"(#468 (num 1E10))", "\xFF\x7F"},
      {"(#468 (num -1E10))", std::string("\0\x80", 2)},
      {"(#468 (@nan))", std::string(2, '\0')},
      {"(#469 (num -1))", std::string(2, '\0')},
      {"(#469 (num 65535))", "\xFF\xFF"},
      {"(#514 (num 8388608))", "\xFF\xFF\x7F"},
      {"(#514 (num -8388609))", std::string("\0\0\x80", 3)},
      {"(#514 (num -2))", "\xFE\xFF\xFF"},
      {"(#515 (num 1E10))", "\xFF\xFF\xFF"},
      {"(#515 (@ninf))", std::string(3, '\0')},
      {"(#470 (num -1))", "\xFF\xFF\xFF\xFF"},
      {"(#470 (num 2.5))", std::string("\x02\0\0\0", 4)},
      {"(#470 (num 1E10))", std::string("\0\0\0\x80", 4)},
      {"(#470 (@nan))", std::string("\0\0\0\x80", 4)},
      {"(#471 (num 2.5))", std::string("\x03\0\0\0", 4)},
      {"(#471 (num 0.49))", std::string(4, '\0')},
      {"(#471 (num 4294967295))", "\xFF\xFF\xFF\xFF"},
      {"(#471 (num 1E10))", "\xFF\xFF\xFF\xFF"},
      {"(#471 (num -5))", std::string(4, '\0')},
      {"(#471 (@nan))", std::string(4, '\0')},
      {"(#472 (num 1.5))", std::string("\0\0\xC0\x3F", 4)},
      {"(#472 (num 0.1))", "\xCD\xCC\xCC\x3D"},
      {"(#473 (num 1.5))", std::string("\0\0\0\0\0\0\xF8\x3F", 8)},
      {"(#473 (@ninf))", std::string("\0\0\0\0\0\0\xF0\xFF", 8)},
  };
  for (const WriteCase& c : cases) EXPECT_EQ(c.Expected, Written(c.Commands)) << c.Commands;
}

struct ReadCase {
  const char* Element;
  std::string File;
  double Expected;
};

TEST_F(ExecFileData, IntegerAndRealReads) {
  const ReadCase cases[] = {
      {"#466", "\xFF", -1},
      {"#467", "\xFF", 255},
      {"#468", std::string("\0\x80", 2), -32768},
      {"#469", std::string("\0\x80", 2), 32768},
      {"#514", std::string("\0\0\x80", 3), -8388608},
      {"#514", "\xFF\xFF\x7F", 8388607},
      {"#515", std::string("\0\0\x80", 3), 8388608},
      {"#470", "\xFF\xFF\xFF\xFF", -1},
      {"#471", "\xFF\xFF\xFF\xFF", 4294967295.0},
      {"#472", std::string("\0\0\xC0\x3F", 4), 1.5},
      {"#472", "\xCD\xCC\xCC\x3D", (double)0.1f},
      {"#473", std::string("\0\0\0\0\0\0\xF8\x3F", 8), 1.5},
  };
  for (const ReadCase& c : cases) {
    Fresh();
    FakeDisk.Files["r"] = Bytes(c.File);
    RunCommands(std::string("(#448 (text_const \"r\"))(@r (") + c.Element + "))(@b (#509))");
    EXPECT_EQ(c.Expected, R) << c.Element << " of " << c.File.size() << " bytes";
    EXPECT_EQ(0, B) << c.Element;
    EXPECT_EQ((int32_t)c.File.size(), ReadFileState.Offset) << c.Element;
  }

  // Past the end the missing bytes read as 0, the offset still moves on and
  // the flag is set.
  Fresh();
  FakeDisk.Files["r"] = Bytes("\x01\x02");
  RunCommands("(#448 (text_const \"r\"))(@r (#470))(@b (#509))");
  EXPECT_EQ(0x0201, R);
  EXPECT_EQ(1, B);
  EXPECT_EQ(4, ReadFileState.Offset);
}

TEST_F(ExecFileData, TextWrites) {
  const WriteCase cases[] = {
      {"(#474 (text_const \"ab\"))", std::string("ab\0", 3)},
      {"(#475 (text_const \"ab\"))", "ab\r\n"},
      {"(#475 (text_const \"\"))", "\r\n"},
      {"(#510 (num 5))(#476 (text_const \"abcdefg\"))", "abcde"},
      {"(#510 (num 5))(#476 (text_const \"ab\"))", "ab   "},
      {"(#510 (num 0))(#476 (text_const \"ab\"))", "a"},
      {"(#729 (true))(#474 (text_const \"ab\"))", Units(std::string("ab\0", 3))},
      {"(#729 (true))(#475 (text_const \"a\xE9\"))", Units("a") + "\xE9" + '\0' + Units("\r\n")},
      {"(#729 (true))(#510 (num 3))(#476 (text_const \"abcd\"))", Units("abc")},
      {"(#729 (true))(#510 (num 3))(#476 (text_const \"a\"))", Units("a  ")},
      {"(#729 (true))(#475 (text_const \"\x80\"))", std::string("\xAC\x20", 2) + Units("\r\n")},
  };
  for (const WriteCase& c : cases) EXPECT_EQ(c.Expected, Written(c.Commands)) << c.Commands;
}

// Each expected text is one read of the element; the reads go on at the
// offset where the one before stopped. After the last, one more read gives
// the empty text and sets the flag, which none of the reads before did.
struct TextReadCase {
  const char* Name;
  const char* Element;
  bool Unicode;
  std::string File;
  std::vector<std::string> Texts;
};

TEST_F(ExecFileData, TextReads) {
  std::string longLine(600, 'q');
  const TextReadCase cases[] = {
      {"every line end", "#475", false, "a\r\nb\n\rc\rd\ne", {"a", "b", "c", "d", "e"}},
      {"a lone CR before a letter", "#475", false, "x\ry", {"x", "y"}},
      {"complete last line, LF", "#475", false, "last\n", {"last"}},
      {"complete last line, CR", "#475", false, "last\r", {"last"}},
      {"complete last line, CR LF", "#475", false, "last\r\n", {"last"}},
      {"last line without its end", "#475", false, "last", {"last"}},
      {"empty lines", "#475", false, "a\n\n\r\n\r\rb", {"a", "", "", "", "b"}},
      {"a zero ends a line", "#475", false, std::string("a\0b", 3), {"a", "b"}},
      {"a line longer than a chunk", "#475", false, longLine + "\r\nz", {longLine, "z"}},
      {"UTF-16 line ends", "#475", true, Units("a\r\nb\n\rc\rd\ne"), {"a", "b", "c", "d", "e"}},
      {"UTF-16 last line", "#475", true, Units("x\xE9\n"), {"x\xE9"}},
      {"UTF-16 long line", "#475", true, Units(longLine), {longLine}},
      {"zero-terminated", "#474", false, std::string("ab\0\0cd\0", 7), {"ab", "", "cd"}},
      {"UTF-16 zero-terminated", "#474", true, Units(std::string("ab\0cd\0", 6)), {"ab", "cd"}},
  };
  for (const TextReadCase& c : cases) {
    Fresh();
    FileUnicode = c.Unicode;
    FakeDisk.Files["r"] = Bytes(c.File);
    std::string read = std::string("(@ta (") + c.Element + "))(@b (#509))";
    RunCommands("(#448 (text_const \"r\"))" + read);
    for (size_t k = 0; k < c.Texts.size(); k++) {
      if (k > 0) RunCommands(read);
      EXPECT_EQ(c.Texts[k], TextOf("ta")) << c.Name << ": read " << k;
      EXPECT_EQ(0, B) << c.Name << ": read " << k;
    }
    RunCommands(read);
    EXPECT_EQ("", TextOf("ta")) << c.Name << ": at the end";
    EXPECT_EQ(1, B) << c.Name << ": at the end";
  }
}

TEST_F(ExecFileData, ZeroTerminatedTextCutByTheEnd) {
  Fresh();
  FakeDisk.Files["r"] = Bytes("ab");
  RunCommands("(#448 (text_const \"r\"))(@ta (#474))(@b (#509))");
  EXPECT_EQ("ab", TextOf("ta"));
  EXPECT_EQ(1, B) << "the terminator is missing";
}

TEST_F(ExecFileData, FixedTextReads) {
  struct Case {
    const char* Name;
    bool Unicode;
    std::string File;
    std::string First, Second;
    bool Error;
  } cases[] = {
      {"trailing spaces cut", false, "ab   xyz  ", "ab", "xyz", false},
      {"zeros read as spaces", false, std::string("a\0b\0\0xyz\0\0", 10), "a b", "xyz", false},
      {"past the end", false, "abcdexy", "abcde", "xy", true},
      {"UTF-16", true, Units(std::string("a\0b  x\xE9   ", 10)), "a b", "x\xE9", false},
      {"UTF-16 past the end", true, Units("abcdex"), "abcde", "x", true},
  };
  for (const Case& c : cases) {
    Fresh();
    FileUnicode = c.Unicode;
    FakeDisk.Files["r"] = Bytes(c.File);
    RunCommands("(#448 (text_const \"r\"))(#510 (num 5))(@ta (#476))(@tb (#476))(@b (#509))");
    EXPECT_EQ(c.First, TextOf("ta")) << c.Name;
    EXPECT_EQ(c.Second, TextOf("tb")) << c.Name;
    EXPECT_EQ(c.Error, B != 0) << c.Name;
    EXPECT_EQ((c.Unicode ? 2 : 1) * 10, ReadFileState.Offset) << c.Name;
  }
}

TEST_F(ExecFileData, OffsetsAndSettings) {
  struct Case {
    const char* Commands;
    double Expected;
  } cases[] = {
      {"(#481 (num 5))(@r (#481))", 5},
      {"(#481 (num 2.5))(@r (#481))", 2},
      {"(#481 (num -3))(@r (#481))", 0},
      {"(#481 (@nan))(@r (#481))", 0},
      {"(#481 (num 1E10))(@r (#481))", 2147483647.0},
      {"(#482 (num 7))(@r (#482))", 7},
      {"(#482 (@pinf))(@r (#482))", 2147483647.0},
      {"(#482 (@ninf))(@r (#482))", 0},
      {"(#510 (num 3))(@r (#510))", 3},
      {"(#510 (num 0))(@r (#510))", 1},
      {"(#510 (@nan))(@r (#510))", 1},
      {"(@r (#510))", 10},
  };
  for (const Case& c : cases) {
    Fresh();
    RunCommands(c.Commands);
    EXPECT_EQ(c.Expected, R) << c.Commands;
  }

  Fresh();
  RunCommands("(@b (#729))");
  EXPECT_EQ(0, B);
  RunCommands("(#729 (true))(@b (#729))");
  EXPECT_EQ(1, B);
  FileError = 1;
  RunCommands("(@b (#509))");
  EXPECT_EQ(1, B);
  RunCommands("(#509 (false))(@b (#509))");
  EXPECT_EQ(0, B);
  EXPECT_EQ(0, FileError);
}

TEST_F(ExecFileData, FileNameCommands) {
  Fresh();
  FakeDisk.Files["r.bin"] = Bytes("abc");
  RunCommands("(#449 (text_const \" \\t w.bin \\r\\n\"))(#470 (num 1))(#482 (num 2))");
  EXPECT_EQ("w.bin", std::string(WriteFileName.Chars()));
  RunCommands("(#448 (text_const \"  r.bin  \"))(@r (#467))");
  EXPECT_EQ("r.bin", std::string(ReadFileName.Chars()));
  EXPECT_EQ('a', R);
  EXPECT_EQ(std::string("\x01\0\0\0", 4), FakeDisk.Text("w.bin")) << "naming a file wrote what was pending";
  EXPECT_EQ(2, WriteFileState.Offset) << "the other file's offset stays";

  ReadFileState.Offset = 2;
  RunCommands("(#448 (text_const \"r.bin\"))(@r (#481))");
  EXPECT_EQ(0, R) << "a new name starts at offset 0";
  RunCommands("(#449 (text_const \"w2\"))(@r (#482))");
  EXPECT_EQ(0, R);
  EXPECT_EQ(nullptr, ReadFileState.Handle) << "naming closed the files";
}

TEST_F(ExecFileData, ValuesTheFilesDoNotCarry) {
  Fresh();
  RunCommands("(#449 (text_const \"w\"))(#477 (#477))(#478 (#478))(#479 (#479))(#480 (#480))(@b (#509))");
  EXPECT_EQ(0, B);
  EXPECT_EQ(0, FakeDisk.Creates) << "neither file was touched";
  EXPECT_EQ(0, WriteFileState.Offset);
  std::string code = Listing();
  for (const char* kind : {"Icon", "Picture", "Sound", "Music"}) {
    EXPECT_NE(std::string::npos, code.find(std::string("ExecCmdFileWrite") + kind)) << kind << " write ran";
    EXPECT_NE(std::string::npos, code.find(std::string("Exec") + kind + "FileRead")) << kind << " read ran";
  }
}

int WINAPI QuietMessageBox(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }

// Fixed lengths whose scratch or text size passes the 32-bit range end as
// exhausted memory instead of wrapping to a small block.
TEST(FileDataExit, HugeFixedLengthsAreExhaustedMemory) {
  for (uint8_t unicode : {0, 1}) {
    EXPECT_EXIT(
        {
          ResetDataFiles();
          MemorySys.MessageBoxA = QuietMessageBox;
          FileUnicode = unicode;
          FixedTextLength = unicode ? 0x40000000 : INT32_MAX - 4;
          Text r;
          ExecTextFileReadFixed(r);
        },
        testing::ExitedWithCode(253), "")
        << (unicode ? "UTF-16" : "ANSI");
  }
}

}  // namespace
