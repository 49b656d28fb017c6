// Tree links of the item tables, the slots of the locals of user functions
// and the storage links of sprite property items.
#include "image/item_links.h"
#include "base/memory.h"
#include "base/value_lists.h"

const ProgramItem* GlobalItems;
int32_t GlobalItemCount;
ItemLinks* GlobalItemLinks;
const ProgramItem* LocalItems;
int32_t LocalItemCount;
ItemLinks* LocalItemLinks;
const ProgramItem* ProgramItems;
int32_t ProgramItemCount;
ItemLinks* ProgramItemLinks;

// The kinds in the order of the slot counters below.
static const int32_t VariableKinds[] = {El::real, El::picture, El::sound, El::music,     El::map,
                                        El::sprite, El::text, El::logic, El::background};
static const int VariableKindCount = sizeof VariableKinds / sizeof VariableKinds[0];

static int KindCounter(int32_t elementId) {
  for (int i = 0; i < VariableKindCount; i++)
    if (VariableKinds[i] == elementId) return i;
  return -1;
}

bool IsVariableKind(int32_t elementId) {
  return KindCounter(elementId) >= 0;
}

void BuildItemLinks(const ProgramItem* items, ItemLinks* links, int32_t count) {
  if (count <= 0) return;
  // Depth d opens at an item with children and can reach count, so each work
  // array needs count + 1 entries (parent[d + 1] is written before d grows).
  int32_t* parent = (int32_t*)MemAlloc((count + 1) * (int32_t)sizeof(int32_t));
  int32_t* opener = (int32_t*)MemAlloc((count + 1) * (int32_t)sizeof(int32_t));
  uint8_t* next = (uint8_t*)MemAlloc(count + 1);
  int32_t d = 0;
  parent[0] = -1;
  for (int32_t k = 0; k < count; k++) {
    links[k] = {parent[d], 1, items[k].DataIndex, -1, -1, -1, -1};
    next[d] = (items[k].Flags & ItemHasNext) != 0;
    if (items[k].Flags & ItemHasChildren) {
      opener[d] = k;
      parent[d + 1] = k;
      d++;
    } else {
      while (!next[d] && d > 0) {
        d--;
        links[opener[d]].SubtreeSize = k - opener[d] + 1;
      }
    }
  }
  MemFree(next);
  MemFree(opener);
  MemFree(parent);
}

static int32_t ListSizeOf(const ItemLinks& links) {
  return links.ListIndex < 0 ? 1 : ListRecords.Get(links.ListIndex).Size;
}

// Slots of one function's locals, counted from the top of its frame: the
// frame is pushed in item order, so the walk runs backwards.
static void NumberFrom(int32_t t, int32_t n) {
  int32_t counters[VariableKindCount] = {0};
  int32_t lists = 0;
  for (int32_t k = t + n - 1; k >= t; k--) {
    const ProgramItem& item = LocalItems[k];
    ItemLinks& links = LocalItemLinks[k];
    if (item.ElementId == El::list) links.LocalListNumber = ++lists;
    if (TakesLocalSlot(item)) {
      int32_t& counter = counters[KindCounter(item.ElementId)];
      counter += ListSizeOf(links);
      links.LocalSlot = counter;
    }
  }
  // Every item inside a list carries the list's number. A list nested inside
  // another belongs to the outer list's record, so it does not restart the
  // numbering of the outer list's remaining items.
  int32_t remaining = 0, current = -1;
  for (int32_t k = t; k < t + n; k++) {
    if (LocalItems[k].ElementId == El::list && remaining == 0) {
      remaining = LocalItemLinks[k].SubtreeSize;
      current = LocalItemLinks[k].LocalListNumber;
    }
    if (remaining > 0) {
      LocalItemLinks[k].LocalListNumber = current;
      remaining--;
    }
  }
}

void AssignLocalSlots() {
  for (int32_t t = 0; t < LocalItemCount; t += LocalItemLinks[t].SubtreeSize)
    NumberFrom(t, LocalItemLinks[t].SubtreeSize);
}

void SpreadSpriteLinks(const ProgramItem* items, ItemLinks* links, int32_t count) {
  int32_t r = -1;
  ItemLinks saved = {};
  for (int32_t k = 0; k < count; k++) {
    if (items[k].ElementId == El::sprite) {
      r = links[k].SubtreeSize - 1;
      saved = links[k];
    }
    if (r >= 0) {
      links[k].DataIndex = saved.DataIndex;
      links[k].ListIndex = saved.ListIndex;
      links[k].LocalSlot = saved.LocalSlot;
      links[k].LocalListNumber = saved.LocalListNumber;
      r--;
    }
  }
}

void LinkItemTables() {
  BuildItemLinks(GlobalItems, GlobalItemLinks, GlobalItemCount);
  BuildListRecords(GlobalItems, GlobalItemLinks, GlobalItemCount, true);
  SpreadSpriteLinks(GlobalItems, GlobalItemLinks, GlobalItemCount);
  BuildItemLinks(LocalItems, LocalItemLinks, LocalItemCount);
  BuildListRecords(LocalItems, LocalItemLinks, LocalItemCount, false);
  AssignLocalSlots();
  SpreadSpriteLinks(LocalItems, LocalItemLinks, LocalItemCount);
  BuildItemLinks(ProgramItems, ProgramItemLinks, ProgramItemCount);
}
