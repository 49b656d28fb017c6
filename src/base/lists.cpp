// Growth of the list shape and the default items of the plain lists.
#include "base/lists.h"

const ListRecord DefaultListRecord = {0, 1, 0, 0};
const uint8_t DefaultLogic = 0;
const double DefaultReal = 0.0;

void ListBase::Grow(int32_t start, int32_t itemSize) {
  Reserve(Capacity == 0 ? start : Capacity * 2, itemSize);
}

void ListBase::Reserve(int32_t capacity, int32_t itemSize) {
  Items = MemRealloc(Items, capacity * itemSize);
  Capacity = capacity;
}
