#include "tilefingerprint.h"

#include "sprite.h"

#include <array>
#include <cstring>
#include <vector>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace {

// A buffer per thread for the canonical bytes of one tile (at most 255 x 255
// pixels of 3 bytes, and 256 colours).
std::vector<BYTE>& Scratch(std::size_t bytes)
{
    thread_local std::vector<BYTE> scratch;
    if (scratch.size() < bytes) scratch.resize(bytes);
    return scratch;
}

TileFingerprint PrintOf(const void* bytes, std::size_t count, std::uint64_t seed)
{
    const XXH128_hash_t hash = XXH3_128bits_withSeed(bytes, count, seed);
    return {hash.high64, hash.low64};
}

// An 8-bit tile's rows as the colours they show, 4 bytes a pixel: two
// palettes showing the same colours give the same bytes whatever their
// order or duplicates. One table lookup a pixel, as making the tile's
// screen form does.
TileFingerprint Print8Bit(const CSprite& tile, int width, int height, std::uint64_t seed)
{
    std::array<std::uint32_t, 256> colourOf;
    for (std::size_t i = 0; i < colourOf.size(); ++i) {
        const RGBQUAD& q = tile.m_pColors[i];
        colourOf[i] = (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
    }
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    std::vector<BYTE>& bytes = Scratch(pixels * 4);
    const int stride = tile.GetStride();
    BYTE* out = bytes.data();
    for (int y = 0; y < height; ++y) {
        const BYTE* packed = tile.m_pBits + std::size_t(y) * std::size_t(stride);
        for (int x = 0; x < width; ++x, out += 4) {
            const std::uint32_t colour = colourOf[packed[x]];
            std::memcpy(out, &colour, 4);
        }
    }
    return PrintOf(bytes.data(), pixels * 4, seed);
}

// 16-bit rows with the unused top bit of each pixel cleared.
TileFingerprint Print16Bit(const CSprite& tile, int width, int height, std::uint64_t seed)
{
    const std::size_t rowBytes = std::size_t(width) * 2;
    std::vector<BYTE>& bytes = Scratch(rowBytes * std::size_t(height));
    const int stride = tile.GetStride();
    BYTE* out = bytes.data();
    for (int y = 0; y < height; ++y, out += rowBytes) {
        const BYTE* packed = tile.m_pBits + std::size_t(y) * std::size_t(stride);
        for (std::size_t i = 0; i < rowBytes; i += 2) {
            out[i] = packed[i];
            out[i + 1] = packed[i + 1] & 0x7F;
        }
    }
    return PrintOf(bytes.data(), rowBytes * std::size_t(height), seed);
}

}  // namespace

// The size and bit count make the hash's seed; the bytes hashed are the
// pixel rows in their stored order (bottom row first) without padding, so
// that a tile whose rows need none is hashed where it lies, in one pass.
TileFingerprint FingerprintOf(const CSprite& tile)
{
    const int width = tile.GetWidth();
    const int height = tile.GetHeight();
    const int bitCount = tile.IsEmpty() ? 0 : tile.m_pBMI->bmiHeader.biBitCount;
    const std::uint64_t seed =
        (std::uint64_t(std::uint32_t(width)) << 32) | (std::uint64_t(height & 0xFFFF) << 16) | std::uint64_t(bitCount);
    if (width <= 0 || height <= 0) return PrintOf(nullptr, 0, seed);
    if (bitCount == 8) return Print8Bit(tile, width, height, seed);
    if (bitCount == 16) return Print16Bit(tile, width, height, seed);
    const std::size_t rowBytes = std::size_t(width) * std::size_t(bitCount / 8);
    const std::size_t stride = std::size_t(tile.GetStride());
    if (rowBytes == stride) return PrintOf(tile.m_pBits, rowBytes * std::size_t(height), seed);
    std::vector<BYTE>& bytes = Scratch(rowBytes * std::size_t(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(bytes.data() + std::size_t(y) * rowBytes, tile.m_pBits + std::size_t(y) * stride, rowBytes);
    return PrintOf(bytes.data(), rowBytes * std::size_t(height), seed);
}

std::string TileFingerprint::Hex() const
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(32, '0');
    for (int i = 0; i < 16; ++i) {
        text[std::size_t(15 - i)] = kDigits[(high >> (4 * i)) & 0xF];
        text[std::size_t(31 - i)] = kDigits[(low >> (4 * i)) & 0xF];
    }
    return text;
}

std::optional<TileFingerprint> TileFingerprint::FromHex(std::string_view text)
{
    if (text.size() != 32) return std::nullopt;
    TileFingerprint print;
    for (std::size_t i = 0; i < 32; ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        std::uint64_t& word = i < 16 ? print.high : print.low;
        word = (word << 4) | std::uint64_t(digit);
    }
    return print;
}
