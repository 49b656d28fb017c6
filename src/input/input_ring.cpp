// The key and character rings.
#include "input/input_ring.h"

InputRing KeyRing;
InputRing CharRing;

static int32_t NextIndex(int32_t i) { return i + 1 == InputRingSize ? 0 : i + 1; }
static int32_t PreviousIndex(int32_t i) { return i == 0 ? InputRingSize - 1 : i - 1; }

void InputRing::Write(int32_t v) {
  Entries[WriteIndex] = v;
  WriteIndex = NextIndex(WriteIndex);
  if (WriteIndex == ReadIndex) ReadIndex = NextIndex(ReadIndex);
}

int32_t InputRing::Read() {
  if (IsEmpty()) return 0;
  int32_t v = Entries[ReadIndex];
  ReadIndex = NextIndex(ReadIndex);
  return v;
}

int32_t InputRing::Newest() const { return Entries[PreviousIndex(WriteIndex)]; }

void InputRing::DropNewest() { WriteIndex = PreviousIndex(WriteIndex); }
