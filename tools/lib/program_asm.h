// The program assembler: test programs in a small indented text format
// (described in tools/README.md) turned into program images.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>
#include "lib/image_writer.h"

// Fills writer from the program text; the caller may change it further before
// writer.Write(). On failure error holds "line N: what is wrong".
bool AssembleProgram(const std::string& source, ImageWriter& writer, std::string& error);

// Assembles the program text and writes the image bytes.
bool AssembleImage(const std::string& source, std::vector<uint8_t>& image, std::string& error);

// As AssembleImage, for tests: a program that does not assemble is a test
// failure reported by the caller; the image is then empty.
std::vector<uint8_t> AssembleOrEmpty(const std::string& source, std::string* error = nullptr);
