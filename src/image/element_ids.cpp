// Element names to ids and back, from the list of elements.
#include "image/element_ids.h"
#include <string.h>

// A switch, so that an id listed twice does not compile.
const char* ElementNameOfId(int32_t id) {
  switch (id) {
#define ELEMENT(id, identifier, name) \
  case id: return name;
#include "image/element_list.def"
#undef ELEMENT
  }
  return nullptr;
}

int32_t ElementIdOfName(const char* name) {
  static const struct {
    const char* Name;
    int32_t Id;
  } names[] = {
#define ELEMENT(id, identifier, name) {name, id},
#include "image/element_list.def"
#undef ELEMENT
  };
  for (const auto& n : names)
    if (strcmp(n.Name, name) == 0) return n.Id;
  return -1;
}
