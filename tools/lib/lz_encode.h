// LZ77 packer writing the stream that DecompressResource unpacks.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

// Packs size bytes with lazy matching (distances 1..8191, lengths 2..279)
// and ends the stream with the end code.
std::vector<uint8_t> CompressResource(const uint8_t* input, size_t size);
