// The handle model of every media value: one-word handles to reference-counted
// records with copy on write, and the lists that hold handles of one kind.
#pragma once
#include <stdint.h>
#include "base/lists.h"
#include "base/memory.h"

// Records over program-image data start at this count, so their releases never
// reach 0; decompressing such a record subtracts it again.
const int32_t ImageCountBase = 0x40000000;

// Cached knowledge about the pixels of an icon or picture record.
enum ImageState : int32_t {
  Opaque = 0,        // no pixel is 0 or 1
  Masked = 1,        // some pixels are 0 (transparent) or 1 (shadow)
  Invisible = 2,     // every pixel is 0
  Unclassified = 3,  // pixels present, not classified yet
  Compressed = 4,    // Pixels points at the image's u32 count and pixel code
};

// Invisible when no pixel is non-zero, else Masked when any is 0 or 1, else Opaque.
ImageState ClassifyPixels(const uint8_t* pixels, int32_t count);

// New heap pixels decoded from an image record (u32 byte count, then pixel code).
uint8_t* DecodeImagePixels(const uint8_t* record, int32_t length, int32_t width);

// Decodes a Compressed icon or picture record in place: the record takes heap
// pixels, leaves the image range of counts and becomes Unclassified.
template <class R>
void DecompressImageRecord(R* r, int32_t length, int32_t width) {
  if (r->State != Compressed) return;
  r->Pixels = DecodeImagePixels(r->Pixels, length, width);
  r->RefCount -= ImageCountBase;
  r->State = Unclassified;
}

// A record of headerSize bytes followed by `items` items of itemSize bytes,
// the size computed in 64 bits. A size no allocation can give (above 2 GB)
// ends the run as exhausted memory does, so no caller ever sees a record
// shorter than it asked for.
void* AllocRecord(int32_t headerSize, int64_t items, int32_t itemSize);

// The start of a record that holds a grid of items (map cells, sprite pictures).
struct GridRecordHeader {
  int32_t RefCount;
  int32_t Columns;
  int32_t Rows;
};

// AllocRecord for columns x rows items, each size below 1 raised to 1, with
// the count (1) and the sizes stored in the header's first three fields.
void* AllocGridRecord(int32_t headerSize, int32_t columns, int32_t rows, int32_t itemSize);

// The shape shared by every handle kind (Kind derives from ValueHandle<Kind, Record>).
// Record's first field is `int32_t RefCount`. Kind provides, as static members:
//   Record* EmptyRecord()               the kind's shared empty record
//   void FreeRecord(Record*)            free what the record owns, then the record
//   Record* CopyRecord(const Record*)   a private copy, count 1 (only for MakeUnique)
//   const Kind& EmptyValue()            the global empty handle (only for HandleList::Get)
// Each kind frees through its own record fields, so no release code is shared
// across record layouts.
template <class Kind, class Record>
class ValueHandle {
 public:
  typedef Record RecordType;
  Record* Data;  // never null once constructed

  ValueHandle() { InitEmpty(); }
  ValueHandle(const ValueHandle& other) { Attach(other.Data); }
  ~ValueHandle() { ReleaseRecord(Data); }
  ValueHandle& operator=(const ValueHandle& other) {
    Assign(other.Data);
    return *this;
  }

  // Construction into raw storage: share the empty record, or a given one.
  void InitEmpty() { Attach(Kind::EmptyRecord()); }
  void Attach(Record* record) {
    Data = record;
    record->RefCount++;
  }
  Record* Held() const { return Data; }

  // Share `record` and release the old one; taking the new count first makes
  // assigning a handle its own record harmless.
  void Assign(Record* record) {
    Record* old = Data;
    Attach(record);
    ReleaseRecord(old);
  }
  void Empty() { Assign(Kind::EmptyRecord()); }

  bool IsShared() const { return Data->RefCount > 1; }

  // Copy on write: a shared record is copied and the old one loses this
  // handle's unit without being freed; a private record stays.
  void MakeUnique() {
    if (Data->RefCount <= 1) return;
    Record* copy = Kind::CopyRecord(Data);
    Data->RefCount--;
    Data = copy;
  }

  static void ReleaseRecord(Record* record) {
    if (--record->RefCount == 0) Kind::FreeRecord(record);
  }

 protected:
  // Take over `fresh`, a record made with count 1 for this handle.
  explicit ValueHandle(Record* fresh) : Data(fresh) {}

  // Give up the record and hold `fresh` (a record made with count 1) instead.
  void Replace(Record* fresh) {
    ReleaseRecord(Data);
    Data = fresh;
  }
};

// A list of handles of one kind (IconList, MapList, PictureList, SoundList,
// MusicList), or of objects that hold a shared record the same way (sprites).
// H provides RecordType, EmptyRecord(), Attach(record) into raw storage,
// Held() (the record it holds) and a destructor that releases it.
// Appends return the index of the first item appended. Indexes are compared
// unsigned with the count, so a negative one is outside and gives the kind's
// empty value.
template <class H>
class HandleList : public ListBase {
 public:
  typedef typename H::RecordType Record;

  HandleList() {}
  ~HandleList() { RemoveAll(); }

  H* ItemArray() const { return static_cast<H*>(Items); }
  H& operator[](int32_t i) const { return ItemArray()[i]; }
  bool Inside(int32_t i) const { return (uint32_t)i < (uint32_t)Count; }

  // Item i, or the kind's empty value outside the list.
  const H& Get(int32_t i) const { return Inside(i) ? ItemArray()[i] : H::EmptyValue(); }

  // The record item i holds, or the empty record outside the list.
  Record* RecordAt(int32_t i) const { return Inside(i) ? ItemArray()[i].Held() : H::EmptyRecord(); }

  // A new item holding `record` (count + 1).
  int32_t AppendRecord(Record* record) {
    NewSlot()->Attach(record);
    return Count++;
  }
  // The record is taken before the list grows, so `handle` may be an item.
  int32_t Append(const H& handle) { return AppendRecord(handle.Held()); }
  int32_t AppendCopy(int32_t i) { return AppendRecord(RecordAt(i)); }
  // n items (at least one) sharing item i's record as it was before the first.
  int32_t AppendCopies(int32_t i, int32_t n) {
    Record* record = RecordAt(i);
    int32_t first = AppendRecord(record);
    for (int32_t k = 1; k < n; k++) AppendRecord(record);
    return first;
  }

  // The removed items are released from the last one down.
  void RemoveLast(int32_t n) {
    if (n > Count) n = Count;
    while (n-- > 0) ItemArray()[--Count].~H();
  }
  void RemoveAll() {
    RemoveLast(Count);
    MemFree(Items);
    Init();
  }

 protected:
  // Raw storage for one more item; the caller constructs it and counts it.
  // Capacity doubles from 1024 items (handles are one word: ListBase::Grow4).
  H* NewSlot() {
    if (Count == Capacity) Grow(1024, sizeof(H));
    return ItemArray() + Count;
  }
};

// The step and value operation that does nothing (data-file reads and writes of
// icons, pictures, sounds and music).
inline void DoNothing(void*) {}
