// Reading the image's texts by language, with the fallback order, the stamps
// and the transform of "REL" images, and the language switch.
#include "image/image_texts.h"
#include <string.h>
#include "base/value_lists.h"
#include "image/image_format.h"
#include "base/process.h"

const uint8_t* LanguageTextCursors[LanguageCount];
int32_t NextImageTextIndex;
int32_t ImageTextCount;
StampedTextHandOff CaptionHandOff;
StampedTextHandOff StatusTextHandOff;

static uint32_t TextLengthAt(const uint8_t* cursor) {
  uint32_t n;
  memcpy(&n, cursor, 4);
  return n;
}

// The row's cursor when it points at a text that is given (length above 0).
static const uint8_t* GivenText(int32_t row) {
  const uint8_t* c = LanguageTextCursors[row];
  return c && TextLengthAt(c) != 0 ? c : nullptr;
}

// Current language, its fallback, English, then the first row that has it.
static const uint8_t* ChooseTextSource() {
  const int32_t preferred[] = {CurrentLanguageIndex, FallbackLanguageIndex, EnglishLanguageIndex};
  for (int32_t row : preferred)
    if (const uint8_t* c = GivenText(row)) return c;
  for (int32_t row = 0; row < LanguageCount; row++)
    if (const uint8_t* c = GivenText(row)) return c;
  return nullptr;
}

// Texts of a "REL" image are stored as TextTransformConstant - b (0xA5,
// image_format.h, where the image writer takes it from as well).
Text ReadNextImageText() {
  const uint8_t* source = ChooseTextSource();
  // A record of its own in every case, so the stamp never lands on the
  // shared empty text; the transform works on that private record.
  int32_t n = source ? (int32_t)TextLengthAt(source) : 0;
  Text t;
  t.AssignBytes(source ? source + 4 : (const uint8_t*)"", n);
  if (ImageTextsTransformed) {
    uint8_t* b = t.Bytes();
    for (int32_t i = 0; i < n; i++) b[i] = (uint8_t)(TextTransformConstant - b[i]);
  }
  for (const uint8_t*& c : LanguageTextCursors)
    if (c) c += 4 + TextLengthAt(c);
  t.Data->ImageTextIndex = NextImageTextIndex++;
  return t;
}

static void RestartTextCursors() {
  for (int32_t row = 0; row < LanguageCount; row++)
    LanguageTextCursors[row] = LanguageTable[row].TextBlock;
  NextImageTextIndex = 0;
}

void LoadImageTexts(const uint8_t* table, int32_t count, uint32_t blocks) {
  ImageTextCount = count;
  for (LanguageRow& row : LanguageTable) row.TextBlock = nullptr;
  const uint8_t* p = table;
  for (uint32_t b = 0; b < blocks; b++) {
    uint32_t languageId;
    memcpy(&languageId, p, 4);
    p += TextBlockHeaderSize;
    int32_t row = FindLanguageRow((int32_t)languageId);
    if (row >= 0) LanguageTable[row].TextBlock = p;
    for (int32_t k = 0; k < count; k++) p += 4 + TextLengthAt(p);
  }
  RestartTextCursors();
  for (int32_t k = 0; k < count; k++) Texts.Append(ReadNextImageText());
}

void SwitchLanguage(int32_t id) {
  int32_t row = FindLanguageRow(id);
  SetLanguage(row >= 0 ? row : DefaultLanguageIndex);
  LoadLanguageKeyboardLayout();
  RestartTextCursors();
  for (int32_t k = 0; k < ImageTextCount; k++) {
    Text t = ReadNextImageText();
    for (int32_t j = Texts.Count - 1; j >= 0; j--)
      if (Texts[j].Data->ImageTextIndex == k) Texts.Set(j, t);
    if (CaptionHandOff) CaptionHandOff(k, t);
    if (StatusTextHandOff) StatusTextHandOff(k, t);
  }
}
