// The map tools' edits against plain models: the fill of an area of like
// cells (connected or everywhere, with block patterns and holes, at the
// map's edges, on a 4096 x 4096 area), the eraser's line, the move of a
// rectangle, and stamping and filling with blocks of either kind.
#include "cellblock.h"
#include "cellline.h"
#include "cellshapes.h"
#include "floodfill.h"
#include "mapmodel.h"
#include "testtiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <queue>
#include <random>
#include <utility>

namespace {

struct Grid {
    int w, h;
    std::vector<short> v;
    short& At(int x, int y) { return v[std::size_t(y * w + x)]; }
};

Grid GridOf(const CCellLayers& cells, CellLayer layer)
{
    return {cells.Width(), cells.Height(), LayerValues(cells, layer)};
}

CCellBlock RandomBlock(std::mt19937& rng, BlockSource source, int maxSide, int values)
{
    CCellBlock block;
    block.m_nCols = int(rng() % unsigned(maxSide)) + 1;
    block.m_nRows = int(rng() % unsigned(maxSide)) + 1;
    block.m_source = source;
    for (std::size_t i = 0; i < block.Count(); ++i)
        block.m_tiles.push_back(short(int(rng() % unsigned(values + 1)) - 1));
    for (std::size_t i = 0; i < block.Count(); ++i) block.m_attrs.push_back(short(rng() % 50));
    return block;
}

// The fill as a breadth-first search over single cells.
Grid ModelFill(Grid g, int cx, int cy, bool everywhere, const CCellBlock& block)
{
    const short target = g.At(cx, cy);
    std::vector<char> in(g.v.size(), 0);
    if (everywhere) {
        for (std::size_t i = 0; i < g.v.size(); ++i) in[i] = g.v[i] == target;
    } else {
        std::queue<std::pair<int, int>> todo;
        todo.push({cx, cy});
        in[std::size_t(cy * g.w + cx)] = 1;
        while (!todo.empty()) {
            const auto [x, y] = todo.front();
            todo.pop();
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nx = x + dx, ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= g.w || ny >= g.h) continue;
                const std::size_t i = std::size_t(ny * g.w + nx);
                if (!in[i] && g.v[i] == target) in[i] = 1, todo.push({nx, ny});
            }
        }
    }
    const auto mod = [](int a, int n) { return ((a % n) + n) % n; };
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x) {
            const short e = block.Tile(mod(y - cy, block.m_nRows), mod(x - cx, block.m_nCols));
            if (in[std::size_t(y * g.w + x)] && e != kEmptyTileCell) g.At(x, y) = e;
        }
    return g;
}

TEST(FloodFill, MatchesASearchOverCells)
{
    std::mt19937 rng(19);
    for (int run = 0; run < 400; ++run) {
        const int w = int(rng() % 12) + 1, h = int(rng() % 12) + 1;
        std::vector<short> values(std::size_t(w * h));
        // Few values, so that areas are large and winding; -1 among them.
        for (short& v : values) v = short(int(rng() % 3) - 1);
        CMapModel map = ModelOf(w, h, 8, 8, values);
        const CCellBlock block = RandomBlock(rng, BlockSource::Map, 3, 4);
        const int cx = int(rng() % unsigned(w)), cy = int(rng() % unsigned(h));
        const bool everywhere = run % 3 == 0;
        const Grid expected = ModelFill(GridOf(map.m_cells, CellLayer::Tiles), cx, cy, everywhere, block);
        const FillPattern pattern = FillPattern::OfTiles(block, cx, cy);
        const CRect area = everywhere ? FillEverywhere(map.m_cells, CellLayer::Tiles, cx, cy, pattern)
                                      : FloodFillArea(map.m_cells, CellLayer::Tiles, cx, cy, pattern);
        ASSERT_EQ(LayerValues(map.m_cells, CellLayer::Tiles), expected.v) << "run " << run;
        // Every changed cell is inside the rectangle reported.
        const Grid before{w, h, values};
        for (int i = 0; i < w * h; ++i) {
            if (expected.v[std::size_t(i)] != before.v[std::size_t(i)]) {
                ASSERT_TRUE(area.PtInRect(CPoint(i % w, i / w))) << "run " << run;
            }
        }
    }
}

// Spans painted with a repeated or a scattered pattern (rows long enough
// for a repeat to be copied after itself), and a scattered
// fill: each cell gets what the pattern gives it there, holes keep theirs,
// cells off the spans or the map stay.
TEST(PaintSpans, WritesWhatThePatternGivesEachCell)
{
    std::mt19937 rng(23);
    for (int run = 0; run < 300; ++run) {
        const int w = int(rng() % 80) + 1, h = int(rng() % 20) + 1;
        std::vector<short> values(std::size_t(w * h));
        for (short& v : values) v = short(int(rng() % 3) - 1);
        CMapModel map = ModelOf(w, h, 8, 8, values);
        const CCellBlock block = RandomBlock(rng, BlockSource::Map, 3, 4);
        const FillPattern pattern = run % 2 ? FillPattern::Scattered(block, rng())
                                            : FillPattern::OfTiles(block, int(rng() % 5), int(rng() % 5));
        std::vector<CellSpan> spans(rng() % 6);
        Grid expected{w, h, values};
        for (CellSpan& span : spans) {
            span = {int(rng() % unsigned(h + 2)) - 1, int(rng() % unsigned(w + 4)) - 2, 0};
            span.right = span.left + int(rng() % unsigned(w + 2));
            for (int x = std::max(span.left, 0); x < std::min(span.right, w); ++x)
                if (span.row >= 0 && span.row < h && pattern.At(x, span.row) != kEmptyTileCell)
                    expected.At(x, span.row) = pattern.At(x, span.row);
        }
        PaintSpans(map.m_cells, CellLayer::Tiles, spans, pattern);
        ASSERT_EQ(LayerValues(map.m_cells, CellLayer::Tiles), expected.v) << "run " << run;
        if (!pattern.scattered) continue;
        // A scattered fill covers the area a repeated one does (the cells a
        // fill with a value outside the map's marks), each cell as At says.
        CMapModel filled = ModelOf(w, h, 8, 8, values);
        const int cx = int(rng() % unsigned(w)), cy = int(rng() % unsigned(h));
        FloodFillArea(filled.m_cells, CellLayer::Tiles, cx, cy, pattern);
        const Grid area = ModelFill(Grid{w, h, values}, cx, cy, false, CCellBlock{1, 1, {99}, {}, BlockSource::Map});
        Grid want{w, h, values};
        const bool fills = std::any_of(block.m_tiles.begin(), block.m_tiles.end(),
                                       [&](short v) { return v != kEmptyTileCell && v != want.At(cx, cy); });
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (fills && area.v[std::size_t(y * w + x)] == 99 && pattern.At(x, y) != kEmptyTileCell)
                    want.At(x, y) = pattern.At(x, y);
        ASSERT_EQ(LayerValues(filled.m_cells, CellLayer::Tiles), want.v) << "run " << run;
    }
}

// Shapes over several chunks, some covered whole, inside an edit while a
// copy of the layers (the undo history's) shares the chunks: each cell gets
// what the pattern gives it, the rectangle is that of the spans that changed
// a cell, the copy keeps its cells and the edit's chunks undo it.
TEST(PaintSpans, ShapesAcrossChunksChangeOnlyTheirCells)
{
    std::mt19937 rng(29);
    const int w = 300, h = 400;
    CCellLayers cells;
    cells.Create(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) cells.SetTile(x, y, short(int(rng() % 3) - 1));
    for (int run = 0; run < 40; ++run) {
        const CCellBlock block = RandomBlock(rng, BlockSource::Map, run % 3 ? 3 : 1, 2);
        const FillPattern pattern =
            run % 5 == 4 ? FillPattern::Scattered(block, rng()) : FillPattern::OfTiles(block, int(rng() % 5), 0);
        const int x = int(rng() % 360) - 30, y = int(rng() % 460) - 30;
        const CRect box(x, y, x + 1 + int(rng() % 330), y + 1 + int(rng() % 330));
        const std::vector<CellSpan> spans = ShapeSpans(CellShape(rng() % 4), box);
        const CCellLayers history = cells;
        Grid want = GridOf(cells, CellLayer::Tiles);
        const std::vector<short> was = want.v;
        CRect changed;
        for (const CellSpan& span : spans)
            for (int c = std::max(span.left, 0); c < std::min(span.right, w); ++c)
                if (span.row >= 0 && span.row < h && pattern.At(c, span.row) != kEmptyTileCell &&
                    std::exchange(want.At(c, span.row), pattern.At(c, span.row)) != pattern.At(c, span.row))
                    changed.UnionRect(changed,
                                      CRect(std::max(span.left, 0), span.row, std::min(span.right, w), span.row + 1));
        cells.BeginEdit();
        EXPECT_EQ(PaintSpans(cells, CellLayer::Tiles, spans, pattern), changed) << "run " << run;
        const std::vector<ChunkChange> edit = cells.EndEdit();
        ASSERT_EQ(LayerValues(cells, CellLayer::Tiles), want.v) << "run " << run;
        ASSERT_EQ(LayerValues(history, CellLayer::Tiles), was) << "run " << run;
        CCellLayers undone = cells;
        undone.PutChunks(edit, false);
        ASSERT_EQ(LayerValues(undone, CellLayer::Tiles), was) << "run " << run;
    }
}

TEST(FloodFill, ChangesNothingWhenThePatternWritesTheSameValue)
{
    CMapModel map = ModelOf(5, 5, 8, 8);
    const short same = kEmptyTileCell;
    EXPECT_TRUE(FloodFillArea(map.m_cells, CellLayer::Tiles, 2, 2, FillPattern::OfValue(same)).IsRectEmpty());
    // Outside the map: nothing.
    const short one = 1;
    EXPECT_TRUE(FloodFillArea(map.m_cells, CellLayer::Tiles, 5, 0, FillPattern::OfValue(one)).IsRectEmpty());
    // The attribute layer fills the same way.
    EXPECT_EQ(FloodFillArea(map.m_cells, CellLayer::Attributes, 0, 0, FillPattern::OfValue(one)), CRect(0, 0, 5, 5));
    EXPECT_EQ(map.m_cells.Attr(4, 4), 1);
}

// One area of 4096 x 4096 cells, and a serpentine corridor through a map of
// that size (an area as deep as a recursive fill could be): both are filled
// from a list of spans, without growing the stack.
TEST(FloodFill, LargeAreasAndLongCorridors)
{
    CCellLayers cells;
    ASSERT_EQ(cells.Create(4096, 4096), LayerAllocResult::Ok);
    const short seven = 7;
    EXPECT_EQ(FloodFillArea(cells, CellLayer::Tiles, 100, 3000, FillPattern::OfValue(seven)), CRect(0, 0, 4096, 4096));
    for (int y = 0; y < 4096; y += 97) ASSERT_EQ(cells.Tile((y * 31) % 4096, y), 7);

    // Walls on every other row with a gap at alternate ends.
    for (int y = 1; y < 4096; y += 2) {
        cells.FillRect(CellLayer::Tiles, 0, y, 4096, y + 1, 1);
        cells.SetTile((y / 2) % 2 ? 0 : 4095, y, 7);
    }
    const short two = 2;
    FloodFillArea(cells, CellLayer::Tiles, 0, 0, FillPattern::OfValue(two));
    EXPECT_EQ(cells.Tile(4095, 4094), 2);
    EXPECT_EQ(cells.Tile(0, 4094), 2);
    EXPECT_EQ(cells.Tile(5, 4093), 1);
}

TEST(LineCells, StepsToNeighboursWithoutGaps)
{
    std::mt19937 rng(7);
    const std::vector<std::pair<CPoint, CPoint>> fixed = {
        {{0, 0}, {0, 0}}, {{0, 0}, {4000, 1234}}, {{4095, 0}, {0, 4095}}, {{5, 5}, {5, -300}}, {{3, 1}, {-9, 2}}};
    for (int run = 0; run < 300; ++run) {
        const auto random = [&] { return CPoint(int(rng() % 200) - 100, int(rng() % 200) - 100); };
        const auto [from, to] = run < int(fixed.size()) ? fixed[std::size_t(run)] : std::pair{random(), random()};
        const std::vector<CPoint> line = LineCells(from, to);
        ASSERT_EQ(line.front(), from);
        ASSERT_EQ(line.back(), to);
        ASSERT_EQ(line.size(), std::size_t(std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)) + 1));
        for (std::size_t i = 1; i < line.size(); ++i)
            ASSERT_LE(std::max(std::abs(line[i].x - line[i - 1].x), std::abs(line[i].y - line[i - 1].y)), 1);
    }
}

TEST(MoveCellRect, MatchesACopyOfTheCells)
{
    std::mt19937 rng(3);
    for (int run = 0; run < 500; ++run) {
        const int w = int(rng() % 9) + 1, h = int(rng() % 9) + 1;
        std::vector<short> tiles(std::size_t(w * h)), attrs(tiles.size());
        for (std::size_t i = 0; i < tiles.size(); ++i) tiles[i] = short(i), attrs[i] = short(100 + i);
        CMapModel map = ModelOf(w, h, 8, 8, tiles, attrs);
        const auto coord = [&](int n) { return int(rng() % unsigned(n + 6)) - 3; };
        CRect from(coord(w), coord(h), 0, 0);
        from.right = from.left + int(rng() % 6);
        from.bottom = from.top + int(rng() % 6);
        // Onto itself now and then.
        const CPoint to = run % 7 == 0 ? from.TopLeft() : CPoint(coord(w), coord(h));

        Grid t{w, h, tiles}, a{w, h, attrs};
        Grid t0 = t, a0 = a;
        for (int y = from.top; y < from.bottom; ++y)
            for (int x = from.left; x < from.right; ++x)
                if (CellInMap(x, y, w, h)) t.At(x, y) = -1, a.At(x, y) = 0;
        for (int y = from.top; y < from.bottom; ++y)
            for (int x = from.left; x < from.right; ++x) {
                const int nx = x + to.x - from.left, ny = y + to.y - from.top;
                if (CellInMap(x, y, w, h) && CellInMap(nx, ny, w, h))
                    t.At(nx, ny) = t0.At(x, y), a.At(nx, ny) = a0.At(x, y);
            }
        MoveCellRect(map.m_cells, from, to);
        ASSERT_EQ(LayerValues(map.m_cells, CellLayer::Tiles), t.v) << "run " << run;
        ASSERT_EQ(LayerValues(map.m_cells, CellLayer::Attributes), a.v) << "run " << run;
    }
}

// Palette blocks stamp and fill exactly as the palette's own blocks always
// did; a map block's hole leaves only its own cell.
TEST(CellBlock, StampAndFillByTheBlocksRule)
{
    std::mt19937 rng(11);
    for (int run = 0; run < 300; ++run) {
        const int w = int(rng() % 10) + 1, h = int(rng() % 10) + 1;
        CCellBlock block = RandomBlock(rng, run % 2 ? BlockSource::Map : BlockSource::Palette, 4, 6);
        const int col = int(rng() % 14) - 4, row = int(rng() % 14) - 4;
        const CRect area(int(rng() % 8), int(rng() % 8), int(rng() % 12), int(rng() % 12));
        CMapModel a = ModelOf(w, h, 8, 8), b = ModelOf(w, h, 8, 8);
        if (!block.FromMap()) {
            const CTileBlock palette{block.m_nCols, block.m_nRows, block.m_tiles};
            ASSERT_EQ(StampCellBlock(a.m_cells, block, col, row), StampBlock(b.m_cells, palette, col, row));
            ASSERT_EQ(FillWithCellBlock(a.m_cells, block, area), FillWithBlock(b.m_cells, palette, area));
        } else {
            StampCellBlock(a.m_cells, block, col, row, true);
            Grid t = GridOf(b.m_cells, CellLayer::Tiles), at = GridOf(b.m_cells, CellLayer::Attributes);
            for (int r = 0; r < block.m_nRows; ++r)
                for (int c = 0; c < block.m_nCols; ++c)
                    if (CellInMap(col + c, row + r, w, h)) {
                        if (block.Tile(r, c) != -1) t.At(col + c, row + r) = block.Tile(r, c);
                        at.At(col + c, row + r) = block.Attr(r, c);
                    }
            ASSERT_EQ(LayerValues(a.m_cells, CellLayer::Attributes), at.v);
            FillWithCellBlock(a.m_cells, block, area);
            for (int y = std::max(0, area.top); y < std::min(h, area.bottom); ++y)
                for (int x = std::max(0, area.left); x < std::min(w, area.right); ++x) {
                    const short e = block.Tile((y - area.top) % block.m_nRows, (x - area.left) % block.m_nCols);
                    if (e != -1) t.At(x, y) = e;
                }
            b.m_cells = a.m_cells;
            ASSERT_EQ(LayerValues(a.m_cells, CellLayer::Tiles), t.v) << "run " << run;
        }
        ASSERT_EQ(LayerValues(a.m_cells, CellLayer::Tiles), LayerValues(b.m_cells, CellLayer::Tiles)) << "run " << run;
    }
}

}  // namespace
