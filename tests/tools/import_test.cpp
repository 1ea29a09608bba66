// zellmap import: export then import gives the same .Map bytes back, a map
// that does not fit is refused without a file; and zellmap cut on PNG files
// that Qt writes shows what Qt shows of them over black.
#include "tooltesting.h"

#include "sprite.h"

#include <QColor>
#include <QImage>

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
        WriteBytes(folder / "in.Map", bytes);
        ASSERT_EQ(RunZellmap({"export", "in.Map", "--tmx", "t.tmx"}, folder.Path()).status, 0);
        const ToolRun run = RunZellmap({"import", "t.tmx", "-o", "out.Map"}, folder.Path());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(ReadBytes(folder / "out.Map") == bytes) << "seed " << seed;
    }
}

TEST(Import, AMapThatDoesNotFitIsRefusedWithoutAFile)
{
    ScratchFolder folder;
    const std::string tmx = "<map orientation=\"hexagonal\" width=\"2\" height=\"2\" tilewidth=\"16\" tileheight=\"16\"/>";
    WriteBytes(folder / "hex.tmx", std::vector<std::uint8_t>(tmx.begin(), tmx.end()));
    const ToolRun run = RunZellmap({"import", "hex.tmx", "-o", "out.Map"}, folder.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "직교(orthogonal) 맵만 가져올 수 있습니다 (이 맵은 hexagonal)\n");
    EXPECT_EQ(RunZellmap({"import", "hex.tmx"}, folder.Path()).status, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "stray files";
}

TEST(CutPng, TilesShowWhatQtShowsOverBlack)
{
    const std::pair<QImage::Format, WORD> kinds[] = {{QImage::Format_Indexed8, 8},    {QImage::Format_Grayscale8, 8},
                                                     {QImage::Format_Grayscale16, 8}, {QImage::Format_RGB888, 24},
                                                     {QImage::Format_ARGB32, 24},     {QImage::Format_RGBA64, 24}};
    ScratchFolder folder;
    std::mt19937 random(3);
    for (const auto& [format, bitCount] : kinds) {
        QImage image(48, 32, format);
        image.setColorTable({qRgb(200, 10, 10), qRgb(0, 90, 250), qRgb(7, 7, 7), qRgb(255, 255, 0), qRgb(1, 2, 3)});
        for (int i = 0; i < 48 * 32; ++i) {
            if (format == QImage::Format_Indexed8) image.setPixel(i % 48, i / 48, random() % 5);
            else image.setPixelColor(i % 48, i / 48, QColor(QRgba64::fromRgba64(random(), random(), random(), random())));
        }
        ASSERT_TRUE(image.save(QString::fromStdString(folder / "p.png")));
        const ToolRun run = RunZellmap({"cut", "p.png", "--tile", "16", "-o", "p.Map"}, folder.Path());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.find("검은색으로") != std::string::npos, image.hasAlphaChannel()) << format;
        MapFileContent content;
        ASSERT_EQ(ReadMapFile(folder / "p.Map", content), MapReadResult::Ok);
        EXPECT_EQ(content.bitCount, bitCount) << format;
        // Qt premultiplies with its own rounding: one step either way per channel.
        const QImage qt = QImage(QString::fromStdString(folder / "p.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int i = 0; i < 48 * 32; ++i) {
            const QRgb theirs = qt.pixel(i % 48, i / 48);
            const QRgb ours = content.map.m_tileList.GetAt(i / 48 / 16 * 3 + i % 48 / 16)->GetScreenBits()[i / 48 % 16 * 16 + i % 16];
            ASSERT_LE(std::abs(qRed(ours) - qRed(theirs)) + std::abs(qGreen(ours) - qGreen(theirs)) + std::abs(qBlue(ours) - qBlue(theirs)),
                      image.hasAlphaChannel() ? 3 : 0) << format << " pixel " << i;
        }
    }
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
    WriteBytes(folder / "m.Map", map.Encode());
    ASSERT_EQ(RunZellmap({"export", "m.Map", "--tmx", "m.tmx"}, folder.Path()).status, 0);
    const std::string resave = "cd '" + folder.Path().string() + "' && QT_QPA_PLATFORM=offscreen tiled --export-map m.tmx t.tmx >/dev/null 2>&1";
    ASSERT_EQ(std::system(resave.c_str()), 0);
    ASSERT_EQ(RunZellmap({"import", "t.tmx", "-o", "t.Map"}, folder.Path()).status, 0);
    MapFileContent content;
    ASSERT_EQ(ReadMapFile(folder / "t.Map", content), MapReadResult::Ok);
    for (int i = 0; i < map.mapWidth * map.mapHeight; ++i) {
        const short cell = map.Cells()[std::size_t(i)];
        EXPECT_EQ(*content.map.m_cells.Tile(i % map.mapWidth, i / map.mapWidth), cell < map.tileCount ? cell : -1);
        EXPECT_EQ(*content.map.m_cells.Attr(i % map.mapWidth, i / map.mapWidth), map.Attrs()[std::size_t(i)]);
    }
}
