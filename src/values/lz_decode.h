// Unpacker of the LZ77 stream that stores the colour cube resource.
#pragma once
#include <stdint.h>

// Length codes and the end code of the stream, shared with the encoder.
const int LzMinLength = 2;
const int LzMaxLength = 279;
const int LzMaxDistance = 8191;
const int LzEscapeLength = 7;   // coded length that announces a length byte
const int LzEscapeBase = 25;    // length byte x stands for x + 25
const uint8_t LzEndCode = 255;  // length byte that ends the stream

// Unpacks input into output and returns the number of bytes written. Stops at
// the end code, when the input runs out, or at a source before the output;
// never reads or writes outside either buffer.
int32_t DecompressResource(uint8_t* output, int32_t outputSize, const uint8_t* input,
                           int32_t inputSize);
