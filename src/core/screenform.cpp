#include "screenform.h"

#include <bit>
#include <cstring>

namespace {
std::uint32_t ScreenPixel(BYTE red, BYTE green, BYTE blue)
{
    return 0xFF000000u | (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) | blue;
}

// A stored BGR(X) pixel taken with one 4-byte load: on a little-endian
// machine its bytes land as 0x??RRGGBB. Reads one byte past a 24-bit pixel.
std::uint32_t ScreenPixelFromWord(const BYTE* p)
{
    std::uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return 0xFF000000u | (word & 0x00FFFFFFu);
}

void ConvertRow24(const BYTE* row, std::size_t count, std::uint32_t* dest)
{
    if (count == 0) return;
    std::size_t x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // The byte after the row's last pixel may lie past the block (a row
        // without padding at its end), so that pixel is read byte by byte.
        for (; x + 1 < count; ++x) dest[x] = ScreenPixelFromWord(row + 3 * x);
    }
    for (; x < count; ++x) dest[x] = ScreenPixel(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
}

void ConvertRow32(const BYTE* row, std::size_t count, std::uint32_t* dest)
{
    if constexpr (std::endian::native == std::endian::little) {
        for (std::size_t x = 0; x < count; ++x) dest[x] = ScreenPixelFromWord(row + 4 * x);
    } else {
        for (std::size_t x = 0; x < count; ++x) dest[x] = ScreenPixel(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
}
}  // namespace

void ConvertToScreen(const BITMAPINFOHEADER& header, const RGBQUAD* colours, const BYTE* bits, std::uint32_t* out)
{
    ConvertRectToScreen(header, colours, bits, 0, 0, header.biWidth, header.biHeight, out, std::size_t(header.biWidth));
}

void ConvertRectToScreen(const BITMAPINFOHEADER& header, const RGBQUAD* colours, const BYTE* bits, int left, int top,
                         int width, int height, std::uint32_t* out, std::size_t outStride)
{
    const std::size_t pictureHeight = std::size_t(header.biHeight);
    const std::size_t stride = std::size_t(PackedStride(header.biWidth, header.biBitCount));
    const std::size_t count = std::size_t(width);
    const std::size_t x0 = std::size_t(left);
    for (std::size_t y = 0; y < std::size_t(height); ++y) {
        // Packed rows are stored bottom-up: the picture's top row comes last.
        const BYTE* row = bits + (pictureHeight - 1 - (std::size_t(top) + y)) * stride;
        std::uint32_t* dest = out + y * outStride;
        switch (header.biBitCount) {
        case 8:
            for (std::size_t x = 0; x < count; ++x) {
                const RGBQUAD& c = colours[row[x0 + x]];
                dest[x] = ScreenPixel(c.rgbRed, c.rgbGreen, c.rgbBlue);
            }
            break;
        case 16:
            for (std::size_t x = 0; x < count; ++x) {
                const BYTE* p = row + 2 * (x0 + x);
                dest[x] = ScreenPixelFrom555(WORD(p[0] | (p[1] << 8)));
            }
            break;
        case 24: ConvertRow24(row + 3 * x0, count, dest); break;
        case 32: ConvertRow32(row + 4 * x0, count, dest); break;
        default: break;
        }
    }
}
