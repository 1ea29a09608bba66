#include "floodfill.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// The scans below look at eight cells at a time where the processor can:
// a fill reads every cell of its area and its border two or three times.

// The first x in [from, to) whose cell is (equal) or is not (!equal) v; to when none.
int FindFrom(const short* row, int from, int to, short v, bool equal)
{
    int x = from;
#if defined(__SSE2__)
    const __m128i value = _mm_set1_epi16(v);
    for (; x + 8 <= to; x += 8) {
        int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), value));
        if (!equal) mask ^= 0xFFFF;
        if (mask) return x + __builtin_ctz(unsigned(mask)) / 2;
    }
#endif
    for (; x < to; ++x)
        if ((row[x] == v) == equal) return x;
    return to;
}

// Where the run of cells holding v that ends just before x begins (x when there is none).
int RunStart(const short* row, int x, short v)
{
#if defined(__SSE2__)
    const __m128i value = _mm_set1_epi16(v);
    for (; x >= 8; x -= 8) {
        const int mask =
            _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x - 8)), value)) ^
            0xFFFF;
        if (mask) return x - 8 + (31 - __builtin_clz(unsigned(mask))) / 2 + 1;
    }
#endif
    while (x > 0 && row[x - 1] == v) --x;
    return x;
}

// Every cell of [from, to) that holds target gets v.
void Replace(short* row, int from, int to, short target, short v)
{
    int x = from;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(target);
    const __m128i value = _mm_set1_epi16(v);
    for (; x + 8 <= to; x += 8) {
        __m128i* at = reinterpret_cast<__m128i*>(row + x);
        const __m128i cells = _mm_loadu_si128(at);
        const __m128i hit = _mm_cmpeq_epi16(cells, wanted);
        _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(hit, value), _mm_andnot_si128(hit, cells)));
    }
#endif
    for (; x < to; ++x)
        if (row[x] == target) row[x] = v;
}

int Mod(std::int64_t a, int n) { return int(((a % n) + n) % n); }

struct Span {
    int row;
    int left;
    int right;  // exclusive
};

// Whether the pattern could write any cell that now holds value.
bool CanChange(const FillPattern& pattern, short value)
{
    const std::size_t count = std::size_t(pattern.cols) * std::size_t(pattern.rows);
    for (std::size_t i = 0; i < count; ++i) {
        const short v = pattern.entries[i];
        if (v != value && !(pattern.holes && v == kEmptyTileCell)) return true;
    }
    return false;
}

// Whether every cell the pattern writes changes: then the written cells
// themselves tell the fill where it has been.
bool ChangesEveryCell(const FillPattern& pattern, short value)
{
    const std::size_t count = std::size_t(pattern.cols) * std::size_t(pattern.rows);
    return std::none_of(pattern.entries, pattern.entries + count, [&](short v) {
        return v == value || (pattern.holes && v == kEmptyTileCell);
    });
}
}  // namespace

FillPattern FillPattern::OfTiles(const CCellBlock& block, int col, int row)
{
    if (block.IsEmpty()) return {};
    return {block.m_nCols, block.m_nRows, block.m_tiles.data(), col, row, true};
}

FillPattern FillPattern::OfValue(const short& value) { return {1, 1, &value, 0, 0, false}; }

short FillPattern::At(int x, int y) const
{
    return entries[std::size_t(Mod(std::int64_t(y) - anchorRow, rows)) * std::size_t(cols) +
                   std::size_t(Mod(std::int64_t(x) - anchorCol, cols))];
}

void FillPattern::WriteSpan(short* row, int y, int x0, int x1) const
{
    const short* line = entries + std::size_t(Mod(std::int64_t(y) - anchorRow, rows)) * std::size_t(cols);
    if (cols == 1) {
        if (!holes || line[0] != kEmptyTileCell) std::fill(row + x0, row + x1, line[0]);
        return;
    }
    int c = Mod(std::int64_t(x0) - anchorCol, cols);
    for (int x = x0; x < x1; ++x) {
        const short v = line[c];
        if (!holes || v != kEmptyTileCell) row[x] = v;
        if (++c == cols) c = 0;
    }
}

CRect FloodFillArea(CCellLayers& cells, CellLayer layer, int col, int row, const FillPattern& pattern)
{
    const std::optional<short> clicked = cells.Get(layer, col, row);
    if (!clicked || pattern.IsEmpty() || !CanChange(pattern, *clicked)) return {};
    const short target = *clicked;
    const int width = cells.Width();
    const int height = cells.Height();

    // When some written value could still read as the area's value, the
    // area is first taken with a mark that cannot, and the pattern written
    // over the spans found once they are all known.
    const bool twoPasses = !ChangesEveryCell(pattern, target);
    const short mark = short(target ^ 1);

    std::vector<Span> spans;  // every span of the area, in the order found
    CRect area;
    const auto take = [&](int y, int left, int right) {
        short* cellsOfRow = cells.MutableRow(layer, y);
        if (!cellsOfRow) return;  // no memory for the row's own copy: it stays as it is
        spans.push_back({y, left, right});
        if (twoPasses)
            std::fill(cellsOfRow + left, cellsOfRow + right, mark);
        else
            pattern.WriteSpan(cellsOfRow, y, left, right);
        area.UnionRect(area, CRect(left, y, right, y + 1));
    };

    try {
        const short* first = cells.Row(layer, row);
        take(row, RunStart(first, col, target), FindFrom(first, col + 1, width, target, false));

        for (std::size_t next = 0; next < spans.size(); ++next) {
            const Span span = spans[next];
            for (const int y : {span.row - 1, span.row + 1}) {
                if (y < 0 || y >= height) continue;
                const short* line = cells.Row(layer, y);
                for (int x = span.left; x < span.right;) {
                    x = FindFrom(line, x, span.right, target, true);
                    if (x >= span.right) break;
                    const int b = FindFrom(line, x + 1, width, target, false);
                    take(y, RunStart(line, x, target), b);
                    // Taking the row may have given it a chunk of its own.
                    line = cells.Row(layer, y);
                    x = b;
                }
            }
        }
    } catch (const std::bad_alloc&) {
        // Out of memory for the list of spans: a marked area goes back to
        // what it was, a painted one stays as far as it got.
        if (!twoPasses) return area;
        for (const Span& span : spans)
            if (short* line = cells.MutableRow(layer, span.row)) std::fill(line + span.left, line + span.right, target);
        return {};
    }

    if (twoPasses)
        for (const Span& span : spans) {
            short* line = cells.MutableRow(layer, span.row);
            if (!line) continue;
            std::fill(line + span.left, line + span.right, target);
            pattern.WriteSpan(line, span.row, span.left, span.right);
        }
    return area;
}

CRect FillEverywhere(CCellLayers& cells, CellLayer layer, int col, int row, const FillPattern& pattern)
{
    const std::optional<short> clicked = cells.Get(layer, col, row);
    if (!clicked || pattern.IsEmpty() || !CanChange(pattern, *clicked)) return {};
    const short target = *clicked;
    const int width = cells.Width();
    // One value for every cell: a plain replace the compiler runs many cells at a time.
    const bool oneValue = pattern.cols == 1 && pattern.rows == 1;
    CRect area;
    for (int y = 0; y < cells.Height(); ++y) {
        const short* line = cells.Row(layer, y);
        const short* hit = std::find(line, line + width, target);
        if (hit == line + width) continue;
        // Only a row that holds the value is written (and so made this map's own).
        const int first = int(hit - line);
        const int last = int(std::find(std::make_reverse_iterator(line + width), std::make_reverse_iterator(hit),
                                       target).base() - line);
        short* own = cells.MutableRow(layer, y);
        if (!own) continue;
        area.UnionRect(area, CRect(first, y, last, y + 1));
        if (oneValue) {
            Replace(own, first, last, target, pattern.entries[0]);
            continue;
        }
        for (int x = first; x < last;) {
            if (own[x] != target) {
                ++x;
                continue;
            }
            int end = x + 1;
            while (end < last && own[end] == target) ++end;
            pattern.WriteSpan(own, y, x, end);
            x = end;
        }
    }
    return area;
}
