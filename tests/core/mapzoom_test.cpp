// The zoomed map against the 1:1 picture: 200% is each pixel doubled, 50%
// each 2 x 2 average exactly, smaller zooms close to the average of the
// pixels covered; and the kept forms follow edits of the cells.
#include "mapzoom.h"
#include "testtiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

using Pixel = std::uint32_t;

struct Picture {
    std::int64_t w, h;
    std::vector<Pixel> px;
    Pixel At(std::int64_t x, std::int64_t y) const { return px[std::size_t(y * w + x)]; }
};

Picture Render(const CMapModel& map, std::int64_t w, std::int64_t h, std::int64_t x0, std::int64_t y0,
               const std::function<void(const MapPixels&)>& draw)
{
    Picture p{w, h, std::vector<Pixel>(std::size_t(w * h), 0xFF123456u)};
    draw({p.px.data(), int(w), int(h), std::ptrdiff_t(w), x0, y0});
    (void)map;
    return p;
}

// The average of the s x s map pixels behind zoomed pixel (x, y), those on the map only.
Pixel BoxAverage(const Picture& full, std::int64_t x, std::int64_t y, int s)
{
    std::uint64_t sum[3] = {0, 0, 0}, n = 0;
    for (std::int64_t v = y * s; v < std::min(full.h, (y + 1) * s); ++v)
        for (std::int64_t u = x * s; u < std::min(full.w, (x + 1) * s); ++u, ++n)
            for (int c = 0; c < 3; ++c) sum[c] += (full.At(u, v) >> (16 - 8 * c)) & 0xFF;
    Pixel out = 0xFF000000u;
    for (int c = 0; c < 3; ++c) out |= Pixel((sum[c] + n / 2) / n) << (16 - 8 * c);
    return out;
}

int Distance(Pixel a, Pixel b)
{
    int d = 0;
    for (int c = 0; c < 24; c += 8) d = std::max(d, std::abs(int((a >> c) & 0xFF) - int((b >> c) & 0xFF)));
    return d;
}

struct TileSize {
    int w, h;
};
class ZoomedPixels : public ::testing::TestWithParam<TileSize> {};

TEST_P(ZoomedPixels, AgainstTheFullPicture)
{
    const auto [tw, th] = GetParam();
    std::mt19937 rng(unsigned(tw * 256 + th));
    const int mw = 13, mh = 9;
    std::vector<short> cells(std::size_t(mw * mh));
    for (short& c : cells) c = short(int(rng() % 7) - 1);  // six tiles and empty cells
    CMapModel map = ModelOf(mw, mh, tw, th, cells);
    AddTestTiles(map.m_tileList, 5, tw, th, 24, 40);
    AddTestTiles(map.m_tileList, 1, std::max(1, tw - 3), th + 2, 8, 50, TestColours(3).data());  // another size

    const std::int64_t W = std::int64_t(mw) * tw, H = std::int64_t(mh) * th;
    const Picture full = Render(map, W, H, 0, 0, [&](const MapPixels& t) { RenderMapRegion(t, map); });
    ZoomCache cache;
    for (const int log2 : {3, 1, 0, -1, -2, -3, -5, -7}) {
        const MapZoom zoom{log2};
        const auto size = ZoomedPictureSize(map, zoom);
        ASSERT_TRUE(size);
        // A window hanging over the picture's top-left corner, and the whole picture.
        for (const std::int64_t x0 : {std::int64_t(-3), std::int64_t(5)}) {
            const std::int64_t y0 = x0 < 0 ? -2 : 1;
            const Picture z =
                Render(map, std::min<std::int64_t>(size->width + 7, 400), std::min<std::int64_t>(size->height + 5, 300),
                       x0, y0, [&](const MapPixels& t) { RenderZoomedRegion(t, map, cache, zoom); });
            for (std::int64_t y = 0; y < z.h; ++y)
                for (std::int64_t x = 0; x < z.w; ++x) {
                    const std::int64_t px = x + x0, py = y + y0;
                    const Pixel got = z.At(x, y);
                    if (px < 0 || py < 0 || px >= size->width || py >= size->height) {
                        ASSERT_EQ(got, 0xFF123456u) << "left alone at " << px << ", " << py;
                    } else if (log2 >= 0) {
                        ASSERT_EQ(got, full.At(px >> log2, py >> log2))
                            << "zoom " << log2 << " at " << px << ", " << py;
                    } else {
                        const Pixel want = BoxAverage(full, px, py, 1 << -log2);
                        // 50% exactly; further out close to the average.
                        if (log2 == -1)
                            ASSERT_EQ(got, want) << tw << "x" << th << " at " << px << ", " << py;
                        else
                            ASSERT_LE(Distance(got, want), 48) << "zoom " << log2 << " at " << px << ", " << py;
                    }
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ZoomedPixels,
                         ::testing::Values(TileSize{32, 32}, TileSize{16, 8}, TileSize{33, 33}, TileSize{7, 5},
                                           TileSize{48, 32}, TileSize{1, 1}));

// What is kept for the small zooms follows edits told of, and costs less
// than a quarter of the cells' memory (besides the tiles' reduced looks and
// a table of the 64K cell values' colours): 1/8 draws the colours of 2 x 2
// cells, 1/64 the pyramid of larger blocks, 1/4 a pixel a cell. The map's
// odd sides give blocks cut by its edges.
class ZoomCacheEdits : public ::testing::TestWithParam<int> {};

TEST_P(ZoomCacheEdits, FollowEditsOfTheCells)
{
    CMapModel map = ModelOf(301, 201, 4, 4);
    AddTestTiles(map.m_tileList, 4, 4, 4, 24, 9);
    ZoomCache cache, fresh;
    const MapZoom zoom{GetParam()};
    const auto size = ZoomedPictureSize(map, zoom);
    const auto draw = [&](ZoomCache& c) {
        return Render(map, size->width, size->height, 0, 0,
                      [&](const MapPixels& t) { RenderZoomedRegion(t, map, c, zoom); })
            .px;
    };
    draw(cache);
    std::mt19937 rng(5);
    for (int edit = 0; edit < 20; ++edit) {
        const CRect r(int(rng() % 301), int(rng() % 201), 0, 0);
        const CRect cells(r.left, r.top, std::min(301, r.left + 2), std::min(201, r.top + 2));
        for (int y = cells.top; y < cells.bottom; ++y)
            for (int x = cells.left; x < cells.right; ++x) map.m_cells.SetTile(x, y, short(int(rng() % 5) - 1));
        cache.CellsChanged(cells);
    }
    EXPECT_EQ(draw(cache), draw(fresh));
    EXPECT_LE(cache.Bytes(), map.m_cells.CellCount() * 4 / 4 + 4 * 4 * 4 * 5 + 65536 * 4);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ZoomCacheEdits, ::testing::Values(-2, -3, -6));

}  // namespace
