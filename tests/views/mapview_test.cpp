// The map pane's drawing: the cells composed in the window with their
// numbers, scrolling by whole cells, maps without cells, and the overview
// that shrinks the map's picture.
#include <QFontMetrics>
#include <QScrollBar>

#include "fonts.h"
#include "docbackstage.h"
#include "maptesting.h"
#include "panetesting.h"

using namespace maptest;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kGrey = 0xFF646464u;
const COLORREF kRed = RGB(255, 0, 0);

// Pixels where the overlay's pure red dominates, over white, grey or a tile.
bool IsText(QRgb p) { return qRed(p) - qGreen(p) > 100 && qRed(p) - qBlue(p) > 100; }

struct Label {
    QPoint at;  // top-left as the window shows it
    QString text;
};

// The labels printed independently of the view over the map as the window
// shows it: each text drawn with the context's default font, top-left at
// its point.
QImage ExpectedText(const QImage& shownMap, const std::vector<Label>& labels)
{
    QImage expected = shownMap.copy();
    QPainter painter(&expected);
    const QFont font = AfxContextFont();
    painter.setFont(font);
    painter.setPen(QColor(255, 0, 0));
    const QFontMetrics metrics(font);
    for (const Label& label : labels) painter.drawText(label.at.x(), label.at.y() + metrics.ascent(), label.text);
    return expected;
}

struct TextComparison {
    int expectedPixels = 0;
    int mismatches = 0;
};

TextComparison CompareText(const QImage& screen, const QImage& expected, QRect area)
{
    TextComparison result;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool want = IsText(expected.pixel(x, y));
            result.expectedPixels += want;
            result.mismatches += want != IsText(screen.pixel(x, y));
        }
    }
    return result;
}

// Antialiased edges may fall either side of the threshold.
::testing::AssertionResult ShowsText(const QImage& screen, const QImage& shownMap, const std::vector<Label>& labels,
                                     QRect area)
{
    const TextComparison c = CompareText(screen, ExpectedText(shownMap, labels), area);
    if (c.expectedPixels < 4) return ::testing::AssertionFailure() << "expected text has no pixels";
    if (c.mismatches * 10 > c.expectedPixels)
        return ::testing::AssertionFailure() << c.mismatches << " of " << c.expectedPixels << " text pixels differ";
    return ::testing::AssertionSuccess();
}

int TextPixels(const QImage& screen, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) count += IsText(screen.pixel(x, y));
    return count;
}

using MapDrawingTest = MapViewTest;

TEST_F(MapDrawingTest, FreshMapIsAGridOfDottedWhiteCells)
{
    Open(20, 15);
    const QImage image = MapImage();
    ASSERT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(view.MapPixelWidth(), 640);
    EXPECT_EQ(view.MapPixelHeight(), 480);
    EXPECT_EQ(view.GetTotalSize(), CSize(640, 480));
    EXPECT_EQ(view.GetPageSize(), CSize(64, 64));
    EXPECT_EQ(view.GetLineSize(), CSize(32, 32));
    // Cell (0, 0): the outline is walked clockwise from the top-left pixel,
    // 3 grey, 3 white; inside is white.
    for (int x = 0; x < 32; ++x) EXPECT_EQ(image.pixel(x, 0), x % 6 < 3 ? kGrey : kWhite) << "top x=" << x;
    for (int y = 1; y < 32; ++y) EXPECT_EQ(image.pixel(31, y), (31 + y) % 6 < 3 ? kGrey : kWhite) << "right y=" << y;
    for (int y = 1; y < 31; ++y)
        for (int x = 1; x < 31; ++x) ASSERT_EQ(image.pixel(x, y), kWhite);
    // Every cell looks the same, so neighbours show two dotted lines side by side.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) ASSERT_EQ(image.pixel(x, y), image.pixel(x % 32, y % 32)) << x << ", " << y;
    EXPECT_TRUE(ScreenShowsImage(Screen(), image, 0, 0, 640, 480));
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(Tile(i % 20, i / 20), -1);
        EXPECT_EQ(Attr(i % 20, i / 20), 0);
    }
}

TEST_F(MapDrawingTest, CellsDrawTheirTileOrTheEmptyLookWhenTheyNameNone)
{
    Open(6, 4, 32, 4);
    SetTile(0, 0, 2);
    SetTile(1, 0, 3);
    SetTile(2, 0, 4);  // one past the last tile
    SetTile(3, 0, 99);
    SetTile(4, 0, -7);
    SetTile(5, 3, 0);
    view.OnInitialUpdate();  // the layers exist, so they are kept and drawn
    EXPECT_EQ(Tile(3, 0), 99);
    EXPECT_TRUE(ImageMatchesLayer(MapImage(), doc));
    EXPECT_TRUE(ScreenShowsImage(Screen(), MapImage(), 0, 0, 192, 128));
}

TEST_F(MapDrawingTest, OnlyTheMapIsDrawnInALargerPane)
{
    doc.SetShowMapAttr(true);
    doc.SetTextColour({255, 0, 0});
    Open(5, 3, 16, 8);
    for (int c = 0; c < 5; ++c) SetTile(c, 0, short(c));
    SetAttr(4, 1, -32768);  // wider than its cell
    view.OnInitialUpdate();
    const QImage screen = Screen();
    EXPECT_TRUE(ScreenShowsImage(screen, MapImage(), 0, 0, 80, 1));
    for (int y = 0; y < 480; ++y)
        for (int x = (y < 48 ? 80 : 0); x < 640; ++x)
            ASSERT_EQ(screen.pixel(x, y), kWhite) << "outside the map at " << x << ", " << y;
    // The number reaching past the map's edge is cut at the edge.
    EXPECT_GT(TextPixels(screen, QRect(64, 16, 16, 16)), 0);
}

// Which text a cell shows for the display switches that are on.
struct OverlayCase {
    const char* name;
    BOOL tileAttr;
    BOOL tileNumbers;
    BOOL mapAttr;
    short tile;
    short attr;
    const char* text;  // null: nothing printed
};

class OverlayChoice : public MapViewTest, public ::testing::WithParamInterface<OverlayCase> {};

TEST_P(OverlayChoice, PrintsTheTextOfTheFirstSwitchOn)
{
    const OverlayCase& c = GetParam();
    doc.SetShowTileAttr(c.tileAttr);
    doc.SetShowTileNumbers(c.tileNumbers);
    doc.SetShowMapAttr(c.mapAttr);
    doc.SetTextColour({255, 0, 0});
    Open(8, 6, 32, 8);
    std::vector<std::pair<int, BYTE>> attributes;
    for (int k = 0; k < 8; ++k) attributes.emplace_back(k, BYTE(k == 0 ? 0 : 10 + k));
    doc.PutTileAttributes(attributes);
    SetTile(2, 1, c.tile);
    SetAttr(2, 1, c.attr);
    view.OnInitialUpdate();
    const QImage screen = Screen();
    const QRect cell(64, 32, 32, 32);
    if (!c.text) {
        EXPECT_EQ(TextPixels(screen, screen.rect()), 0);
        return;
    }
    EXPECT_TRUE(ShowsText(screen, MapImage(), {{cell.topLeft(), QString::fromUtf8(c.text)}}, cell));
}

INSTANTIATE_TEST_SUITE_P(MapDrawing, OverlayChoice,
                         ::testing::Values(OverlayCase{"TileAttrBeforeTileNumber", TRUE, TRUE, FALSE, 3, 9, "13"},
                                           OverlayCase{"TileNumberBeforeMapAttr", FALSE, TRUE, TRUE, 3, 9, "3"},
                                           OverlayCase{"AllThreeOn", TRUE, TRUE, TRUE, 3, 9, "13"},
                                           OverlayCase{"MapAttrNegative", FALSE, FALSE, TRUE, 3, -5, "-5"},
                                           OverlayCase{"MapAttrZeroIsX", FALSE, FALSE, TRUE, 3, 0, "X"},
                                           OverlayCase{"TileNumberEmptyIsX", FALSE, TRUE, FALSE, -1, 0, "X"},
                                           OverlayCase{"TileNumberOfNoTile", FALSE, TRUE, FALSE, 99, 0, "99"},
                                           OverlayCase{"TileAttrEmptyIsX", TRUE, FALSE, FALSE, -1, 0, "X"},
                                           OverlayCase{"TileAttrZeroIsZero", TRUE, FALSE, FALSE, 0, 0, "0"},
                                           OverlayCase{"TileAttrOfNoTileIsX", TRUE, FALSE, FALSE, 99, 0, "X"},
                                           OverlayCase{"TileAttrBelowMinusOneIsX", TRUE, FALSE, FALSE, -7, 0, "X"},
                                           OverlayCase{"NoSwitchNoText", FALSE, FALSE, FALSE, 3, 9, nullptr}),
                         [](const ::testing::TestParamInfo<OverlayCase>& info) { return info.param.name; });

TEST_F(MapDrawingTest, NumbersSitAtTheCellCornersAsShownWhenScrolledOffTheGrid)
{
    doc.SetShowTileNumbers(true);
    doc.SetTextColour({255, 0, 0});
    Open(20, 15, 32, 8, 300, 200);
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 20; ++c) SetTile(c, r, short(r * 20 + c));
    view.OnInitialUpdate();
    // The end of the scroll range: 640 - 300 = 340 and 480 - 200 = 280,
    // 20 and 24 pixels into a cell.
    view.ScrollToDevicePosition({1000, 1000});
    ASSERT_EQ(view.GetDeviceScrollPosition(), CPoint(340, 280));
    const QImage screen = Screen();

    std::vector<Label> labels;
    for (int r = 280 / 32; r < 15; ++r)
        for (int c = 340 / 32; c < 20; ++c)
            labels.push_back({{c * 32 - 340, r * 32 - 280}, QString::number(r * 20 + c)});
    EXPECT_EQ(labels.front().at, QPoint(-20, -24));
    const QImage shownMap = MapImage().copy(340, 280, 300, 200);
    EXPECT_TRUE(ShowsText(screen, shownMap, labels, screen.rect()));
    // The same numbers one cell-offset off would not match.
    std::vector<Label> unsnapped = labels;
    for (Label& label : unsnapped) label.at += QPoint(20, 24);
    EXPECT_FALSE(ShowsText(screen, shownMap, unsnapped, screen.rect()));
}

// Dragging the thumb scrolls by whole cells.
struct ThumbCase {
    int tileSize;
    Qt::Orientation bar;
    int thumb;
    int expected;
};

class ThumbSnap : public MapViewTest, public ::testing::WithParamInterface<ThumbCase> {};

TEST_P(ThumbSnap, SnapsDownToACell)
{
    const ThumbCase& c = GetParam();
    Open(100, 100, c.tileSize, 1, 200, 150);
    QScrollBar* bar = c.bar == Qt::Vertical ? view.verticalScrollBar() : view.horizontalScrollBar();
    bar->setSliderPosition(c.thumb);
    EXPECT_EQ(bar->value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(MapDrawing, ThumbSnap,
                         ::testing::Values(ThumbCase{24, Qt::Vertical, 50, 48}, ThumbCase{24, Qt::Horizontal, 50, 48},
                                           ThumbCase{32, Qt::Vertical, 95, 64}, ThumbCase{16, Qt::Horizontal, 64, 64},
                                           ThumbCase{3, Qt::Vertical, 8, 6}));

TEST_F(MapDrawingTest, ReinitialisingKeepsTheCells)
{
    Open(10, 8);
    SetTile(3, 2, 4);
    SetAttr(3, 2, 77);
    view.OnInitialUpdate();
    EXPECT_EQ(Tile(3, 2), 4);
    EXPECT_EQ(Attr(3, 2), 77);
    EXPECT_TRUE(ImageCellMatches(MapImage(), doc, 3, 2));
    EXPECT_TRUE(ScreenShowsImage(Screen(), MapImage(), 0, 0, 320, 256));
}

// The pane draws only what it shows, so a map's size in pixels is no limit:
// a map of 600 x 600 cells of 255 pixels (153,000 pixels a side) opens,
// shows its corner and scrolls to its far end.
TEST_F(MapDrawingTest, MapsFarLargerThanAnyPictureOpen)
{
    Open(600, 600, 255, 2, 640, 480);
    SetTile(599, 599, 1);
    view.OnInitialUpdate();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(view.GetTotalSize(), CSize(153000, 153000));
    const std::vector<std::uint32_t> empty = MakeEmptyCellPattern(255, 255);
    const QImage corner = Screen();
    for (int y = 0; y < 255; ++y)
        for (int x = 0; x < 255; ++x) ASSERT_EQ(corner.pixel(x, y), empty[std::size_t(y * 255 + x)]) << x << ", " << y;
    view.ScrollToDevicePosition({1 << 20, 1 << 20});
    EXPECT_TRUE(panetest::ShowsTile(Screen(), 640 - 255, 480 - 255, *doc.Tiles().GetAt(1)));
}

// A map whose cells could not be made (the document said so): the pane
// shows nothing and takes no clicks.
TEST_F(MapDrawingTest, MapWithoutCellsShowsNothing)
{
    Open(10, 8);
    ASSERT_NE(BackstageMap(doc).m_cells.Create(16384, 16385), LayerAllocResult::Ok);
    doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
    const QImage screen = Screen();
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) ASSERT_EQ(screen.pixel(x, y), kWhite);
    Click(QPoint(40, 40));
    Hover(QPoint(50, 50));
    EXPECT_TRUE(messages.empty());
    overview.UpdateWindow();
    EXPECT_EQ(overview.Surface().pixel(10, 10), kWhite);
}

// The overview is half the map image, each side cut down to a multiple of 5.
struct OverviewCase {
    int tileSize;
    int mapWidth;
    int mapHeight;
    QSize picture;
};

class OverviewSize : public MapViewTest, public ::testing::WithParamInterface<OverviewCase> {};

TEST_P(OverviewSize, IsHalfTheImageCutToFives)
{
    const OverviewCase& c = GetParam();
    Open(c.mapWidth, c.mapHeight, c.tileSize, 2);
    EXPECT_EQ(QSize(overview.m_nViewWidth, overview.m_nViewHeight), c.picture);
    EXPECT_EQ(QSize(overview.m_nSrcWidth, overview.m_nSrcHeight), MapImage().size());
    EXPECT_EQ(QSize(doc.Map().PixelWidth(), doc.Map().PixelHeight()), MapImage().size());
    EXPECT_EQ(overview.GetTotalSize(), CSize(c.picture.width(), c.picture.height()));
}

INSTANTIATE_TEST_SUITE_P(MapDrawing, OverviewSize,
                         ::testing::Values(OverviewCase{32, 20, 15, {320, 240}}, OverviewCase{24, 7, 5, {80, 60}},
                                           OverviewCase{16, 3, 1, {20, 5}}));

TEST_F(MapDrawingTest, OverviewShowsTheImageShrunkWithoutNumbers)
{
    doc.SetShowTileNumbers(true);
    doc.SetTextColour({255, 0, 0});
    Open(20, 15);
    SetTile(4, 2, 3);
    doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
    overview.UpdateWindow();
    const QImage picture = overview.Surface();
    const QImage image = MapImage();
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const QRgb want = 0xFF000000u | (image.pixel(2 * x, 2 * y) & image.pixel(2 * x + 1, 2 * y) &
                                             image.pixel(2 * x, 2 * y + 1) & image.pixel(2 * x + 1, 2 * y + 1));
            ASSERT_EQ(picture.pixel(x, y), want) << x << ", " << y;
        }
    }
    EXPECT_EQ(picture.pixel(330, 100), kWhite);
}

}  // namespace
