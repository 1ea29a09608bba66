// zellmap cut: the same bytes as the editor's save after New, Open Bitmap,
// cutting the whole bitmap and Save.
#include "bmpwriter.h"
#include "dib.h"
#include "tilecut.h"
#include "tooltesting.h"

#include <gtest/gtest.h>

namespace {

// What the document saves in that scenario: its map size and tile size,
// the tiles cut from the bitmap, the bitmap's format, and the map view's
// fresh layers (every cell -1, every attribute 0).
std::vector<std::uint8_t> EditorSave(const std::vector<std::uint8_t>& bmp, int tile, int mapWidth, int mapHeight)
{
    CDib dib;
    EXPECT_TRUE(dib.LoadFromMemory(bmp.data(), bmp.size()));
    CMapModel map;
    map.m_nTileWidth = map.m_nTileHeight = BYTE(tile);
    map.m_cells.Create(mapWidth, mapHeight);
    CutWholeBitmap(dib, tile, tile, map.m_tileList);
    MapSaveInput input;
    input.map = &map;
    input.bitmapBitCount = dib.GetBitCount();
    input.bitmapColours = dib.GetBitCount() == 8 ? dib.m_pColors : nullptr;
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(EncodeMapFile(input, bytes), MapWriteResult::Ok);
    return bytes;
}

}  // namespace

struct CutCase {
    WORD bitCount;
    int width;
    int height;
    int tile;
    std::vector<std::string> mapOption;  // empty: the default 20 x 15
    int mapWidth;
    int mapHeight;
    int expectedTiles;
};

void PrintTo(const CutCase& c, std::ostream* os)
{
    *os << c.bitCount << "-bit " << c.width << "x" << c.height << ", tile " << c.tile;
}

class CutMatchesTheEditor : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutMatchesTheEditor, ByteForByte)
{
    const CutCase c = GetParam();
    ScratchFolder folder;
    BmpLayout layout;
    layout.infoSize = 124;  // a variant the reader converts: the saved tiles must not care
    const auto bmp = EncodeBmp(MakePicture(c.width, c.height, c.bitCount, 5), layout);
    WriteBytes(folder.File("tiles.bmp"), bmp);

    std::vector<std::string> args{"cut", "tiles.bmp", "--tile", std::to_string(c.tile), "-o", "out.Map"};
    args.insert(args.end(), c.mapOption.begin(), c.mapOption.end());
    const ToolRun run = RunZellmap(args, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    const auto saved = ReadBytes(folder.File("out.Map"));
    EXPECT_EQ(saved, EditorSave(bmp, c.tile, c.mapWidth, c.mapHeight));

    // And the file says what the scenario made.
    ASSERT_GE(saved.size(), 22u);
    EXPECT_EQ(saved[8] | saved[9] << 8, c.mapWidth);
    EXPECT_EQ(saved[12] | saved[13] << 8, c.mapHeight);
    EXPECT_EQ(saved[16], c.tile);
    EXPECT_EQ(saved[18], c.bitCount);
    EXPECT_EQ(saved[20] | saved[21] << 8, c.expectedTiles);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, CutMatchesTheEditor,
    ::testing::Values(CutCase{8, 100, 70, 32, {}, 20, 15, 6},  // partial cells at the edges are skipped
                      CutCase{16, 64, 48, 16, {"--map", "7x3"}, 7, 3, 12},
                      CutCase{24, 72, 24, 24, {"--map=1x1"}, 1, 1, 3},
                      CutCase{24, 130, 64, 64, {"--map", "40X30"}, 40, 30, 2},
                      CutCase{8, 10, 10, 16, {"--map", "0x0"}, 0, 0, 0}));  // a bitmap smaller than a tile

TEST(Cut, AFreshEightBitMapStartsAsTheEditorWritesIt)
{
    ScratchFolder folder;
    WriteBytes(folder.File("small.bmp"), EncodeBmp(MakePicture(8, 8, 8, 1)));
    ASSERT_EQ(RunZellmap({"cut", "small.bmp", "--tile", "32", "-o", "out.Map"}, folder.Path()).status, 0);
    const auto saved = ReadBytes(folder.File("out.Map"));
    const std::vector<std::uint8_t> head{'Q', 'Z',  'T', 'F', '1', '.',  '0',  0,    0x14, 0, 0,
                                         0,   0x0F, 0,   0,   0,   0x20, 0x20, 0x08, 0,    0, 0};
    ASSERT_EQ(saved.size(), 22u + 1024u + 4u * 300u);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), saved.begin()));
    for (std::size_t i = 22 + 1024; i < 22 + 1024 + 600; i += 2) ASSERT_EQ(saved[i] | saved[i + 1] << 8, 0xFFFF);
}

struct CutFailure {
    const char* name;
    std::vector<std::uint8_t> (*bitmap)();
    std::vector<std::string> options;
    int status;
    const char* message;  // the whole of standard error, or part of it for usage errors
};

void PrintTo(const CutFailure& c, std::ostream* os) { *os << c.name; }

class CutFails : public ::testing::TestWithParam<CutFailure> {};

TEST_P(CutFails, WithTheEditorsMessageAndWithoutTouchingTheOutput)
{
    const CutFailure c = GetParam();
    ScratchFolder folder;
    WriteBytes(folder.File("in.bmp"), c.bitmap());
    WriteBytes(folder.File("out.Map"), {'k', 'e', 'e', 'p'});
    std::vector<std::string> args{"cut", "in.bmp"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ToolRun run = RunZellmap(args, folder.Path());
    EXPECT_EQ(run.status, c.status);
    if (c.status == 1)
        EXPECT_EQ(run.err, std::string(c.message) + "\n");
    else
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(folder.File("out.Map")), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2) << "stray files";
}

namespace {
std::vector<std::uint8_t> GoodBitmap() { return EncodeBmp(MakePicture(64, 64, 24, 2)); }
std::vector<std::uint8_t> NotABitmap() { return {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}; }
std::vector<std::uint8_t> ThirtyTwoBit() { return EncodeBmp(MakePicture(64, 64, 32, 3)); }
std::vector<std::uint8_t> TruncatedBitmap()
{
    auto bytes = GoodBitmap();
    bytes.resize(bytes.size() / 2);
    return bytes;
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Inputs, CutFails,
    ::testing::Values(
        CutFailure{"NotABitmap", NotABitmap, {"--tile", "32", "-o", "out.Map"}, 1, "비트맵 화일이 아닙니다"},
        CutFailure{"TruncatedBitmap", TruncatedBitmap, {"--tile", "32", "-o", "out.Map"}, 1, "비트맵 화일이 아닙니다"},
        CutFailure{"ThirtyTwoBitCannotBeCut",
                   ThirtyTwoBit,
                   {"--tile", "32", "-o", "out.Map"},
                   1,
                   "메모리 확보에 실패했습니다.(Sprite Info)"},
        CutFailure{"MapTooLargeForItsLayers",
                   GoodBitmap,
                   {"--tile", "32", "--map", "100000x100000", "-o", "out.Map"},
                   1,
                   "지도가 너무 큽니다. 16384 x 16384칸(268,435,456칸)까지 만들 수 있습니다."},
        CutFailure{"TileSizeTheDialogDoesNotOffer", GoodBitmap, {"--tile", "20", "-o", "out.Map"}, 2, "16, 24, 32, 64"},
        CutFailure{"NegativeMapSize", GoodBitmap, {"--tile", "32", "--map", "-1x5", "-o", "out.Map"}, 2, "--map"},
        CutFailure{"NoTileSize", GoodBitmap, {"-o", "out.Map"}, 2, "--tile"},
        CutFailure{"NoOutput", GoodBitmap, {"--tile", "32"}, 2, "-o"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cut, AMissingBitmapNamesTheFile)
{
    ScratchFolder folder;
    const ToolRun run = RunZellmap({"cut", "nowhere.bmp", "--tile", "16", "-o", "out.Map"}, folder.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "nowhere.bmp\n화일을 열 수 없습니다.\n");
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.Map")));
}
