// Names of the language elements and their ids, for the program assembler:
// the identifiers programs use, and the import names written into images.
#pragma once
#include <stdint.h>
#include <string>

// The id of a named element, -1 when the name is unknown.
int32_t ElementIdOfName(const std::string& name);
// The name of an element id; empty when the element has no name here.
std::string ElementNameOfId(int32_t id);
