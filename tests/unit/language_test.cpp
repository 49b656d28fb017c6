// Language rows, selection at start-up, and the keyboard layout names tried.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "base/language.h"

namespace {

class LanguageTest : public testing::Test {
 protected:
  void TearDown() override { SetLanguage(EnglishLanguageIndex); }
};

TEST_F(LanguageTest, SetLanguageGlobals) {
  struct Case { int32_t Row; int32_t Id, CodePage, Charset; char Separator; int32_t Fallback; } cases[] = {
      {5, 9, 1252, 0, '.', 5},   {1, 5, 1250, 238, ',', 19}, {19, 27, 1250, 238, ',', 1},
      {14, 21, 1250, 238, ',', 1}, {3, 7, 1252, 0, ',', 5},  {7, 11, 1257, 186, ',', 5},
      {16, 24, 1251, 204, ',', 5}, {20, 28, 1253, 161, ',', 5}, {22, 31, 1254, 162, ',', 5},
  };
  for (const Case& c : cases) {
    SetLanguage(c.Row);
    EXPECT_EQ(c.Row, CurrentLanguageIndex);
    EXPECT_EQ(c.Id, LanguageId) << "row " << c.Row;
    EXPECT_EQ(c.CodePage, LanguageCodePage) << "row " << c.Row;
    EXPECT_EQ(c.Charset, LanguageCharset) << "row " << c.Row;
    EXPECT_EQ(c.Separator, (char)DecimalSeparator) << "row " << c.Row;
    EXPECT_EQ(c.Fallback, FallbackLanguageIndex) << "row " << c.Row;
  }
}

TEST_F(LanguageTest, RowsAndTheirMessages) {
  EXPECT_EQ(1, FindLanguageRow(5));
  EXPECT_EQ(22, FindLanguageRow(31));
  EXPECT_EQ(-1, FindLanguageRow(0x405));
  EXPECT_EQ(-1, FindLanguageRow(0));
  EXPECT_STREQ("Storno", LanguageTable[1].CancelText);
  EXPECT_STREQ("Storno", LanguageTable[19].CancelText);
  EXPECT_STREQ("Cancel", LanguageTable[2].CancelText);  // Danish shows English
  EXPECT_STREQ("Abbrechen", LanguageTable[3].CancelText);
  EXPECT_STREQ("Brak pami\xEA" "ci", LanguageTable[14].MemoryErrorCaption);
  EXPECT_STREQ("Insufficient Memory", LanguageTable[5].MemoryErrorCaption);
}

TEST_F(LanguageTest, StartupIdFromRegistryWordOrPrimaryLanguage) {
  EXPECT_EQ(5, StartupLanguageId(5, 0x409));
  EXPECT_EQ(0x405, StartupLanguageId(0x405, 0x409));  // matches no row: English stays
  EXPECT_EQ(7, StartupLanguageId(0, 0x0C07));         // German (Austria) → German
  EXPECT_EQ(9, StartupLanguageId(0, 0x0409));
}

// Writes or deletes the registry value in the test prefix.
void SetRegistryLanguage(const DWORD* value) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sorquin Software\\Yelto",
                                           0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                                           &key, nullptr));
  if (value)
    RegSetValueExA(key, "Language", 0, REG_DWORD, (const BYTE*)value, sizeof *value);
  else
    RegDeleteValueA(key, "Language");
  RegCloseKey(key);
}

TEST_F(LanguageTest, RegistryValueChoosesTheRow) {
  const DWORD czech = 5, full = 0x405;
  SetRegistryLanguage(&czech);
  EXPECT_EQ(5, ReadRegistryLanguage());
  ChooseStartupLanguage();
  EXPECT_EQ(1, DefaultLanguageIndex);
  EXPECT_EQ(1, CurrentLanguageIndex);

  DefaultLanguageIndex = EnglishLanguageIndex;
  SetRegistryLanguage(&full);
  ChooseStartupLanguage();
  EXPECT_EQ(EnglishLanguageIndex, CurrentLanguageIndex);

  SetRegistryLanguage(nullptr);
  EXPECT_EQ(0, ReadRegistryLanguage());
  ChooseStartupLanguage();
  EXPECT_EQ(FindLanguageRow(GetUserDefaultLangID() & 0xFF), CurrentLanguageIndex);
  DefaultLanguageIndex = EnglishLanguageIndex;
}

// Writes the registry value with a type and bytes of the test's choosing.
void SetRegistryLanguageBytes(DWORD type, const void* bytes, DWORD size) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sorquin Software\\Yelto",
                                           0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                                           &key, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Language", 0, type, (const BYTE*)bytes, size));
  RegCloseKey(key);
}

// A value that does not fit the word, or a key that cannot be opened, leaves
// the word 0: the user's default language is taken. The values start with
// the bytes of Czech (5), so taking part of them would choose Czech.
TEST_F(LanguageTest, RegistryFailureFallsBackToTheUserDefault) {
  const int32_t userDefault = FindLanguageRow(GetUserDefaultLangID() & 0xFF);
  ASSERT_GE(userDefault, 0) << "the user's default language has a row";
  ASSERT_NE(1, userDefault) << "the fallback must differ from the registry's Czech";
  const uint8_t eightBytes[8] = {5, 0, 0, 0, 7, 0, 0, 0};
  const char longText[] = "\x05\x00\x00\x00 and more";
  struct Case { const char* Name; DWORD Type; const void* Bytes; DWORD Size; } cases[] = {
      {"8 bytes", REG_BINARY, eightBytes, sizeof eightBytes},
      {"5 bytes", REG_BINARY, eightBytes, 5},
      {"a long text", REG_SZ, longText, sizeof longText},
  };
  for (const Case& c : cases) {
    SetRegistryLanguageBytes(c.Type, c.Bytes, c.Size);
    EXPECT_EQ(0, ReadRegistryLanguage()) << c.Name;
    DefaultLanguageIndex = 1;
    ChooseStartupLanguage();
    EXPECT_EQ(userDefault, CurrentLanguageIndex) << c.Name;
  }

  // No key at all: the open fails.
  SetRegistryLanguage(nullptr);
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Sorquin Software\\Yelto"));
  EXPECT_EQ(0, ReadRegistryLanguage());
  DefaultLanguageIndex = 1;
  ChooseStartupLanguage();
  EXPECT_EQ(userDefault, CurrentLanguageIndex);
  DefaultLanguageIndex = EnglishLanguageIndex;
}

std::vector<std::string> LayoutNames;
std::string AcceptedLayout;

void* __stdcall FakeLoadLayout(const char* name, unsigned flags) {
  LayoutNames.push_back(name);
  EXPECT_EQ((unsigned)(KLF_ACTIVATE | KLF_SUBSTITUTE_OK), flags);
  return AcceptedLayout == name ? (void*)1 : nullptr;
}

TEST_F(LanguageTest, KeyboardLayoutNamesTriedInOrder) {
  KeyboardLayoutLoader real = LoadKeyboardLayoutCall;
  LoadKeyboardLayoutCall = FakeLoadLayout;
  SetLanguage(1);  // Czech, id 5

  LayoutNames.clear();
  AcceptedLayout = "";
  LoadLanguageKeyboardLayout();
  const std::vector<std::string> all = {"00000005", "00000405", "00000805", "00000C05",
                                        "00001005", "00001405", "00001805"};
  EXPECT_EQ(all, LayoutNames);

  LayoutNames.clear();
  AcceptedLayout = "00000405";
  LoadLanguageKeyboardLayout();
  EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 2), LayoutNames);
  LoadKeyboardLayoutCall = real;
}

}  // namespace
