// Number literals of the item tables and the records of the program's lists,
// with the element storage of global lists.
#include "base/number_text.h"
#include "base/rounding.h"
#include "base/text.h"
#include "base/value_lists.h"
#include "image/item_links.h"
#include "image/variable_lists.h"

const int32_t MaxListSize = 1048576;

double GetNumberLiteral(const ProgramItem* item, const ItemLinks* links) {
  Text text;
  for (int32_t k = 1; k < links->SubtreeSize; k++) {
    const ProgramItem& part = item[k];
    if (IsSwitchedOff(part)) continue;
    int32_t id = part.ElementId;
    if (id >= El::digit_0 && id <= El::digit_9) text.AppendChar((uint8_t)('0' + id - El::digit_0));
    else if (id == El::num_minus) text.AppendChar('-');
    else if (id == El::num_point) text.AppendChar('.');
    else if (id == El::num_exponent) text.AppendChar('E');
  }
  if (text.Length() == 0) text = Texts.Get(item->TextIndex);
  if (text.EqualsChars("-")) text.AssignChars("-1");
  return ParseReal(text.Chars());
}

// The list size a list_size value gives: 1..1048576, rounded half up.
static int32_t ListSizeOfValue(double v) {
  if (!(v >= 1)) v = 1;  // not a number counts as below 1
  if (v > 2147483647.0) v = 2147483647.0;
  int32_t n = (int32_t)(v + 0.5);
  return n > MaxListSize ? MaxListSize : n;
}

// The index a list_index value gives: rounded half away from zero, then taken
// modulo the size into 0..size-1.
static int32_t ListIndexOfValue(double x, int32_t size) {
  int32_t i = TruncToInt(x >= 0 ? x + 0.5 : x - 0.5);  // INT32_MIN outside the range
  int32_t m = i % size;
  return m < 0 ? m + size : m;
}

static int32_t FindListSize(const ProgramItem* items, const ItemLinks* links, int32_t i) {
  for (int32_t k = i + 1; k < i + links[i].SubtreeSize; k++)
    if (items[k].ElementId == El::list_size) return ListSizeOfValue(GetNumberLiteral(&items[k], &links[k]));
  return 1;
}

static void FillListRecord(const ProgramItem* items, ItemLinks* links, int32_t i, int32_t a,
                           bool makeStorage) {
  for (int32_t k = i + 1; k < i + links[i].SubtreeSize; k++) {
    ListRecord& record = ListRecords[a];
    links[k].ListIndex = a;
    int32_t id = items[k].ElementId;
    if (IsVariableKind(id)) {
      if (makeStorage && record.Size >= 2)
        links[k].DataIndex = AppendVariableCopies(id, links[k].DataIndex, record.Size);
    } else if (id == El::list_index) {
      record.Index = ListIndexOfValue(Numbers.Get(links[k].DataIndex), record.Size);
    } else if (id == El::list_auto) {
      record.Auto = RoundToInt(Numbers.Get(links[k].DataIndex));
    }
  }
}

void BuildListRecords(const ProgramItem* items, ItemLinks* links, int32_t count,
                      bool makeStorage) {
  for (int32_t i = 0; i < count; i++) {
    if (items[i].ElementId != El::list || links[i].ListIndex >= 0 || IsSwitchedOff(items[i]))
      continue;
    int32_t a = ListRecords.AppendNew();
    links[i].ListIndex = a;
    ListRecords[a].Size = FindListSize(items, links, i);
    FillListRecord(items, links, i, a, makeStorage);
  }
}
