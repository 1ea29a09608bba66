#include "mapmodel.h"
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
    const std::vector<std::uint32_t> image = MakeEmptyCellPattern(32, 32);
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
    CMapModel map;
    AddTestTiles(map.m_tileList, 3, 4, 4, 16, 1);
    EXPECT_EQ(map.TileForCell(0), map.m_tileList.GetAt(0));
    EXPECT_EQ(map.TileForCell(2), map.m_tileList.GetAt(2));
    for (short v : {short(-1), short(-2), short(-32768), short(3), short(32767)})
        EXPECT_EQ(map.TileForCell(v), nullptr) << v;
}

// A map with tiles, empty cells and cells naming no tile, rendered into
// bands and regions, against a pixel-by-pixel reference.
class RegionRender : public ::testing::Test {
protected:
    static constexpr int kTw = 12, kTh = 10, kMapW = 9, kMapH = 7;

    void SetUp() override
    {
        map.m_nTileWidth = kTw;
        map.m_nTileHeight = kTh;
        AddTestTiles(map.m_tileList, 4, kTw, kTh, 24, 5);
        ASSERT_EQ(map.m_cells.Create(kMapW, kMapH), LayerAllocResult::Ok);
        const auto values = TestBytes(kMapW * kMapH, 8);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int pick = values[i] % 8;  // 0..3 tiles, 4 empty, 5..7 naming no tile
            map.m_cells.SetTile(int(i % kMapW), int(i / kMapW),
                                short(pick < 4    ? pick
                                      : pick == 4 ? -1
                                      : pick == 5 ? 4
                                      : pick == 6 ? -2
                                                  : 32767));
        }
    }

    std::uint32_t Reference(std::int64_t x, std::int64_t y) const
    {
        const int col = int(x / kTw), row = int(y / kTh);
        if (x < 0 || y < 0 || col >= kMapW || row >= kMapH) return kUntouched;
        const int px = int(x % kTw), py = int(y % kTh);
        const short v = *map.m_cells.Tile(col, row);
        if (v >= 0 && v < map.m_tileList.GetCount()) return map.m_tileList.GetAt(v)->GetScreenBits()[py * kTw + px];
        return ExpectedEmptyPixel(px, py, kTw, kTh);
    }

    void Check(const MapPixels& band, const std::vector<std::uint32_t>& buffer) const
    {
        for (int y = 0; y < band.height; ++y) {
            for (int x = 0; x < band.stride; ++x) {
                const std::uint32_t want = x < band.width ? Reference(band.originX + x, band.originY + y) : kUntouched;
                ASSERT_EQ(buffer[std::size_t(y * band.stride + x)], want) << "pixel " << x << ", " << y;
            }
        }
    }

    CMapModel map;
};

TEST_F(RegionRender, BandsAndRegions)
{
    struct Case {
        int x, y, w, h, stride;
    };
    const Case cases[] = {
        {0, 0, 108, 70, 108},      // the whole map
        {0, 15, 108, 17, 108},     // a band across the map, rows cut by cells
        {5, 3, 40, 30, 47},        // a region inside, off the cell grid
        {-20, -7, 200, 100, 200},  // past every edge of the map
        {90, 60, 30, 20, 31},      // the bottom-right corner
        {13, 11, 1, 1, 1},         // one pixel
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "band at " << c.x << ", " << c.y);
        std::vector<std::uint32_t> buffer(std::size_t(c.stride * c.h), kUntouched);
        const MapPixels band{buffer.data(), c.w, c.h, c.stride, c.x, c.y};
        RenderMapRegion(band, map);
        Check(band, buffer);
    }
}

TEST_F(RegionRender, NothingToDrawWith)
{
    std::vector<std::uint32_t> buffer(100, kUntouched);
    map.m_nTileWidth = 0;
    RenderMapRegion(MapPixels{buffer.data(), 10, 10, 10, 0, 0}, map);
    EXPECT_EQ(buffer, std::vector<std::uint32_t>(100, kUntouched));

    // Without layers every cell is empty.
    map.m_nTileWidth = kTw;
    ASSERT_NE(map.m_cells.Create(16384, 16385), LayerAllocResult::Ok);
    RenderMapRegion(MapPixels{buffer.data(), 10, 10, 10, 0, 0}, map);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(buffer[std::size_t(y * 10 + x)], ExpectedEmptyPixel(x, y, kTw, kTh));
}

// The overview's picture: each pixel the AND of the map pixels it covers,
// computed in windows and in small bands, against the whole picture
// reduced the plain way.
TEST_F(RegionRender, ReducedWindowsMatchTheWholePictureReduced)
{
    const auto source = MapPictureSize(map);
    const auto reduced = ReducedPictureSize(map);
    ASSERT_TRUE(source && reduced);
    EXPECT_EQ(reduced->width, 108 / 10 * 5);
    EXPECT_EQ(reduced->height, 70 / 10 * 5);
    std::vector<std::uint32_t> whole(std::size_t(source->width * source->height));
    RenderMapRegion(MapPixels{whole.data(), int(source->width), int(source->height), source->width, 0, 0}, map);
    auto expected = [&](std::int64_t dx, std::int64_t dy) {
        if (dx < 0 || dy < 0 || dx >= reduced->width || dy >= reduced->height) return kUntouched;
        const SourceSpan xs = ReducedSourceSpan(dx, source->width, reduced->width);
        const SourceSpan ys = ReducedSourceSpan(dy, source->height, reduced->height);
        std::uint32_t value = 0xFFFFFFFFu;
        for (std::int64_t y = ys.first; y < ys.end; ++y)
            for (std::int64_t x = xs.first; x < xs.end; ++x) value &= whole[std::size_t(y * source->width + x)];
        return value | 0xFF000000u;
    };
    struct Window {
        int x, y, w, h;
        std::size_t bandBytes;
    };
    for (const Window win : {Window{0, 0, 54, 35, 1 << 20}, Window{-3, -2, 60, 40, 64}, Window{7, 5, 13, 9, 500},
                             Window{50, 30, 10, 10, 1 << 20}}) {
        SCOPED_TRACE(testing::Message() << "window at " << win.x << ", " << win.y << ", band " << win.bandBytes);
        std::vector<std::uint32_t> buffer(std::size_t(win.w * win.h), kUntouched);
        ASSERT_TRUE(
            RenderReducedRegion(MapPixels{buffer.data(), win.w, win.h, win.w, win.x, win.y}, map, {}, win.bandBytes));
        for (int y = 0; y < win.h; ++y)
            for (int x = 0; x < win.w; ++x)
                ASSERT_EQ(buffer[std::size_t(y * win.w + x)], expected(win.x + x, win.y + y)) << x << ", " << y;
    }
}

}  // namespace
