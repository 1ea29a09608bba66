// zellmap info: the editor's reader decides, the report describes.
#include "stamplibrary.h"
#include "tooltesting.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

QJsonObject JsonOf(const ToolRun& run)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out;
    return document.object();
}

std::vector<int> IntsOf(const QJsonValue& value)
{
    std::vector<int> ints;
    for (const QJsonValue& item : value.toArray()) ints.push_back(item.toInt());
    return ints;
}

}  // namespace

class InfoOnReadableMap : public ::testing::TestWithParam<WORD> {};

TEST_P(InfoOnReadableMap, ReportsHeaderCountsAndTileDigestsAsStored)
{
    TestMap map;
    map.bitCount = GetParam();
    map.tileWidth = 7;  // rows with padding bytes
    map.tileHeight = 5;
    map.tileCount = 4;
    map.cells = {-1, 0, 1, 2, 3, 4, -7, 32767, 3, -1, 0, 0};
    map.mapWidth = 4;
    map.mapHeight = 3;
    map.attrs = {0, 5, 0, -5, 0, 0, 0, 0, 0, 0, 32767, -32768};
    ScratchFolder folder;
    const auto bytes = map.Encode();
    WriteBytes(folder.File("m.Map"), bytes);

    const ToolRun run = RunZellmap({"info", "m.Map", "--json", "--cells"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QJsonObject json = JsonOf(run);
    EXPECT_TRUE(json["sound"].toBool());
    EXPECT_EQ(json["map_width"].toInt(), 4);
    EXPECT_EQ(json["map_height"].toInt(), 3);
    EXPECT_EQ(json["tile_width"].toInt(), 7);
    EXPECT_EQ(json["tile_height"].toInt(), 5);
    EXPECT_EQ(json["bits_per_pixel"].toInt(), int(map.bitCount));
    EXPECT_EQ(json["tile_count"].toInt(), 4);
    EXPECT_EQ(IntsOf(json["tile_attributes"]), (std::vector<int>{10, 11, 12, 13}));
    EXPECT_EQ(json["cells_used"].toInt(), 7);  // 0, 1, 2, 3, 3, 0, 0
    EXPECT_EQ(json["cells_empty"].toInt(), 2);
    EXPECT_EQ(json["cells_out_of_range"].toInt(), 3);  // 4, -7, 32767
    EXPECT_EQ(json["cells_with_attribute"].toInt(), 4);
    EXPECT_EQ(IntsOf(json["cells"]), std::vector<int>(map.cells.begin(), map.cells.end()));
    EXPECT_EQ(IntsOf(json["attributes"]), std::vector<int>(map.attrs.begin(), map.attrs.end()));

    // Each digest is of the tile's rows exactly where the file holds them.
    const std::size_t rows = std::size_t(5 * (((7 * map.bitCount) / 8 + 3) & ~3));
    std::size_t at = 22 + (map.bitCount == 8 ? 1024 : 0);
    const QJsonArray digests = json["tile_sha256"].toArray();
    ASSERT_EQ(digests.size(), 4);
    for (const QJsonValue& digest : digests) {
        const QByteArrayView stored(bytes.data() + at, qsizetype(rows));
        EXPECT_EQ(digest.toString(),
                  QString::fromLatin1(QCryptographicHash::hash(stored, QCryptographicHash::Sha256).toHex()));
        at += rows + 1;
    }
    // The pictures' fingerprints: four different pictures, four different prints.
    QStringList prints;
    for (const QJsonValue& print : json["tile_fingerprints"].toArray()) prints << print.toString();
    ASSERT_EQ(prints.size(), 4);
    prints.removeDuplicates();
    EXPECT_EQ(prints.size(), 4);
    for (const QString& print : prints)
        EXPECT_TRUE(TileFingerprint::FromHex(print.toStdString())) << print.toStdString();
}

// The library listed, and with a map which stamps its tiles can paint.
TEST(Stamps, ListsTheLibraryAndWhatAMapCanPaint)
{
    TestMap map;
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    const ToolRun info = RunZellmap({"info", "m.Map", "--json"}, folder.Path());
    const QJsonArray prints = JsonOf(info)["tile_fingerprints"].toArray();
    ASSERT_GE(prints.size(), 2);
    const auto print = [&](int i) { return TileFingerprint::FromHex(prints[i].toString().toStdString()); };
    StampLibrary library;
    library.stamps.push_back({"집", 2, {{{2, 1, {print(0), print(1)}}, 1}, {{1, 1, {std::nullopt}}, 1}}});
    library.stamps.push_back({"다리", 0, {{{1, 2, {print(1), TileFingerprint{1, 2}}}, 1}}});
    ASSERT_TRUE(SaveStampLibrary(folder.File("stamps.json"), library));

    const ToolRun listed = RunZellmap({"stamps", "--file", "stamps.json", "--map", "m.Map"}, folder.Path());
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "집\t2 x 1\t변형 2개\t자리 2\t사용 가능\n다리\t1 x 2\t타일 1개 없음\n");
    WriteBytes(folder.File("stamps.json"), {'{'});
    EXPECT_EQ(RunZellmap({"stamps", "--file", "stamps.json"}, folder.Path()).status, 1);
}

INSTANTIATE_TEST_SUITE_P(BitDepths, InfoOnReadableMap, ::testing::Values(WORD(8), WORD(16), WORD(24)));

TEST(Info, PrintsAReadableSummaryWithoutJson)
{
    TestMap map;
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    const ToolRun run = RunZellmap({"info", "m.Map"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("상태: 정상"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("맵 크기: 6 x 4 칸"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("타일 수: 5"), std::string::npos) << run.out;
}

TEST(Info, AnEmptyMapWithoutTilesReadsAsSound)
{
    TestMap map;
    map.mapWidth = 0;
    map.mapHeight = 0;
    map.tileCount = 0;
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    const ToolRun run = RunZellmap({"info", "m.Map", "--json", "--cells"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject json = JsonOf(run);
    EXPECT_TRUE(json["cells"].toArray().isEmpty());
    EXPECT_TRUE(json["tile_sha256"].toArray().isEmpty());
}

struct Malformed {
    const char* name;
    void (*spoil)(std::vector<std::uint8_t>& bytes);
    const char* problem;  // part of the explanation
};

void PrintTo(const Malformed& c, std::ostream* os) { *os << c.name; }

class InfoOnMalformedMap : public ::testing::TestWithParam<Malformed> {};

TEST_P(InfoOnMalformedMap, FailsWithTheEditorsMessageAndSaysWhy)
{
    TestMap map;
    auto bytes = map.Encode();
    GetParam().spoil(bytes);
    ScratchFolder folder;
    WriteBytes(folder.File("bad.Map"), bytes);

    const ToolRun run = RunZellmap({"info", "bad.Map", "--json"}, folder.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "올바른 맵 화일이 아닙니다\n");
    const QJsonObject json = JsonOf(run);
    EXPECT_FALSE(json["sound"].toBool());
    EXPECT_EQ(json["error"].toString().toStdString(), "올바른 맵 화일이 아닙니다");
    EXPECT_NE(json["problem"].toString().toStdString().find(GetParam().problem), std::string::npos)
        << json["problem"].toString().toStdString();

    const ToolRun text = RunZellmap({"info", "bad.Map"}, folder.Path());
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find("올바르지 않음"), std::string::npos) << text.out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, InfoOnMalformedMap,
    ::testing::
        Values(
            Malformed{"Empty", [](std::vector<std::uint8_t>& b) { b.clear(); }, "짧은"},
            Malformed{"CutInTheHeader", [](std::vector<std::uint8_t>& b) { b.resize(21); }, "짧은"},
            Malformed{"WrongMagic", [](std::vector<std::uint8_t>& b) { b[0] = 'X'; }, "QZTF1.0"},
            Malformed{"Truncated", [](std::vector<std::uint8_t>& b) { b.pop_back(); }, "바이트여야"},
            Malformed{"TrailingByte", [](std::vector<std::uint8_t>& b) { b.push_back(0); }, "바이트여야"},
            Malformed{"NegativeWidth", [](std::vector<std::uint8_t>& b) { b[11] = 0x80; }, "음수"},
            Malformed{"ZeroTileWidth", [](std::vector<std::uint8_t>& b) { b[16] = 0; }, "타일 크기"},
            Malformed{"ThirtyTwoBitTiles", [](std::vector<std::uint8_t>& b) { b[18] = 32; }, "색 비트"},
            Malformed{"NegativeTileCount", [](std::vector<std::uint8_t>& b) { b[21] = 0x80; }, "32767"},
            Malformed{
                "HugeMapInASmallFile",
                [](std::vector<std::uint8_t>& b) {
                    b[8] = b[9] = b[10] = 0xFF;
                    b[11] = 0x7F;
                },
                "바이트여야"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Info, AFileThatCannotBeOpenedGivesTheOpenMessage)
{
    ScratchFolder folder;
    for (const char* path : {"missing.Map", "."}) {
        const ToolRun run = RunZellmap({"info", path}, folder.Path());
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.err, "맵 화일을 열 수 없습니다\n") << path;
    }
}

TEST(Info, CommandLineMistakesAreUsageErrors)
{
    ScratchFolder folder;
    EXPECT_EQ(RunZellmap({"info"}, folder.Path()).status, 2);
    EXPECT_EQ(RunZellmap({"info", "a.Map", "b.Map"}, folder.Path()).status, 2);
    EXPECT_EQ(RunZellmap({"info", "a.Map", "--jsn"}, folder.Path()).status, 2);
    EXPECT_EQ(RunZellmap({"frobnicate"}, folder.Path()).status, 2);
}

TEST(Help, EverySubcommandHasHelpAndSucceeds)
{
    ScratchFolder folder;
    for (const char* command : {"info", "cut", "render", "export"}) {
        const ToolRun run = RunZellmap({command, "--help"}, folder.Path());
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_NE(run.out.find(std::string("zellmap ") + command), std::string::npos) << run.out;
    }
    const ToolRun top = RunZellmap({"--help"}, folder.Path());
    EXPECT_EQ(top.status, 0);
    EXPECT_NE(top.out.find("render"), std::string::npos);
}
