// The language table, the current language's globals, language selection and
// the font charset of a code page.
#pragma once
#include <stdint.h>

struct LanguageRow {
  int32_t LanguageId;  // Windows primary language id
  int32_t CodePage;    // ANSI code page of the language's texts
  int32_t Charset;     // font charset
  const uint8_t* TextBlock;  // this language's text block in the image, set by the loader
  const char* CancelText;
  const char* AllFilesText;
  const char* MemoryErrorCaption;
  const char* MemoryErrorText;
};

const int LanguageCount = 23;
const int EnglishLanguageIndex = 5;

extern LanguageRow LanguageTable[LanguageCount];
// The pattern of every file: the file dialogs' AllFilesText filter, and a
// file list asked for without a pattern.
extern const char AllFilesPattern[];

extern int32_t CurrentLanguageIndex;
extern int32_t DefaultLanguageIndex;
extern int32_t LanguageId;
extern int32_t LanguageCodePage;
extern int32_t LanguageCharset;
extern uint8_t DecimalSeparator;
extern int32_t FallbackLanguageIndex;

// Replaceable keyboard-layout loader (Wine accepts any layout name).
typedef void* (__stdcall* KeyboardLayoutLoader)(const char* name, unsigned flags);
extern KeyboardLayoutLoader LoadKeyboardLayoutCall;

void SetLanguage(int32_t i);
// The font charset of an ANSI code page (1, the default charset, for others).
int32_t CharsetOfCodePage(uint32_t codePage);
int32_t FindLanguageRow(int32_t id);   // first row with the id, -1 when none
int32_t ReadRegistryLanguage();        // the "Language" word, 0 when absent
// The id start-up looks for: the registry word, else the primary language.
int32_t StartupLanguageId(int32_t registryWord, int32_t userDefaultLangId);
void ChooseStartupLanguage();
void LoadLanguageKeyboardLayout();
