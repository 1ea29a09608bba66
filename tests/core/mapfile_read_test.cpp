#include "celllayers.h"
#include "mapfile.h"
#include "scratchfolder.h"
#include "testtiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

struct SavedMap {
    int mapWidth = 3;
    int mapHeight = 2;
    BYTE tileWidth = 5;  // 24-bit rows of 15 bytes get one byte of padding
    BYTE tileHeight = 4;
    std::array<RGBQUAD, 256> colours = TestColours(3);
    CTileList tiles;
    std::vector<short> tileLayer = {2, -1, 0, 1, 40, -9};  // 40 and -9 name no tile
    std::vector<short> attrLayer = {0, -5, 32767, -32768, 1, 0};

    std::vector<std::uint8_t> Encode(WORD bitmapBits = 8)
    {
        CMapModel model = ModelOf(mapWidth, mapHeight, tileWidth, tileHeight, tileLayer, attrLayer);
        model.m_tileList = std::move(tiles);
        MapSaveInput in;
        in.map = &model;
        in.bitmapBitCount = bitmapBits;
        in.bitmapColours = colours.data();
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(EncodeMapFile(in, bytes), MapWriteResult::Ok);
        tiles = std::move(model.m_tileList);
        return bytes;
    }
};

std::vector<short> Layer(const MapFileContent& content, CellLayer layer)
{
    return LayerValues(content.map.m_cells, layer);
}

void ExpectSameTiles(const MapFileContent& content, const CTileList& tiles)
{
    ASSERT_EQ(content.map.m_tileList.GetCount(), tiles.GetCount());
    for (int i = 0; i < tiles.GetCount(); ++i) {
        SCOPED_TRACE(i);
        const CSprite& want = *tiles.GetAt(i);
        const CSprite& got = *content.map.m_tileList.GetAt(i);
        EXPECT_EQ(content.map.m_tileList.AttributeAt(i), tiles.AttributeAt(i));
        ASSERT_EQ(got.GetWidth(), want.GetWidth());
        ASSERT_EQ(got.GetHeight(), want.GetHeight());
        ASSERT_EQ(got.GetStride(), want.GetStride());
        EXPECT_EQ(got.m_pBMI->bmiHeader.biBitCount, want.m_pBMI->bmiHeader.biBitCount);
        EXPECT_EQ(std::memcmp(got.m_pBits, want.m_pBits, std::size_t(got.GetStride() * got.GetHeight())), 0);
        if (want.m_pColors) {
            EXPECT_EQ(std::memcmp(got.m_pColors, want.m_pColors, 1024), 0);
        }
        EXPECT_EQ(std::memcmp(got.GetScreenBits(), want.GetScreenBits(),
                              sizeof(std::uint32_t) * std::size_t(got.GetWidth() * got.GetHeight())),
                  0);
    }
}

class MapFileRoundTrip : public ::testing::TestWithParam<WORD> {};

TEST_P(MapFileRoundTrip, GivesBackEverythingAndTheSameBytes)
{
    const WORD bits = GetParam();
    // Enough tiles for more than 1 MiB of them (8 and 24 bits), which the reader maps as
    // one piece, and a few, which it takes from the heap.
    for (const int tileCount : {3, 11000}) {
        SCOPED_TRACE(tileCount);
        SavedMap map;
        AddTestTiles(map.tiles, tileCount, map.tileWidth, map.tileHeight, bits, 11,
                     bits == 8 ? map.colours.data() : nullptr);
        const auto bytes = map.Encode(bits);

        ScratchFolder folder;
        const std::string path = folder.File("trip.Map");
        WriteBytes(path, bytes);
        MapFileContent content;
        ASSERT_EQ(ReadMapFile(path, content), MapReadResult::Ok);
        EXPECT_EQ(content.map.MapWidth(), 3);
        EXPECT_EQ(content.map.MapHeight(), 2);
        EXPECT_EQ(content.map.m_nTileWidth, 5);
        EXPECT_EQ(content.map.m_nTileHeight, 4);
        EXPECT_EQ(content.bitCount, bits);
        ExpectSameTiles(content, map.tiles);
        EXPECT_EQ(Layer(content, CellLayer::Tiles), map.tileLayer);  // cells naming no tile are kept
        EXPECT_EQ(Layer(content, CellLayer::Attributes), map.attrLayer);

        // Saving what was read gives the same file again.
        MapSaveInput again;
        again.map = &content.map;
        const std::string copy = folder.File("again.Map");
        ASSERT_EQ(WriteMapFile(copy, again), MapWriteResult::Ok);
        EXPECT_EQ(ReadBytes(copy), bytes);

        // A tile kept elsewhere (an undo step, the clipboard) outlives the map it came from.
        const SharedSprite kept = content.map.m_tileList.SharedAt(tileCount - 1);
        content = MapFileContent{};
        const CSprite& original = *map.tiles.GetAt(tileCount - 1);
        const std::size_t rowBytes = std::size_t(original.GetStride()) * std::size_t(original.GetHeight());
        EXPECT_EQ(std::memcmp(kept->m_pBits, original.m_pBits, rowBytes), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(BitCounts, MapFileRoundTrip, ::testing::Values(WORD(8), WORD(16), WORD(24)));

TEST(MapFileRead, EmptyTwentyByFifteenEightBitMap)
{
    SavedMap map;
    map.mapWidth = 20;
    map.mapHeight = 15;
    map.tileWidth = map.tileHeight = 32;
    map.tileLayer.assign(300, -1);
    map.attrLayer.assign(300, 0);
    const auto bytes = map.Encode(8);
    ASSERT_EQ(bytes.size(), 2246u);
    MapFileContent content;
    ASSERT_EQ(ParseMapFile(bytes.data(), bytes.size(), content), MapReadResult::Ok);
    EXPECT_TRUE(content.map.m_tileList.IsEmpty());
    EXPECT_EQ(Layer(content, CellLayer::Tiles), map.tileLayer);
    EXPECT_EQ(Layer(content, CellLayer::Attributes), map.attrLayer);
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(content.colours[i].rgbRed, map.colours[i].rgbRed);
        EXPECT_EQ(content.colours[i].rgbGreen, map.colours[i].rgbGreen);
        EXPECT_EQ(content.colours[i].rgbBlue, map.colours[i].rgbBlue);
    }
}

// A valid 8-bit file of 2 tiles of 5 x 4 pixels on a 3 x 2 map:
// 22 + 1024 + 2 x (4 x 8 + 1) + 24 = 1136 bytes.
std::vector<std::uint8_t> ValidFile()
{
    SavedMap map;
    AddTestTiles(map.tiles, 2, 5, 4, 8, 1, map.colours.data());
    return map.Encode(8);
}

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v)
{
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    Put16(b, at, std::uint16_t(v));
    Put16(b, at + 2, std::uint16_t(v >> 16));
}

struct BadFileCase {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    MapReadResult result;
};

const BadFileCase kBadFiles[] = {
    {"empty", [](auto& b) { b.clear(); }, MapReadResult::Invalid},
    {"shorter than the header", [](auto& b) { b.resize(21); }, MapReadResult::Invalid},
    {"wrong magic", [](auto& b) { b[6] = '1'; }, MapReadResult::Invalid},
    {"tile width 0", [](auto& b) { b[16] = 0; }, MapReadResult::Invalid},
    {"tile height 0", [](auto& b) { b[17] = 0; }, MapReadResult::Invalid},
    {"bit count 32", [](auto& b) { Put16(b, 18, 32); }, MapReadResult::Invalid},
    {"bit count 1", [](auto& b) { Put16(b, 18, 1); }, MapReadResult::Invalid},
    {"negative tile count", [](auto& b) { Put16(b, 20, 0x8002); }, MapReadResult::Invalid},
    {"negative map width", [](auto& b) { Put32(b, 8, 0xFFFFFFFD); }, MapReadResult::Invalid},
    {"negative map height", [](auto& b) { Put32(b, 12, 0x80000000); }, MapReadResult::Invalid},
    {"ends in the colour table", [](auto& b) { b.resize(22 + 1000); }, MapReadResult::Invalid},
    {"ends in a tile record", [](auto& b) { b.resize(1046 + 40); }, MapReadResult::Invalid},
    {"ends in the attribute layer", [](auto& b) { b.pop_back(); }, MapReadResult::Invalid},
    {"one byte too many", [](auto& b) { b.push_back(0); }, MapReadResult::Invalid},
    {"more tiles than records", [](auto& b) { Put16(b, 20, 3); }, MapReadResult::Invalid},
    {"a hundred thousand squared cells",
     [](auto& b) {
         Put32(b, 8, 100000);
         Put32(b, 12, 100000);
     },
     MapReadResult::Invalid},
    {"largest sizes",
     [](auto& b) {
         Put32(b, 8, 0x7FFFFFFF);
         Put32(b, 12, 0x7FFFFFFF);
         b[16] = b[17] = 255;
     },
     MapReadResult::Invalid},
    {"a row too long to draw",
     [](auto& b) {
         Put32(b, 8, 0x7FFFFFFF);
         Put32(b, 12, 0);
         b.resize(b.size() - 24);
     },
     MapReadResult::TooLarge},
};

class MapFileRefusal : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(MapFileRefusal, LeavesTheContentAsItWas)
{
    auto bytes = ValidFile();
    GetParam().damage(bytes);

    // What was there before: a different, valid map.
    SavedMap before;
    AddTestTiles(before.tiles, 1, 5, 4, 24, 77);
    const auto beforeBytes = before.Encode(24);
    MapFileContent content;
    ASSERT_EQ(ParseMapFile(beforeBytes.data(), beforeBytes.size(), content), MapReadResult::Ok);
    const CSprite* firstTile = content.map.m_tileList.GetAt(0);

    EXPECT_EQ(ParseMapFile(bytes.data(), bytes.size(), content), GetParam().result);
    EXPECT_EQ(content.map.MapWidth(), 3);
    EXPECT_EQ(content.bitCount, 24);
    ASSERT_EQ(content.map.m_tileList.GetCount(), 1);
    EXPECT_EQ(content.map.m_tileList.GetAt(0), firstTile);
    EXPECT_EQ(Layer(content, CellLayer::Tiles), before.tileLayer);
    EXPECT_EQ(Layer(content, CellLayer::Attributes), before.attrLayer);
}

INSTANTIATE_TEST_SUITE_P(Files, MapFileRefusal, ::testing::ValuesIn(kBadFiles), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (c == ' ' || c == '-') c = '_';
    return name;
});

TEST(MapFileRead, OnlySevenMagicCharactersAreCompared)
{
    auto bytes = ValidFile();
    bytes[7] = 'x';
    MapFileContent content;
    EXPECT_EQ(ParseMapFile(bytes.data(), bytes.size(), content), MapReadResult::Ok);
}

TEST(MapFileRead, AnyBitCountWithoutTiles)
{
    SavedMap map;
    const auto bytes = map.Encode(32);  // no tiles: the bitmap's depth, no colour table
    ASSERT_EQ(bytes.size(), 22u + 24u);
    MapFileContent content;
    EXPECT_EQ(ParseMapFile(bytes.data(), bytes.size(), content), MapReadResult::Ok);
    EXPECT_EQ(content.bitCount, 32);
}

TEST(MapFileRead, EmptyMapHasNoCellsButValidLayers)
{
    SavedMap map;
    map.mapWidth = 0;
    map.mapHeight = 7;
    const auto bytes = map.Encode(24);
    MapFileContent content;
    ASSERT_EQ(ParseMapFile(bytes.data(), bytes.size(), content), MapReadResult::Ok);
    EXPECT_EQ(content.map.MapWidth(), 0);
    EXPECT_TRUE(content.map.m_cells.IsComplete());
}

// A file that really holds more cells than the layers may have (a sparse
// file, so the test costs no disk) is refused with the map's own message,
// without reading or allocating it.
TEST(MapFileRead, MapBeyondTheLayerCapIsRefused)
{
    ScratchFolder folder;
    const std::string path = folder.File("huge.Map");
    std::vector<std::uint8_t> header(22);
    std::memcpy(header.data(), kMapMagic, 8);
    const std::uint32_t width = 16384, height = 16385;  // 2^28 + 16384 cells
    Put32(header, 8, width);
    Put32(header, 12, height);
    header[16] = header[17] = 32;
    Put16(header, 18, 24);
    WriteBytes(path, header);
    std::filesystem::resize_file(path, 22 + 4ull * width * height);

    MapFileContent content;
    const MapReadResult result = ReadMapFile(path, content);
    EXPECT_EQ(result, MapReadResult::TooLarge);
    EXPECT_STREQ(MapReadMessage(result), "지도가 너무 큽니다. 16384 x 16384칸(268,435,456칸)까지 만들 수 있습니다.");
    EXPECT_EQ(content.map.MapWidth(), 0);
}

TEST(MapFileRead, FilesThatCannotBeOpened)
{
    ScratchFolder folder;
    MapFileContent content;
    EXPECT_EQ(ReadMapFile(folder.File("missing.Map"), content), MapReadResult::CannotOpen);
    EXPECT_EQ(ReadMapFile(folder.Path().string(), content), MapReadResult::CannotOpen);
    EXPECT_STREQ(MapReadMessage(MapReadResult::CannotOpen), "맵 화일을 열 수 없습니다");
    EXPECT_STREQ(MapReadMessage(MapReadResult::Invalid), "올바른 맵 화일이 아닙니다");
    EXPECT_STREQ(MapReadMessage(MapReadResult::AttrLayerAllocFailed), "지도 속성을 생성할수 없습니다.");
    EXPECT_STREQ(MapReadMessage(MapReadResult::TileCreateFailed), "Sprite Create Error");
    EXPECT_EQ(MapReadMessage(MapReadResult::Ok), nullptr);
}

TEST(MapFileFormat, RowSizesAndLengths)
{
    struct Row {
        int width, bits, size;
    };
    for (const Row r : {Row{32, 8, 32}, Row{32, 24, 96}, Row{32, 16, 64}, Row{5, 24, 16}, Row{3, 8, 4},
                        Row{255, 24, 768}, Row{1, 16, 4}}) {
        EXPECT_EQ(MapFileRowSize(r.width, r.bits), r.size) << r.width << " x " << r.bits;
    }
    EXPECT_EQ(MapFileLength(20, 15, 32, 32, 8, 0), 2246u);
    EXPECT_EQ(MapFileLength(20, 15, 32, 32, 24, 2), 22u + 2 * (32 * 96 + 1) + 1200);
    EXPECT_EQ(MapFileLength(0x7FFFFFFF, 0x7FFFFFFF, 255, 255, 24, 32767),
              22u + 32767ull * (255 * 768 + 1) + 4ull * 0x7FFFFFFF * 0x7FFFFFFF);
    EXPECT_EQ(MapFileLength(-1, 15, 32, 32, 8, 0), std::nullopt);
}

}  // namespace

namespace {

// The fuzzer's seeds are written by a script of their own, field by field:
// the reader must agree with it on every one.
TEST(MapFileRead, SeedCorpusFromTheIndependentGenerator)
{
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PELLIN_MAP_CORPUS)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const auto bytes = ReadBytes(entry.path().string());
        MapFileContent content;
        const MapReadResult result = ParseMapFile(bytes.data(), bytes.size(), content);
        EXPECT_EQ(result == MapReadResult::Ok, name.rfind("bad-", 0) != 0);
        ++seen;
    }
    EXPECT_GE(seen, 10);
}

}  // namespace
