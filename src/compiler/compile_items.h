// How the compiler walks the item tables: bounds, switched-off items,
// children and siblings by subtree size, and the counts of the value lists.
#pragma once
#include <stdint.h>
#include "image/image_format.h"
#include "image/item_links.h"
#include "compiler/element_table.h"

inline bool ProgramIndexValid(int32_t index) {
  return (uint32_t)index < (uint32_t)ProgramItemCount;
}
inline const ProgramItem& ProgItem(int32_t index) { return ProgramItems[index]; }
inline const ItemLinks& ProgLinks(int32_t index) { return ProgramItemLinks[index]; }

// Children by subtree size, so a walk never leaves the item's subtree.
inline bool ProgHasChildren(int32_t index) { return ProgLinks(index).SubtreeSize > 1; }
inline int32_t ProgFirstChild(int32_t index) { return ProgHasChildren(index) ? index + 1 : -1; }
// The next sibling of child k inside parent's subtree, or -1.
inline int32_t ProgNextChild(int32_t parent, int32_t k) {
  int32_t next = k + ProgLinks(k).SubtreeSize;
  return next < parent + ProgLinks(parent).SubtreeSize ? next : -1;
}

// Items of an item list given by pointers (GLOBAL, LOCAL, PROGRAM).
struct ItemTable {
  const ProgramItem* Items;
  ItemLinks* Links;
  int32_t Count;
};
ItemTable GlobalTable();
ItemTable LocalTable();

// The count of the global value list of a kind, and of ListRecords.
int32_t ValueListCount(ValueKind kind);
int32_t ListRecordCount();
// The Size of a list record (1 for an index outside ListRecords).
int32_t ListRecordSize(int32_t listIndex);
