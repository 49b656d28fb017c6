// What the compiler reads from the loaded program: the declaration tables,
// the counts of the value lists, list sizes and the colours of item icons.
#include "compiler/compile_items.h"
#include "compiler/compile_refs.h"
#include "base/value_lists.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/music.h"
#include "values/palette.h"
#include "values/picture.h"
#include "values/sound.h"
#include "values/sprite.h"

ItemTable GlobalTable() { return {GlobalItems, GlobalItemLinks, GlobalItemCount}; }
ItemTable LocalTable() { return {LocalItems, LocalItemLinks, LocalItemCount}; }

int32_t ValueListCount(ValueKind kind) {
  switch (kind) {
    case KindNum: return Numbers.Count;
    case KindBool: return Logics.Count;
    case KindText: return Texts.Count;
    case KindIcon: return Icons.Count;
    case KindPicture: return Pictures.Count;
    case KindMap: return Maps.Count;
    case KindSprite: return Sprites.Count;
    case KindSound: return Sounds.Count;
    case KindMusic: return Musics.Count;
    default: return 0;
  }
}

int32_t ListRecordCount() { return ListRecords.Count; }

int32_t ListRecordSize(int32_t listIndex) { return ListRecords.Get(listIndex).Size; }

// Palette index 212 (white) stands for an icon outside Icons.
const int32_t ColorWhiteIndex = 212;
// Column 16 of row 16 from the bottom: the pixel an icon's colour is read at.
const int32_t IconColorPixel = 16 * IconSide + 16;

// The icon is decompressed in its shared record and stays so.
double IconColorOf(int32_t index) {
  int32_t icon = ProgItem(index).IconIndex;
  int32_t palette = Icons.Inside(icon) ? Icons[icon].Pixels()[IconColorPixel] : ColorWhiteIndex;
  return PaletteColors[palette];
}
