#include "maprender.h"
#include "testtiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::uint32_t kUntouched = 0xFF123456u;

// Position of a border pixel along the outline, walked clockwise from the
// top-left pixel; -1 inside the cell.
int OutlinePosition(int x, int y, int w, int h)
{
    if (y == 0) return x;
    if (x == w - 1) return (w - 1) + y;
    if (y == h - 1) return (w - 1) + (h - 1) + (w - 1 - x);
    if (x == 0) return 2 * (w - 1) + (h - 1) + (h - 1 - y);
    return -1;
}

std::uint32_t ExpectedEmptyPixel(int x, int y, int w, int h)
{
    const int at = OutlinePosition(x, y, w, h);
    return at >= 0 && at % 6 < 3 ? kCellGridDot : kCellBackground;
}

TEST(EmptyCell, DottedOutlineOfA32By32Cell)
{
    std::vector<std::uint32_t> image(32 * 32, kUntouched);
    DrawEmptyCell(MapPixels{image.data(), 32, 32, 32, 0, 0}, 0, 0, 32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(image[std::size_t(y * 32 + x)], ExpectedEmptyPixel(x, y, 32, 32)) << x << ", " << y;

    // The same, spelled out along the edges ('#' grey, '.' white).
    const auto edge = [&](auto pixel) {
        std::string s;
        for (int i = 0; i < 32; ++i) s += pixel(i) == kCellGridDot ? '#' : '.';
        return s;
    };
    EXPECT_EQ(edge([&](int i) { return image[std::size_t(i)]; }), "###...###...###...###...###...##");
    EXPECT_EQ(edge([&](int i) { return image[std::size_t(i * 32 + 31)]; }), "##...###...###...###...###...###");
    EXPECT_EQ(edge([&](int i) { return image[std::size_t(31 * 32 + 31 - i)]; }), "#...###...###...###...###...###.");
    EXPECT_EQ(edge([&](int i) { return image[std::size_t((31 - i) * 32)]; }), "...###...###...###...###...###.#");
}

TEST(EmptyCell, ThinCellsCountEachPixelOnce)
{
    struct Size {
        int w, h;
    };
    for (const Size s : {Size{1, 1}, Size{1, 7}, Size{7, 1}, Size{2, 2}, Size{3, 5}, Size{16, 24}}) {
        SCOPED_TRACE(testing::Message() << s.w << " x " << s.h);
        const auto pattern = MakeEmptyCellPattern(s.w, s.h);
        ASSERT_EQ(pattern.size(), std::size_t(s.w * s.h));
        for (int y = 0; y < s.h; ++y)
            for (int x = 0; x < s.w; ++x)
                EXPECT_EQ(pattern[std::size_t(y * s.w + x)], ExpectedEmptyPixel(x, y, s.w, s.h)) << x << ", " << y;
    }
    EXPECT_TRUE(MakeEmptyCellPattern(0, 5).empty());
}

TEST(DrawTileClipping, PartlyOutsideTheBufferInEveryDirection)
{
    CTileList tiles;
    AddTestTiles(tiles, 1, 8, 6, 24, 3);
    const CSprite& tile = *tiles.GetAt(0);
    constexpr int kW = 10, kH = 9, kStride = 13;
    struct Spot {
        int left, top;
    };
    for (const Spot s : {Spot{-3, -2}, Spot{5, 6}, Spot{-7, 4}, Spot{2, -5}, Spot{1, 1}, Spot{-8, 0}, Spot{10, 0}}) {
        SCOPED_TRACE(testing::Message() << s.left << ", " << s.top);
        std::vector<std::uint32_t> buffer(std::size_t(kStride * kH), kUntouched);
        // The buffer shows map pixels from (100, 50).
        DrawTile(MapPixels{buffer.data(), kW, kH, kStride, 100, 50}, tile, 100 + s.left, 50 + s.top);
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kStride; ++x) {
                const int tx = x - s.left, ty = y - s.top;
                const bool covered = x < kW && tx >= 0 && tx < 8 && ty >= 0 && ty < 6;
                const std::uint32_t want = covered ? tile.GetScreenBits()[ty * 8 + tx] : kUntouched;
                ASSERT_EQ(buffer[std::size_t(y * kStride + x)], want) << x << ", " << y;
            }
        }
    }
}

TEST(TileLookup, ValuesThatNameNoTileAreEmpty)
{
    CTileList tiles;
    AddTestTiles(tiles, 3, 4, 4, 16, 1);
    EXPECT_EQ(TileForCell(&tiles, 0), tiles.GetAt(0));
    EXPECT_EQ(TileForCell(&tiles, 2), tiles.GetAt(2));
    for (short v : {short(-1), short(-2), short(-32768), short(3), short(32767)}) EXPECT_EQ(TileForCell(&tiles, v), nullptr) << v;
    EXPECT_EQ(TileForCell(nullptr, 0), nullptr);
}

// A map with tiles, empty cells and cells naming no tile, rendered into
// bands and regions, against a pixel-by-pixel reference.
class RegionRender : public ::testing::Test {
protected:
    static constexpr int kTw = 12, kTh = 10, kMapW = 9, kMapH = 7;

    void SetUp() override
    {
        AddTestTiles(tiles, 4, kTw, kTh, 24, 5);
        const auto values = TestBytes(kMapW * kMapH, 8);
        for (std::size_t i = 0; i < layer.size(); ++i) {
            const int pick = values[i] % 8;  // 0..3 tiles, 4 empty, 5..7 naming no tile
            layer[i] = short(pick < 4 ? pick : pick == 4 ? -1 : pick == 5 ? 4 : pick == 6 ? -2 : 32767);
        }
        map = {layer.data(), kMapW, kMapH, kTw, kTh, &tiles};
    }

    std::uint32_t Reference(std::int64_t x, std::int64_t y, const CRect& cells) const
    {
        const int col = int(x / kTw), row = int(y / kTh);
        if (x < 0 || y < 0 || col >= kMapW || row >= kMapH || !cells.PtInRect({col, row})) return kUntouched;
        const int px = int(x % kTw), py = int(y % kTh);
        const short v = layer[std::size_t(row * kMapW + col)];
        if (v >= 0 && v < tiles.GetCount()) return tiles.GetAt(v)->GetScreenBits()[py * kTw + px];
        return ExpectedEmptyPixel(px, py, kTw, kTh);
    }

    void Check(const MapPixels& band, const CRect& cells, const std::vector<std::uint32_t>& buffer) const
    {
        for (int y = 0; y < band.height; ++y) {
            for (int x = 0; x < band.stride; ++x) {
                const std::uint32_t want =
                    x < band.width ? Reference(band.originX + x, band.originY + y, cells) : kUntouched;
                ASSERT_EQ(buffer[std::size_t(y * band.stride + x)], want) << "pixel " << x << ", " << y;
            }
        }
    }

    CTileList tiles;
    std::vector<short> layer = std::vector<short>(kMapW * kMapH);
    MapRenderSource map;
};

TEST_F(RegionRender, WholeMap)
{
    std::vector<std::uint32_t> buffer(kMapW * kTw * kMapH * kTh, kUntouched);
    const MapPixels all{buffer.data(), kMapW * kTw, kMapH * kTh, kMapW * kTw, 0, 0};
    const CRect cells(0, 0, kMapW, kMapH);
    RenderMapCells(all, map, cells);
    Check(all, cells, buffer);
}

TEST_F(RegionRender, BandsAndRegions)
{
    struct Case {
        int x, y, w, h, stride;
        CRect cells;
    };
    const Case cases[] = {
        {0, 15, 108, 17, 108, CRect(0, 0, kMapW, kMapH)},   // a band across the map, rows cut by cells
        {5, 3, 40, 30, 47, CRect(1, 0, 4, 3)},              // a region smaller than the band
        {-20, -7, 200, 100, 200, CRect(-5, -5, 50, 50)},    // past every edge of the map
        {90, 60, 30, 20, 31, CRect(0, 0, kMapW, kMapH)},    // the bottom-right corner
        {13, 11, 1, 1, 1, CRect(1, 1, 2, 2)},               // one pixel
        {0, 0, 60, 40, 60, CRect(3, 2, 3, 5)},              // an empty region
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "band at " << c.x << ", " << c.y);
        std::vector<std::uint32_t> buffer(std::size_t(c.stride * c.h), kUntouched);
        const MapPixels band{buffer.data(), c.w, c.h, c.stride, c.x, c.y};
        RenderMapCells(band, map, c.cells);
        Check(band, c.cells, buffer);
    }
}

TEST_F(RegionRender, OneCellAtATime)
{
    std::vector<std::uint32_t> buffer(kMapW * kTw * kMapH * kTh, kUntouched);
    const MapPixels all{buffer.data(), kMapW * kTw, kMapH * kTh, kMapW * kTw, 0, 0};
    for (int col = 0; col < kMapW; ++col)
        for (int row = 0; row < kMapH; ++row) DrawMapCell(all, map, col, row);
    Check(all, CRect(0, 0, kMapW, kMapH), buffer);
}

TEST_F(RegionRender, NothingToDrawWith)
{
    std::vector<std::uint32_t> buffer(100, kUntouched);
    MapRenderSource noTiles = map;
    noTiles.tileWidth = 0;
    RenderMapCells(MapPixels{buffer.data(), 10, 10, 10, 0, 0}, noTiles, CRect(0, 0, kMapW, kMapH));
    EXPECT_EQ(buffer, std::vector<std::uint32_t>(100, kUntouched));

    // Without a layer every cell is empty.
    MapRenderSource noLayer = map;
    noLayer.tileLayer = nullptr;
    RenderMapCells(MapPixels{buffer.data(), 10, 10, 10, 0, 0}, noLayer, CRect(0, 0, 1, 1));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(buffer[std::size_t(y * 10 + x)], ExpectedEmptyPixel(x, y, kTw, kTh));
}

}  // namespace
