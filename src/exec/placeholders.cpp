// The stand-ins of placeholders.def and the sizes they skip.
#include "exec/placeholders.h"
#include "exec/interpreter.h"
#include "base/memory.h"
#include "base/text.h"
#include "exec/value_kinds.h"

// Sizes of the constructs that start with a stand-in, by step index; 0 or
// beyond the array means one step.
static int32_t* PlaceholderSizes;
static int32_t PlaceholderSizesCapacity;

static void SkipPlaceholderOperands() {
  ExecItem* own = ExecPointer - 1;
  ExecPointer = own + PlaceholderStepSize((int32_t)(own - CompiledCode));
}

// The neutral value of the object kinds: the empty value (for a sprite, the
// empty appearance).
template <class T>
static void SetNeutral(T& r) {
  r.Empty();
}

#define PLACEHOLDER_Cmd(name) \
  void name() { SkipPlaceholderOperands(); }
#define PLACEHOLDER_Num(name) \
  double name() {             \
    SkipPlaceholderOperands(); \
    return 0.0;               \
  }
#define PLACEHOLDER_Bool(name) \
  uint8_t name() {             \
    SkipPlaceholderOperands(); \
    return 0;                  \
  }
#define PLACEHOLDER_SLOT(name, type) \
  void name(type& r) {               \
    SkipPlaceholderOperands();       \
    SetNeutral(r);                   \
  }
#define PLACEHOLDER_Text(name) PLACEHOLDER_SLOT(name, Text)
#define PLACEHOLDER_Icon(name) PLACEHOLDER_SLOT(name, Icon)
#define PLACEHOLDER_Picture(name) PLACEHOLDER_SLOT(name, Picture)
#define PLACEHOLDER_Map(name) PLACEHOLDER_SLOT(name, Map)
#define PLACEHOLDER_Sprite(name) PLACEHOLDER_SLOT(name, Sprite)
#define PLACEHOLDER_Sound(name) PLACEHOLDER_SLOT(name, Sound)
#define PLACEHOLDER_Music(name) PLACEHOLDER_SLOT(name, Music)

#define PLACEHOLDER_EXEC(name, kind) PLACEHOLDER_##kind(name)
#include "exec/placeholders.def"
#undef PLACEHOLDER_EXEC

const ExecFunctionName PlaceholderFunctions[] = {
#define PLACEHOLDER_EXEC(name, kind) {EXEC_FN(kind, name), #name},
#include "exec/placeholders.def"
#undef PLACEHOLDER_EXEC
    {nullptr, nullptr},
};
const int32_t PlaceholderCount = sizeof PlaceholderFunctions / sizeof PlaceholderFunctions[0] - 1;

bool IsPlaceholder(ExecFunction fn) {
  for (int32_t i = 0; i < PlaceholderCount; i++)
    if (PlaceholderFunctions[i].Fn == fn) return true;
  return false;
}

void NotePlaceholderSize(int32_t index) {
  int32_t size = CompiledCodeCount - index;
  if (size <= 1 || (uint32_t)index >= (uint32_t)CompiledCodeCount ||
      !IsPlaceholder(CompiledCode[index].Exec))
    return;
  if (index >= PlaceholderSizesCapacity) {
    int32_t capacity = CompiledCodeCapacity > index ? CompiledCodeCapacity : index + 1;
    PlaceholderSizes = (int32_t*)MemRealloc(PlaceholderSizes, capacity * (int32_t)sizeof(int32_t));
    for (int32_t i = PlaceholderSizesCapacity; i < capacity; i++) PlaceholderSizes[i] = 0;
    PlaceholderSizesCapacity = capacity;
  }
  PlaceholderSizes[index] = size;
}

void ForgetPlaceholderSizes(int32_t first, int32_t end) {
  if (first < 0) first = 0;
  if (end > PlaceholderSizesCapacity) end = PlaceholderSizesCapacity;
  for (int32_t i = first; i < end; i++) PlaceholderSizes[i] = 0;
}

int32_t PlaceholderStepSize(int32_t index) {
  if (index < 0 || index >= PlaceholderSizesCapacity || PlaceholderSizes[index] <= 0) return 1;
  return PlaceholderSizes[index];
}
