// Cutting the bitmap into tiles: orientation, reading order, edges.
#include "bmpwriter.h"
#include "dib.h"
#include "picturecheck.h"
#include "tilecut.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class TileCut : public ::testing::Test {
protected:
    void Load(const TestPicture& picture)
    {
        m_picture = picture;
        const std::vector<std::uint8_t> file = EncodeBmp(picture);
        ASSERT_TRUE(m_dib.LoadFromMemory(file.data(), file.size()));
    }

    TestPicture m_picture;
    CDib m_dib;
    CTileList m_tiles;
};

// What a whole cut made and said.
std::pair<int, std::string> Outcome(const BitmapCutResult& cut) { return {cut.appended, cut.message}; }
using Said = std::pair<int, std::string>;

TEST_F(TileCut, TopLeftCellComesFromTheLastStoredRows)
{
    TestPicture picture = MakePicture(64, 48, 8);
    for (int x = 0; x < 64; ++x) picture.pixels[std::size_t(x)] = 200;  // mark the picture's top row
    Load(picture);
    CSprite* tile = CutTile(m_dib, CRect(0, 0, 32, 32)).tile;
    ASSERT_NE(tile, nullptr);
    // The bitmap's last stored row is its top row; so is the tile's.
    const BYTE* bitmapTop = m_dib.m_pBits + 47 * m_dib.GetStride();
    const BYTE* tileTop = tile->m_pBits + 31 * tile->GetStride();
    EXPECT_EQ(std::memcmp(tileTop, bitmapTop, 32), 0);
    EXPECT_EQ(tileTop[0], 200);
    EXPECT_TRUE(RowsMatch(tile->m_pBits, tile->GetStride(), 32, 32, picture, 0, 0, true));
    EXPECT_TRUE(ScreenMatches(tile->GetScreenBits(), 32, 32, picture, 0, 0));
    EXPECT_EQ(std::memcmp(tile->m_pColors, m_dib.m_pColors, 1024), 0);
    delete tile;
}

// A tile set holds at most 32767 tiles: a cut stops there, says so once,
// and keeps the tiles it made before.
TEST_F(TileCut, StopsAtTheTileLimitWithOneMessage)
{
    Load(MakePicture(100, 70, 24));
    struct Case {
        int held, appended;
    };
    for (const Case c : {Case{0, 6}, Case{kMaxTiles - 6, 6}, Case{kMaxTiles - 3, 3}, Case{kMaxTiles, 0}}) {
        SCOPED_TRACE(c.held);
        CTileList tiles;
        const std::string said = c.appended == 6 ? "" : "타일은 32767개까지만 만들 수 있어 나머지는 자르지 않았습니다";
        EXPECT_EQ(Outcome(CutWholeBitmap(m_dib, 32, 32, tiles, c.held)), Said(c.appended, said));
        EXPECT_EQ(tiles.GetCount(), c.appended);
    }
}

TEST_F(TileCut, WholeBitmap100x70Gives6TilesInReadingOrder)
{
    Load(MakePicture(100, 70, 24));
    EXPECT_EQ(Outcome(CutWholeBitmap(m_dib, 32, 32, m_tiles)), Said(6, ""));
    ASSERT_EQ(m_tiles.GetCount(), 6);
    for (int n = 0; n < 6; ++n) {
        const CSprite* tile = m_tiles.GetAt(n);
        EXPECT_EQ(tile->GetWidth(), 32);
        EXPECT_EQ(tile->GetHeight(), 32);
        EXPECT_EQ(m_tiles.AttributeAt(n), 0);
        EXPECT_TRUE(ScreenMatches(tile->GetScreenBits(), 32, 32, m_picture, n % 3 * 32, n / 3 * 32)) << "tile " << n;
    }
}

TEST_F(TileCut, WholeCutAppendsBehindExistingTiles)
{
    Load(MakePicture(40, 20, 16));
    EXPECT_EQ(CutWholeBitmap(m_dib, 20, 20, m_tiles).appended, 2);
    EXPECT_EQ(CutWholeBitmap(m_dib, 10, 10, m_tiles).appended, 8);
    ASSERT_EQ(m_tiles.GetCount(), 10);
    EXPECT_EQ(m_tiles.GetAt(1)->GetWidth(), 20);
    EXPECT_TRUE(ScreenMatches(m_tiles.GetAt(2 + 5)->GetScreenBits(), 10, 10, m_picture, 10, 10));
}

TEST_F(TileCut, TileLargerThanTheBitmapGivesNothing)
{
    Load(MakePicture(31, 31, 8));
    EXPECT_EQ(Outcome(CutWholeBitmap(m_dib, 32, 32, m_tiles)), Said(0, ""));
    EXPECT_TRUE(m_tiles.IsEmpty());
}

TEST_F(TileCut, ZeroOrNegativeTileSizeGivesNothing)
{
    Load(MakePicture(16, 16, 8));
    for (const auto& [w, h] : {std::pair{0, 8}, std::pair{8, 0}, std::pair{0, 0}, std::pair{-8, 8}})
        EXPECT_EQ(Outcome(CutWholeBitmap(m_dib, w, h, m_tiles)), Said(0, ""));
    EXPECT_TRUE(m_tiles.IsEmpty());
}

TEST_F(TileCut, NothingLoadedGivesNothing)
{
    EXPECT_EQ(Outcome(CutWholeBitmap(m_dib, 32, 32, m_tiles)), Said(0, ""));
    const TileCutResult cut = CutTile(m_dib, CRect(0, 0, 32, 32));
    EXPECT_EQ(cut.tile, nullptr);
    EXPECT_TRUE(cut);
}

TEST_F(TileCut, ThirtyTwoBitBitmapGivesOneMessageAndNoTile)
{
    Load(MakePicture(100, 70, 32));
    EXPECT_EQ(Outcome(CutWholeBitmap(m_dib, 32, 32, m_tiles)), Said(0, "메모리 확보에 실패했습니다.(Sprite Info)"));
    EXPECT_TRUE(m_tiles.IsEmpty());
}

TEST_F(TileCut, CellsReachingPastTheEdgeAreSkipped)
{
    Load(MakePicture(100, 70, 8));
    struct Cell {
        CRect rc;
        bool inside;
    };
    for (const Cell& cell :
         {Cell{CRect(64, 32, 96, 64), true}, Cell{CRect(96, 0, 128, 32), false}, Cell{CRect(0, 64, 32, 96), false},
          Cell{CRect(68, 38, 100, 70), true}, Cell{CRect(-32, 0, 0, 32), false}, Cell{CRect(0, 0, 0, 32), false},
          Cell{CRect(0, 0, 100, 70), true}, Cell{CRect(0, 0, 101, 70), false}}) {
        EXPECT_EQ(CellInsideBitmap(m_dib, cell.rc), cell.inside) << cell.rc.left << "," << cell.rc.top;
        const TileCutResult cut = CutTile(m_dib, cell.rc);
        EXPECT_EQ(cut.tile != nullptr, cell.inside);
        EXPECT_TRUE(cut) << cut.message;
        delete cut.tile;
    }
}

}  // namespace
