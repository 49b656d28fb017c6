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

// One row a language, by primary language id; the Nordic rows' 1257, the
// Romanian row's 1251 and the Albanian row's 1253 are deliberate.
LanguageRow LanguageTable[LanguageCount] = {
    {LANG_BULGARIAN, 1251, RUSSIAN_CHARSET, nullptr, EN},
    {LANG_CZECH, 1250, EASTEUROPE_CHARSET, nullptr, CS},
    {LANG_DANISH, 1252, ANSI_CHARSET, nullptr, EN},
    {LANG_GERMAN, 1252, ANSI_CHARSET, nullptr, DE},
    {LANG_GREEK, 1253, GREEK_CHARSET, nullptr, EN},
    {LANG_ENGLISH, 1252, ANSI_CHARSET, nullptr, EN},
    {LANG_SPANISH, 1252, ANSI_CHARSET, nullptr, EN},
    {LANG_FINNISH, 1257, BALTIC_CHARSET, nullptr, EN},
    {LANG_FRENCH, 1252, ANSI_CHARSET, nullptr, EN},
    {LANG_HUNGARIAN, 1250, EASTEUROPE_CHARSET, nullptr, EN},
    {LANG_ICELANDIC, 1257, BALTIC_CHARSET, nullptr, EN},
    {LANG_ITALIAN, 1252, ANSI_CHARSET, nullptr, EN},
    {LANG_DUTCH, 1252, ANSI_CHARSET, nullptr, EN},
    {LANG_NORWEGIAN, 1257, BALTIC_CHARSET, nullptr, EN},
    {LANG_POLISH, 1250, EASTEUROPE_CHARSET, nullptr, PL},
    {LANG_PORTUGUESE, 1252, ANSI_CHARSET, nullptr, EN},
    {LANG_ROMANIAN, 1251, RUSSIAN_CHARSET, nullptr, EN},
    {LANG_RUSSIAN, 1251, RUSSIAN_CHARSET, nullptr, EN},
    {LANG_CROATIAN, 1250, EASTEUROPE_CHARSET, nullptr, EN},
    {LANG_SLOVAK, 1250, EASTEUROPE_CHARSET, nullptr, SK},
    {LANG_ALBANIAN, 1253, GREEK_CHARSET, nullptr, EN},
    {LANG_SWEDISH, 1257, BALTIC_CHARSET, nullptr, EN},
    {LANG_TURKISH, 1254, TURKISH_CHARSET, nullptr, EN},
};

const char AllFilesPattern[] = "*.*";

int32_t CurrentLanguageIndex = EnglishLanguageIndex;
int32_t DefaultLanguageIndex = EnglishLanguageIndex;
int32_t LanguageId = LANG_ENGLISH;
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
    case 1250: return EASTEUROPE_CHARSET;
    case 1251: return RUSSIAN_CHARSET;
    case 1252: return ANSI_CHARSET;
    case 1253: return GREEK_CHARSET;
    case 1254: return TURKISH_CHARSET;
    case 1256: return ARABIC_CHARSET;
    case 1257: return BALTIC_CHARSET;
    default: return DEFAULT_CHARSET;
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
