// The tile set: numbers are positions, lookups are checked, only filled
// tiles get in.
#include "tilelist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CSprite* MakeTile(BYTE attr)
{
    const std::vector<BYTE> bits(4 * 2, 0);
    CSprite* tile = new CSprite;
    tile->CreateFromData(1, 2, nullptr, bits.data(), 24);
    tile->m_byAttr = attr;
    return tile;
}

std::vector<int> Attributes(const CTileList& tiles)
{
    std::vector<int> attrs;
    for (const CSprite* tile : tiles) attrs.push_back(tile->m_byAttr);
    return attrs;
}

TEST(TileList, NumbersArePositionsAndRemovingRenumbers)
{
    CTileList tiles;
    EXPECT_TRUE(tiles.IsEmpty());
    for (BYTE a = 0; a < 5; ++a) EXPECT_EQ(tiles.AddTail(MakeTile(a)), a);
    EXPECT_EQ(tiles.GetCount(), 5);
    EXPECT_EQ(tiles.GetAt(3)->m_byAttr, 3);

    const SharedSprite removed = tiles.RemoveAt(1);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->m_byAttr, 1);
    EXPECT_EQ(Attributes(tiles), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(tiles.GetAt(1)->m_byAttr, 2);

    // Put back where it was, it has its number again.
    EXPECT_TRUE(tiles.InsertAt(1, removed));
    EXPECT_EQ(Attributes(tiles), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(tiles.InsertAt(6, removed));
    EXPECT_FALSE(tiles.InsertAt(-1, removed));
}

TEST(TileList, NumbersOutsideTheListGiveNothing)
{
    CTileList tiles;
    EXPECT_EQ(tiles.GetAt(0), nullptr);
    EXPECT_EQ(tiles.RemoveAt(0), nullptr);
    tiles.AddTail(MakeTile(1));
    tiles.AddTail(MakeTile(2));
    for (int n : {-1, 2, 3, -32768, 32767}) {
        EXPECT_EQ(tiles.GetAt(n), nullptr) << n;
        EXPECT_EQ(tiles.RemoveAt(n), nullptr) << n;
    }
    EXPECT_EQ(tiles.GetCount(), 2);
}

TEST(TileList, EmptyTilesAreRefused)
{
    CTileList tiles;
    CSprite empty;
    EXPECT_EQ(tiles.AddTail(&empty), -1);
    EXPECT_EQ(tiles.AddTail(nullptr), -1);
    EXPECT_TRUE(tiles.IsEmpty());
}

TEST(TileList, DeleteAllEmptiesTheList)
{
    CTileList tiles;
    for (BYTE a = 0; a < 3; ++a) tiles.AddTail(MakeTile(a));
    tiles.DeleteAll();
    EXPECT_TRUE(tiles.IsEmpty());
    EXPECT_EQ(tiles.GetAt(0), nullptr);
    tiles.AddTail(MakeTile(9));
    EXPECT_EQ(tiles.GetAt(0)->m_byAttr, 9);
}

}  // namespace
