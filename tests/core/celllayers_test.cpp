#include "celllayers.h"
#include "mapmodel.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <numeric>
#include <random>
#include <vector>

namespace {

std::vector<short> RowValues(const CCellLayers& cells, CellLayer layer, int row)
{
    std::vector<short> values(std::size_t(cells.Width()));
    if (!cells.ReadRow(layer, row, values.data())) values.clear();
    return values;
}

TEST(CellLayers, FreshMapIsEmptyAndRowMajor)
{
    CCellLayers cells;
    ASSERT_EQ(cells.Create(20, 15), LayerAllocResult::Ok);
    EXPECT_EQ(cells.CellCount(), 300u);
    for (int row = 0; row < 15; ++row)
        for (int col = 0; col < 20; ++col) {
            ASSERT_EQ(cells.Tile(col, row), -1);
            ASSERT_EQ(cells.Attr(col, row), 0);
        }
    EXPECT_TRUE(cells.SetTile(3, 2, 7));
    EXPECT_TRUE(cells.SetAttr(3, 2, -5));
    EXPECT_EQ(cells.RowOf(CellLayer::Tiles, 2)[3], 7);
    EXPECT_EQ(RowValues(cells, CellLayer::Attributes, 2)[3], -5);
}

struct RefusedSize {
    int width, height;
};

class CellLayersRefused : public ::testing::TestWithParam<RefusedSize> {};

// Sizes whose count overflows, is negative or passes the cap give the
// message, never a crash or a huge allocation; the map has no cells then.
TEST_P(CellLayersRefused, SaysTheLimit)
{
    const auto [w, h] = GetParam();
    EXPECT_EQ(LayerCellCount(w, h), std::nullopt);
    CCellLayers cells;
    const LayerAllocResult result = cells.Create(w, h);
    EXPECT_EQ(result, LayerAllocResult::TooLarge);
    EXPECT_STREQ(LayerAllocMessage(result), "지도가 너무 큽니다. 16384 x 16384칸(268,435,456칸)까지 만들 수 있습니다.");
    EXPECT_FALSE(cells.HasLayer(CellLayer::Tiles));
    EXPECT_FALSE(cells.HasLayer(CellLayer::Attributes));
    EXPECT_FALSE(cells.SetTile(0, 0, 1));
    EXPECT_EQ(cells.Tile(0, 0), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CellLayersRefused,
                         ::testing::Values(RefusedSize{INT_MAX, INT_MAX}, RefusedSize{100000, 100000},
                                           RefusedSize{16384, 16385}, RefusedSize{kMaxMapSide + 1, 0}));

TEST(CellLayers, LimitsAndMessages)
{
    EXPECT_EQ(LayerCellCount(16384, 16384), std::size_t(kMaxLayerCells));
    EXPECT_EQ(LayerCellCount(0, 5), 0u);
    EXPECT_EQ(LayerCellCount(kMaxMapSide, 32), std::size_t(kMaxLayerCells));
    EXPECT_LE(std::int64_t(kMaxMapSide) * 255, INT_MAX);  // map pixels fit an int
    EXPECT_EQ(LayerAllocMessage(LayerAllocResult::Ok), nullptr);
    EXPECT_STREQ(LayerAllocMessage(LayerAllocResult::TileLayerFailed), "지도를 생성할수 없습니다.");
    EXPECT_STREQ(LayerAllocMessage(LayerAllocResult::AttrLayerFailed), "지도 속성을 생성할수 없습니다.");
    CCellLayers empty;
    EXPECT_EQ(empty.Create(0, 7), LayerAllocResult::Ok);
    EXPECT_TRUE(empty.IsComplete());
    EXPECT_FALSE(empty.RowOf(CellLayer::Tiles, 7));
}

TEST(CellLayers, EveryAccessIsBoundsChecked)
{
    CCellLayers cells;
    ASSERT_EQ(cells.Create(3, 2), LayerAllocResult::Ok);
    struct Probe {
        int col, row;
        bool inside;
    };
    for (const Probe p : {Probe{0, 0, true}, Probe{2, 1, true}, Probe{3, 0, false}, Probe{0, 2, false},
                          Probe{-1, 0, false}, Probe{0, -1, false}, Probe{INT_MAX, INT_MAX, false}}) {
        SCOPED_TRACE(testing::Message() << p.col << ", " << p.row);
        EXPECT_EQ(cells.SetTile(p.col, p.row, 9), p.inside);
        EXPECT_EQ(cells.Tile(p.col, p.row).has_value(), p.inside);
    }
    EXPECT_FALSE(cells.RowOf(CellLayer::Tiles, 2));
    EXPECT_FALSE(cells.RowOf(CellLayer::Tiles, -1));
    EXPECT_FALSE(cells.ForEachRun(CellLayer::Tiles, 2, 0, 3, [](int, const short*, int) { ADD_FAILURE(); }));
}

// Copies share their chunks until one of them writes: random writes of
// cells, rectangles (some covering chunks whole) and rows to either side of
// a copy, on maps narrower than a chunk, of one row of chunks and of chunks
// cut at the right and bottom edges, against plain vectors.
TEST(CellLayers, CopiesAreIndependentAfterWrites)
{
    std::mt19937 random(7);
    for (const auto& [w, h] : {std::pair{5, 40000}, std::pair{70000, 3}, std::pair{300, 300}, std::pair{129, 257}}) {
        CCellLayers original;
        ASSERT_EQ(original.Create(w, h), LayerAllocResult::Ok);
        std::vector<short> model(std::size_t(w) * h, -1);
        auto write = [&](CCellLayers& cells, std::vector<short>& plain) {
            const int col = int(random() % unsigned(w)), row = int(random() % unsigned(h));
            const short v = short(random() % 1000);
            switch (random() % 8) {
            case 0: {
                const int right = col + int(random() % 300), bottom = row + int(random() % 300);
                ASSERT_TRUE(cells.FillRect(CellLayer::Tiles, col, row, right, bottom, v));
                for (int y = row; y < std::min(bottom, h); ++y)
                    for (int x = col; x < std::min(right, w); ++x) plain[std::size_t(y) * w + x] = v;
                break;
            }
            case 1: {
                std::vector<short> line(static_cast<std::size_t>(w));
                for (short& cell : line) cell = short(random() % 1000);
                ASSERT_TRUE(cells.WriteRow(CellLayer::Tiles, row, line.data()));
                std::copy(line.begin(), line.end(), plain.begin() + std::ptrdiff_t(row) * w);
                break;
            }
            default: ASSERT_TRUE(cells.SetTile(col, row, v)); plain[std::size_t(row) * w + col] = v;
            }
        };
        for (int i = 0; i < 200; ++i) write(original, model);
        CCellLayers copy = original;
        std::vector<short> copyModel = model;
        for (int i = 0; i < 200; ++i) {
            write(original, model);
            write(copy, copyModel);
        }
        for (int row = 0; row < h; ++row) {
            ASSERT_TRUE(std::equal(model.begin() + std::ptrdiff_t(row) * w, model.begin() + std::ptrdiff_t(row + 1) * w,
                                   RowValues(original, CellLayer::Tiles, row).begin()));
            const CellRow copied = copy.RowOf(CellLayer::Tiles, row);
            for (int col = 0; col < w; ++col) ASSERT_EQ(copied[col], copyModel[std::size_t(row) * w + col]);
        }
    }
}

// What an edit changed, as chunks: random writes to both layers (some
// writing what a cell holds already) against plain copies; the changes name
// exactly the chunks whose cells differ, and putting their before and after
// chunks back gives both states again.
TEST(CellLayers, AnEditsChangesAreTheChunksThatDiffer)
{
    std::mt19937 random(3);
    for (const auto& [w, h] : {std::pair{5, 30000}, std::pair{70000, 2}, std::pair{300, 700}}) {
        CCellLayers cells;
        ASSERT_EQ(cells.Create(w, h), LayerAllocResult::Ok);
        for (int round = 0; round < 8; ++round) {
            auto snapshot = [&](const CCellLayers& c) {
                std::vector<short> all;
                for (CellLayer layer : {CellLayer::Tiles, CellLayer::Attributes})
                    for (int row = 0; row < h; ++row) {
                        const std::vector<short> values = RowValues(c, layer, row);
                        all.insert(all.end(), values.begin(), values.end());
                    }
                return all;
            };
            const std::vector<short> then = snapshot(cells);
            cells.BeginEdit();
            for (int i = int(random() % 6); i > 0; --i) {
                const CellLayer layer = random() % 2 ? CellLayer::Tiles : CellLayer::Attributes;
                const int col = int(random() % unsigned(w)), row = int(random() % unsigned(h));
                const short old = *cells.Get(layer, col, row);
                ASSERT_TRUE(cells.Set(layer, col, row, random() % 3 ? old : short(random() % 7)));
            }
            const std::vector<short> now = snapshot(cells);
            const std::vector<ChunkChange> changes = cells.EndEdit();
            std::size_t changedCells = 0;
            for (const ChunkChange& change : changes) {
                EXPECT_FALSE(std::equal(change.before.get(), change.before.get() + change.cells, change.after.get()));
                changedCells += change.cells;
            }
            const auto differing = std::inner_product(then.begin(), then.end(), now.begin(), std::size_t(0),
                                                      std::plus<>(), std::not_equal_to<>());
            EXPECT_EQ(changes.empty(), differing == 0);
            EXPECT_LE(differing, changedCells);
            cells.PutChunks(changes, false);
            ASSERT_EQ(snapshot(cells), then);
            cells.PutChunks(changes, true);
            ASSERT_EQ(snapshot(cells), now);
        }
    }
}

// The edits against a plain model of the rules: a stamp skips the rest of
// a block row at -1, a fill repeats the block from the area's corner and
// skips the rest of an area row at -1, attributes cover the area; nothing
// lands outside the map, and the rectangle returned holds every write.
TEST(MapEdits, MatchAPlainModel)
{
    std::mt19937 random(11);
    constexpr int kW = 9, kH = 7;
    for (int round = 0; round < 300; ++round) {
        CCellLayers cells;
        ASSERT_EQ(cells.Create(kW, kH), LayerAllocResult::Ok);
        std::vector<short> tiles(kW * kH, -1), attrs(kW * kH, 0);
        CTileBlock block;
        block.m_nCols = 1 + int(random() % 3);
        block.m_nRows = 1 + int(random() % 3);
        for (int i = 0; i < block.m_nCols * block.m_nRows; ++i)
            block.m_entries.push_back(random() % 4 == 0 ? short(-1) : short(random() % 50));
        const int x = int(random() % (kW + 2)) - 1, y = int(random() % (kH + 2)) - 1;
        const CRect area(x, y, x + int(random() % 6), y + int(random() % 6));

        CRect written;
        std::vector<bool> touched(kW * kH, false);
        auto put = [&](std::vector<short>& layer, int col, int row, short v) {
            if (col < 0 || row < 0 || col >= kW || row >= kH) return;
            layer[std::size_t(row * kW + col)] = v;
            touched[std::size_t(row * kW + col)] = true;
        };
        switch (round % 3) {
        case 0:
            written = StampBlock(cells, block, x, y);
            for (int r = 0; r < block.m_nRows; ++r)
                for (int c = 0; c < block.m_nCols && block.At(r, c) != -1; ++c)
                    put(tiles, x + c, y + r, block.At(r, c));
            break;
        case 1:
            written = FillWithBlock(cells, block, area);
            if (area.left < 0 || area.top < 0) break;
            for (int i = 0; i < area.Height(); ++i)
                for (int j = 0; j < area.Width(); ++j) {
                    const short v = block.At(i % block.m_nRows, j % block.m_nCols);
                    if (v == -1) break;
                    put(tiles, area.left + j, area.top + i, v);
                }
            break;
        default:
            written = SetAttributes(cells, area, short(round));
            for (int row = area.top; row < area.bottom; ++row)
                for (int col = area.left; col < area.right; ++col) put(attrs, col, row, short(round));
        }
        for (int row = 0; row < kH; ++row)
            for (int col = 0; col < kW; ++col) {
                const std::size_t i = std::size_t(row * kW + col);
                ASSERT_EQ(cells.Tile(col, row), tiles[i]) << "round " << round;
                ASSERT_EQ(cells.Attr(col, row), attrs[i]) << "round " << round;
                if (touched[i]) {
                    ASSERT_TRUE(written.PtInRect({col, row})) << "round " << round;
                }
            }
    }
}

}  // namespace
