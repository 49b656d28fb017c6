// Rings of recorded key codes and typed characters: 20 entries holding at
// most 19; a write into a full ring drops the oldest entry.
#pragma once
#include <stdint.h>

const int32_t InputRingSize = 20;

struct InputRing {
  int32_t Entries[InputRingSize];
  int32_t WriteIndex;
  int32_t ReadIndex;

  bool IsEmpty() const { return WriteIndex == ReadIndex; }
  void Write(int32_t v);
  // The oldest entry, taken out; 0 when empty.
  int32_t Read();
  // The newest entry; only when not empty.
  int32_t Newest() const;
  // Takes the newest entry back out; only when not empty.
  void DropNewest();
  void Flush() { ReadIndex = WriteIndex; }
};

extern InputRing KeyRing;   // key codes of key presses
extern InputRing CharRing;  // typed characters
