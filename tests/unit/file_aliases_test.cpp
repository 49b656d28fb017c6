// File aliases: the INI path and key of a name, storing for the write file
// in the current language and reading for the read file with its fallbacks.
#include "file_fixture.h"
#include "base/language.h"

namespace {

class FileAliases : public FileTest {
 public:
  int32_t SavedCurrent = CurrentLanguageIndex, SavedDefault = DefaultLanguageIndex;
  ~FileAliases() override {
    CurrentLanguageIndex = SavedCurrent;
    DefaultLanguageIndex = SavedDefault;
  }
  // Stores alias for name while the program runs in language row.
  void Store(const char* name, const char* alias, int32_t row) {
    WriteFileName.AssignChars(name);
    CurrentLanguageIndex = row;
    Command("(file_alias " + Const(alias) + ")");
  }
  std::string Read(const char* name, int32_t current, int32_t startup) {
    ReadFileName.AssignChars(name);
    CurrentLanguageIndex = current;
    DefaultLanguageIndex = startup;
    return TextOf(Element(El::file_alias));
  }
  // The INI value as the system reads it.
  std::string Stored(const char* ini, int32_t row, const char* key) {
    char section[32], value[1024];
    snprintf(section, sizeof section, "LANGID %d", (int)LanguageTable[row].LanguageId);
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, (Dir + "\\" + ini).c_str());
    return value;
  }
  static std::string S(const Text& t) { return std::string(t.Chars(), t.Length()); }
};

TEST_F(FileAliases, PathsAndKeys) {
  CreateDirectoryA("dir", nullptr);
  const struct {
    const char* Name;
    const char* Key;
    std::string Ini;
  } cases[] = {
      {"dir\\save.dat", "save.dat", Dir + "\\dir\\ALIASES.INI"},
      {"plain.txt", "plain.txt", Dir + "\\ALIASES.INI"},
      {"dir\\sub\\", "sub", Dir + "\\dir\\ALIASES.INI"},  // one trailing backslash goes
      {"C:\\top.txt", "top.txt", "C:\\ALIASES.INI"},
  };
  for (auto& c : cases) {
    SetAliasPaths(Text(c.Name));
    EXPECT_EQ(c.Key, S(AliasKey)) << c.Name;
    EXPECT_EQ(c.Ini, S(AliasIniPath)) << c.Name;
  }
  // A drive with a colon and no backslash: the key follows the colon.
  SetAliasPaths(Text("C:rel.txt"));
  EXPECT_EQ("rel.txt", S(AliasKey));
  SetAliasSection(EnglishLanguageIndex);
  EXPECT_EQ("LANGID 9", S(AliasSection));
}

TEST_F(FileAliases, StoreAndReadInOneLanguage) {
  CreateDirectoryA("dir", nullptr);
  Store("dir\\game.sav", "  My game = saved  ", EnglishLanguageIndex);
  EXPECT_EQ(0, FileError);
  EXPECT_EQ("My game = saved", Stored("dir\\ALIASES.INI", EnglishLanguageIndex, "game.sav"));
  EXPECT_EQ("My game = saved", Read("dir\\game.sav", EnglishLanguageIndex, EnglishLanguageIndex));
  EXPECT_EQ(0, FileError);
  // Another file of the directory has none: its name without the extension.
  EXPECT_EQ("other", Read("dir\\other.sav", EnglishLanguageIndex, EnglishLanguageIndex));
  // The empty text removes the key.
  Store("dir\\game.sav", " ", EnglishLanguageIndex);
  EXPECT_EQ(0, FileError);
  EXPECT_EQ("<none>", Stored("dir\\ALIASES.INI", EnglishLanguageIndex, "game.sav"));
  EXPECT_EQ("game", Read("dir\\game.sav", EnglishLanguageIndex, EnglishLanguageIndex));
}

TEST_F(FileAliases, WithoutAnIniFile) {
  const struct {
    const char* Name;
    const char* Expected;
  } cases[] = {
      {"report.final.txt", "report.final"}, {"noext", "noext"}, {".hidden", ""}, {"dir\\", "dir"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(c.Expected, Read(c.Name, EnglishLanguageIndex, EnglishLanguageIndex)) << c.Name;
    EXPECT_EQ(0, FileError) << c.Name;
  }
  EXPECT_EQ("", Read("", EnglishLanguageIndex, EnglishLanguageIndex));
  EXPECT_EQ(1, FileError);
}

// Current language, then the start-up language, then English, then the
// others in table order.
TEST_F(FileAliases, FallbackOrder) {
  ASSERT_EQ(5, EnglishLanguageIndex);
  const int32_t a = 1, b = 2, c = 7, d = 12;
  Store("f.txt", "in a", a);
  Store("f.txt", "in d", d);
  Store("f.txt", "in c", c);
  Store("f.txt", "English", EnglishLanguageIndex);
  Store("f.txt", "in b", b);
  EXPECT_EQ(0, FileError);
  EXPECT_EQ("in c", Read("f.txt", c, b));
  EXPECT_EQ("in b", Read("f.txt", 3, b));
  EXPECT_EQ("English", Read("f.txt", 3, 4));
  Store("f.txt", "", EnglishLanguageIndex);
  EXPECT_EQ("in a", Read("f.txt", 3, 4));
  Store("f.txt", "", a);
  Store("f.txt", "", b);
  EXPECT_EQ("in c", Read("f.txt", 3, 4));
  Store("f.txt", "", c);
  EXPECT_EQ("in d", Read("f.txt", 3, 4));
  Store("f.txt", "", d);
  EXPECT_EQ("f", Read("f.txt", 3, 4));
}

// Names and aliases the INI format cannot hold are refused and nothing is
// written; '=' inside an alias is an ordinary character.
TEST_F(FileAliases, RefusedNamesAndAliases) {
  const struct {
    const char* Name;
    const char* Alias;
  } cases[] = {
      {"", "x"},           {"a=b.txt", "x"},     {"[sect].txt", "x"}, {"dir\\\\", "x"},
      {"f.txt", "one\rtwo"}, {"f.txt", "one\ntwo"}, {"C:", "x"}, {"line\nend.txt", "x"},
  };
  for (auto& c : cases) {
    Store(c.Name, c.Alias, EnglishLanguageIndex);
    EXPECT_EQ(1, FileError) << "'" << c.Name << "' '" << c.Alias << "'";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, Attributes("ALIASES.INI")) << "'" << c.Name << "' '" << c.Alias << "'";
  }
  Store("f.txt", "a=b", EnglishLanguageIndex);
  EXPECT_EQ(0, FileError);
  EXPECT_EQ("a=b", Read("f.txt", EnglishLanguageIndex, EnglishLanguageIndex));
}

}  // namespace
