#include "tilefingerprint.h"

#include "sprite.h"

#include <array>
#include <vector>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace {

void PutWord(XXH3_state_t& state, std::uint32_t value)
{
    const unsigned char bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
    XXH3_128bits_update(&state, bytes, sizeof bytes);
}

// An 8-bit tile's rows as the colours they show: each pixel becomes the
// number of its colour in the order colours first appear (top row first),
// and the colours follow in that order. Two palettes showing the same
// colours give the same bytes whatever their order or duplicates.
void Hash8Bit(XXH3_state_t& state, const CSprite& tile, int width, int height)
{
    std::array<int, 256> idOfIndex;
    idOfIndex.fill(-1);
    std::vector<std::uint32_t> colours;
    std::vector<BYTE> row(std::size_t(width), 0);
    const int stride = tile.GetStride();
    for (int y = height - 1; y >= 0; --y) {
        const BYTE* packed = tile.m_pBits + std::size_t(y) * std::size_t(stride);
        for (int x = 0; x < width; ++x) {
            int& id = idOfIndex[packed[x]];
            if (id < 0) {
                const RGBQUAD& q = tile.m_pColors[packed[x]];
                const std::uint32_t colour =
                    (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
                int found = 0;
                while (found < int(colours.size()) && colours[std::size_t(found)] != colour) ++found;
                if (found == int(colours.size())) colours.push_back(colour);
                id = found;
            }
            row[std::size_t(x)] = BYTE(id);
        }
        XXH3_128bits_update(&state, row.data(), row.size());
    }
    for (std::uint32_t colour : colours) PutWord(state, colour);
}

// 16-bit rows with the unused top bit of each pixel cleared.
void Hash16Bit(XXH3_state_t& state, const CSprite& tile, int width, int height)
{
    std::vector<BYTE> row(std::size_t(width) * 2, 0);
    const int stride = tile.GetStride();
    for (int y = height - 1; y >= 0; --y) {
        const BYTE* packed = tile.m_pBits + std::size_t(y) * std::size_t(stride);
        for (std::size_t i = 0; i < row.size(); i += 2) {
            row[i] = packed[i];
            row[i + 1] = packed[i + 1] & 0x7F;
        }
        XXH3_128bits_update(&state, row.data(), row.size());
    }
}

}  // namespace

TileFingerprint FingerprintOf(const CSprite& tile)
{
    XXH3_state_t state;
    XXH3_INITSTATE(&state);
    XXH3_128bits_reset(&state);
    const int width = tile.GetWidth();
    const int height = tile.GetHeight();
    const int bitCount = tile.IsEmpty() ? 0 : tile.m_pBMI->bmiHeader.biBitCount;
    PutWord(state, std::uint32_t(width));
    PutWord(state, std::uint32_t(height));
    PutWord(state, std::uint32_t(bitCount));
    if (width > 0 && height > 0) {
        if (bitCount == 8) {
            Hash8Bit(state, tile, width, height);
        } else if (bitCount == 16) {
            Hash16Bit(state, tile, width, height);
        } else {
            // The pixels of each row without the row's padding.
            const std::size_t bytes = std::size_t(width) * std::size_t(bitCount / 8);
            const int stride = tile.GetStride();
            for (int y = height - 1; y >= 0; --y)
                XXH3_128bits_update(&state, tile.m_pBits + std::size_t(y) * std::size_t(stride), bytes);
        }
    }
    const XXH128_hash_t hash = XXH3_128bits_digest(&state);
    return {hash.high64, hash.low64};
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
