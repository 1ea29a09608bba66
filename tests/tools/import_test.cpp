// zellmap import: export then import gives the same .Map bytes back on
// random maps and refuses, without a file, the cells a TMX map cannot hold;
// a map that does not fit is refused without a file, and a map that Tiled
// saved itself keeps its cells.
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

// Every cell goes through export and import exactly, or one of the two
// refuses with a message and writes nothing: cells that name tiles the map
// does not have, numbers below -1 (the 16-bit numbers with the top bit
// set), and TMX cells that name no tile of the tileset.
TEST(Import, ARoundTripKeepsEveryCellOrRefuses)
{
    const std::string tooMany = "칸의 값은 타일 번호(0에서 2)나 빈 칸(-1)이어야 합니다\n";
    const std::string noTiles = "타일이 없는 맵의 칸은 모두 빈 칸(-1)이어야 합니다\n";
    const auto refused = [](const char* counted) { return "TMX로 내보낼 수 없는 칸이 " + std::string(counted) + "\n"; };
    const auto tmx = [](const char* layer) {
        return "<map orientation=\"orthogonal\" width=\"4\" height=\"2\" tilewidth=\"16\" tileheight=\"16\">"
               "<layer width=\"4\" height=\"2\"><data" +
               std::string(layer) + "</data></layer></map>";
    };
    struct Case {
        const char* name;
        int tileCount;
        std::vector<short> cells;  // 4 x 2; or, without cells, this TMX map is imported
        std::string tmx;
        std::string refusal;  // empty: the same bytes come back
    };
    const Case cases[] = {
        {"tiles and empty cells", 3, {-1, 0, 1, 2, 2, 1, 0, -1}, "", ""},
        {"no tiles, empty cells", 0, {-1, -1, -1, -1, -1, -1, -1, -1}, "", ""},
        {"no tiles, cells 0 and 1",
         0,
         {-1, 0, 1, 0, 1, -1, -1, 1},
         "",
         refused("5개 있습니다: 첫 칸 (1, 0)의 값 0") + noTiles},
        {"one past the last tile",
         3,
         {0, 1, 2, -1, -1, 3, 2, 3},
         "",
         refused("2개 있습니다: 첫 칸 (1, 1)의 값 3") + tooMany},
        {"the largest number",
         3,
         {0, 0, 0, 0, 0, 0, 0, 32767},
         "",
         refused("1개 있습니다: 첫 칸 (3, 1)의 값 32767") + tooMany},
        {"below -1", 3, {-1, -2, -300, 0, 1, 2, -1, -1}, "", refused("2개 있습니다: 첫 칸 (1, 0)의 값 -2") + tooMany},
        {"the top bit alone",
         3,
         {0, 1, 2, -1, -32768, 0, 0, 0},
         "",
         refused("1개 있습니다: 첫 칸 (0, 1)의 값 -32768") + tooMany},
        {"TMX: a tile the map lacks",
         0,
         {},
         tmx(" encoding=\"csv\">0,0,0,0,0,1,0,0"),
         "타일셋에 없는 타일(gid 1)을 가리키는 칸이 있습니다 (칸 1, 1)\n"},
        {"TMX: the top bit set",
         0,
         {},
         tmx(" encoding=\"csv\">0,0,2147483649,0,0,0,0,0"),
         "뒤집거나 돌린 타일은 가져올 수 없습니다 (칸 2, 0)\n"},
        {"TMX: a negative number",
         0,
         {},
         tmx(" encoding=\"csv\">0,0,0,-2,0,0,0,0"),
         "타일 층의 데이터가 손상되었습니다\n"},
        {"TMX: a tile whose gid is no number",
         0,
         {},
         tmx("><tile/><tile gid=\"x\"/><tile/><tile/><tile/><tile/><tile/><tile/>"),
         "타일 층의 데이터가 손상되었습니다\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        std::vector<std::uint8_t> bytes;
        ToolRun run;
        if (c.cells.empty()) {
            WriteBytes(folder.File("t.tmx"), std::vector<std::uint8_t>(c.tmx.begin(), c.tmx.end()));
        } else {
            TestMap map;
            map.mapWidth = 4;
            map.mapHeight = 2;
            map.tileCount = c.tileCount;
            map.cells = c.cells;
            map.attrs = {0, -32768, 32767, -1, 0, 0, 7, 0};
            bytes = map.Encode();
            WriteBytes(folder.File("in.Map"), bytes);
            run = RunZellmap({"export", "in.Map", "--tmx", "t.tmx"}, folder.Path());
        }
        if (c.cells.empty() || run.status == 0) run = RunZellmap({"import", "t.tmx", "-o", "out.Map"}, folder.Path());
        if (c.refusal.empty()) {
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(ReadBytes(folder.File("out.Map")) == bytes);
        } else {
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.err, c.refusal);
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "files written";
        }
    }
}

TEST(Import, AMapThatDoesNotFitIsRefusedWithoutAFile)
{
    ScratchFolder folder;
    const std::string tmx =
        "<map orientation=\"hexagonal\" width=\"2\" height=\"2\" tilewidth=\"16\" tileheight=\"16\"/>";
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
    for (int i = 0; i < 24; ++i) map.cells.push_back(short(i % 8 - 1));  // -1 and every tile
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    ASSERT_EQ(RunZellmap({"export", "m.Map", "--tmx", "m.tmx"}, folder.Path()).status, 0);
    const std::string resave = "cd '" + folder.Path().string() +
                               "' && QT_QPA_PLATFORM=offscreen tiled --export-map m.tmx t.tmx >/dev/null 2>&1";
    ASSERT_EQ(std::system(resave.c_str()), 0);
    ASSERT_EQ(RunZellmap({"import", "t.tmx", "-o", "t.Map"}, folder.Path()).status, 0);
    MapFileContent content;
    ASSERT_EQ(ReadMapFile(folder.File("t.Map"), content), MapReadResult::Ok);
    for (int i = 0; i < map.mapWidth * map.mapHeight; ++i) {
        const short cell = map.Cells()[std::size_t(i)];
        EXPECT_EQ(*content.map.m_cells.Tile(i % map.mapWidth, i / map.mapWidth), cell);
        EXPECT_EQ(*content.map.m_cells.Attr(i % map.mapWidth, i / map.mapWidth), map.Attrs()[std::size_t(i)]);
    }
}
