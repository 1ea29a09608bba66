// The attribute colour display against a plain model: each pixel of a
// nonzero cell blended on its own with TintPixel.
#include "attrtint.h"
#include "celllayers.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(AttrTint, MatchesPerPixelBlendAtRandomSizesAndZooms)
{
    std::mt19937 random(31);
    const auto below = [&](int limit) { return int(random() % unsigned(limit)); };
    for (int round = 0; round < 60; ++round) {
        CCellLayers cells;
        ASSERT_EQ(cells.Create(1 + below(30), 1 + below(30)), LayerAllocResult::Ok);
        CAttrValueTable values;
        for (int row = 0; row < cells.Height(); ++row)
            for (int col = 0; col < cells.Width(); ++col)
                cells.SetAttr(col, row, below(3) == 0 ? kNoAttrCell : short(below(200) - 100));
        values.SetColour(short(below(200) - 100), AttrColour{255, 0, std::uint8_t(below(256))});
        // Pixels per cell from a quarter to 40; some pixels show no cell.
        const double cellPixels = 0.25 + below(160) / 4.0;
        const int width = 1 + below(70), height = 1 + below(40);
        std::vector<int> cols(std::size_t(width), 0), rows(std::size_t(height), 0);
        for (int x = 0; x < width; ++x) cols[std::size_t(x)] = below(20) == 0 ? -1 : int((x + 3) / cellPixels);
        for (int y = 0; y < height; ++y) rows[std::size_t(y)] = below(20) == 0 ? -1 : int((y + 5) / cellPixels);
        const int stride = width + below(3);
        std::vector<std::uint32_t> pixels(std::size_t(stride) * std::size_t(height));
        for (std::uint32_t& pixel : pixels) pixel = std::uint32_t(random());
        std::vector<std::uint32_t> expected = pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (const short value = cells.Attr(cols[std::size_t(x)], rows[std::size_t(y)]).value_or(0))
                    expected[std::size_t(y * stride + x)] =
                        TintPixel(expected[std::size_t(y * stride + x)], values.Colour(value));
        TintAttrCells({pixels.data(), width, height, stride}, cols.data(), rows.data(), cells, values);
        ASSERT_EQ(pixels, expected) << "round " << round;
    }
}
