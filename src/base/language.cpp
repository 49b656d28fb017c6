// The 23 languages the engine knows, the current language's globals,
// start-up selection, the keyboard layout that fits the language and the
// charset of a code page.
#include <windows.h>
#include "base/language.h"
#include "base/number_text.h"
#include "base/text.h"

// The engine's own messages, as cp1250 bytes.
#define EN "Cancel", "All files", "Insufficient Memory", \
  "Sorry, this program will be terminated due to the insufficient memory!"
#define CS "Storno", "V\x9A" "echny soubory", "Nedostatek pam\xEC" "ti", \
  "Lituji, program bude ukon\xE8" "en z d\xF9vodu nedostatku pam\xEC" "ti!"
#define DE "Abbrechen", "Alle Dateien", "Speicherplatzmangel", \
  "Ich bedauere, das Programm wird wegen Speicherplatzmangel beendet!"
#define PL "Anuluj", "Wszystkie pliki", "Brak pami\xEA" "ci", \
  "\xAF" "a\xB3uj\xEA, program b\xEA" "dzie zako\xF1" "czony z powodu braku pami\xEA" "ci!"
#define SK "Storno", "V\x9A" "etky s\xFA" "bory", "Nedostatok pam\xE4" "ti", \
  "\xBC" "utujem, program bude ukon\xE8" "en\xFD z d\xF4vodu nedostatku pam\xE4" "ti!"

LanguageRow LanguageTable[LanguageCount] = {
    {2, 1251, 204, nullptr, EN},  {5, 1250, 238, nullptr, CS},  {6, 1252, 0, nullptr, EN},
    {7, 1252, 0, nullptr, DE},    {8, 1253, 161, nullptr, EN},  {9, 1252, 0, nullptr, EN},
    {10, 1252, 0, nullptr, EN},   {11, 1257, 186, nullptr, EN}, {12, 1252, 0, nullptr, EN},
    {14, 1250, 238, nullptr, EN}, {15, 1257, 186, nullptr, EN}, {16, 1252, 0, nullptr, EN},
    {19, 1252, 0, nullptr, EN},   {20, 1257, 186, nullptr, EN}, {21, 1250, 238, nullptr, PL},
    {22, 1252, 0, nullptr, EN},   {24, 1251, 204, nullptr, EN}, {25, 1251, 204, nullptr, EN},
    {26, 1250, 238, nullptr, EN}, {27, 1250, 238, nullptr, SK}, {28, 1253, 161, nullptr, EN},
    {29, 1257, 186, nullptr, EN}, {31, 1254, 162, nullptr, EN},
};

const char AllFilesPattern[] = "*.*";

int32_t CurrentLanguageIndex = EnglishLanguageIndex;
int32_t DefaultLanguageIndex = EnglishLanguageIndex;
int32_t LanguageId = 9;
int32_t LanguageCodePage = 0;
int32_t LanguageCharset = 1;
uint8_t DecimalSeparator = '.';
int32_t FallbackLanguageIndex = 0;

static void* __stdcall RealLoadKeyboardLayout(const char* name, unsigned flags) {
  return LoadKeyboardLayoutA(name, flags);
}
KeyboardLayoutLoader LoadKeyboardLayoutCall = RealLoadKeyboardLayout;

void SetLanguage(int32_t i) {
  const LanguageRow& row = LanguageTable[i];
  CurrentLanguageIndex = i;
  LanguageId = row.LanguageId;
  LanguageCharset = row.Charset;
  LanguageCodePage = row.CodePage;
  DecimalSeparator = i == EnglishLanguageIndex ? '.' : ',';
  if (i == 1)
    FallbackLanguageIndex = 19;        // Czech falls back to Slovak
  else if (i == 14 || i == 19)
    FallbackLanguageIndex = 1;         // Polish and Slovak to Czech
  else
    FallbackLanguageIndex = EnglishLanguageIndex;
}

int32_t CharsetOfCodePage(uint32_t codePage) {
  switch (codePage) {
    case 1250: return 238;
    case 1251: return 204;
    case 1252: return 0;
    case 1253: return 161;
    case 1254: return 162;
    case 1256: return 178;
    case 1257: return 186;
    default: return 1;
  }
}

int32_t FindLanguageRow(int32_t id) {
  for (int32_t i = 0; i < LanguageCount; i++)
    if (LanguageTable[i].LanguageId == id) return i;
  return -1;
}

int32_t ReadRegistryLanguage() {
  DWORD word = 0;  // stays 0 unless the query succeeds
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sorquin Software\\Yelto", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
    return 0;
  DWORD value = 0, size = sizeof value;
  if (RegQueryValueExA(key, "Language", nullptr, nullptr, (BYTE*)&value, &size) ==
      ERROR_SUCCESS)
    word = value;
  RegCloseKey(key);
  return (int32_t)word;
}

int32_t StartupLanguageId(int32_t registryWord, int32_t userDefaultLangId) {
  return registryWord != 0 ? registryWord : (userDefaultLangId & 0xFF);
}

void ChooseStartupLanguage() {
  int32_t id = StartupLanguageId(ReadRegistryLanguage(), GetUserDefaultLangID());
  int32_t row = FindLanguageRow(id);
  if (row >= 0) DefaultLanguageIndex = row;
  SetLanguage(DefaultLanguageIndex);
}

void LoadLanguageKeyboardLayout() {
  Text name;
  for (int32_t k = LanguageId; k < 0x1C00; k += 0x400) {
    name.SetHex8((uint32_t)k);
    if (LoadKeyboardLayoutCall(name.Chars(), KLF_ACTIVATE | KLF_SUBSTITUTE_OK)) return;
  }
}
