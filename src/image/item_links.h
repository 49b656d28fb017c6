// The three item tables of the program image, the links built beside each
// (parent, subtree size, storage of declared variables), and the routines that
// build them: tree links, number literals, list records, local slots and the
// storage links of sprite property items.
#pragma once
#include <stdint.h>
#include "image/image_format.h"

// One per item, same index, in an array parallel to the table.
struct ItemLinks {
  int32_t Parent;           // -1 for a top-level item
  int32_t SubtreeSize;      // the item and all its descendants, at least 1
  int32_t DataIndex;        // a variable's entry in its kind's global list
  int32_t ListIndex;        // its list's record in ListRecords, -1 when none
  int32_t LocalSlot;        // a local's slot from the top of its kind's frame, -1 when none
  int32_t LocalListNumber;  // a local list's number from the top of the list records
  int32_t CodeStart;        // a top-level PROGRAM item's compiled body, set by the compiler
};

// The items point into the image; the links are allocated by the loader.
extern const ProgramItem* GlobalItems;
extern int32_t GlobalItemCount;
extern ItemLinks* GlobalItemLinks;
extern const ProgramItem* LocalItems;
extern int32_t LocalItemCount;
extern ItemLinks* LocalItemLinks;
extern const ProgramItem* ProgramItems;
extern int32_t ProgramItemCount;
extern ItemLinks* ProgramItemLinks;

inline bool IsSwitchedOff(const ProgramItem& item) {
  return (item.Flags & ItemSwitchedOff) != 0;
}

// The nine kinds of variables: number, icon, sound, music, map, sprite, text,
// logic and picture.
bool IsVariableKind(int32_t elementId);

// Whether a LOCAL item is a variable of the function's frame: the one test
// that both slot numbering and the push group of a call use, so every local
// pushed has a slot and none is read one entry off. A local without an initial
// value (DataIndex -1) is pushed with its kind's default, so it counts too.
inline bool TakesLocalSlot(const ProgramItem& item) {
  return IsVariableKind(item.ElementId);
}

// Parent, SubtreeSize and DataIndex from the flags; the other links -1.
// Nothing for count <= 0.
void BuildItemLinks(const ProgramItem* items, ItemLinks* links, int32_t count);

// The value of a number literal: its digit, sign, point and exponent
// descendants, else its own text.
double GetNumberLiteral(const ProgramItem* item, const ItemLinks* links);

// A ListRecord for each list of the table; makeStorage (GLOBAL) also gives
// each variable of a list of Size >= 2 Size fresh copies in its kind's list.
void BuildListRecords(const ProgramItem* items, ItemLinks* links, int32_t count,
                      bool makeStorage);

// LocalSlot and LocalListNumber of every local of the LOCAL table.
void AssignLocalSlots();

// The property items below each sprite declaration take the sprite's own
// storage links.
void SpreadSpriteLinks(const ProgramItem* items, ItemLinks* links, int32_t count);

// Builds the links of the three tables, whose globals already point at their
// items and at room for their links, in the order later steps read them:
// GLOBAL's tree links, list records with the storage of global lists and
// sprite property links; LOCAL's tree links, list records, local slots and
// sprite property links; then PROGRAM's tree links.
void LinkItemTables();
