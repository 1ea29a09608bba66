// Makes .bmp files in memory for the tests, in the variants real programs
// write (short colour tables, gaps, larger info headers, top-down rows,
// colour masks), and says what each pixel must look like on screen.
#pragma once

#include "wintypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct TestPicture {
    int width = 0;
    int height = 0;
    WORD bitCount = 24;
    std::vector<RGBQUAD> colours;       // 8-bit: the table as written (may be short)
    std::vector<std::uint32_t> pixels;  // top-down: colour index, 5-5-5 word or 0xRRGGBB

    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    // What the pixel must be on screen, 0xFFRRGGBB.
    std::uint32_t ScreenPixel(int x, int y) const;
};

// A picture with varied content; seed changes it. 8-bit pictures get a
// full table of distinct colours unless colourCount says otherwise (their
// indexes then also reach a few entries past the table).
TestPicture MakePicture(int width, int height, WORD bitCount, unsigned seed = 1, int colourCount = 256);

struct BmpLayout {
    DWORD infoSize = 40;         // 40, 52, 56, 108 (V4) or 124 (V5)
    bool topDown = false;        // negative height, first row on top
    DWORD compression = BI_RGB;  // BI_BITFIELDS writes masks
    std::uint32_t masks[3] = {0, 0, 0};
    DWORD gap = 0;        // bytes between the colour table and the pixels
    BYTE padByte = 0xA5;  // row padding in the file (never 0, so copies show)
};

std::vector<std::uint8_t> EncodeBmp(const TestPicture& picture, const BmpLayout& layout = {});

// Offsets of header fields within the file.
namespace bmpfield {
constexpr std::size_t kSize = 2;
constexpr std::size_t kOffBits = 10;
constexpr std::size_t kInfoSize = 14;
constexpr std::size_t kWidth = 18;
constexpr std::size_t kHeight = 22;
constexpr std::size_t kBitCount = 28;
constexpr std::size_t kCompression = 30;
constexpr std::size_t kClrUsed = 46;
}  // namespace bmpfield

void Put16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value);
void Put32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
