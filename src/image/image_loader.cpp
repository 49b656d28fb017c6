// The image loader: checks the image, then fills the value lists in table
// order and prepares the item tables, as later steps read earlier ones.
#include "image/image_loader.h"
#include <string.h>
#include "base/memory.h"
#include "base/value_lists.h"
#include "image/image_check.h"
#include "image/image_format.h"
#include "image/image_media.h"
#include "image/image_texts.h"
#include "image/item_links.h"
#include "base/process.h"
#include "values/icon.h"
#include "values/map.h"
#include "values/music.h"
#include "values/picture.h"
#include "values/sound.h"
#include "values/sprite.h"

static const ImageHeader* Header() {
  return reinterpret_cast<const ImageHeader*>(ProgramImage);
}

const uint8_t* GetImageTable(int32_t k) {
  const ImageHeader* h = Header();
  const uint8_t* p = ProgramImage + h->HeaderSize;
  for (int32_t i = 0; i < k; i++) p += h->Directory[i].ByteSize;
  return p;
}

uint32_t GetImageTableCount(int32_t k) {
  return Header()->Directory[k].Count;
}

static void LoadNumbers() {
  const uint8_t* p = GetImageTable(TableReal);
  for (uint32_t k = 0; k < GetImageTableCount(TableReal); k++, p += 8) {
    double v;
    memcpy(&v, p, 8);
    Numbers.Append(v);
  }
}

static void LoadLogics() {
  const uint8_t* p = GetImageTable(TableBool);
  for (uint32_t k = 0; k < GetImageTableCount(TableBool); k++) Logics.Append(p[k] != 0 ? 1 : 0);
}

// Points the table's globals at its items and at room for their links.
static void PointItems(int32_t table, const ProgramItem*& items, int32_t& count, ItemLinks*& links) {
  count = (int32_t)GetImageTableCount(table);
  links = (ItemLinks*)MemAlloc(count * (int32_t)sizeof(ItemLinks));
  items = reinterpret_cast<const ProgramItem*>(GetImageTable(table));
}

void LoadProgramImage() {
  if (CheckProgramImage(ProgramImage, (uint32_t)ProgramImageSize).Fault != ImageGood)
    ExitRuntime(ExitBadImage);
  LoadNumbers();
  LoadImageTexts(GetImageTable(TableText), (int32_t)GetImageTableCount(TableText),
                 Header()->Directory[TableText].Extra[1]);
  LoadLogics();
  LoadImageMedia();
  PointItems(TableGlobal, GlobalItems, GlobalItemCount, GlobalItemLinks);
  PointItems(TableLocal, LocalItems, LocalItemCount, LocalItemLinks);
  PointItems(TableProgram, ProgramItems, ProgramItemCount, ProgramItemLinks);
  LinkItemTables();
}

void ResetProgramImage() {
  Numbers.RemoveAll();
  Texts.RemoveAll();
  Logics.RemoveAll();
  ListRecords.RemoveAll();
  Icons.RemoveAll();
  Maps.RemoveAll();
  Pictures.RemoveAll();
  Sprites.RemoveAll();
  Sounds.RemoveAll();
  Musics.RemoveAll();
  GlobalItems = LocalItems = ProgramItems = nullptr;
  GlobalItemLinks = LocalItemLinks = ProgramItemLinks = nullptr;
  GlobalItemCount = LocalItemCount = ProgramItemCount = 0;
}
