// zellmap import: export then import gives the same .Map bytes back on
// random maps, a map that does not fit is refused without a file, and a map
// that Tiled saved itself keeps its cells.
#include "tooltesting.h"

#include <gtest/gtest.h>

#include <random>

TEST(Import, ExportThenImportGivesTheSameBytesOnRandomMaps)
{
    ScratchFolder folder;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        TestMap map;
        map.seed = seed;
        map.bitCount = WORD(8 + 8 * (seed % 3));
        map.tileWidth = map.tileHeight = std::array{16, 24, 32, 64}[seed % 4];
        map.tileCount = seed % 4 == 0 ? 0 : int(seed) * 3;  // no tiles at 8, 16 and 24 bits too
        map.mapWidth = 1 + int(random() % 9);
        map.mapHeight = 1 + int(random() % 9);
        for (int i = 0; i < map.mapWidth * map.mapHeight; ++i) {
            map.cells.push_back(short(int(random() % unsigned(map.tileCount + 1)) - 1));
            map.attrs.push_back(random() % 3 ? short(0) : short(random()));
        }
        std::vector<std::uint8_t> bytes = map.Encode();
        if (map.bitCount == 16)  // 5-5-5 pixels: the unused top bit is 0 in real pictures
            for (int t = 0; t < map.tileCount; ++t)
                for (int j = 1; j < map.tileWidth * map.tileHeight * 2; j += 2)
                    bytes[22 + std::size_t(t * (map.tileWidth * map.tileHeight * 2 + 1) + j)] &= 0x7F;
        WriteBytes(folder.File("in.Map"), bytes);
        ASSERT_EQ(RunZellmap({"export", "in.Map", "--tmx", "t.tmx"}, folder.Path()).status, 0);
        const ToolRun run = RunZellmap({"import", "t.tmx", "-o", "out.Map"}, folder.Path());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(ReadBytes(folder.File("out.Map")) == bytes) << "seed " << seed;
    }
}

TEST(Import, AMapThatDoesNotFitIsRefusedWithoutAFile)
{
    ScratchFolder folder;
    const std::string tmx = "<map orientation=\"hexagonal\" width=\"2\" height=\"2\" tilewidth=\"16\" tileheight=\"16\"/>";
    WriteBytes(folder.File("hex.tmx"), std::vector<std::uint8_t>(tmx.begin(), tmx.end()));
    const ToolRun run = RunZellmap({"import", "hex.tmx", "-o", "out.Map"}, folder.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "직교(orthogonal) 맵만 가져올 수 있습니다 (이 맵은 hexagonal)\n");
    EXPECT_EQ(RunZellmap({"import", "hex.tmx"}, folder.Path()).status, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "stray files";
}

// The map as Tiled itself saves it again (when Tiled is installed): the same
// cells and attributes (Tiled counts every cell of the tileset picture as a
// tile, so the tile count may grow).
TEST(Import, AMapSavedByTiledHasTheSameCells)
{
    if (std::system("command -v tiled >/dev/null 2>&1") != 0) GTEST_SKIP() << "tiled not installed";
    TestMap map;
    map.tileCount = 7;
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    ASSERT_EQ(RunZellmap({"export", "m.Map", "--tmx", "m.tmx"}, folder.Path()).status, 0);
    const std::string resave = "cd '" + folder.Path().string() + "' && QT_QPA_PLATFORM=offscreen tiled --export-map m.tmx t.tmx >/dev/null 2>&1";
    ASSERT_EQ(std::system(resave.c_str()), 0);
    ASSERT_EQ(RunZellmap({"import", "t.tmx", "-o", "t.Map"}, folder.Path()).status, 0);
    MapFileContent content;
    ASSERT_EQ(ReadMapFile(folder.File("t.Map"), content), MapReadResult::Ok);
    for (int i = 0; i < map.mapWidth * map.mapHeight; ++i) {
        const short cell = map.Cells()[std::size_t(i)];
        EXPECT_EQ(*content.map.m_cells.Tile(i % map.mapWidth, i / map.mapWidth), cell < map.tileCount ? cell : -1);
        EXPECT_EQ(*content.map.m_cells.Attr(i % map.mapWidth, i / map.mapWidth), map.Attrs()[std::size_t(i)]);
    }
}
