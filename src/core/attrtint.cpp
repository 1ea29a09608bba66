#include "attrtint.h"

#include <array>
#include <bit>
#include <cstddef>
#include <vector>

#include "celllayers.h"

namespace {
// The byte of a pixel in memory that holds the channel at this bit shift.
constexpr int ByteOf(int shift) { return std::endian::native == std::endian::little ? shift / 8 : 3 - shift / 8; }

// What each byte of a pixel keeps of itself: 60% of a colour channel
// (153/255), all of the alpha byte.
constexpr std::array<std::uint16_t, 4> kKeep = [] {
    std::array<std::uint16_t, 4> keep{};
    for (int i = 0; i < 4; ++i) keep[std::size_t(i)] = i == ByteOf(24) ? 255 : 153;
    return keep;
}();

// TintChannel's sum, base * 153 + colour * 102 + 127, is at most 65,152:
// it and the division run in 16-bit lanes, which the compiler vectorises.
inline std::uint8_t Blend(std::uint8_t byte, std::uint16_t keep, std::uint16_t add)
{
    return std::uint8_t(std::uint16_t(byte * keep + add) / 255u);
}

// The blend is one plain loop over bytes, so that it runs in vectors as wide
// as the processor has: built for AVX-512 and AVX2 besides the baseline, the
// one for this processor picked when the program loads (2.2x faster with
// AVX-512 than with the baseline's 128-bit vectors on a 1920 x 1080 pane).
// Not under ThreadSanitizer: the picking runs while the program is being
// loaded, before the sanitizer's runtime, and its instrumented code crashes.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define PELLIN_WIDEST_VECTORS __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define PELLIN_WIDEST_VECTORS
#endif

// Tints count bytes of pixels; keep and add hold each byte's own share and
// its colour's.
PELLIN_WIDEST_VECTORS
void BlendBytes(std::uint8_t* bytes, const std::uint16_t* keep, const std::uint16_t* add, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) bytes[i] = Blend(bytes[i], keep[i], add[i]);
}

using PixelTerms = std::array<std::uint16_t, 4>;  // one pixel's bytes' colour shares

PixelTerms TermsOf(const AttrColour& colour)
{
    PixelTerms terms{};
    terms[std::size_t(ByteOf(16))] = std::uint16_t(colour.red * 102u + 127u);
    terms[std::size_t(ByteOf(8))] = std::uint16_t(colour.green * 102u + 127u);
    terms[std::size_t(ByteOf(0))] = std::uint16_t(colour.blue * 102u + 127u);
    return terms;  // the alpha byte keeps itself: 255 * alpha / 255
}

// A window's pixel columns [first, end) that show one cell column; or, for
// spans, pixels to tint.
struct PixelRun {
    int first;
    int end;
    int col;
};
}  // namespace

void TintAttrCells(const MapPixels& target, const int* cols, const int* rows, const CCellLayers& cells,
                   const CAttrValueTable& values)
{
    if (target.width <= 0) return;
    std::vector<PixelRun> runs;
    for (int x = 0; x < target.width; ++x) {
        if (cols[x] < 0 || cols[x] >= cells.Width()) continue;
        if (!runs.empty() && runs.back().end == x && runs.back().col == cols[x])
            ++runs.back().end;
        else
            runs.push_back({x, x + 1, cols[x]});
    }
    // Pixel rows of one cell row tint the same spans with the same terms:
    // they are worked out once for each cell row, each value's colour once
    // while neighbouring cells keep to a few values.
    std::vector<std::uint16_t> add(std::size_t(target.width) * 4);
    std::vector<std::uint16_t> keep(add.size());
    for (std::size_t i = 0; i < keep.size(); ++i) keep[i] = kKeep[i % kKeep.size()];
    std::vector<PixelRun> spans;
    std::array<std::pair<short, PixelTerms>, 64> known{};  // by value; 0 is never tinted, so never looked up
    int spansRow = -1;
    for (int y = 0; y < target.height; ++y) {
        if (rows[y] < 0) continue;
        if (rows[y] != spansRow) {
            spansRow = rows[y];
            spans.clear();
            const CellRow attrs = cells.RowOf(CellLayer::Attributes, spansRow);
            if (!attrs) continue;
            for (const PixelRun& run : runs) {
                const short value = attrs[run.col];
                if (value == kNoAttrCell) continue;
                auto& [knownValue, terms] = known[std::size_t(value) % known.size()];
                if (knownValue != value) {
                    knownValue = value;
                    terms = TermsOf(values.Colour(value));
                }
                for (int x = run.first; x < run.end; ++x)
                    std::copy(terms.begin(), terms.end(), add.begin() + std::ptrdiff_t(x) * 4);
                if (!spans.empty() && spans.back().end == run.first)
                    spans.back().end = run.end;
                else
                    spans.push_back({run.first, run.end, 0});
            }
        }
        auto* line = reinterpret_cast<std::uint8_t*>(target.bits + std::ptrdiff_t(y) * target.stride);
        for (const PixelRun& span : spans)
            BlendBytes(line + std::ptrdiff_t(span.first) * 4, keep.data() + std::ptrdiff_t(span.first) * 4,
                       add.data() + std::ptrdiff_t(span.first) * 4, std::size_t(span.end - span.first) * 4);
    }
}
