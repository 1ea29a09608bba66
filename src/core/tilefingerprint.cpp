#include "tilefingerprint.h"

#include "sprite.h"

#include <array>
#include <cstring>
#include <vector>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define PELLIN_BYTE_PERMUTES 1
#endif

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

// The colours of count 8-bit pixels, 3 bytes each (blue, green, red), as a
// 24-bit tile's row holds them.
void ExpandColours(const BYTE* packed, int count, const std::array<std::uint32_t, 256>& colourOf, BYTE* out)
{
    for (int x = 0; x < count; ++x, out += 3) {
        const std::uint32_t colour = colourOf[packed[x]];
        out[0] = BYTE(colour);
        out[1] = BYTE(colour >> 8);
        out[2] = BYTE(colour >> 16);
    }
}

#if PELLIN_BYTE_PERMUTES
// The same 16 pixels at a time with byte permutes, on processors that have
// them: a table lookup a pixel was most of a fingerprint's cost. Each pixel's
// index is spread over its 3 output bytes, and each byte takes its colour
// plane's entry from the two halves of a 256-byte table.
struct ColourPlanes {
    __m512i table[3][4];  // blue, green, red: entries 0-63, ..., 192-255
};

#define PELLIN_WIDE_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// Entry index of one colour plane's 256-byte table, for each byte.
PELLIN_WIDE_TARGET inline __m512i LookUp(const __m512i (&table)[4], __m512i index, __mmask64 upper)
{
    const __m512i low = _mm512_permutex2var_epi8(table[0], index, table[1]);
    const __m512i high = _mm512_permutex2var_epi8(table[2], index, table[3]);
    return _mm512_mask_blend_epi8(upper, low, high);
}

// A tile's rows (stride bytes apart) expanded one after another into out.
PELLIN_WIDE_TARGET void ExpandColoursWide(const BYTE* rows, std::size_t stride, int width, int height,
                                          const ColourPlanes& planes, BYTE* out)
{
    // Output byte k takes pixel k / 3.
    alignas(64) static constexpr BYTE kSpread[64] = {0,  0,  0,  1,  1,  1,  2,  2,  2,  3,  3,  3,  4,  4,  4,  5,
                                                     5,  5,  6,  6,  6,  7,  7,  7,  8,  8,  8,  9,  9,  9,  10, 10,
                                                     10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15,
                                                     0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0};
    const __m512i spread = _mm512_load_si512(kSpread);
    const __mmask64 blue = 0x9249249249249249ull, green = blue << 1, red = blue << 2;
    const __mmask64 written = (__mmask64(1) << 48) - 1;  // 16 pixels of 3 bytes
    // The tables stay in registers for the whole tile.
    __m512i table[3][4];
    for (int c = 0; c < 3; ++c)
        for (int q = 0; q < 4; ++q) table[c][q] = _mm512_load_si512(&planes.table[c][q]);
    for (int y = 0; y < height; ++y) {
        const BYTE* packed = rows + std::size_t(y) * stride;
        int x = 0;
        for (; x + 16 <= width; x += 16, out += 48) {
            // (The zero-masking form: GCC 12 warns of the plain one's undefined source.)
            const __m512i index = _mm512_maskz_permutexvar_epi8(
                ~__mmask64(0), spread,
                _mm512_zextsi128_si512(_mm_loadu_si128(reinterpret_cast<const __m128i*>(packed + x))));
            const __mmask64 upper = _mm512_movepi8_mask(index);
            __m512i colours = _mm512_maskz_mov_epi8(blue, LookUp(table[0], index, upper));
            colours = _mm512_mask_mov_epi8(colours, green, LookUp(table[1], index, upper));
            colours = _mm512_mask_mov_epi8(colours, red, LookUp(table[2], index, upper));
            _mm512_mask_storeu_epi8(out, written, colours);
        }
        for (; x < width; ++x, out += 3)
            for (int c = 0; c < 3; ++c) out[c] = reinterpret_cast<const BYTE*>(planes.table[c])[packed[x]];
    }
}

bool HasBytePermutes()
{
    static const bool has = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    return has;
}
#endif

// What an 8-bit tile's palette gives each index, kept per thread: the
// tiles of one set share their palette, and making these tables took as
// long as expanding a tile's pixels.
struct PaletteColours {
    std::array<RGBQUAD, 256> palette{};
    bool made = false;
    std::array<std::uint32_t, 256> colourOf{};
#if PELLIN_BYTE_PERMUTES
    ColourPlanes planes;
#endif
};

const PaletteColours& ColoursOf(const RGBQUAD* palette)
{
    thread_local PaletteColours kept;
    if (kept.made && std::memcmp(kept.palette.data(), palette, sizeof kept.palette) == 0) return kept;
    std::memcpy(kept.palette.data(), palette, sizeof kept.palette);
    for (std::size_t i = 0; i < 256; ++i) {
        const RGBQUAD& q = palette[i];
        kept.colourOf[i] = (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
    }
#if PELLIN_BYTE_PERMUTES
    alignas(64) BYTE table[3][256];
    for (std::size_t i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c) table[c][i] = BYTE(kept.colourOf[i] >> (8 * c));
    std::memcpy(&kept.planes, table, sizeof table);
#endif
    kept.made = true;
    return kept;
}

// An 8-bit tile's rows as the colours they show, 3 bytes a pixel: two
// palettes showing the same colours give the same bytes whatever their
// order or duplicates.
TileFingerprint Print8Bit(const CSprite& tile, int width, int height, std::uint64_t seed)
{
    const PaletteColours& colours = ColoursOf(tile.m_pColors);
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    std::vector<BYTE>& bytes = Scratch(pixels * 3);
    const int stride = tile.GetStride();
#if PELLIN_BYTE_PERMUTES
    if (width >= 16 && HasBytePermutes()) {
        ExpandColoursWide(tile.m_pBits, std::size_t(stride), width, height, colours.planes, bytes.data());
        return PrintOf(bytes.data(), pixels * 3, seed);
    }
#endif
    for (int y = 0; y < height; ++y)
        ExpandColours(tile.m_pBits + std::size_t(y) * std::size_t(stride), width, colours.colourOf,
                      bytes.data() + std::size_t(y) * std::size_t(width) * 3);
    return PrintOf(bytes.data(), pixels * 3, seed);
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
