// Turns the bytes of a .bmp file into the packed block the program holds:
// a 40-byte header, for 8-bit a full 256-entry colour table, then the pixel
// rows bottom-up with 4-byte-aligned length. Every other part of the program
// (tile cutting, drawing, the map file) relies on exactly that layout, so all
// the variety of real files is absorbed here and nowhere else.
#pragma once

#include "wintypes.h"

#include <cstddef>
#include <cstdint>

enum class BmpDecodeStatus {
    Ok,
    NotBitmap,  // malformed, truncated or a kind of bitmap the program does not read
    NoMemory,   // well formed but too large to hold
};

// On Ok, block receives a new[]-allocated packed block owned by the caller;
// otherwise it is null.
BmpDecodeStatus DecodeBmp(const std::uint8_t* data, std::size_t size, BYTE*& block);

// The largest picture held, in pixels: its screen form takes 4 bytes per
// pixel, and all offsets into the block then stay within int.
constexpr std::uint64_t kMaxBitmapPixels = std::uint64_t(1) << 28;
