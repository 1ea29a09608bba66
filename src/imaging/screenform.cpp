#include "screenform.h"

namespace {
std::uint32_t ScreenPixel(BYTE red, BYTE green, BYTE blue)
{
    return 0xFF000000u | (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) | blue;
}
}  // namespace

void ConvertToScreen(const BITMAPINFOHEADER& header, const RGBQUAD* colours, const BYTE* bits,
                     std::uint32_t* out)
{
    const std::size_t width = std::size_t(header.biWidth);
    const std::size_t height = std::size_t(header.biHeight);
    const std::size_t stride = std::size_t(PackedStride(header.biWidth, header.biBitCount));
    for (std::size_t y = 0; y < height; ++y) {
        // Packed rows are stored bottom-up: the picture's top row comes last.
        const BYTE* row = bits + (height - 1 - y) * stride;
        std::uint32_t* dest = out + y * width;
        switch (header.biBitCount) {
        case 8:
            for (std::size_t x = 0; x < width; ++x) {
                const RGBQUAD& c = colours[row[x]];
                dest[x] = ScreenPixel(c.rgbRed, c.rgbGreen, c.rgbBlue);
            }
            break;
        case 16:
            for (std::size_t x = 0; x < width; ++x)
                dest[x] = ScreenPixelFrom555(WORD(row[2 * x] | (row[2 * x + 1] << 8)));
            break;
        case 24:
            for (std::size_t x = 0; x < width; ++x)
                dest[x] = ScreenPixel(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            break;
        case 32:
            for (std::size_t x = 0; x < width; ++x)
                dest[x] = ScreenPixel(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
            break;
        default: break;
        }
    }
}
