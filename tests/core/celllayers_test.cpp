#include "celllayers.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

TEST(CellLayers, FreshMapHasEmptyCells)
{
    short* tiles = nullptr;
    short* attrs = nullptr;
    ASSERT_EQ(AllocateMissingLayers(tiles, attrs, 20, 15), LayerAllocResult::Ok);
    EXPECT_EQ(std::vector<short>(tiles, tiles + 300), std::vector<short>(300, -1));
    EXPECT_EQ(std::vector<short>(attrs, attrs + 300), std::vector<short>(300, 0));
    ReleaseLayers(tiles, attrs);
    EXPECT_EQ(tiles, nullptr);
    EXPECT_EQ(attrs, nullptr);
}

TEST(CellLayers, CellsAreRowMajor)
{
    short* tiles = nullptr;
    short* attrs = nullptr;
    ASSERT_EQ(AllocateMissingLayers(tiles, attrs, 20, 15), LayerAllocResult::Ok);
    EXPECT_TRUE(WriteCell(tiles, 20, 15, 3, 2, 7));
    EXPECT_TRUE(WriteCell(attrs, 20, 15, 3, 2, -5));
    EXPECT_EQ(tiles[43], 7);
    EXPECT_EQ(attrs[43], -5);
    EXPECT_EQ(ReadCell(tiles, 20, 15, 3, 2), 7);
    ReleaseLayers(tiles, attrs);
}

TEST(CellLayers, ExistingLayersAreKept)
{
    short* tiles = nullptr;
    short* attrs = nullptr;
    ASSERT_EQ(AllocateMissingLayers(tiles, attrs, 4, 4), LayerAllocResult::Ok);
    tiles[5] = 3;
    attrs[6] = 9;
    short* const keptTiles = tiles;
    ASSERT_EQ(AllocateMissingLayers(tiles, attrs, 4, 4), LayerAllocResult::Ok);
    EXPECT_EQ(tiles, keptTiles);
    EXPECT_EQ(tiles[5], 3);
    EXPECT_EQ(attrs[6], 9);

    // Only the missing one is made anew.
    delete[] attrs;
    attrs = nullptr;
    ASSERT_EQ(AllocateMissingLayers(tiles, attrs, 4, 4), LayerAllocResult::Ok);
    EXPECT_EQ(tiles[5], 3);
    EXPECT_EQ(attrs[6], 0);
    ReleaseLayers(tiles, attrs);
}

struct RefusedSize {
    int width, height;
};

class CellLayersRefused : public ::testing::TestWithParam<RefusedSize> {};

// Sizes whose count overflows, is negative or passes the cap give the
// message, never a crash or a huge allocation.
TEST_P(CellLayersRefused, TileLayerFailsFirst)
{
    const auto [w, h] = GetParam();
    EXPECT_EQ(LayerCellCount(w, h), std::nullopt);
    short* tiles = nullptr;
    short* attrs = nullptr;
    const LayerAllocResult result = AllocateMissingLayers(tiles, attrs, w, h);
    EXPECT_EQ(result, LayerAllocResult::TileLayerFailed);
    EXPECT_STREQ(LayerAllocMessage(result), "지도를 생성할수 없습니다.");
    EXPECT_EQ(tiles, nullptr);
    EXPECT_EQ(attrs, nullptr);
}

TEST_P(CellLayersRefused, AttributeLayerFailsWhenTheTileLayerExists)
{
    const auto [w, h] = GetParam();
    short* tiles = new short[1]{42};
    short* attrs = nullptr;
    const LayerAllocResult result = AllocateMissingLayers(tiles, attrs, w, h);
    EXPECT_EQ(result, LayerAllocResult::AttrLayerFailed);
    EXPECT_STREQ(LayerAllocMessage(result), "지도 속성을 생성할수 없습니다.");
    EXPECT_EQ(tiles[0], 42);
    EXPECT_EQ(attrs, nullptr);
    ReleaseLayers(tiles, attrs);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CellLayersRefused,
                         ::testing::Values(RefusedSize{INT_MAX, INT_MAX}, RefusedSize{100000, 100000},
                                           RefusedSize{8192, 8193}, RefusedSize{-1, 15}, RefusedSize{20, INT_MIN},
                                           RefusedSize{kMaxMapSide + 1, 0}, RefusedSize{0, INT_MAX}));

TEST(CellLayers, CapItselfIsAllowed)
{
    EXPECT_EQ(LayerCellCount(8192, 8192), std::size_t(kMaxLayerCells));
    EXPECT_EQ(LayerCellCount(0, 5), 0u);
    EXPECT_EQ(LayerCellCount(kMaxMapSide, 8), std::size_t(kMaxLayerCells));
    EXPECT_LE(std::int64_t(kMaxMapSide) * 255, INT_MAX);  // map pixels fit an int
    EXPECT_EQ(LayerAllocMessage(LayerAllocResult::Ok), nullptr);
}

TEST(CellLayers, EveryAccessIsBoundsChecked)
{
    std::vector<short> layer(6, 1);  // 3 x 2
    struct Probe {
        int col, row;
        bool inside;
    };
    for (const Probe p : {Probe{0, 0, true}, Probe{2, 1, true}, Probe{3, 0, false}, Probe{0, 2, false},
                          Probe{-1, 0, false}, Probe{0, -1, false}, Probe{INT_MAX, INT_MAX, false}}) {
        SCOPED_TRACE(testing::Message() << p.col << ", " << p.row);
        EXPECT_EQ(WriteCell(layer.data(), 3, 2, p.col, p.row, 9), p.inside);
        EXPECT_EQ(ReadCell(layer.data(), 3, 2, p.col, p.row).has_value(), p.inside);
    }
    EXPECT_EQ(layer, (std::vector<short>{9, 1, 1, 1, 1, 9}));
    EXPECT_FALSE(WriteCell(nullptr, 3, 2, 0, 0, 1));
    EXPECT_EQ(ReadCell(nullptr, 3, 2, 0, 0), std::nullopt);
}

TEST(CellLayers, ReplaceTakesTheNewLayers)
{
    short* tiles = AllocateLayer(2, 2, -1);
    short* attrs = AllocateLayer(2, 2, 0);
    short* newTiles = AllocateLayer(3, 1, 4);
    short* newAttrs = AllocateLayer(3, 1, 5);
    ReplaceLayers(tiles, attrs, newTiles, newAttrs);
    EXPECT_EQ(tiles, newTiles);
    EXPECT_EQ(attrs, newAttrs);
    ReplaceLayers(tiles, attrs, tiles, attrs);  // the same layers again: nothing freed
    EXPECT_EQ(tiles[2], 4);
    ReleaseLayers(tiles, attrs);
}

}  // namespace
