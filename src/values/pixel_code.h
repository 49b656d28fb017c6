// Pixel code: the compressed form of icon, picture and sprite pixels, a bit-flag
// stream of literal bytes and short copies of the previous, two-back and above bytes.
#pragma once
#include <stdint.h>

// What one call of DecompressPixels did.
struct PixelDecodeResult {
  int32_t Read;     // input bytes consumed (flag words and literals)
  int32_t Written;  // output bytes decoded; below the length when the stream broke off
};

// The most bytes CompressPixels writes for `length` input bytes (0 when length < 1).
// Literals cost 9 bits each and every other code at most 6 bits per byte, so the worst
// stream is all literals, or all literals but one 6-bit code when that pushes the flag
// bits into one more word. Never more than length * 9 / 8 + 2.
int64_t CompressedPixelBound(int32_t length);

// Encodes `length` bytes of rows `width` bytes long into output, which must hold
// CompressedPixelBound(length) bytes; returns the bytes written (0 when length < 1).
// A width of 1 or less, or larger than length, makes the whole buffer one row.
// Deterministic: equal input gives byte-identical streams.
int32_t CompressPixels(uint8_t* output, const uint8_t* input, int32_t length, int32_t width);

// Decodes the stream of `inputSize` bytes at input into `length` bytes of rows `width`
// bytes long (the same width rule as CompressPixels). Never reads past the input nor
// writes past the output. Decoding stops early at the end of the input, at a code that
// would copy from before the first output byte, or at a code cut off by the end of the
// input; a run longer than the space left is cut at `length`. The output bytes after the
// last decoded one are set to 0, so a damaged stream gives a partly filled, zero-padded
// image. For a stream from CompressPixels with the same length and width, Written is
// `length` and Read is exactly the number of bytes CompressPixels returned.
PixelDecodeResult DecompressPixels(uint8_t* output, int32_t length, int32_t width,
                                   const uint8_t* input, int32_t inputSize);
