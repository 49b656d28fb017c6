// Texts of the program image in the current language: one cursor per language
// row, the reader with its fallback order and stamps, loading them into Texts,
// and the language switch that re-reads them all.
#pragma once
#include <stdint.h>
#include "base/text.h"
#include "base/language.h"

// The next unread text (its u32 length word) of each row's block; null for a
// row whose language has no block.
extern const uint8_t* LanguageTextCursors[LanguageCount];
// The stamp the next text read receives.
extern int32_t NextImageTextIndex;
// Texts per block of the image's TEXT table.
extern int32_t ImageTextCount;

// The next TEXT entry in the current language (or the first language in the
// fallback order that has it), stamped with its entry number; every cursor
// moves on by one text.
Text ReadNextImageText();

// The loader's text step: each block's first text into the row of its
// language (the later of two blocks of one language wins), then every TEXT
// entry read into Texts, so Texts[k] carries stamp k. `table` is the TEXT
// table, checked to hold `blocks` blocks of `count` texts.
void LoadImageTexts(const uint8_t* table, int32_t count, uint32_t blocks);

// Hand-offs to the main window for the language switch: called once per TEXT
// entry with its stamp and its text in the new language; the main window
// replaces its caption or status text when that carries the stamp. Null until
// the main window sets them.
typedef void (*StampedTextHandOff)(int32_t stamp, const Text& text);
extern StampedTextHandOff CaptionHandOff;
extern StampedTextHandOff StatusTextHandOff;

// The language switch: the first row with that language id becomes current
// (the start-up row when none has it), its keyboard layout is loaded, and
// every stamped entry of Texts takes its text in the new language.
void SwitchLanguage(int32_t id);
