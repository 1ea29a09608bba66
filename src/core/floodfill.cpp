#include "floodfill.h"

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// The scans below look at eight cells at a time where the processor can:
// a fill reads every cell of its area and its border two or three times.

// The first x in [from, to) whose cell is (equal) or is not (!equal) v; to when none.
int FindIn(const short* row, int from, int to, short v, bool equal)
{
    int x = from;
#if defined(__SSE2__)
    const __m128i value = _mm_set1_epi16(v);
    for (; x + 8 <= to; x += 8) {
        int mask =
            _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), value));
        if (!equal) mask ^= 0xFFFF;
        if (mask) return x + __builtin_ctz(unsigned(mask)) / 2;
    }
#endif
    for (; x < to; ++x)
        if ((row[x] == v) == equal) return x;
    return to;
}

// Where the run of cells holding v that ends just before x begins (x when there is none).
int RunStartIn(const short* row, int x, short v)
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

// The same across a row of a layer's chunks, a chunk's part at a time.
int FindFrom(const CCellLayers& cells, CellLayer layer, int y, int from, int to, short v, bool equal)
{
    int found = to;
    cells.ForEachRun(layer, y, from, to, [&](int col, const short* run, int count) {
        const int x = FindIn(run, 0, count, v, equal);
        if (x < count) found = col + x;
        return x == count;
    });
    return found;
}

int RunStart(const CCellLayers& cells, CellLayer layer, int y, int x, short v)
{
    while (x > 0) {
        // The part of the row in the chunk left of x.
        const int chunkStart = ((x - 1) >> kChunkColumnShift) << kChunkColumnShift;
        int start = x;
        cells.ForEachRun(layer, y, chunkStart, x,
                         [&](int col, const short* run, int count) { start = col + RunStartIn(run, count, v); });
        if (start > chunkStart) return start;
        x = chunkStart;
    }
    return 0;
}

int Mod(std::int64_t a, int n) { return int(((a % n) + n) % n); }

// The entry a scattered pattern gives cell (x, y): a 64-bit mix of the cell
// and the seed (splitmix64's finaliser), mapped onto [0, count) by a
// multiply so that no entry is favoured beyond 2^-32.
std::size_t ScatteredIndex(std::uint64_t seed, int x, int y, std::size_t count)
{
    std::uint64_t h = seed ^ (std::uint64_t(std::uint32_t(x)) << 32 | std::uint32_t(y));
    h = (h ^ (h >> 30)) * 0xbf58476d1ce4e5b9ull;
    h = (h ^ (h >> 27)) * 0x94d049bb133111ebull;
    h ^= h >> 31;
    return std::size_t(((h >> 32) * std::uint64_t(count)) >> 32);
}

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
    return std::none_of(pattern.entries, pattern.entries + count,
                        [&](short v) { return v == value || (pattern.holes && v == kEmptyTileCell); });
}
}  // namespace

FillPattern FillPattern::OfTiles(const CCellBlock& block, int col, int row)
{
    if (block.IsEmpty()) return {};
    return {block.m_nCols, block.m_nRows, block.m_tiles.data(), col, row, true};
}

FillPattern FillPattern::Scattered(const CCellBlock& block, std::uint64_t seed)
{
    FillPattern pattern = OfTiles(block, 0, 0);
    pattern.scattered = !pattern.IsEmpty();
    pattern.seed = seed;
    return pattern;
}

FillPattern FillPattern::OfValue(const short& value) { return {1, 1, &value, 0, 0, false}; }

short FillPattern::At(int x, int y) const
{
    if (scattered) return entries[ScatteredIndex(seed, x, y, std::size_t(cols) * std::size_t(rows))];
    return entries[std::size_t(Mod(std::int64_t(y) - anchorRow, rows)) * std::size_t(cols) +
                   std::size_t(Mod(std::int64_t(x) - anchorCol, cols))];
}

void FillPattern::WriteSpan(short* cells, int y, int x0, int x1) const
{
    if (scattered) {
        const std::size_t count = std::size_t(cols) * std::size_t(rows);
        for (int x = x0; x < x1; ++x) {
            const short v = entries[ScatteredIndex(seed, x, y, count)];
            if (!holes || v != kEmptyTileCell) cells[x - x0] = v;
        }
        return;
    }
    const short* line = entries + std::size_t(Mod(std::int64_t(y) - anchorRow, rows)) * std::size_t(cols);
    if (cols == 1) {
        if (!holes || line[0] != kEmptyTileCell) std::fill(cells, cells + (x1 - x0), line[0]);
        return;
    }
    int c = Mod(std::int64_t(x0) - anchorCol, cols);
    const int count = x1 - x0;
    if (holes && std::find(line, line + cols, kEmptyTileCell) != line + cols) {
        for (int x = 0; x < count; ++x) {
            if (line[c] != kEmptyTileCell) cells[x] = line[c];
            if (++c == cols) c = 0;
        }
        return;
    }
    // Without holes the first repeats (some 32 cells) are written, then
    // copied after themselves in doubling blocks that each start on a
    // repeat's first cell.
    const int first = std::min(count, cols * std::max(1, 32 / cols));
    for (int x = 0; x < first; ++x) {
        cells[x] = line[c];
        if (++c == cols) c = 0;
    }
    for (int done = first; done < count;) {
        const int block = std::min(done, count - done);
        std::memcpy(cells + done, cells, std::size_t(block) * sizeof(short));
        done += block;
    }
}

bool FillPattern::ChangesSpan(const short* cells, int y, int x0, int x1) const
{
    const int count = x1 - x0;
    if (scattered) {
        const std::size_t entryCount = std::size_t(cols) * std::size_t(rows);
        for (int x = x0; x < x1; ++x) {
            const short v = entries[ScatteredIndex(seed, x, y, entryCount)];
            if (v != cells[x - x0] && !(holes && v == kEmptyTileCell)) return true;
        }
        return false;
    }
    const short* line = entries + std::size_t(Mod(std::int64_t(y) - anchorRow, rows)) * std::size_t(cols);
    if (cols == 1) return !(holes && line[0] == kEmptyTileCell) && FindIn(cells, 0, count, line[0], false) < count;
    int c = Mod(std::int64_t(x0) - anchorCol, cols);
    for (int x = 0; x < count; ++x) {
        if (line[c] != cells[x] && !(holes && line[c] == kEmptyTileCell)) return true;
        if (++c == cols) c = 0;
    }
    return false;
}

namespace {
// A repeated pattern without holes gives a row of cells the values of one
// of its rows, whatever the row: those values across the columns a paint
// reaches, made once, so that each span is compared and copied from them
// instead of working the pattern out cell by cell. One value (a 1 x 1
// brush, an attribute) needs no lines: it is looked for and filled.
class PatternLines {
public:
    PatternLines(const FillPattern& pattern, int left, int right)
        : m_pattern(pattern), m_left(left), m_width(std::max(0, right - left))
    {
        const std::size_t count = std::size_t(pattern.cols) * std::size_t(pattern.rows);
        m_holes = pattern.holes &&
                  std::find(pattern.entries, pattern.entries + count, kEmptyTileCell) != pattern.entries + count;
        if (pattern.scattered || m_holes) return;
        if (count == 1) {
            m_value = pattern.entries[0];
            return;
        }
        // A pattern as large as the map is left cell by cell.
        if (std::int64_t(pattern.rows) * m_width > (std::int64_t(1) << 22)) return;
        m_cells.resize(std::size_t(pattern.rows) * std::size_t(m_width));
        for (int r = 0; r < pattern.rows; ++r)
            pattern.WriteSpan(m_cells.data() + std::size_t(r) * std::size_t(m_width), pattern.anchorRow + r, left,
                              right);
    }

    // Whether cells [x0, x1) of row y would change; cells points to x0's.
    bool Changes(const short* cells, int y, int x0, int x1, const short* line) const
    {
        const int count = x1 - x0;
        if (m_value) return FindIn(cells, 0, count, *m_value, false) < count;
        if (line) return !std::equal(cells, cells + count, line + (x0 - m_left));
        return m_pattern.ChangesSpan(cells, y, x0, x1);
    }
    void Write(short* cells, int y, int x0, int x1, const short* line) const
    {
        if (m_value)
            std::fill_n(cells, x1 - x0, *m_value);
        else if (line)
            std::memcpy(cells, line + (x0 - m_left), std::size_t(x1 - x0) * sizeof(short));
        else
            m_pattern.WriteSpan(cells, y, x0, x1);
    }
    // Whether a span's every cell gets a value (no entry leaves its cell as it is).
    bool WritesEveryCell() const { return !m_holes; }
    // Row y's values from the first column the paint reaches; null when
    // there are no lines.
    const short* Line(int y) const
    {
        if (m_cells.empty()) return nullptr;
        return m_cells.data() +
               std::size_t(Mod(std::int64_t(y) - m_pattern.anchorRow, m_pattern.rows)) * std::size_t(m_width);
    }

private:
    const FillPattern& m_pattern;
    int m_left;
    int m_width;
    bool m_holes = false;
    std::optional<short> m_value;
    std::vector<short> m_cells;  // a row of values for each of the pattern's rows
};

// A span to write and the pattern's values for its row.
struct LinedSpan {
    CellSpan span;
    const short* line;
};

// Spans in order of row, no cell given twice (a shape's), written a chunk
// at a time: a chunk is made the map's own once, not once a row, and one
// the spans cover whole is not copied first, as all it held is written over.
bool WriteByChunks(CCellLayers& cells, CellLayer layer, const std::vector<LinedSpan>& spans, const PatternLines& lines)
{
    const int bandRows = cells.ChunkRows();
    for (std::size_t first = 0; first < spans.size();) {
        const int chunkRow = spans[first].span.row / bandRows;
        const int top = chunkRow * bandRows;
        const int height = std::min(bandRows, cells.Height() - top);
        std::size_t end = first;
        int bandLeft = cells.Width(), bandRight = 0;
        for (; end < spans.size() && spans[end].span.row / bandRows == chunkRow; ++end) {
            bandLeft = std::min(bandLeft, spans[end].span.left);
            bandRight = std::max(bandRight, spans[end].span.right);
        }
        for (int chunkCol = bandLeft >> kChunkColumnShift; (chunkCol << kChunkColumnShift) < bandRight; ++chunkCol) {
            const int x0 = chunkCol << kChunkColumnShift;
            const int width = cells.ChunkColumnWidth(chunkCol);
            const int x1 = x0 + width;
            int rowsAcross = 0;
            bool meets = false;
            for (std::size_t i = first; i < end; ++i) {
                const CellSpan& span = spans[i].span;
                meets = meets || (span.left < x1 && span.right > x0);
                rowsAcross += span.left <= x0 && span.right >= x1;
            }
            if (!meets) continue;
            short* chunk =
                cells.MutableChunk(layer, chunkCol, chunkRow, lines.WritesEveryCell() && rowsAcross == height);
            if (!chunk) return false;
            for (std::size_t i = first; i < end; ++i) {
                const CellSpan& span = spans[i].span;
                const int a = std::max(span.left, x0), b = std::min(span.right, x1);
                if (a < b)
                    lines.Write(chunk + std::size_t(span.row - top) * std::size_t(width) + std::size_t(a - x0),
                                span.row, a, b, spans[i].line);
            }
        }
        first = end;
    }
    return true;
}
}  // namespace

CRect PaintSpans(CCellLayers& cells, CellLayer layer, const std::vector<CellSpan>& spans, const FillPattern& pattern)
{
    CRect painted;
    if (pattern.IsEmpty()) return painted;
    std::vector<CellSpan> onMap;
    bool inOrder = true;  // by row, then column, no cell twice
    for (const CellSpan& span : spans) {
        const CellSpan clipped{span.row, std::max(span.left, 0), std::min(span.right, cells.Width())};
        if (span.row < 0 || span.row >= cells.Height() || clipped.left >= clipped.right) continue;
        if (!onMap.empty()) {
            const CellSpan& before = onMap.back();
            inOrder = inOrder && (before.row < span.row || (before.row == span.row && before.right <= clipped.left));
        }
        onMap.push_back(clipped);
    }
    if (onMap.empty()) return painted;
    int reachLeft = cells.Width(), reachRight = 0;
    for (const CellSpan& span : onMap) {
        reachLeft = std::min(reachLeft, span.left);
        reachRight = std::max(reachRight, span.right);
    }
    const PatternLines lines(pattern, reachLeft, reachRight);
    // Only cells that change are written, so a span that changes nothing
    // leaves its chunks shared with the undo history. The first changing
    // cell settles it: a shape painted over other cells is seldom read.
    const auto changes = [&](const CellSpan& span, const short* line) {
        bool found = false;
        cells.ForEachRun(layer, span.row, span.left, span.right, [&](int x, const short* run, int count) {
            found = lines.Changes(run, span.row, x, x + count, line);
            return !found;
        });
        return found;
    };
    if (inOrder) {
        // No span sees another's cells, so all can be looked at before any is written.
        std::vector<LinedSpan> changing;
        for (const CellSpan& span : onMap) {
            const short* line = lines.Line(span.row);
            if (!changes(span, line)) continue;
            changing.push_back({span, line});
            painted.UnionRect(painted, CRect(span.left, span.row, span.right, span.row + 1));
        }
        // Out of memory part way: the cells written so far stay.
        WriteByChunks(cells, layer, changing, lines);
        return painted;
    }
    for (const CellSpan& span : onMap) {
        const short* line = lines.Line(span.row);
        if (!changes(span, line)) continue;
        if (cells.ForEachMutableRun(layer, span.row, span.left, span.right, [&](int x, short* run, int count) {
                lines.Write(run, span.row, x, x + count, line);
            }))
            painted.UnionRect(painted, CRect(span.left, span.row, span.right, span.row + 1));
    }
    return painted;
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
    // Writes what the area's span gets: the mark, the pattern, or (after
    // the mark) the pattern over what the area held.
    const auto write = [&](int y, int left, int right, bool marking) {
        return cells.ForEachMutableRun(layer, y, left, right, [&](int x, short* run, int count) {
            if (marking) {
                std::fill(run, run + count, mark);
                return;
            }
            if (twoPasses) std::fill(run, run + count, target);
            pattern.WriteSpan(run, y, x, x + count);
        });
    };
    const auto take = [&](int y, int left, int right) {
        // Without memory for the row's own copy, it stays as it is.
        if (!write(y, left, right, twoPasses)) return;
        spans.push_back({y, left, right});
        area.UnionRect(area, CRect(left, y, right, y + 1));
    };

    try {
        take(row, RunStart(cells, layer, row, col, target), FindFrom(cells, layer, row, col + 1, width, target, false));

        for (std::size_t next = 0; next < spans.size(); ++next) {
            const Span span = spans[next];
            for (const int y : {span.row - 1, span.row + 1}) {
                if (y < 0 || y >= height) continue;
                for (int x = span.left; x < span.right;) {
                    x = FindFrom(cells, layer, y, x, span.right, target, true);
                    if (x >= span.right) break;
                    const int b = FindFrom(cells, layer, y, x + 1, width, target, false);
                    take(y, RunStart(cells, layer, y, x, target), b);
                    x = b;
                }
            }
        }
    } catch (const std::bad_alloc&) {
        // Out of memory for the list of spans: a marked area goes back to
        // what it was, a painted one stays as far as it got.
        if (!twoPasses) return area;
        for (const Span& span : spans)
            cells.ForEachMutableRun(layer, span.row, span.left, span.right,
                                    [&](int, short* run, int count) { std::fill(run, run + count, target); });
        return {};
    }

    if (twoPasses)
        for (const Span& span : spans) write(span.row, span.left, span.right, false);
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
        // Only the chunks' parts of a row that hold the value are written
        // (and so made this map's own).
        int first = width;
        int last = 0;
        cells.ForEachRun(layer, y, 0, width, [&](int col, const short* run, int count) {
            const int hit = FindIn(run, 0, count, target, true);
            if (hit == count) return;
            first = std::min(first, col + hit);
            last = col +
                   int(std::find(std::make_reverse_iterator(run + count), std::make_reverse_iterator(run + hit), target)
                           .base() -
                       run);
        });
        if (first >= last) continue;
        const bool written = cells.ForEachMutableRun(layer, y, first, last, [&](int col, short* own, int count) {
            if (oneValue) {
                Replace(own, 0, count, target, pattern.entries[0]);
                return;
            }
            for (int x = 0; x < count;) {
                if (own[x] != target) {
                    ++x;
                    continue;
                }
                int end = x + 1;
                while (end < count && own[end] == target) ++end;
                pattern.WriteSpan(own + x, y, col + x, col + end);
                x = end;
            }
        });
        if (written) area.UnionRect(area, CRect(first, y, last, y + 1));
    }
    return area;
}
