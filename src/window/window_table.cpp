// The window table: growth by 40 entries, the free list kept in the entries'
// first word, and the release of what an entry owns.
#include "window/window_table.h"
#include <string.h>
#include "base/global_storage.h"
#include "window/font_cache.h"
#include "window/main_window.h"

GLOBAL_OBJECT(WindowTable, Windows);

void InitWindows() { Windows.Init(); }

void WindowTable::Init() {
  Items = nullptr;
  Used = nullptr;
  Count = 0;
  Capacity = 0;
  FreeHead = -1;
}

void WindowTable::Destroy() {
  for (int32_t i = Capacity - 1; i >= 0; i--) FreeItem(i);
  MemFree(Items);
  MemFree(Used);
  Init();
}

// Called only on an empty free list: the 40 new entries, chained in
// ascending order, become the whole free list.
int32_t WindowTable::NextFree(int32_t i) const {
  int32_t next;
  memcpy(&next, &Items[i].Handle, sizeof next);
  return next;
}

void WindowTable::SetNextFree(int32_t i, int32_t next) { memcpy(&Items[i].Handle, &next, sizeof next); }

void WindowTable::Grow() {
  int32_t c = Capacity;
  Items = (WindowItem*)MemRealloc(Items, (c + WindowTableGrowth) * (int32_t)sizeof(WindowItem));
  Used = (uint8_t*)MemRealloc(Used, c + WindowTableGrowth);
  memset(Used + c, 0, WindowTableGrowth);
  Capacity = c + WindowTableGrowth;
  for (int32_t k = 0; k < WindowTableGrowth - 1; k++) SetNextFree(c + k, c + k + 1);
  SetNextFree(c + WindowTableGrowth - 1, FreeHead);
  FreeHead = c;
}

int32_t WindowTable::NewItem() {
  if (FreeHead < 0) Grow();
  int32_t i = FreeHead;
  FreeHead = NextFree(i);
  Used[i] = 1;
  WindowItem& item = Items[i];
  memset((void*)&item, 0, sizeof item);
  item.Text.InitEmpty();
  item.Icon.InitEmpty();
  item.Picture.InitEmpty();
  item.Prev = item.Next = i;
  Count++;
  return i;
}

void WindowTable::FreeItem(int32_t i) {
  if (!IsLive(i)) return;
  WindowItem& item = Items[i];
  item.Text.~Text();
  item.Icon.~Icon();
  item.Picture.~Picture();
  MemFree(item.PaddedPixels);
  if (item.BackBrush && item.BackBrush != ButtonFaceBrush && item.BackBrush != EditBackBrush)
    DeleteObject(item.BackBrush);
  if (item.Font) ReleaseCachedFont(item.Font);
  SetNextFree(i, FreeHead);
  FreeHead = i;
  Used[i] = 0;
  Count--;
}
