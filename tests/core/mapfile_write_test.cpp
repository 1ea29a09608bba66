#include "mapfile.h"
#include "scratchfolder.h"
#include "testtiles.h"

#include "dib.h"
#include "tilecut.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>

namespace {

std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint16_t(b[at] | (b[at + 1] << 8));
}

// A fresh document's map: 20 x 15 cells of 32 x 32 pixels, nothing painted.
struct FreshMap {
    CMapModel model = ModelOf(20, 15, 32, 32);
    std::array<RGBQUAD, 256> colours = TestColours(7);
    CTileList& tiles = model.m_tileList;

    MapSaveInput Input(WORD bitmapBits = 8)
    {
        MapSaveInput in;
        in.map = &model;
        in.bitmapBitCount = bitmapBits;
        in.bitmapColours = colours.data();
        return in;
    }
};

TEST(MapFileWrite, EmptyTwentyByFifteenEightBitMapHasTheKnownBytes)
{
    FreshMap map;
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeMapFile(map.Input(), bytes), MapWriteResult::Ok);
    ASSERT_EQ(bytes.size(), 2246u);  // 22 + 1024 + 4 x 300
    const std::vector<std::uint8_t> head = {'Q', 'Z',  'T', 'F', '1', '.',  '0',  0,    0x14, 0, 0,
                                            0,   0x0F, 0,   0,   0,   0x20, 0x20, 0x08, 0,    0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 22), head);
    // Colour entries are red, green, blue, 0.
    for (std::size_t i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bytes[22 + 4 * i], map.colours[i].rgbRed);
        EXPECT_EQ(bytes[22 + 4 * i + 1], map.colours[i].rgbGreen);
        EXPECT_EQ(bytes[22 + 4 * i + 2], map.colours[i].rgbBlue);
        EXPECT_EQ(bytes[22 + 4 * i + 3], 0);
    }
    for (std::size_t cell = 0; cell < 300; ++cell) {
        EXPECT_EQ(Le16(bytes, 1046 + 2 * cell), 0xFFFF);
        EXPECT_EQ(Le16(bytes, 1646 + 2 * cell), 0);
    }
}

TEST(MapFileWrite, TwentyFourBitTilesHaveNoColourTableAndFullRecords)
{
    FreshMap map;
    AddTestTiles(map.tiles, 2, 32, 32, 24, 3);
    map.model.m_cells.SetTile(0, 0, 1);
    map.model.m_cells.SetAttr(19, 14, -7);
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeMapFile(map.Input(24), bytes), MapWriteResult::Ok);
    constexpr std::size_t kRecord = 32 * 96 + 1;
    ASSERT_EQ(bytes.size(), 22 + 2 * kRecord + 1200);
    EXPECT_EQ(Le16(bytes, 18), 24);
    EXPECT_EQ(Le16(bytes, 20), 2);
    for (int i = 0; i < 2; ++i) {
        const CSprite& tile = *map.tiles.GetAt(i);
        const std::size_t at = 22 + std::size_t(i) * kRecord;  // the first record right after the header
        EXPECT_EQ(std::memcmp(&bytes[at], tile.m_pBits, kRecord - 1), 0) << "tile " << i;
        EXPECT_EQ(bytes[at + kRecord - 1], 10 + i);
    }
    const std::size_t layers = 22 + 2 * kRecord;
    EXPECT_EQ(Le16(bytes, layers), 1);
    EXPECT_EQ(Le16(bytes, layers + 600 + 2 * 299), 0xFFF9);
}

TEST(MapFileWrite, EightBitRecordsFollowTheColourTable)
{
    FreshMap map;
    AddTestTiles(map.tiles, 3, 32, 32, 8, 9, map.colours.data());
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeMapFile(map.Input(8), bytes), MapWriteResult::Ok);
    constexpr std::size_t kRecord = 32 * 32 + 1;
    ASSERT_EQ(bytes.size(), 22 + 1024 + 3 * kRecord + 1200);
    for (int i = 0; i < 3; ++i) {
        const std::size_t at = 1046 + std::size_t(i) * kRecord;
        EXPECT_EQ(std::memcmp(&bytes[at], map.tiles.GetAt(i)->m_pBits, kRecord - 1), 0) << "tile " << i;
        EXPECT_EQ(bytes[at + kRecord - 1], 10 + i);
    }
}

// An 8-bit .bmp, 3 x 2 cells of 16 x 16 pixels plus a partial column.
std::vector<std::uint8_t> EightBitBmp(int width, int height, const std::array<RGBQUAD, 256>& colours,
                                      const std::vector<std::uint8_t>& rows)
{
    const std::uint32_t stride = std::uint32_t((width + 3) & ~3);
    const std::uint32_t offBits = 14 + 40 + 1024;
    std::vector<std::uint8_t> bmp(offBits);
    auto put16 = [&](std::size_t at, std::uint16_t v) {
        bmp[at] = std::uint8_t(v);
        bmp[at + 1] = std::uint8_t(v >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, std::uint16_t(v));
        put16(at + 2, std::uint16_t(v >> 16));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, offBits + stride * std::uint32_t(height));
    put32(10, offBits);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    put16(26, 1);
    put16(28, 8);
    put32(34, stride * std::uint32_t(height));
    std::memcpy(&bmp[54], colours.data(), 1024);
    bmp.insert(bmp.end(), rows.begin(), rows.end());
    return bmp;
}

// The ordinary case: tiles cut from the loaded bitmap. The file must be
// exactly what the layout gives, built here straight from the .bmp rows.
TEST(MapFileWrite, TilesCutFromTheBitmapGiveTheLayoutsExactBytes)
{
    constexpr int kW = 52, kH = 32, kTile = 16;
    const auto colours = TestColours(21);
    const std::size_t bmpStride = (kW + 3) & ~3;
    const auto rows = TestBytes(bmpStride * kH, 5);
    CDib dib;
    const auto bmp = EightBitBmp(kW, kH, colours, rows);
    ASSERT_TRUE(dib.LoadFromMemory(bmp.data(), bmp.size()));
    CTileList tiles;
    ASSERT_EQ(CutWholeBitmap(dib, kTile, kTile, tiles).appended, 6);
    tiles.SetAttributeAt(4, 200);

    std::vector<short> tileLayer = {5, -1, 0, 3, 77, -2};  // 3 x 2 cells
    std::vector<short> attrLayer = {0, 1, -1, 32767, -32768, 9};
    CMapModel model = ModelOf(3, 2, kTile, kTile, tileLayer, attrLayer);
    model.m_tileList = std::move(tiles);
    MapSaveInput in;
    in.map = &model;
    in.bitmapBitCount = dib.GetBitCount();
    in.bitmapColours = dib.m_pColors;
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeMapFile(in, bytes), MapWriteResult::Ok);

    std::vector<std::uint8_t> expected = {'Q', 'Z', 'T', 'F', '1', '.',   '0',   0, 3, 0, 0,
                                          0,   2,   0,   0,   0,   kTile, kTile, 8, 0, 6, 0};
    for (const RGBQUAD& c : colours) expected.insert(expected.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue, 0});
    for (int cellRow = 0; cellRow < 2; ++cellRow) {
        for (int cellCol = 0; cellCol < 3; ++cellCol) {
            for (int i = 0; i < kTile; ++i) {  // stored rows: the tile's bottom row first
                const int pictureRow = cellRow * kTile + (kTile - 1 - i);
                const std::size_t bmpRow = std::size_t(kH - 1 - pictureRow);
                const auto* from = &rows[bmpRow * bmpStride + std::size_t(cellCol * kTile)];
                expected.insert(expected.end(), from, from + kTile);
            }
            expected.push_back(cellRow * 3 + cellCol == 4 ? 200 : 0);
        }
    }
    for (const auto* layer : {&tileLayer, &attrLayer})
        for (short v : *layer) expected.insert(expected.end(), {std::uint8_t(v), std::uint8_t(std::uint16_t(v) >> 8)});
    ASSERT_EQ(bytes.size(), expected.size());
    const auto differ = std::mismatch(bytes.begin(), bytes.end(), expected.begin());
    EXPECT_EQ(differ.first, bytes.end()) << "first difference at offset " << (differ.first - bytes.begin());
}

TEST(MapFileWrite, SizesNoLayerCanHaveAreRefused)
{
    for (const auto& [w, h] : {std::pair{16384, 16385}, std::pair{100000, 100000}}) {
        const CMapModel model = ModelOf(w, h, 8, 8);
        MapSaveInput in;
        in.map = &model;
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(EncodeMapFile(in, bytes), MapWriteResult::CannotWrite) << w << " x " << h;
        EXPECT_TRUE(bytes.empty());
    }
}

// Tiles that one header cannot describe are refused, and nothing is written.
struct FormatCase {
    const char* name;
    void (*build)(CTileList& tiles);
};

const std::array<RGBQUAD, 256> kColoursA = TestColours(1);
const std::array<RGBQUAD, 256> kColoursB = TestColours(2);

const FormatCase kFormatCases[] = {
    {"bit counts differ",
     [](CTileList& t) {
         AddTestTiles(t, 2, 32, 32, 24, 1);
         AddTestTiles(t, 1, 32, 32, 16, 1);
     }},
    {"eight-bit tables differ",
     [](CTileList& t) {
         AddTestTiles(t, 1, 32, 32, 8, 1, kColoursA.data());
         AddTestTiles(t, 1, 32, 32, 8, 1, kColoursB.data());
     }},
    {"eight and twenty-four",
     [](CTileList& t) {
         AddTestTiles(t, 1, 32, 32, 8, 1, kColoursA.data());
         AddTestTiles(t, 1, 32, 32, 24, 1);
     }},
    {"a tile of another size",
     [](CTileList& t) {
         AddTestTiles(t, 1, 32, 32, 24, 1);
         AddTestTiles(t, 1, 16, 32, 24, 1);
     }},
};

class MapFileWriteFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(MapFileWriteFormats, AreRefusedAndNothingIsWritten)
{
    FreshMap map;
    GetParam().build(map.tiles);
    ScratchFolder folder;
    const std::string path = folder.File("mixed.Map");
    EXPECT_EQ(WriteMapFile(path, map.Input(24)), MapWriteResult::TileFormatsDiffer);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    EXPECT_STREQ(MapWriteMessage(MapWriteResult::TileFormatsDiffer), "타일의 색 형식이 서로 달라 저장할 수 없습니다");
}

INSTANTIATE_TEST_SUITE_P(Tiles, MapFileWriteFormats, ::testing::ValuesIn(kFormatCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (c == ' ' || c == '-') c = '_';
    return name;
});

TEST(MapFileWrite, FormatComesFromTheTilesNotTheBitmap)
{
    FreshMap map;
    const auto tileColours = TestColours(99);
    AddTestTiles(map.tiles, 2, 32, 32, 8, 4, tileColours.data());
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeMapFile(map.Input(24), bytes), MapWriteResult::Ok);  // a 24-bit bitmap is loaded
    EXPECT_EQ(Le16(bytes, 18), 8);
    EXPECT_EQ(bytes[22], tileColours[0].rgbRed);
    EXPECT_EQ(bytes[22 + 4 * 255 + 2], tileColours[255].rgbBlue);
}

TEST(MapFileWrite, TileCountLimit)
{
    FreshMap map;
    AddTestTiles(map.tiles, kMaxMapTiles, 1, 1, 16, 1);
    map.model.m_nTileWidth = map.model.m_nTileHeight = 1;
    MapSaveInput in = map.Input(16);
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(EncodeMapFile(in, bytes), MapWriteResult::Ok);
    EXPECT_EQ(Le16(bytes, 20), 32767);
    EXPECT_EQ(bytes.size(), 22u + 32767u * 5u + 1200u);

    AddTestTiles(map.tiles, 1, 1, 1, 16, 1);
    ScratchFolder folder;
    EXPECT_EQ(WriteMapFile(folder.File("many.Map"), in), MapWriteResult::TooManyTiles);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    EXPECT_STREQ(MapWriteMessage(MapWriteResult::TooManyTiles), "타일이 너무 많아 저장할 수 없습니다");
}

TEST(MapFileWrite, WritesTheFileAndLeavesNoTemporaryBehind)
{
    FreshMap map;
    AddTestTiles(map.tiles, 2, 32, 32, 8, 1, map.colours.data());
    ScratchFolder folder;
    const std::string path = folder.File("map.Map");
    WriteBytes(path, {1, 2, 3});
    ASSERT_EQ(WriteMapFile(path, map.Input()), MapWriteResult::Ok);
    std::vector<std::uint8_t> expected;
    ASSERT_EQ(EncodeMapFile(map.Input(), expected), MapWriteResult::Ok);
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

// A save that fails part-way (here: the disk refuses to grow the file)
// keeps the old file and cleans up after itself.
TEST(MapFileWrite, FailedWriteKeepsTheOldFile)
{
    FreshMap map;
    AddTestTiles(map.tiles, 8, 32, 32, 24, 1);
    ScratchFolder folder;
    const std::string path = folder.File("old.Map");
    const std::vector<std::uint8_t> old = {9, 8, 7, 6};
    WriteBytes(path, old);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const MapWriteResult result = WriteMapFile(path, map.Input(24));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result, MapWriteResult::CannotWrite);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    EXPECT_STREQ(MapWriteMessage(result), "맵 화일을 저장할 수 없습니다");
}

// The superuser ignores folder permissions, so then the save runs in a
// child process that has given them up.
MapWriteResult WriteAsOrdinaryUser(const std::string& path, const MapSaveInput& input)
{
    if (::geteuid() != 0) return WriteMapFile(path, input);
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
        ::_exit(int(WriteMapFile(path, input)));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) >= 100)
        return MapWriteResult::Ok;  // the check below then fails
    return MapWriteResult(WEXITSTATUS(status));
}

TEST(MapFileWrite, ReadOnlyFolderKeepsTheOldFile)
{
    FreshMap map;
    ScratchFolder folder;
    const std::string path = folder.File("old.Map");
    WriteBytes(path, {1, 2, 3});
    using std::filesystem::perms;
    std::filesystem::permissions(folder.Path(), perms::owner_read | perms::owner_exec | perms::group_read |
                                                    perms::group_exec | perms::others_read | perms::others_exec);
    EXPECT_EQ(WriteAsOrdinaryUser(path, map.Input()), MapWriteResult::CannotWrite);
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(MapFileWrite, MissingFolderOrFolderAsTargetFails)
{
    FreshMap map;
    ScratchFolder folder;
    EXPECT_EQ(WriteMapFile(folder.File("no/such/folder.Map"), map.Input()), MapWriteResult::CannotWrite);
    std::filesystem::create_directory(folder.File("dir.Map"));
    EXPECT_EQ(WriteMapFile(folder.File("dir.Map"), map.Input()), MapWriteResult::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("dir.Map")));
}

}  // namespace
