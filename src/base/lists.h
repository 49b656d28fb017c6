// Growable lists: the ListBase shape, one template for every item kind, and
// the lists of integers, logic values, reals, list records and texts.
#pragma once
#include <stdint.h>
#include <string.h>
#include <new>
#include <type_traits>
#include "base/memory.h"
#include "base/text.h"

// Items, count in use and capacity; a zeroed ListBase is an empty list.
struct ListBase {
  void* Items;
  int32_t Count;
  int32_t Capacity;

  ListBase() { Init(); }
  void Init() {
    Items = nullptr;
    Count = 0;
    Capacity = 0;
  }
  void Grow(int32_t start, int32_t itemSize);  // double, or start when 0
  void Grow4() { Grow(1024, 4); }
  void Reserve(int32_t capacity, int32_t itemSize);
};

// The state of one list of variables of a program.
struct ListRecord {
  int32_t Index;  // current element, 0 to Size - 1
  int32_t Size;   // 1 to 1048576
  int32_t Auto;   // added to Index after every element access
  int32_t Reserved;
};

extern const ListRecord DefaultListRecord;  // {0, 1, 0, 0}
extern const uint8_t DefaultLogic;
extern const double DefaultReal;

// The item that reads and copies from outside a list give; a kind without one
// (integers) has no copy operations.
template <class T>
const T& ListDefault();
template <>
inline const uint8_t& ListDefault<uint8_t>() { return DefaultLogic; }
template <>
inline const double& ListDefault<double>() { return DefaultReal; }
template <>
inline const ListRecord& ListDefault<ListRecord>() { return DefaultListRecord; }
template <>
inline const Text& ListDefault<Text>() { return EmptyText; }

// Items are made by T's copy constructor and ended by its destructor, so text
// items share records and release them; plain items are just copied.
// StartCapacity is the first capacity an append allocates; SizeUnit sets the
// capacity that SetSize and Insert allocate: (n + 2 units) rounded down to a unit.
// Indexes are compared unsigned with Count, so a negative one is outside.
template <class T, int32_t StartCapacity, int32_t SizeUnit>
class ItemList : public ListBase {
 public:
  ItemList() {}
  ~ItemList() { RemoveAll(); }

  T* ItemArray() const { return static_cast<T*>(Items); }
  T& operator[](int32_t i) const { return ItemArray()[i]; }
  bool Inside(int32_t i) const { return static_cast<uint32_t>(i) < static_cast<uint32_t>(Count); }

  void Grow() { ListBase::Grow(StartCapacity, sizeof(T)); }

  // Items beyond the old count are not set.
  void SetSize(int32_t n) {
    if (n > Capacity) Reserve((n + 2 * SizeUnit) / SizeUnit * SizeUnit, sizeof(T));
    Count = n;
  }

  void Fill(T v) {
    for (int32_t i = 0; i < Count; i++) ItemArray()[i] = v;
  }

  const T& Get(int32_t i) const { return Inside(i) ? ItemArray()[i] : ListDefault<T>(); }

  // Get by value, for small entries on hot paths: the entry is read straight
  // from the array, with the default on a branch of its own.
  T At(int32_t i) const {
    if (__builtin_expect(Inside(i), 1)) return ItemArray()[i];
    return ListDefault<T>();
  }

  void Set(int32_t i, const T& v) {
    if (Inside(i)) ItemArray()[i] = v;
  }

  int32_t Append(const T& v) {
    if (Count >= Capacity) {
      // v may be an item of this list: keep it across the reallocation.
      T kept(v);
      Grow();
      new (ItemArray() + Count) T(kept);
    } else {
      new (ItemArray() + Count) T(v);
    }
    return Count++;
  }

  int32_t AppendNew() { return Append(ListDefault<T>()); }

  int32_t AppendCopy(int32_t i) { return Append(Get(i)); }

  // n copies of item i (or of the default item), at least one.
  int32_t AppendCopies(int32_t i, int32_t n) {
    T v(Get(i));
    int32_t first = Append(v);
    for (int32_t k = 1; k < n; k++) Append(v);
    return first;
  }

  // i clamped to 0..Count; grows by the SetSize rule.
  void Insert(int32_t i, T v) {
    int32_t old = Count;
    if (i < 0) i = 0;
    if (i > old) i = old;
    SetSize(old + 1);
    memmove(ItemArray() + i + 1, ItemArray() + i, (old - i) * sizeof(T));
    ItemArray()[i] = v;
  }

  void RemoveAt(int32_t i) {
    if (!Inside(i)) return;
    Count--;
    memmove(ItemArray() + i, ItemArray() + i + 1, (Count - i) * sizeof(T));
  }

  // The removed items end from the last one down.
  void RemoveLast(int32_t n) {
    if (n > Count) n = Count;
    if constexpr (std::is_trivially_destructible<T>::value) {
      Count -= n;
    } else {
      while (n-- > 0) ItemArray()[--Count].~T();
    }
  }

  void RemoveAll() {
    RemoveLast(Count);
    MemFree(Items);
    Init();
  }
};

class IntList : public ItemList<int32_t, 1024, 1024> {
 public:
  IntList() {}
  explicit IntList(int32_t n) {
    SetSize(n);
    Fill(-1);
  }
};

class LogicList : public ItemList<uint8_t, 4096, 4096> {
 public:
  LogicList() {}
  explicit LogicList(int32_t n) {
    SetSize(n);
    Fill(0);
  }
};

typedef ItemList<double, 512, 1024> RealList;
typedef ItemList<ListRecord, 256, 1> ListRecordList;  // no SetSize
typedef ItemList<Text, 1024, 1> TextList;              // no SetSize
