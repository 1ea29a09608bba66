// zellmap thumbnail: the picture's size for maps of every shape, its pixels
// against the map view's picture, and damaged files refused without output.
#include "tooltesting.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Every cell names a tile, so the map view's picture has no dotted outlines.
TestMap MapOf(int width, int height, int tileWidth, int tileHeight)
{
    TestMap map;
    map.mapWidth = width;
    map.mapHeight = height;
    map.tileWidth = tileWidth;
    map.tileHeight = tileHeight;
    map.cells.resize(std::size_t(width) * std::size_t(height));
    for (std::size_t i = 0; i < map.cells.size(); ++i) map.cells[i] = short((i * 7 + i / 5) % 5);
    return map;
}

// Each pixel of `small` against the average of the block of `full` it
// stands for (the blocks tile `full` exactly).
int LargestDifferenceFromBlockAverages(const Picture& full, const Picture& small)
{
    const int bw = full.width / small.width;
    const int bh = full.height / small.height;
    int largest = 0;
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x)
            for (int shift : {0, 8, 16}) {
                int sum = 0;
                for (int j = 0; j < bh; ++j)
                    for (int i = 0; i < bw; ++i) sum += int(full.At(x * bw + i, y * bh + j) >> shift) & 0xFF;
                const int average = (sum + bw * bh / 2) / (bw * bh);
                largest = std::max(largest, std::abs(average - int(small.At(x, y) >> shift & 0xFF)));
            }
    return largest;
}

struct ThumbnailSize {
    const char* name;
    int mapWidth, mapHeight, tileWidth, tileHeight, size;
    int width, height;
};

void PrintTo(const ThumbnailSize& c, std::ostream* os) { *os << c.name; }

class ThumbnailSizes : public ::testing::TestWithParam<ThumbnailSize> {};

TEST_P(ThumbnailSizes, FitTheSizeAndMatchTheMapView)
{
    const ThumbnailSize c = GetParam();
    const TestMap map = MapOf(c.mapWidth, c.mapHeight, c.tileWidth, c.tileHeight);
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    const ToolRun run = RunZellmap({"thumbnail", "m.Map", "t.png", "--size", std::to_string(c.size)}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const Picture thumbnail = ReadPicture(folder.File("t.png"));
    ASSERT_EQ(thumbnail.width, c.width);
    ASSERT_EQ(thumbnail.height, c.height);
    // Where whole blocks of the map become one pixel, the pixel is their
    // average; a map that fits is copied pixel for pixel.
    const Picture full = MapViewImage(map);
    if (full.width % c.width == 0 && full.height % c.height == 0) {
        EXPECT_LE(LargestDifferenceFromBlockAverages(full, thumbnail), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ThumbnailSizes,
                         ::testing::Values(ThumbnailSize{"SmallMapKeepsItsSize", 6, 4, 16, 16, 256, 96, 64},
                                           ThumbnailSize{"SmallMapExactFit", 6, 4, 16, 16, 96, 96, 64},
                                           ThumbnailSize{"OneCellAPixel", 64, 32, 16, 16, 64, 64, 32},
                                           ThumbnailSize{"TwoCellsAPixel", 64, 32, 16, 16, 32, 32, 16},
                                           ThumbnailSize{"HalfACellAPixel", 16, 8, 16, 16, 128, 128, 64},
                                           ThumbnailSize{"WideRowStaysOnePixelHigh", 100, 1, 24, 24, 128, 128, 1},
                                           ThumbnailSize{"TallTilesOfOtherSides", 3, 50, 32, 16, 100, 12, 100},
                                           ThumbnailSize{"SizeOne", 5, 9, 16, 16, 1, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ThumbnailRefusal {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* message;
};

void PrintTo(const ThumbnailRefusal& c, std::ostream* os) { *os << c.name; }

class ThumbnailRefusals : public ::testing::TestWithParam<ThumbnailRefusal> {};

TEST_P(ThumbnailRefusals, ExitWithAMessageAndNoPicture)
{
    const ThumbnailRefusal c = GetParam();
    ScratchFolder folder;
    const auto good = MapOf(6, 4, 16, 16).Encode();
    ASSERT_FALSE(good.empty());
    // resize, not pop_back: GCC 12 at -O3 warns falsely (-Warray-bounds) on
    // pop_back of a vector it cannot prove non-empty.
    auto truncated = good;
    truncated.resize(good.size() - 1);
    auto longer = good;
    longer.push_back(0);
    auto foreign = good;
    foreign[0] = 'X';
    auto hugeClaim = good;
    hugeClaim[11] = 0x7F;  // two thousand million cells wide, with the bytes of six
    WriteBytes(folder.File("good.Map"), good);
    WriteBytes(folder.File("truncated.Map"), truncated);
    WriteBytes(folder.File("longer.Map"), longer);
    WriteBytes(folder.File("foreign.Map"), foreign);
    WriteBytes(folder.File("huge.Map"), hugeClaim);
    WriteBytes(folder.File("empty.Map"), MapOf(0, 0, 16, 16).Encode());
    const ToolRun run = RunZellmap(c.args, folder.Path());
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("t.png")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThumbnailRefusals,
    ::testing::Values(
        ThumbnailRefusal{"Truncated", {"thumbnail", "truncated.Map", "t.png"}, 1, "올바른 맵 화일이 아닙니다"},
        ThumbnailRefusal{"TrailingByte", {"thumbnail", "longer.Map", "t.png"}, 1, "올바른 맵 화일이 아닙니다"},
        ThumbnailRefusal{"NotAMap", {"thumbnail", "foreign.Map", "t.png"}, 1, "올바른 맵 화일이 아닙니다"},
        ThumbnailRefusal{"HeaderClaimsMore", {"thumbnail", "huge.Map", "t.png"}, 1, "올바른 맵 화일이 아닙니다"},
        ThumbnailRefusal{"Missing", {"thumbnail", "none.Map", "t.png"}, 1, "맵 화일을 열 수 없습니다"},
        ThumbnailRefusal{"NoCells", {"thumbnail", "empty.Map", "t.png"}, 1, "화면을 만들수 없습니다"},
        ThumbnailRefusal{"SizeZero", {"thumbnail", "good.Map", "t.png", "--size", "0"}, 2, "--size"},
        ThumbnailRefusal{"SizeTooLarge", {"thumbnail", "good.Map", "t.png", "-s", "4097"}, 2, "--size"},
        ThumbnailRefusal{"NoOutput", {"thumbnail", "good.Map"}, 2, "그림 화일"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
