// Binding a program image into a copy of the engine: a new last section
// ".yltprg" holding the image, and the engine's two location words patched.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

// The 16-byte marker that precedes the engine's two location words.
extern const char ImageLocationMarker[16];

// sizeWord, when not null, overrides the size written into the second word.
bool BindImage(const std::vector<uint8_t>& engine, const std::vector<uint8_t>& image,
               std::vector<uint8_t>& out, std::string& error,
               const uint32_t* sizeWord = nullptr);
