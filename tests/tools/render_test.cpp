// zellmap render: pixel for pixel the map view's image, the overview's
// reduction of it, and the view's text overlay, however the work is banded.
#include "bandrender.h"
#include "fonts.h"
#include "mapinput.h"
#include "overlay.h"
#include "overlaytext.h"
#include "tooltesting.h"

#include "celllayers.h"
#include "sprite.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Collects the rows a renderer writes.
class PictureSink final : public ImageSink {
public:
    PictureSink(int width, int height) : picture{width, height, {}} {}
    bool WriteRows(const std::uint32_t* pixels, int rows, std::ptrdiff_t stride) override
    {
        for (int y = 0; y < rows; ++y)
            picture.pixels.insert(picture.pixels.end(), pixels + y * stride, pixels + y * stride + picture.width);
        return true;
    }
    bool Finish() override { return picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height); }
    Picture picture;
};

// The overview's picture, computed the plain way from the whole map image:
// each reduced pixel is the AND of the source pixels its span covers.
Picture OverviewOf(const Picture& source)
{
    const int w = source.width / 10 * 5;
    const int h = source.height / 10 * 5;
    Picture out{w, h, std::vector<std::uint32_t>(std::size_t(w) * std::size_t(h))};
    for (int dy = 0; dy < h; ++dy) {
        const int y0 = int(std::int64_t(dy) * source.height / h);
        const int y1 = std::max(y0 + 1, int(std::int64_t(dy + 1) * source.height / h));
        for (int dx = 0; dx < w; ++dx) {
            const int x0 = int(std::int64_t(dx) * source.width / w);
            const int x1 = std::max(x0 + 1, int(std::int64_t(dx + 1) * source.width / w));
            std::uint32_t value = 0xFFFFFFFFu;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) value &= source.At(x, y);
            out.pixels[std::size_t(dy) * std::size_t(w) + std::size_t(dx)] = value | 0xFF000000u;
        }
    }
    return out;
}

void Load(const TestMap& map, const ScratchFolder& folder, LoadedMap& loaded)
{
    WriteBytes(folder.File("m.Map"), map.Encode());
    EXPECT_EQ(ReadLoadedMap(folder.File("m.Map"), loaded), MapReadResult::Ok);
}

Picture RenderDirectly(const LoadedMap& map, RenderSettings settings, const BandDecorator& decorate = {})
{
    const auto size = RenderedSize(map.Map(), settings.scale);
    if (!size) return {};
    PictureSink sink(int(size->width), int(size->height));
    EXPECT_EQ(RenderMapPicture(map.Map(), settings, decorate, sink), RenderResult::Ok);
    return sink.picture;
}

// The map view's overlay over its whole map image (a window larger than
// the map, scrolled to the top-left), printed by the view's own printer.
Picture ViewWithOverlay(const TestMap& map, OverlayKind kind, COLORREF colour)
{
    Picture picture = MapViewImage(map);
    const CMapModel model = map.Model();
    const auto cells = map.Cells();
    const auto attrs = map.Attrs();
    QImage screen(reinterpret_cast<uchar*>(picture.pixels.data()), picture.width, picture.height, picture.width * 4,
                  QImage::Format_RGB32);
    OverlayTextCache text(AfxContextFont());
    for (int row = 0; row < map.mapHeight; ++row) {
        for (int col = 0; col < map.mapWidth; ++col) {
            const short tile = cells[std::size_t(row * map.mapWidth + col)];
            const short attr = attrs[std::size_t(row * map.mapWidth + col)];
            CellLabel label = CellLabel::Cross();
            if (kind == OverlayKind::TileNumbers && tile != -1) label = CellLabel::Number(tile);
            if (kind == OverlayKind::MapAttributes && attr != 0) label = CellLabel::Number(attr);
            if (kind == OverlayKind::TileAttributes) {
                if (model.TileForCell(tile)) label = CellLabel::Number(model.m_tileList.AttributeAt(tile));
            }
            text.Draw(screen, screen.rect(), col * map.tileWidth, row * map.tileHeight, label, colour);
        }
    }
    return picture;
}

}  // namespace

struct RenderCase {
    const char* name;
    WORD bitCount;
    int tileWidth;
    int tileHeight;
    int mapWidth;
    int mapHeight;
    const char* image;  // output file name
};

void PrintTo(const RenderCase& c, std::ostream* os) { *os << c.name; }

class RenderMatchesTheMapView : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderMatchesTheMapView, PixelForPixel)
{
    const RenderCase c = GetParam();
    TestMap map;
    map.bitCount = c.bitCount;
    map.tileWidth = c.tileWidth;
    map.tileHeight = c.tileHeight;
    map.mapWidth = c.mapWidth;
    map.mapHeight = c.mapHeight;
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());

    const ToolRun run = RunZellmap({"render", "m.Map", "-o", c.image}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    const Picture rendered = ReadPicture(folder.File(c.image));
    const Picture view = MapViewImage(map);
    EXPECT_TRUE(rendered == view) << FirstDifference(rendered, view);

    const ToolRun half =
        RunZellmap({"render", "m.Map", "-o", std::string("half-") + c.image, "--scale", "2"}, folder.Path());
    ASSERT_EQ(half.status, 0) << half.err;
    const Picture reduced = ReadPicture(folder.File(std::string("half-") + c.image));
    const Picture overview = OverviewOf(view);
    EXPECT_TRUE(reduced == overview) << FirstDifference(reduced, overview);
}

INSTANTIATE_TEST_SUITE_P(Maps, RenderMatchesTheMapView,
                         ::testing::Values(RenderCase{"EightBitPng", 8, 16, 16, 6, 4, "out.png"},
                                           RenderCase{"SixteenBitBmp", 16, 16, 16, 6, 4, "out.bmp"},
                                           RenderCase{"OddTilesPng", 24, 7, 5, 9, 11, "out.PNG"},
                                           // 7 x 5 cells of 24 pixels: the overview is 80 x 60, not 84 x 60.
                                           RenderCase{"OverviewRoundingBmp", 24, 24, 24, 7, 5, "out.bmp"},
                                           // 1280 x 1280 pixels: PNG rows of several deflate pieces.
                                           RenderCase{"SeveralDeflatePiecesPng", 24, 32, 32, 40, 40, "out.png"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Render, BandsOfAnyHeightGiveTheSameImage)
{
    TestMap map;
    map.tileWidth = 5;
    map.tileHeight = 7;
    map.mapWidth = 13;
    map.mapHeight = 17;
    ScratchFolder folder;
    LoadedMap loaded;
    Load(map, folder, loaded);
    const Picture view = MapViewImage(map);
    const Picture overview = OverviewOf(view);
    // From one pixel row per band up to the whole map, for both scales and
    // for bands that end inside a cell.
    for (std::size_t rows : {1u, 3u, 7u, 10u, 1000u}) {
        RenderSettings settings;
        settings.bandBytes = rows * std::size_t(view.width) * 4;
        const Picture full = RenderDirectly(loaded, settings);
        EXPECT_TRUE(full == view) << rows << " rows: " << FirstDifference(full, view);
        settings.scale = 2;
        const Picture half = RenderDirectly(loaded, settings);
        EXPECT_TRUE(half == overview) << rows << " rows: " << FirstDifference(half, overview);
    }
}

TEST(Render, WithoutGridEmptyCellsAreWhiteAndTilesUnchanged)
{
    TestMap map;
    ScratchFolder folder;
    LoadedMap loaded;
    Load(map, folder, loaded);
    RenderSettings settings;
    settings.grid = false;
    settings.bandBytes = 5 * std::size_t(map.mapWidth * map.tileWidth) * 4;
    const Picture plain = RenderDirectly(loaded, settings);
    const Picture view = MapViewImage(map);
    ASSERT_EQ(plain.pixels.size(), view.pixels.size());
    const auto cells = map.Cells();
    for (int y = 0; y < view.height; ++y) {
        for (int x = 0; x < view.width; ++x) {
            const short cell = cells[std::size_t(y / map.tileHeight * map.mapWidth + x / map.tileWidth)];
            const bool hasTile = cell >= 0 && cell < map.tileCount;
            ASSERT_EQ(plain.At(x, y), hasTile ? view.At(x, y) : 0xFFFFFFFFu) << x << ", " << y;
        }
    }
}

class RenderOverlay : public ::testing::TestWithParam<const char*> {};

TEST_P(RenderOverlay, PrintsTheViewsLabelsEvenAcrossBands)
{
    TestMap map;
    map.tileWidth = 24;
    map.tileHeight = 8;  // labels taller than their cells reach into the next band
    map.mapWidth = 5;
    map.mapHeight = 9;
    map.tileCount = 3;
    ScratchFolder folder;
    LoadedMap loaded;
    Load(map, folder, loaded);
    const auto kind = OverlayKindFromName(GetParam());
    ASSERT_TRUE(kind);
    const COLORREF colour = RGB(200, 30, 60);
    OverlayPrinter printer(loaded, *kind, colour);
    RenderSettings settings;
    settings.bandBytes = 3 * std::size_t(map.mapWidth * map.tileWidth) * 4;
    const Picture printed = RenderDirectly(loaded, settings, [&](const MapPixels& band) { printer.Decorate(band); });
    const Picture view = ViewWithOverlay(map, *kind, colour);
    EXPECT_TRUE(printed == view) << FirstDifference(printed, view);
    EXPECT_FALSE(printed == MapViewImage(map)) << "nothing was printed";

    // The program prints the same, with its colour option.
    const ToolRun run = RunZellmap(
        {"render", "m.Map", "-o", "o.png", "--overlay", GetParam(), "--text-color", "C81E3C"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const Picture file = ReadPicture(folder.File("o.png"));
    EXPECT_TRUE(file == view) << FirstDifference(file, view);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RenderOverlay, ::testing::Values("numbers", "tile-attributes", "map-attributes"));

TEST(Render, AMapTooLargeForOneBandIsRefusedNotCrashed)
{
    TestMap map;
    map.mapWidth = 40;
    map.mapHeight = 2;
    ScratchFolder folder;
    LoadedMap loaded;
    Load(map, folder, loaded);
    RenderSettings settings;
    settings.maxBandBytes = std::size_t(map.mapWidth * map.tileWidth) * 4 - 1;  // not even one row fits
    PictureSink sink(640, 32);
    EXPECT_EQ(RenderMapPicture(loaded.Map(), settings, {}, sink), RenderResult::TooLarge);
    settings.scale = 2;
    EXPECT_EQ(RenderMapPicture(loaded.Map(), settings, {}, sink), RenderResult::TooLarge);
}

TEST(Render, AHugeMapFailsWithTheMapViewsMessage)
{
    // 2^21 x 1 cells of 255 x 1 pixels: one row of the picture alone would
    // take 2 GiB.
    TestMap map;
    map.mapWidth = 1 << 21;
    map.mapHeight = 1;
    map.tileWidth = 255;
    map.tileHeight = 1;
    map.tileCount = 1;
    map.cells.assign(std::size_t(map.mapWidth), 0);
    map.attrs.assign(std::size_t(map.mapWidth), 0);
    ScratchFolder folder;
    WriteBytes(folder.File("huge.Map"), map.Encode());
    const ToolRun run = RunZellmap({"render", "huge.Map", "-o", "huge.png"}, folder.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "화면을 만들수 없습니다\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "stray files";
}

struct RenderFailure {
    const char* name;
    int mapWidth;
    int mapHeight;
    int tileSize;
    std::vector<std::string> options;
    int status;
    const char* message;
};

void PrintTo(const RenderFailure& c, std::ostream* os) { *os << c.name; }

class RenderFails : public ::testing::TestWithParam<RenderFailure> {};

TEST_P(RenderFails, WithAMessageAndNoFile)
{
    const RenderFailure c = GetParam();
    TestMap map;
    map.mapWidth = c.mapWidth;
    map.mapHeight = c.mapHeight;
    map.tileWidth = map.tileHeight = c.tileSize;
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    std::vector<std::string> args{"render", "m.Map"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ToolRun run = RunZellmap(args, folder.Path());
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("o.png")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenderFails,
    ::testing::Values(
        RenderFailure{"EmptyMap", 0, 0, 16, {"-o", "o.png"}, 1, "화면을 만들수 없습니다"},
        // 9 pixels across: the overview's (9 / 10) x 5 leaves no picture.
        RenderFailure{"TooSmallToReduce", 1, 4, 9, {"-o", "o.png", "--scale", "2"}, 1, "화면을 만들수 없습니다"},
        RenderFailure{"UnknownFormat", 6, 4, 16, {"-o", "o.gif"}, 2, ".png"},
        RenderFailure{"BadScale", 6, 4, 16, {"-o", "o.png", "--scale", "3"}, 2, "--scale"},
        RenderFailure{"BadOverlay", 6, 4, 16, {"-o", "o.png", "--overlay", "colours"}, 2, "--overlay"},
        RenderFailure{
            "OverlayOnTheOverview", 6, 4, 16, {"-o", "o.png", "--overlay", "numbers", "--scale", "2"}, 2, "--scale 1"},
        RenderFailure{
            "BadColour", 6, 4, 16, {"-o", "o.png", "--overlay", "numbers", "--text-color", "red"}, 2, "--text-color"},
        RenderFailure{"FolderMissing", 6, 4, 16, {"-o", "no/such/o.png"}, 1, "그림 화일을 만들 수 없습니다"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Render, AMalformedMapGivesTheReadersMessage)
{
    TestMap map;
    auto bytes = map.Encode();
    bytes.pop_back();
    ScratchFolder folder;
    WriteBytes(folder.File("bad.Map"), bytes);
    const ToolRun run = RunZellmap({"render", "bad.Map", "-o", "o.png"}, folder.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "올바른 맵 화일이 아닙니다\n");
    EXPECT_FALSE(std::filesystem::exists(folder.File("o.png")));
}
