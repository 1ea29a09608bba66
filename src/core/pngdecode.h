// Turns the bytes of a .png file into the packed block that a .bmp gives
// (bmpdecode.h), so that everything after loading (the bitmap pane, tile
// cutting, the colour table and bit count a map file saves) treats both
// alike:
//   - indexed pictures (1, 2, 4 or 8 bits) become 8-bit with their palette,
//     padded to 256 entries with black;
//   - grey pictures (any depth, with or without alpha) become 8-bit with a
//     grey palette (entry i is i, i, i);
//   - truecolour pictures (8 or 16 bits a channel) become 24-bit.
// 16-bit samples are scaled to 8 bits with rounding. A map file has no
// transparency, so transparent and partly transparent pixels (alpha
// channels, tRNS colour keys and palette alphas) are composited over black.
// Gamma, colour profiles and the other ancillary chunks are not applied.
#pragma once

#include "bmpdecode.h"

#include <cstddef>
#include <cstdint>

// True when the bytes begin with the 8-byte PNG signature.
bool HasPngSignature(const std::uint8_t* data, std::size_t size);

// Decodes a whole PNG file (the same statuses as DecodeBmp: a damaged,
// truncated or otherwise unreadable file is NotBitmap). On Ok, block
// receives a new[]-allocated packed block owned by the caller, and
// transparencyFlattened tells whether any pixel was less than opaque.
BmpDecodeStatus DecodePng(const std::uint8_t* data, std::size_t size, BYTE*& block, bool& transparencyFlattened);
