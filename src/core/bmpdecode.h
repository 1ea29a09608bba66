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

// The same in steps, for a reader that puts the file's pixel rows straight
// into the block instead of holding the whole file first.

// The file header, whose last field says where the pixel rows begin: all
// headers and the colour table lie before that offset.
constexpr std::size_t kBmpFileHeaderBytes = 14;
std::uint64_t BmpPixelOffset(const std::uint8_t* fileHeader);

// What the headers promise, checked against the file's length.
struct BmpFileLayout {
    std::int32_t width = 0;
    std::uint64_t rows = 0;
    bool topDown = false;  // the file's first row is the picture's top row
    WORD bitCount = 0;
    LONG xPelsPerMeter = 0;
    LONG yPelsPerMeter = 0;
    std::uint64_t colourOffset = 0;  // from the file's start
    std::uint64_t colourCount = 0;
    std::uint64_t pixelOffset = 0;
    std::uint64_t stride = 0;  // of a row, in the file and in the block
};

// head holds the file's first headBytes bytes (at least up to the pixel
// offset for a file that is a bitmap); fileBytes is the whole file's length.
bool ReadBmpLayout(const std::uint8_t* head, std::uint64_t headBytes, std::uint64_t fileBytes, BmpFileLayout& layout);

// Allocates the packed block for a layout and fills its header and colour
// table from head; bits receives where the rows go. The rows are left to the
// caller: file row r is stored row r, or rows - 1 - r for a top-down file.
BmpDecodeStatus NewBmpBlock(const BmpFileLayout& layout, const std::uint8_t* head, BYTE*& block, BYTE*& bits);
