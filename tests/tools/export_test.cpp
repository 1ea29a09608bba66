// zellmap export: a TMX map with its tileset picture, read back with an
// XML reader, and, where Tiled's own renderer is installed, drawn by it.
#include "tooltesting.h"

#include "sprite.h"

#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

struct TmxObject {
    int x = 0, y = 0, width = 0, height = 0, attribute = 0;
};

// The parts of a TMX file the export writes.
struct Tmx {
    std::map<std::string, std::string> map;         // attributes of <map>
    std::map<std::string, std::string> tileset;     // attributes of <tileset>
    std::map<std::string, std::string> properties;  // the map's own
    std::string imageSource;
    int imageWidth = 0, imageHeight = 0;
    std::map<int, int> tileAttributes;  // tile id -> attribute property
    std::string layerName;
    std::vector<int> gids;
    std::string objectLayerVisible;
    std::vector<TmxObject> objects;
};

Tmx ReadTmx(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    QXmlStreamReader xml(QByteArray::fromStdString(text.str()));
    Tmx tmx;
    int tileId = -1;
    TmxObject* object = nullptr;
    const auto attributesOf = [&] {
        std::map<std::string, std::string> all;
        for (const auto& a : xml.attributes())
            all[a.name().toString().toStdString()] = a.value().toString().toStdString();
        return all;
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QString name = xml.name().toString();
        const auto a = attributesOf();
        if (name == "map") tmx.map = a;
        if (name == "tileset") tmx.tileset = a;
        if (name == "image") {
            tmx.imageSource = a.at("source");
            tmx.imageWidth = std::stoi(a.at("width"));
            tmx.imageHeight = std::stoi(a.at("height"));
        }
        if (name == "tile") tileId = std::stoi(a.at("id"));
        if (name == "layer") tmx.layerName = a.at("name");
        if (name == "data") {
            EXPECT_EQ(a.at("encoding"), "csv");
            for (const QString& gid : xml.readElementText().split(',')) tmx.gids.push_back(gid.trimmed().toInt());
        }
        if (name == "objectgroup") tmx.objectLayerVisible = a.count("visible") ? a.at("visible") : "1";
        if (name == "object") {
            tmx.objects.push_back(
                {std::stoi(a.at("x")), std::stoi(a.at("y")), std::stoi(a.at("width")), std::stoi(a.at("height")), 0});
            object = &tmx.objects.back();
            tileId = -1;
        }
        if (name == "property" && tileId < 0 && !object) {
            tmx.properties[a.at("name")] = a.at("value");
        } else if (name == "property") {
            EXPECT_EQ(a.at("name"), "attribute");
            EXPECT_EQ(a.at("type"), "int");
            if (tileId >= 0)
                tmx.tileAttributes[tileId] = std::stoi(a.at("value"));
            else if (object)
                object->attribute = std::stoi(a.at("value"));
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return tmx;
}

}  // namespace

TEST(Export, WritesTilesCellsAndBothKindsOfAttributes)
{
    TestMap map;
    map.bitCount = 8;
    map.tileCount = 7;
    for (int i = 0; i < 24; ++i) map.cells.push_back(short(i % 8 - 1));  // -1 and every tile
    ScratchFolder folder;
    WriteBytes(folder.File("level one.Map"), map.Encode());

    const ToolRun run = RunZellmap({"export", "level one.Map", "--tmx", "level.tmx"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    const Tmx tmx = ReadTmx(folder.File("level.tmx"));

    EXPECT_EQ(tmx.map.at("orientation"), "orthogonal");
    EXPECT_EQ(tmx.map.at("width"), "6");
    EXPECT_EQ(tmx.map.at("height"), "4");
    EXPECT_EQ(tmx.map.at("tilewidth"), "16");
    EXPECT_EQ(tmx.map.at("tileheight"), "16");
    EXPECT_EQ(tmx.tileset.at("firstgid"), "1");
    EXPECT_EQ(tmx.tileset.at("tilecount"), "7");
    EXPECT_EQ(tmx.tileset.at("name"), "level one");
    EXPECT_EQ(tmx.properties.at("bitcount"), "8");

    // Tile layer: tile number + 1, and 0 for an empty cell.
    const auto cells = map.Cells();
    ASSERT_EQ(tmx.gids.size(), cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(tmx.gids[i], cells[i] + 1) << "cell " << i;

    // Tile attributes as tile properties.
    ASSERT_EQ(tmx.tileAttributes.size(), 7u);
    for (const auto& [id, attribute] : tmx.tileAttributes) EXPECT_EQ(attribute, 10 + id);

    // Cell attributes: one hidden cell-sized object per attributed cell.
    const auto attrs = map.Attrs();
    EXPECT_EQ(tmx.objectLayerVisible, "0");
    std::size_t next = 0;
    for (int row = 0; row < map.mapHeight; ++row) {
        for (int col = 0; col < map.mapWidth; ++col) {
            const short attr = attrs[std::size_t(row * map.mapWidth + col)];
            if (attr == 0) continue;
            ASSERT_LT(next, tmx.objects.size());
            const TmxObject& o = tmx.objects[next++];
            EXPECT_EQ(o.x, col * 16);
            EXPECT_EQ(o.y, row * 16);
            EXPECT_EQ(o.width, 16);
            EXPECT_EQ(o.height, 16);
            EXPECT_EQ(o.attribute, attr);
        }
    }
    EXPECT_EQ(next, tmx.objects.size());

    // The tileset picture holds every tile at its place, as it looks on screen.
    EXPECT_EQ(tmx.imageSource, "level-tiles.png");
    const Picture tileset = ReadPicture(folder.File("level-tiles.png"));
    ASSERT_EQ(tileset.width, tmx.imageWidth);
    ASSERT_EQ(tileset.height, tmx.imageHeight);
    const int columns = std::stoi(tmx.tileset.at("columns"));
    CTileList tiles;
    map.MakeTiles(tiles);
    for (int i = 0; i < map.tileCount; ++i) {
        const CSprite* tile = tiles.GetAt(i);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(tileset.At(i % columns * 16 + x, i / columns * 16 + y), tile->GetScreenBits()[y * 16 + x])
                    << "tile " << i << " at " << x << ", " << y;
    }
}

TEST(Export, AMapWithoutTilesHasNoTileset)
{
    TestMap map;
    map.tileCount = 0;
    map.cells.assign(24, -1);
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    const ToolRun run = RunZellmap({"export", "m.Map", "--tmx", "m.tmx"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    const Tmx tmx = ReadTmx(folder.File("m.tmx"));
    EXPECT_TRUE(tmx.tileset.empty());
    EXPECT_EQ(tmx.gids, std::vector<int>(24, 0));
    EXPECT_FALSE(std::filesystem::exists(folder.File("m-tiles.png")));
}

TEST(Export, FailuresLeaveNothingBehind)
{
    TestMap map;
    auto bytes = map.Encode();
    bytes[0] = 'q';
    ScratchFolder folder;
    WriteBytes(folder.File("bad.Map"), bytes);
    const ToolRun bad = RunZellmap({"export", "bad.Map", "--tmx", "out.tmx"}, folder.Path());
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "올바른 맵 화일이 아닙니다\n");
    EXPECT_EQ(RunZellmap({"export", "bad.Map"}, folder.Path()).status, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "stray files";
}

// Tiled's own renderer, when installed, must draw the exported map as the
// tool renders it: equal in every cell that holds a tile, and transparent
// where the tool draws an empty cell.
TEST(Export, TiledsRendererDrawsWhatRenderDraws)
{
    if (std::system("command -v tmxrasterizer >/dev/null 2>&1") != 0) GTEST_SKIP() << "tmxrasterizer not installed";
    TestMap map;
    map.bitCount = 16;
    map.mapWidth = 9;
    map.mapHeight = 7;
    for (int i = 0; i < 63; ++i) map.cells.push_back(short(i % 6 - 1));  // -1 and every tile
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    ASSERT_EQ(RunZellmap({"export", "m.Map", "--tmx", "m.tmx"}, folder.Path()).status, 0);
    ASSERT_EQ(RunZellmap({"render", "m.Map", "-o", "ours.png"}, folder.Path()).status, 0);
    const std::string command = "cd '" + folder.Path().string() +
                                "' && QT_QPA_PLATFORM=offscreen tmxrasterizer m.tmx tiled.png >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);

    QImage tiled(QString::fromStdString(folder.File("tiled.png")));
    ASSERT_FALSE(tiled.isNull());
    tiled = tiled.convertToFormat(QImage::Format_ARGB32);
    const Picture ours = ReadPicture(folder.File("ours.png"));
    ASSERT_EQ(tiled.width(), ours.width);
    ASSERT_EQ(tiled.height(), ours.height);
    const auto cells = map.Cells();
    for (int y = 0; y < ours.height; ++y) {
        for (int x = 0; x < ours.width; ++x) {
            const short cell = cells[std::size_t(y / 16 * map.mapWidth + x / 16)];
            const QRgb theirs = tiled.pixel(x, y);
            if (cell >= 0 && cell < map.tileCount)
                ASSERT_EQ(theirs, ours.At(x, y)) << x << ", " << y;
            else
                ASSERT_EQ(qAlpha(theirs), 0) << x << ", " << y;
        }
    }
}
