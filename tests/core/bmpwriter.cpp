#include "bmpwriter.h"

namespace {
std::uint32_t Widen5(std::uint32_t c) { return (c << 3) | (c >> 2); }

// A small fixed generator so that pictures are the same on every run.
struct Lcg {
    std::uint32_t state;
    std::uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

void Append(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i) bytes.push_back(std::uint8_t(value >> (8 * i)));
}
}  // namespace

std::uint32_t TestPicture::ScreenPixel(int x, int y) const
{
    const std::uint32_t v = At(x, y);
    switch (bitCount) {
    case 8: {
        if (v >= colours.size()) return 0xFF000000u;  // past a short table: padded black
        const RGBQUAD& c = colours[v];
        return 0xFF000000u | (std::uint32_t(c.rgbRed) << 16) | (std::uint32_t(c.rgbGreen) << 8) | c.rgbBlue;
    }
    case 16: return 0xFF000000u | (Widen5((v >> 10) & 31) << 16) | (Widen5((v >> 5) & 31) << 8) | Widen5(v & 31);
    default: return 0xFF000000u | (v & 0xFFFFFF);
    }
}

TestPicture MakePicture(int width, int height, WORD bitCount, unsigned seed, int colourCount)
{
    TestPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = bitCount;
    Lcg random{seed * 2654435761u + 17};
    if (bitCount == 8) {
        for (int i = 0; i < colourCount; ++i) {
            const std::uint32_t c = random.Next();
            picture.colours.push_back(RGBQUAD{BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 0});
        }
    }
    for (int i = 0; i < width * height; ++i) {
        const std::uint32_t r = random.Next();
        switch (bitCount) {
        case 8: picture.pixels.push_back(r % std::uint32_t(colourCount < 256 ? colourCount + 4 : 256)); break;
        case 16: picture.pixels.push_back(r & 0xFFFF); break;  // the unused top bit varies too
        default: picture.pixels.push_back(r & 0xFFFFFF); break;
        }
    }
    return picture;
}

void Put16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value)
{
    bytes[offset] = std::uint8_t(value);
    bytes[offset + 1] = std::uint8_t(value >> 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[offset + std::size_t(i)];
    return value;
}

std::vector<std::uint8_t> EncodeBmp(const TestPicture& picture, const BmpLayout& layout)
{
    const bool masksAfterHeader = layout.compression == BI_BITFIELDS && layout.infoSize == 40;
    const std::uint32_t tableBytes = std::uint32_t(picture.colours.size() * 4);
    const std::uint32_t stride = std::uint32_t((picture.width * picture.bitCount + 31) / 32 * 4);
    const std::uint32_t offBits = 14 + layout.infoSize + (masksAfterHeader ? 12 : 0) + tableBytes + layout.gap;
    const std::uint32_t fileSize = offBits + stride * std::uint32_t(picture.height);

    std::vector<std::uint8_t> bytes;
    bytes.push_back('B');
    bytes.push_back('M');
    Append(bytes, fileSize, 4);
    Append(bytes, 0, 4);
    Append(bytes, offBits, 4);

    Append(bytes, layout.infoSize, 4);
    Append(bytes, std::uint32_t(picture.width), 4);
    Append(bytes, std::uint32_t(layout.topDown ? -picture.height : picture.height), 4);
    Append(bytes, 1, 2);
    Append(bytes, picture.bitCount, 2);
    Append(bytes, layout.compression, 4);
    Append(bytes, stride * std::uint32_t(picture.height), 4);
    Append(bytes, 2835, 4);
    Append(bytes, 2835, 4);
    const bool shortTable = picture.bitCount == 8 && picture.colours.size() < 256;
    Append(bytes, shortTable ? std::uint32_t(picture.colours.size()) : 0, 4);
    Append(bytes, 0, 4);
    // Larger headers: masks first, the rest (colour space, gamma, ...) zero.
    for (std::uint32_t i = 40; i < layout.infoSize; i += 4)
        Append(bytes, i < 52 && layout.compression == BI_BITFIELDS ? layout.masks[(i - 40) / 4] : 0, 4);
    if (masksAfterHeader)
        for (std::uint32_t mask : layout.masks) Append(bytes, mask, 4);
    for (const RGBQUAD& c : picture.colours) {
        bytes.push_back(c.rgbBlue);
        bytes.push_back(c.rgbGreen);
        bytes.push_back(c.rgbRed);
        bytes.push_back(c.rgbReserved);
    }
    bytes.insert(bytes.end(), layout.gap, 0xEE);

    for (int row = 0; row < picture.height; ++row) {
        const int y = layout.topDown ? row : picture.height - 1 - row;
        const std::size_t rowStart = bytes.size();
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t v = picture.At(x, y);
            Append(bytes, picture.bitCount == 32 ? (v | 0x7F000000u) : v, picture.bitCount / 8);
        }
        while (bytes.size() - rowStart < stride) bytes.push_back(layout.padByte);
    }
    return bytes;
}
