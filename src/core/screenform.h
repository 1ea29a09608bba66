// The pixel layout the screen draws fastest: top-down rows of 0xFFRRGGBB
// words, one per pixel, no padding. A tile converts its packed rows into it
// once, on first use, so drawing never converts; the source bitmap, far
// larger than what one pane shows, converts only the part being drawn.
#pragma once

#include "wintypes.h"

#include <cstddef>
#include <cstdint>

// Bytes of one packed row: whole pixels rounded up to a multiple of 4 bytes.
constexpr std::int64_t PackedStride(std::int64_t width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

// Bytes between the 40-byte header and the pixel rows of a packed block:
// a full 256-entry colour table for 8-bit pictures, nothing otherwise.
constexpr std::size_t PackedColourTableBytes(int bitCount) { return bitCount == 8 ? 256 * sizeof(RGBQUAD) : 0; }

// Converts the bottom-up rows of a packed block (positive width and height;
// 8-bit through colours, 16-bit 5-5-5, 24-bit BGR or 32-bit BGRX) into
// width x height screen pixels at out.
void ConvertToScreen(const BITMAPINFOHEADER& header, const RGBQUAD* colours, const BYTE* bits, std::uint32_t* out);

// The same for the picture rectangle [left, left + width) x [top, top + height)
// (top-left origin), which the caller keeps inside the picture; its rows go
// to out, outStride pixels apart.
void ConvertRectToScreen(const BITMAPINFOHEADER& header, const RGBQUAD* colours, const BYTE* bits, int left, int top,
                         int width, int height, std::uint32_t* out, std::size_t outStride);

// One 16-bit 5-5-5 pixel (the top bit is unused) as a screen pixel; each
// 5-bit channel widens to 8 bits by repeating its high bits.
constexpr std::uint32_t ScreenPixelFrom555(WORD value)
{
    const auto widen = [](std::uint32_t c) { return (c << 3) | (c >> 2); };
    return 0xFF000000u | (widen((value >> 10) & 0x1F) << 16) | (widen((value >> 5) & 0x1F) << 8) | widen(value & 0x1F);
}
