// Element ids by name: El::sqrt is the id of the element "sqrt". The ids and
// names come from element_list.def; the lookups between the two serve the
// assembler and the tests.
#pragma once
#include <stdint.h>

namespace El {
enum Id : int32_t {
#define ELEMENT(id, identifier, name) identifier = id,
#include "image/element_list.def"
#undef ELEMENT
};
}  // namespace El

// The name of element id; null for an id the list lacks.
const char* ElementNameOfId(int32_t id);
// The id of the element named name; -1 for a name the list lacks.
int32_t ElementIdOfName(const char* name);
