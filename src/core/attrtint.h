// The attribute colour display: every pixel of a cell whose attribute is not
// 0 is tinted with its value's colour at 40% over what was drawn there.
#pragma once

#include <cstdint>

#include "attrvalues.h"
#include "maprender.h"

class CCellLayers;

// One channel of the tint: 40% colour (102/255) over 60% base (153/255),
// rounded to nearest.
inline std::uint8_t TintChannel(std::uint8_t base, std::uint8_t colour)
{
    return std::uint8_t((unsigned(base) * 153u + unsigned(colour) * 102u + 127u) / 255u);
}

// A 0xFFRRGGBB pixel tinted with colour; the alpha byte stays.
inline std::uint32_t TintPixel(std::uint32_t pixel, const AttrColour& colour)
{
    return (pixel & 0xFF000000u) | std::uint32_t(TintChannel(std::uint8_t(pixel >> 16), colour.red)) << 16 |
           std::uint32_t(TintChannel(std::uint8_t(pixel >> 8), colour.green)) << 8 |
           TintChannel(std::uint8_t(pixel), colour.blue);
}

// Tints the window: pixel (x, y) shows cell (cols[x], rows[y]), a negative
// entry no cell. cols has target.width entries, rows target.height.
void TintAttrCells(const MapPixels& target, const int* cols, const int* rows, const CCellLayers& cells,
                   const CAttrValueTable& values);
