// Zeroed raw storage for a global object that start-up constructs with an
// explicit Init call, so no static constructor or exit-time destructor runs.
#pragma once
#include <stdint.h>

template <class T>
struct alignas(T) GlobalStorage {
  uint8_t Bytes[sizeof(T)];
};

// Declares storage S and the global reference Name to the object in it.
#define GLOBAL_OBJECT(Type, Name) \
  static GlobalStorage<Type> Name##Storage; \
  Type& Name = reinterpret_cast<Type&>(Name##Storage)
