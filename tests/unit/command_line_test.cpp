// The command line's words, and the command line, its words and the module
// path as elements.
#include "expression_fixture.h"
#include "system/command_line.h"

namespace {

std::string Word(const char* line, int32_t n) {
  Text t = CommandWord(Text(line), n);
  return std::string(t.Chars(), t.Length());
}

TEST(CommandWord, Words) {
  const struct {
    const char* Line;
    int32_t N;
    const char* Expected;
  } cases[] = {
      {"prog.exe a b", 0, "prog.exe"},
      {"prog.exe a b", 1, "a"},
      {"prog.exe a b", 2, "b"},
      {"prog.exe a b", 3, ""},
      {"prog.exe a b", -1, ""},
      {"\"C:\\My Programs\\prog.exe\" x", 0, "C:\\My Programs\\prog.exe"},
      {"\"C:\\My Programs\\prog.exe\" x", 1, "x"},
      {"prog \"two words\" next", 1, "two words"},
      {"prog \"two words\" next", 2, "next"},
      {"prog say\"\"hi\"\" there", 1, "say\"hi\""},       // doubled quotes keep one
      {"prog \"\"", 1, "\""},                              // a word of two quotes keeps one
      {"prog a\"b c\"d e", 1, "ab cd"},                    // quotes inside a word
      {"prog a\"b c\"d e", 2, "e"},
      {"prog \"open quote to the end", 1, "open quote to the end"},
      {"  \t prog\t\ta\r\nb  ", 0, "prog"},                // every character 1..32 separates
      {"  \t prog\t\ta\r\nb  ", 1, "a"},
      {"  \t prog\t\ta\r\nb  ", 2, "b"},
      {"  \t prog\t\ta\r\nb  ", 3, ""},
      {"prog \xe9t\xe9 \xa0x", 1, "\xe9t\xe9"},            // bytes of 128 or more belong to words
      {"prog \xe9t\xe9 \xa0x", 2, "\xa0x"},
      {"", 0, ""},
      {"   ", 0, ""},
      {"prog a", 2147483647, ""},                          // stops at the end of the line
  };
  for (auto& c : cases) EXPECT_EQ(c.Expected, Word(c.Line, c.N)) << "[" << c.Line << "] word " << c.N;
}

// A zero byte where a word would start ends the words: no pass moves past it.
TEST(CommandWord, ZeroByteEndsTheWords) {
  Text line("a \0 b", 5);
  EXPECT_EQ("a", std::string(CommandWord(line, 0).Chars()));
  EXPECT_EQ(0, CommandWord(line, 1).Length());
  EXPECT_EQ(0, CommandWord(line, 2147483647).Length());
}

class CommandLineElements : public ExpressionTest {
 public:
  std::string TextOf(const std::string& expression) {
    if (!RunExpressions("", "", "(@ta " + expression + ")")) return "program failed";
    const Text& t = Texts[GlobalValue("ta")];
    return std::string(t.Chars(), t.Length());
  }
};

TEST_F(CommandLineElements, LineWordsAndModulePath) {
  if (!CommandLine.Data) InitCommandLine();  // start-up's constructors do not run in tests
  if (!ModulePath.Data) InitModulePath();
  Text savedLine = CommandLine, savedPath = ModulePath;
  CommandLine = Text("\"C:\\dir one\\game.exe\" -level 3");
  ModulePath = Text("C:\\dir one\\game.exe");
  const struct {
    const char* Expression;
    const char* Expected;
  } cases[] = {
      {"(command_line)", "\"C:\\dir one\\game.exe\" -level 3"},
      {"(program_path)", "C:\\dir one\\game.exe"},
      {"(command_word (0))", "C:\\dir one\\game.exe"},
      {"(command_word (num 1.4))", "-level"},
      {"(command_word (num 1.5))", "3"},  // ties to even
      {"(command_word (num 2.5))", "3"},
      {"(command_word (num 3))", ""},
      {"(command_word (num -0.6))", ""},
      {"(command_word (num 2147483647))", ""},
      {"(command_word (num 1e10))", ""},  // the indefinite integer is negative
      {"(command_word (@nan))", ""},
      {"(command_word)", "a"},  // without its operand the element does not compile: ta keeps its value
  };
  for (auto& c : cases) EXPECT_EQ(c.Expected, TextOf(c.Expression)) << c.Expression;
  CommandLine = savedLine;
  ModulePath = savedPath;
}

}  // namespace
