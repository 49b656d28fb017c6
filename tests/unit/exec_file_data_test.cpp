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
    RunCommands("(file_write_name (text_const \"w\"))" + commands);
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
      {"(file_int8 (num 300))", "\x7F"},
      {"(file_int8 (num -300))", "\x80"},
      {"(file_int8 (num 1E10))", "\x7F"},
      {"(file_int8 (@nan))", std::string(1, '\0')},
      {"(file_int8 (num 2.5))", "\x02"},
      {"(file_uint8 (num -1))", std::string(1, '\0')},
      {"(file_uint8 (num 255.6))", "\xFF"},
      {"(file_uint8 (@pinf))", "\xFF"},
      {"(file_int16 (num 2.5))", std::string("\x02\0", 2)},
      {"(file_int16 (num 1E10))", "\xFF\x7F"},
      {"(file_int16 (num -1E10))", std::string("\0\x80", 2)},
      {"(file_int16 (@nan))", std::string(2, '\0')},
      {"(file_uint16 (num -1))", std::string(2, '\0')},
      {"(file_uint16 (num 65535))", "\xFF\xFF"},
      {"(file_int24 (num 8388608))", "\xFF\xFF\x7F"},
      {"(file_int24 (num -8388609))", std::string("\0\0\x80", 3)},
      {"(file_int24 (num -2))", "\xFE\xFF\xFF"},
      {"(file_uint24 (num 1E10))", "\xFF\xFF\xFF"},
      {"(file_uint24 (@ninf))", std::string(3, '\0')},
      {"(file_int32 (num -1))", "\xFF\xFF\xFF\xFF"},
      {"(file_int32 (num 2.5))", std::string("\x02\0\0\0", 4)},
      {"(file_int32 (num 1E10))", std::string("\0\0\0\x80", 4)},
      {"(file_int32 (@nan))", std::string("\0\0\0\x80", 4)},
      {"(file_uint32 (num 2.5))", std::string("\x03\0\0\0", 4)},
      {"(file_uint32 (num 0.49))", std::string(4, '\0')},
      {"(file_uint32 (num 4294967295))", "\xFF\xFF\xFF\xFF"},
      {"(file_uint32 (num 1E10))", "\xFF\xFF\xFF\xFF"},
      {"(file_uint32 (num -5))", std::string(4, '\0')},
      {"(file_uint32 (@nan))", std::string(4, '\0')},
      {"(file_float (num 1.5))", std::string("\0\0\xC0\x3F", 4)},
      {"(file_float (num 0.1))", "\xCD\xCC\xCC\x3D"},
      {"(file_double (num 1.5))", std::string("\0\0\0\0\0\0\xF8\x3F", 8)},
      {"(file_double (@ninf))", std::string("\0\0\0\0\0\0\xF0\xFF", 8)},
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
      {"file_int8", "\xFF", -1},
      {"file_uint8", "\xFF", 255},
      {"file_int16", std::string("\0\x80", 2), -32768},
      {"file_uint16", std::string("\0\x80", 2), 32768},
      {"file_int24", std::string("\0\0\x80", 3), -8388608},
      {"file_int24", "\xFF\xFF\x7F", 8388607},
      {"file_uint24", std::string("\0\0\x80", 3), 8388608},
      {"file_int32", "\xFF\xFF\xFF\xFF", -1},
      {"file_uint32", "\xFF\xFF\xFF\xFF", 4294967295.0},
      {"file_float", std::string("\0\0\xC0\x3F", 4), 1.5},
      {"file_float", "\xCD\xCC\xCC\x3D", (double)0.1f},
      {"file_double", std::string("\0\0\0\0\0\0\xF8\x3F", 8), 1.5},
  };
  for (const ReadCase& c : cases) {
    Fresh();
    FakeDisk.Files["r"] = Bytes(c.File);
    RunCommands(std::string("(file_read_name (text_const \"r\"))(@r (") + c.Element + "))(@b (file_error))");
    EXPECT_EQ(c.Expected, R) << c.Element << " of " << c.File.size() << " bytes";
    EXPECT_EQ(0, B) << c.Element;
    EXPECT_EQ((int32_t)c.File.size(), ReadFileState.Offset) << c.Element;
  }

  // Past the end the missing bytes read as 0, the offset still moves on and
  // the flag is set.
  Fresh();
  FakeDisk.Files["r"] = Bytes("\x01\x02");
  RunCommands("(file_read_name (text_const \"r\"))(@r (file_int32))(@b (file_error))");
  EXPECT_EQ(0x0201, R);
  EXPECT_EQ(1, B);
  EXPECT_EQ(4, ReadFileState.Offset);
}

TEST_F(ExecFileData, TextWrites) {
  const WriteCase cases[] = {
      {"(file_text_nul (text_const \"ab\"))", std::string("ab\0", 3)},
      {"(file_line (text_const \"ab\"))", "ab\r\n"},
      {"(file_line (text_const \"\"))", "\r\n"},
      {"(file_text_length (num 5))(file_text_fixed (text_const \"abcdefg\"))", "abcde"},
      {"(file_text_length (num 5))(file_text_fixed (text_const \"ab\"))", "ab   "},
      {"(file_text_length (num 0))(file_text_fixed (text_const \"ab\"))", "a"},
      {"(file_unicode (true))(file_text_nul (text_const \"ab\"))", Units(std::string("ab\0", 3))},
      {"(file_unicode (true))(file_line (text_const \"a\xE9\"))", Units("a") + "\xE9" + '\0' + Units("\r\n")},
      {"(file_unicode (true))(file_text_length (num 3))(file_text_fixed (text_const \"abcd\"))", Units("abc")},
      {"(file_unicode (true))(file_text_length (num 3))(file_text_fixed (text_const \"a\"))", Units("a  ")},
      {"(file_unicode (true))(file_line (text_const \"\x80\"))", std::string("\xAC\x20", 2) + Units("\r\n")},
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
      {"every line end", "file_line", false, "a\r\nb\n\rc\rd\ne", {"a", "b", "c", "d", "e"}},
      {"a lone CR before a letter", "file_line", false, "x\ry", {"x", "y"}},
      {"complete last line, LF", "file_line", false, "last\n", {"last"}},
      {"complete last line, CR", "file_line", false, "last\r", {"last"}},
      {"complete last line, CR LF", "file_line", false, "last\r\n", {"last"}},
      {"last line without its end", "file_line", false, "last", {"last"}},
      {"empty lines", "file_line", false, "a\n\n\r\n\r\rb", {"a", "", "", "", "b"}},
      {"a zero ends a line", "file_line", false, std::string("a\0b", 3), {"a", "b"}},
      {"a line longer than a chunk", "file_line", false, longLine + "\r\nz", {longLine, "z"}},
      {"UTF-16 line ends", "file_line", true, Units("a\r\nb\n\rc\rd\ne"), {"a", "b", "c", "d", "e"}},
      {"UTF-16 last line", "file_line", true, Units("x\xE9\n"), {"x\xE9"}},
      {"UTF-16 long line", "file_line", true, Units(longLine), {longLine}},
      {"zero-terminated", "file_text_nul", false, std::string("ab\0\0cd\0", 7), {"ab", "", "cd"}},
      {"UTF-16 zero-terminated", "file_text_nul", true, Units(std::string("ab\0cd\0", 6)), {"ab", "cd"}},
  };
  for (const TextReadCase& c : cases) {
    Fresh();
    FileUnicode = c.Unicode;
    FakeDisk.Files["r"] = Bytes(c.File);
    std::string read = std::string("(@ta (") + c.Element + "))(@b (file_error))";
    RunCommands("(file_read_name (text_const \"r\"))" + read);
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
  RunCommands("(file_read_name (text_const \"r\"))(@ta (file_text_nul))(@b (file_error))");
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
    RunCommands("(file_read_name (text_const \"r\"))(file_text_length (num 5))(@ta (file_text_fixed))(@tb (file_text_fixed))(@b (file_error))");
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
      {"(file_read_offset (num 5))(@r (file_read_offset))", 5},
      {"(file_read_offset (num 2.5))(@r (file_read_offset))", 2},
      {"(file_read_offset (num -3))(@r (file_read_offset))", 0},
      {"(file_read_offset (@nan))(@r (file_read_offset))", 0},
      {"(file_read_offset (num 1E10))(@r (file_read_offset))", 2147483647.0},
      {"(file_write_offset (num 7))(@r (file_write_offset))", 7},
      {"(file_write_offset (@pinf))(@r (file_write_offset))", 2147483647.0},
      {"(file_write_offset (@ninf))(@r (file_write_offset))", 0},
      {"(file_text_length (num 3))(@r (file_text_length))", 3},
      {"(file_text_length (num 0))(@r (file_text_length))", 1},
      {"(file_text_length (@nan))(@r (file_text_length))", 1},
      {"(@r (file_text_length))", 10},
  };
  for (const Case& c : cases) {
    Fresh();
    RunCommands(c.Commands);
    EXPECT_EQ(c.Expected, R) << c.Commands;
  }

  Fresh();
  RunCommands("(@b (file_unicode))");
  EXPECT_EQ(0, B);
  RunCommands("(file_unicode (true))(@b (file_unicode))");
  EXPECT_EQ(1, B);
  FileError = 1;
  RunCommands("(@b (file_error))");
  EXPECT_EQ(1, B);
  RunCommands("(file_error (false))(@b (file_error))");
  EXPECT_EQ(0, B);
  EXPECT_EQ(0, FileError);
}

TEST_F(ExecFileData, FileNameCommands) {
  Fresh();
  FakeDisk.Files["r.bin"] = Bytes("abc");
  RunCommands("(file_write_name (text_const \" \\t w.bin \\r\\n\"))(file_int32 (num 1))(file_write_offset (num 2))");
  EXPECT_EQ("w.bin", std::string(WriteFileName.Chars()));
  RunCommands("(file_read_name (text_const \"  r.bin  \"))(@r (file_uint8))");
  EXPECT_EQ("r.bin", std::string(ReadFileName.Chars()));
  EXPECT_EQ('a', R);
  EXPECT_EQ(std::string("\x01\0\0\0", 4), FakeDisk.Text("w.bin")) << "naming a file wrote what was pending";
  EXPECT_EQ(2, WriteFileState.Offset) << "the other file's offset stays";

  ReadFileState.Offset = 2;
  RunCommands("(file_read_name (text_const \"r.bin\"))(@r (file_read_offset))");
  EXPECT_EQ(0, R) << "a new name starts at offset 0";
  RunCommands("(file_write_name (text_const \"w2\"))(@r (file_write_offset))");
  EXPECT_EQ(0, R);
  EXPECT_EQ(nullptr, ReadFileState.Handle) << "naming closed the files";
}

TEST_F(ExecFileData, ValuesTheFilesDoNotCarry) {
  Fresh();
  RunCommands("(file_write_name (text_const \"w\"))(file_icon (file_icon))(file_picture (file_picture))(file_sound (file_sound))(file_music (file_music))(@b (file_error))");
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
