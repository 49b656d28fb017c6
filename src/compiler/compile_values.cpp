// What the compiler reads from the loaded program: the declaration tables,
// the counts of the value lists, list sizes and the colours of item icons.
#include "compiler/compile_items.h"
#include "compiler/compile_refs.h"
#include "base/value_lists.h"
#include "values/palette.h"

ItemTable GlobalTable() { return {GlobalItems, GlobalItemLinks, GlobalItemCount}; }
ItemTable LocalTable() { return {LocalItems, LocalItemLinks, LocalItemCount}; }

int32_t ValueListCount(ValueKind kind) {
  switch (kind) {
    case KindNum: return Numbers.Count;
    case KindBool: return Logics.Count;
    case KindText: return Texts.Count;
    default: return 0;  // MEDIA: the media lists are not in the engine yet
  }
}

int32_t ListRecordCount() { return ListRecords.Count; }

int32_t ListRecordSize(int32_t listIndex) { return ListRecords.Get(listIndex).Size; }

// Palette index 212 (white) stands for an icon outside Icons.
const int32_t ColorWhiteIndex = 212;

double IconColorOf(int32_t index) {
  // MEDIA: the icon's own pixel once icons are in the engine.
  return PaletteColors[ColorWhiteIndex];
}
