// File aliases: display names of files by language, kept in "ALIASES.INI"
// beside the files they name.
#pragma once
#include <stdint.h>
#include "base/text.h"

extern Text& AliasIniPath;  // the "ALIASES.INI" of the file in question, made absolute
extern Text& AliasKey;      // the file's name with its extension
extern Text& AliasSection;  // "LANGID " and a language id

void InitAliasTexts();

void SetAliasPaths(Text name);
void SetAliasSection(int32_t row);
// The alias in the language of row; false, and result unchanged, when none.
bool ReadAlias(Text& result, int32_t row);
