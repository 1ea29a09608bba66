#include "pngfilter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

enum FilterType : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

// The predictor of Paeth's filter: the neighbour nearest to left + up -
// upLeft. Written as selects on 16-bit numbers, so that the loop over a row
// runs on vector registers twice as wide as with int.
inline int Paeth(int left, int up, int upLeft)
{
    const auto pa = std::int16_t(std::abs(std::int16_t(up - upLeft)));
    const auto pb = std::int16_t(std::abs(std::int16_t(left - upLeft)));
    const auto pc = std::int16_t(std::abs(std::int16_t(left + up - 2 * upLeft)));
    return pa <= pb && pa <= pc ? left : (pb <= pc ? up : upLeft);
}

template <FilterType type>
inline std::uint8_t Filtered(int value, int left, int up, int upLeft)
{
    int predicted = 0;
    if constexpr (type == kSub) predicted = left;
    if constexpr (type == kUp) predicted = up;
    if constexpr (type == kAverage) predicted = (left + up) >> 1;
    if constexpr (type == kPaeth) predicted = Paeth(left, up, upLeft);
    return std::uint8_t(value - predicted);
}

// The byte read as a signed number, its magnitude (128 for 0x80).
inline std::uint32_t Magnitude(std::uint8_t filtered) { return std::min(filtered, std::uint8_t(-filtered)); }

// One filter over a row; the first pixel's left and upper-left neighbours
// are zero. Returns the sum of the filtered bytes' magnitudes.
template <FilterType type>
std::size_t FilterWith(const std::uint8_t* row, const std::uint8_t* above, std::size_t size, std::size_t bpp,
                       std::uint8_t* out)
{
    std::size_t sum = 0;
    for (std::size_t i = 0; i < std::min(bpp, size); ++i) {
        out[i] = Filtered<type>(row[i], 0, above[i], 0);
        sum += Magnitude(out[i]);
    }
    // A piece's sum fits 32 bits, which keeps the vectors narrow.
    constexpr std::size_t kPiece = std::size_t(1) << 24;
    for (std::size_t begin = bpp; begin < size; begin += kPiece) {
        const std::size_t end = std::min(size, begin + kPiece);
        std::uint32_t pieceSum = 0;
        for (std::size_t i = begin; i < end; ++i) {
            out[i] = Filtered<type>(row[i], row[i - bpp], above[i], above[i - bpp]);
            pieceSum += Magnitude(out[i]);
        }
        sum += pieceSum;
    }
    return sum;
}

}  // namespace

PngRowFilter::PngRowFilter(std::size_t rowBytes, int bytesPerPixel)
    : m_rowBytes(rowBytes), m_bpp(std::size_t(bytesPerPixel)), m_spare(rowBytes)
{
}

void PngRowFilter::Filter(const std::uint8_t* row, const std::uint8_t* above, std::uint8_t* out)
{
    // Each filter is tried in the spare buffer; a better one swaps places
    // with the best so far, so at most one copy is made at the end.
    std::uint8_t* best = out + 1;
    std::uint8_t* spare = m_spare.data();
    FilterType bestType = kNone;
    std::size_t bestSum = FilterWith<kNone>(row, above, m_rowBytes, m_bpp, best);
    const auto tryFilter = [&](FilterType type, std::size_t sum) {
        if (sum >= bestSum) return;
        bestSum = sum;
        bestType = type;
        std::swap(best, spare);
    };
    tryFilter(kSub, FilterWith<kSub>(row, above, m_rowBytes, m_bpp, spare));
    tryFilter(kUp, FilterWith<kUp>(row, above, m_rowBytes, m_bpp, spare));
    tryFilter(kAverage, FilterWith<kAverage>(row, above, m_rowBytes, m_bpp, spare));
    tryFilter(kPaeth, FilterWith<kPaeth>(row, above, m_rowBytes, m_bpp, spare));
    out[0] = bestType;
    if (best != out + 1) std::memcpy(out + 1, best, m_rowBytes);
}

void PngRowFilter::FilterUp(const std::uint8_t* row, const std::uint8_t* above, std::uint8_t* out) const
{
    out[0] = kUp;
    FilterWith<kUp>(row, above, m_rowBytes, m_bpp, out + 1);
}
