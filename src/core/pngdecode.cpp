#include "pngdecode.h"

#include "screenform.h"

#include <spng.h>

#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Deflate shrinks data by about 1032 to 1 at the very most: a file whose
// picture would need more is cut short or lies about its size, and is
// refused before its picture's memory is asked for.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

// What the decoder may hold of ancillary chunks (text, profiles, ...).
constexpr std::size_t kMaxChunkBytes = std::size_t(1) << 24;
constexpr std::size_t kMaxCachedChunkBytes = std::size_t(1) << 26;

struct ContextFree {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};

// A 16-bit colour sample composited over black with a 16-bit alpha, as an
// 8-bit sample, rounded. Opaque samples are simply scaled.
BYTE OverBlack(std::uint32_t colour, std::uint32_t alpha)
{
    constexpr std::uint64_t kScale = 65535ull * 65535ull;
    return BYTE((std::uint64_t(colour) * alpha * 255 + kScale / 2) / kScale);
}

BmpDecodeStatus StatusFor(int spngError)
{
    return spngError == SPNG_EMEM ? BmpDecodeStatus::NoMemory : BmpDecodeStatus::NotBitmap;
}

// Turns decoded rows into stored rows. Indexed pictures are decoded as
// they are stored (packed indices); every other kind as 16-bit RGBA with
// its tRNS key already made alpha.
class RowStore {
public:
    RowStore(const spng_ihdr& ihdr, BYTE* bits, std::size_t stride)
        : m_width(ihdr.width),
          m_height(ihdr.height),
          m_depth(ihdr.bit_depth),
          m_indexed(ihdr.color_type == SPNG_COLOR_TYPE_INDEXED),
          m_grey(ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE || ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA),
          m_bits(bits),
          m_stride(stride)
    {
    }

    int Format() const { return m_indexed ? SPNG_FMT_PNG : SPNG_FMT_RGBA16; }
    int Flags() const { return m_indexed ? 0 : SPNG_DECODE_TRNS; }
    bool Flattened() const { return m_flattened; }

    // The 256-entry table: the palette composited over black, or greys.
    BmpDecodeStatus FillColourTable(spng_ctx* ctx, RGBQUAD* table)
    {
        if (m_grey) {
            for (int i = 0; i < 256; ++i) table[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
            return BmpDecodeStatus::Ok;
        }
        spng_plte palette{};
        if (spng_get_plte(ctx, &palette) != 0) return BmpDecodeStatus::NotBitmap;
        spng_trns trns{};
        const bool hasAlphas = spng_get_trns(ctx, &trns) == 0;
        for (std::uint32_t i = 0; i < palette.n_entries && i < 256; ++i) {
            const spng_plte_entry& e = palette.entries[i];
            const std::uint32_t alpha = hasAlphas && i < trns.n_type3_entries ? trns.type3_alpha[i] : 255;
            table[i] = RGBQUAD{OverBlack(e.blue * 257u, alpha * 257u), OverBlack(e.green * 257u, alpha * 257u),
                               OverBlack(e.red * 257u, alpha * 257u), 0};
            m_seeThrough[i] = alpha != 255;
        }
        return BmpDecodeStatus::Ok;
    }

    // Row y of the picture (top first) into its place in the bottom-up block.
    void Store(std::uint32_t y, const std::uint8_t* row)
    {
        BYTE* to = m_bits + std::size_t(m_height - 1 - y) * m_stride;
        BYTE* const start = to;
        if (m_indexed) {
            const unsigned mask = (1u << m_depth) - 1;
            for (std::uint32_t x = 0; x < m_width; ++x) {
                const std::size_t bit = std::size_t(x) * m_depth;
                const BYTE index = BYTE((row[bit / 8] >> (8 - m_depth - bit % 8)) & mask);
                m_flattened |= m_seeThrough[index];
                *to++ = index;
            }
        } else {
            for (std::uint32_t x = 0; x < m_width; ++x, row += 8) {
                std::uint16_t rgba[4];
                std::memcpy(rgba, row, sizeof rgba);
                m_flattened |= rgba[3] != 65535;
                if (m_grey) {
                    *to++ = OverBlack(rgba[0], rgba[3]);
                } else {
                    *to++ = OverBlack(rgba[2], rgba[3]);
                    *to++ = OverBlack(rgba[1], rgba[3]);
                    *to++ = OverBlack(rgba[0], rgba[3]);
                }
            }
        }
        std::memset(to, 0, m_stride - std::size_t(to - start));
    }

private:
    std::uint32_t m_width;
    std::uint32_t m_height;
    unsigned m_depth;
    bool m_indexed;
    bool m_grey;
    BYTE* m_bits;
    std::size_t m_stride;
    std::array<bool, 256> m_seeThrough{};
    bool m_flattened = false;
};

// Decodes the rows into the block: row by row for a plain picture; an
// interlaced one comes in seven passes, so it is gathered whole first.
BmpDecodeStatus DecodeRows(spng_ctx* ctx, const spng_ihdr& ihdr, std::size_t imageBytes, RowStore& store)
{
    const bool interlaced = ihdr.interlace_method != SPNG_INTERLACE_NONE;
    const std::size_t rowBytes = imageBytes / ihdr.height;
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[interlaced ? imageBytes : rowBytes]());
    if (!buffer) return BmpDecodeStatus::NoMemory;
    int error = 0;
    do {
        spng_row_info info{};
        if ((error = spng_get_row_info(ctx, &info)) != 0) break;
        std::uint8_t* row = buffer.get() + (interlaced ? std::size_t(info.row_num) * rowBytes : 0);
        error = spng_decode_row(ctx, row, rowBytes);
        if (!interlaced && (error == 0 || error == SPNG_EOI)) store.Store(info.row_num, row);
    } while (error == 0);
    if (error != SPNG_EOI) return StatusFor(error);
    // The rows are all there; reading on to the end checks the last
    // chunk's checksums and that the file ends properly.
    if ((error = spng_decode_chunks(ctx)) != 0) return StatusFor(error);
    if (interlaced)
        for (std::uint32_t y = 0; y < ihdr.height; ++y) store.Store(y, buffer.get() + std::size_t(y) * rowBytes);
    return BmpDecodeStatus::Ok;
}

}  // namespace

bool HasPngSignature(const std::uint8_t* data, std::size_t size)
{
    return data != nullptr && size >= sizeof kPngSignature &&
           std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0;
}

BmpDecodeStatus DecodePng(const std::uint8_t* data, std::size_t size, BYTE*& block, bool& transparencyFlattened)
{
    block = nullptr;
    transparencyFlattened = false;
    if (!HasPngSignature(data, size)) return BmpDecodeStatus::NotBitmap;
    std::unique_ptr<spng_ctx, ContextFree> ctx(spng_ctx_new(0));
    if (!ctx) return BmpDecodeStatus::NoMemory;
    spng_set_chunk_limits(ctx.get(), kMaxChunkBytes, kMaxCachedChunkBytes);
    if (spng_set_png_buffer(ctx.get(), data, size) != 0) return BmpDecodeStatus::NotBitmap;

    spng_ihdr ihdr{};
    if (int error = spng_get_ihdr(ctx.get(), &ihdr); error != 0) return StatusFor(error);
    std::size_t nativeBytes = 0;
    if (spng_decoded_image_size(ctx.get(), SPNG_FMT_PNG, &nativeBytes) != 0 || nativeBytes / kMaxDeflateRatio > size)
        return BmpDecodeStatus::NotBitmap;

    const bool truecolour =
        ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR || ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    BmpFileLayout layout;
    layout.width = std::int32_t(ihdr.width);
    layout.rows = ihdr.height;
    layout.bitCount = truecolour ? 24 : 8;
    layout.stride = std::uint64_t(PackedStride(ihdr.width, layout.bitCount));
    BYTE* bits = nullptr;
    if (const BmpDecodeStatus status = NewBmpBlock(layout, nullptr, block, bits); status != BmpDecodeStatus::Ok)
        return status;
    std::unique_ptr<BYTE[]> owned(block);
    block = nullptr;

    RowStore store(ihdr, bits, std::size_t(layout.stride));
    std::size_t imageBytes = 0;
    if (int error = spng_decoded_image_size(ctx.get(), store.Format(), &imageBytes); error != 0)
        return StatusFor(error);
    if (int error = spng_decode_image(ctx.get(), nullptr, 0, store.Format(), store.Flags() | SPNG_DECODE_PROGRESSIVE);
        error != 0)
        return StatusFor(error);
    if (!truecolour) {
        auto* table = reinterpret_cast<RGBQUAD*>(owned.get() + sizeof(BITMAPINFOHEADER));
        if (const BmpDecodeStatus status = store.FillColourTable(ctx.get(), table); status != BmpDecodeStatus::Ok)
            return status;
    }
    if (const BmpDecodeStatus status = DecodeRows(ctx.get(), ihdr, imageBytes, store); status != BmpDecodeStatus::Ok)
        return status;
    transparencyFlattened = store.Flattened();
    block = owned.release();
    return BmpDecodeStatus::Ok;
}
