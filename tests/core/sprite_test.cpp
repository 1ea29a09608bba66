// Tiles made from stored data and cut from bitmaps: layout, exact colours,
// and the cases where no tile can be made.
#include "bmpwriter.h"
#include "dib.h"
#include "picturecheck.h"
#include "sprite.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

const BYTE* BlockOf(const CSprite& tile) { return reinterpret_cast<const BYTE*>(tile.m_pBMI); }

// Stored rows and, for 8-bit, colours as a map file would hand them over.
struct StoredTile {
    TestPicture picture;
    std::vector<RGBQUAD> colours;
    std::vector<BYTE> bits;
    int stride = 0;
};

StoredTile MakeStored(int width, int height, WORD bitCount, unsigned seed)
{
    StoredTile stored;
    stored.picture = MakePicture(width, height, bitCount, seed);
    stored.colours = stored.picture.colours;
    stored.colours.resize(256);
    stored.stride = (width * bitCount / 8 + 3) & ~3;
    stored.bits.assign(std::size_t(stored.stride) * std::size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int b = 0; b < bitCount / 8; ++b)
                stored.bits[std::size_t((height - 1 - y) * stored.stride + x * bitCount / 8 + b)] =
                    BYTE(stored.picture.At(x, y) >> (8 * b));
    // Padding as it happens to be in the file: kept as it is.
    for (int row = 0; row < height; ++row)
        for (int p = width * bitCount / 8; p < stored.stride; ++p)
            stored.bits[std::size_t(row * stored.stride + p)] = 0x5A;
    return stored;
}

struct StrideCase {
    WORD bitCount;
    int width;
    int height;
    int stride;
};

class TileStride : public ::testing::TestWithParam<StrideCase> {};

TEST_P(TileStride, RowsAreRoundedUpTo4Bytes)
{
    const StrideCase c = GetParam();
    const StoredTile stored = MakeStored(c.width, c.height, c.bitCount, 1);
    CSprite tile;
    tile.CreateFromData(BYTE(c.width), BYTE(c.height), stored.colours.data(), stored.bits.data(), c.bitCount);
    ASSERT_FALSE(tile.IsEmpty());
    EXPECT_EQ(tile.GetStride(), c.stride);
    EXPECT_EQ(tile.m_pBits - BlockOf(tile), c.bitCount == 8 ? 1064 : 40);
    EXPECT_EQ(tile.m_pBMI->bmiHeader.biSizeImage, DWORD(c.stride * c.height));
}

INSTANTIATE_TEST_SUITE_P(Examples, TileStride,
                         ::testing::Values(StrideCase{8, 16, 16, 16}, StrideCase{24, 24, 24, 72},
                                           StrideCase{24, 5, 3, 16}, StrideCase{24, 3, 2, 12}, StrideCase{8, 1, 1, 4},
                                           StrideCase{8, 5, 2, 8}, StrideCase{16, 3, 2, 8}, StrideCase{16, 2, 2, 4},
                                           StrideCase{24, 255, 1, 768}, StrideCase{8, 255, 255, 256}));

TEST(TileStride, CutTilePaddingIsZeroEvenWhenTheFileHadOther)
{
    const TestPicture picture = MakePicture(10, 4, 24);  // file padding is 0xA5
    const std::vector<std::uint8_t> file = EncodeBmp(picture);
    CDib dib;
    ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
    CSprite tile;
    tile.Create(5, 0, 10, 4, dib.m_pBMI);
    ASSERT_EQ(tile.GetStride(), 16);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(tile.m_pBits[row * 16 + 15], 0) << row;
}

class TileFromData : public ::testing::TestWithParam<WORD> {};

TEST_P(TileFromData, RoundTripKeepsEveryByteAndShowsExactColours)
{
    const WORD bitCount = GetParam();
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{32, 32}, std::pair{255, 2}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const StoredTile stored = MakeStored(w, h, bitCount, unsigned(w * 7 + h));
        CSprite tile;
        tile.CreateFromData(BYTE(w), BYTE(h), stored.colours.data(), stored.bits.data(), bitCount);
        ASSERT_FALSE(tile.IsEmpty());

        const BITMAPINFOHEADER& header = tile.m_pBMI->bmiHeader;
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, w);
        EXPECT_EQ(header.biHeight, h);
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, bitCount);
        EXPECT_EQ(header.biCompression, BI_RGB);
        EXPECT_EQ(header.biClrUsed, 0u);
        EXPECT_EQ(std::memcmp(tile.m_pBits, stored.bits.data(), stored.bits.size()), 0);
        if (bitCount == 8) {
            ASSERT_EQ(reinterpret_cast<const BYTE*>(tile.m_pColors), BlockOf(tile) + 40);
            EXPECT_EQ(std::memcmp(tile.m_pColors, stored.colours.data(), 1024), 0);
        } else {
            EXPECT_EQ(tile.m_pColors, nullptr);
        }
        EXPECT_TRUE(ScreenMatches(tile.GetScreenBits(), w, h, stored.picture, 0, 0));

        // What a saved tile reads back as is the same tile.
        CSprite again;
        again.CreateFromData(BYTE(w), BYTE(h), tile.m_pColors, tile.m_pBits, bitCount);
        ASSERT_FALSE(again.IsEmpty());
        EXPECT_EQ(
            std::memcmp(again.m_pBMI, tile.m_pBMI, std::size_t(tile.m_pBits - BlockOf(tile)) + stored.bits.size()), 0);
        EXPECT_EQ(std::memcmp(again.GetScreenBits(), tile.GetScreenBits(), std::size_t(w * h) * 4), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, TileFromData, ::testing::Values(WORD(8), WORD(16), WORD(24)));

TEST(TileFromData, CutTileSurvivesASaveAndLoad)
{
    for (WORD bitCount : {WORD(8), WORD(16), WORD(24)}) {
        const TestPicture picture = MakePicture(20, 12, bitCount, bitCount);
        const std::vector<std::uint8_t> file = EncodeBmp(picture);
        CDib dib;
        ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
        CSprite cut;
        cut.Create(3, 2, 10, 7, dib.m_pBMI);
        ASSERT_FALSE(cut.IsEmpty());
        CSprite loaded;
        loaded.CreateFromData(7, 5, dib.m_pColors, cut.m_pBits, bitCount);
        ASSERT_FALSE(loaded.IsEmpty());
        EXPECT_EQ(std::memcmp(loaded.m_pBits, cut.m_pBits, std::size_t(cut.GetStride()) * 5), 0);
        EXPECT_TRUE(ScreenMatches(loaded.GetScreenBits(), 7, 5, picture, 3, 2));
    }
}

TEST(TileFromData, UnusableDataKeepsTheTile)
{
    const StoredTile stored = MakeStored(4, 4, 24, 3);
    CSprite tile;
    tile.CreateFromData(4, 4, nullptr, stored.bits.data(), 24);
    ASSERT_FALSE(tile.IsEmpty());
    const BITMAPINFO* before = tile.m_pBMI;

    struct Bad {
        BYTE width, height;
        bool withBits, withColours;
        WORD bitCount;
    };
    for (const Bad& bad : {Bad{4, 4, true, true, 0}, Bad{4, 4, true, true, 1}, Bad{4, 4, true, true, 4},
                           Bad{4, 4, true, true, 15}, Bad{4, 4, true, true, 32}, Bad{0, 4, true, true, 24},
                           Bad{4, 0, true, true, 24}, Bad{4, 4, false, true, 24}, Bad{4, 4, true, false, 8}}) {
        SCOPED_TRACE(bad.bitCount);
        tile.CreateFromData(bad.width, bad.height, bad.withColours ? MakeStored(4, 4, 8, 1).colours.data() : nullptr,
                            bad.withBits ? stored.bits.data() : nullptr, bad.bitCount);
        EXPECT_EQ(tile.m_pBMI, before);
        EXPECT_EQ(tile.GetWidth(), 4);
    }
}

TEST(TileCreate, ThirtyTwoBitSourceShowsTheMessageAndStaysEmpty)
{
    const std::vector<std::uint8_t> file = EncodeBmp(MakePicture(64, 64, 32));
    CDib dib;
    ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
    CSprite tile;
    EXPECT_EQ(tile.Create(0, 0, 32, 32, dib.m_pBMI).message, "메모리 확보에 실패했습니다.(Sprite Info)");
    EXPECT_TRUE(tile.IsEmpty());
    EXPECT_EQ(tile.GetScreenBits(), nullptr);
}

TEST(TileCreate, RectangleNotInsideThePictureLeavesTheTileEmptySilently)
{
    const std::vector<std::uint8_t> file = EncodeBmp(MakePicture(50, 40, 8));
    CDib dib;
    ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
    for (const CRect& rc : {CRect(32, 0, 64, 32), CRect(0, 32, 32, 64), CRect(-1, 0, 31, 32), CRect(0, -32, 32, 0),
                            CRect(10, 10, 10, 20), CRect(20, 10, 10, 20), CRect(0, 0, 51, 40), CRect(0, 0, 50, 41),
                            CRect(INT_MIN, 0, INT_MAX, 1), CRect(0, 0, 0, 0)}) {
        CSprite tile;
        EXPECT_TRUE(tile.Create(rc.left, rc.top, rc.right, rc.bottom, dib.m_pBMI));
        EXPECT_TRUE(tile.IsEmpty()) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        EXPECT_EQ(tile.GetWidth(), 0);
        EXPECT_EQ(tile.GetStride(), 0);
    }
    CSprite whole;
    EXPECT_TRUE(whole.Create(0, 0, 50, 40, dib.m_pBMI));
    EXPECT_FALSE(whole.IsEmpty());
}

TEST(TileCreate, RecreatingReplacesThePreviousPicture)
{
    const TestPicture picture = MakePicture(16, 8, 16);
    const std::vector<std::uint8_t> file = EncodeBmp(picture);
    CDib dib;
    ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
    CSprite tile;
    tile.Create(0, 0, 8, 8, dib.m_pBMI);
    tile.Create(8, 0, 16, 8, dib.m_pBMI);
    EXPECT_TRUE(ScreenMatches(tile.GetScreenBits(), 8, 8, picture, 8, 0));
    tile.Free();
    EXPECT_TRUE(tile.IsEmpty());
    EXPECT_EQ(tile.GetScreenBits(), nullptr);
}

}  // namespace
