// The program that the engine carries when it is built: its source in the
// test-program format, and its image.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

extern const char* const BundledProgramSource;

// The exit code the bundled program ends with.
const uint32_t BundledProgramResult = 46;

// The assembled image; false (with error set) when the source does not assemble.
bool BundledImage(std::vector<uint8_t>& image, std::string& error);
