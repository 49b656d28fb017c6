// The global list of each kind of variable, addressed by the kind's element id.
#include "image/variable_lists.h"
#include "base/value_lists.h"
#include "image/image_format.h"

int32_t AppendVariableCopies(int32_t elementId, int32_t index, int32_t n) {
  switch (elementId) {
    case ElementReal: return Numbers.AppendCopies(index, n);
    case ElementText: return Texts.AppendCopies(index, n);
    case ElementLogic: return Logics.AppendCopies(index, n);
    default: return -1;
  }
}
