// What the map pane tests share: a map view with its overview and palette
// reachable through a main frame (as the editor wires them), tiles with
// telling pixels, the mouse, and checks of the map image and the window.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "afxmsg.h"
#include "docbackstage.h"
#include "dc.h"
#include "mainfrm.h"
#include "celllayers.h"
#include "maphint.h"
#include "mainwidget.h"
#include "maprender.h"
#include "mapview.h"
#include "smallmapview.h"
#include "tileview.h"
#include "waituntil.h"
#include "zelldoc.h"

namespace maptest {

// A 24-bit tile whose every pixel tells the tile (k) and its position apart;
// red never dominates, so the red text of the overlay tests stands out.
inline CSprite* MakeTile(int width, int height, int k)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> rows(std::size_t(stride) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        BYTE* row = rows.data() + std::size_t(height - 1 - y) * std::size_t(stride);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = BYTE(30 + k * 17);
            row[3 * x + 1] = BYTE(x * 5 + 1);
            row[3 * x + 2] = BYTE(y * 3);
        }
    }
    auto* tile = new CSprite;
    tile->CreateFromData(BYTE(width), BYTE(height), nullptr, rows.data(), 24);
    return tile;
}

// The overview, counting how often it paints.
class CountingOverview : public CSmallMapView {
public:
    void OnDraw(CDC* pDC) override
    {
        ++paints;
        CSmallMapView::OnDraw(pDC);
    }
    int paints = 0;
};

class MapViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousSink = AfxSetMessageSink([this](const std::string& text, unsigned) {
            messages.push_back(text);
            return IDOK;
        });
        AfxSetMainWidget(&frame);
        doc.SetPrompts(&prompts);
        for (CScrollView* pane : std::initializer_list<CScrollView*>{&view, &overview, &palette}) {
            pane->AttachDocument(&doc);
            pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
    }
    void TearDown() override
    {
        AfxSetMainWidget(nullptr);
        AfxSetMessageSink(previousSink);
    }

    // Map of mapWidth x mapHeight cells of tileSize pixels, tileCount tiles,
    // in a pane of paneWidth x paneHeight.
    void Open(int mapWidth, int mapHeight, int tileSize = 32, int tileCount = 8, int paneWidth = 640,
              int paneHeight = 480)
    {
        CMapModel& map = BackstageMap(doc);
        map.m_nTileWidth = BYTE(tileSize);
        map.m_nTileHeight = BYTE(tileSize);
        map.m_cells.Create(mapWidth, mapHeight);
        for (int k = 0; k < tileCount; ++k) map.m_tileList.AddTail(MakeTile(tileSize, tileSize, k));
        view.resize(paneWidth, paneHeight);
        overview.resize(400, 300);
        view.show();
        overview.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view, kPatienceMs));
        ASSERT_EQ(view.OnCreate(), 0);
        view.OnInitialUpdate();
        overview.OnInitialUpdate();
        view.UpdateWindow();
        overview.UpdateWindow();
    }

    void Select(int cols, int rows, std::vector<short> tiles)
    {
        ASSERT_EQ(tiles.size(), std::size_t(cols * rows));
        doc.SetSelection({cols, rows, std::move(tiles)}, nullptr);
    }

    int Tw() const { return doc.TileWidth(); }
    int Th() const { return doc.TileHeight(); }
    short Tile(int col, int row) const { return *doc.Cells().Tile(col, row); }
    short Attr(int col, int row) const { return *doc.Cells().Attr(col, row); }
    // Writes a cell behind the panes' backs, as a test setting up a map does.
    void SetTile(int col, int row, short v) { BackstageMap(doc).m_cells.SetTile(col, row, v); }
    void SetAttr(int col, int row, short v) { BackstageMap(doc).m_cells.SetAttr(col, row, v); }

    // Every cell whose tile differs from -1, as ((col, row), tile).
    std::map<std::pair<int, int>, short> PaintedCells() const
    {
        std::map<std::pair<int, int>, short> cells;
        for (int r = 0; r < doc.MapHeight(); ++r)
            for (int c = 0; c < doc.MapWidth(); ++c)
                if (Tile(c, r) != -1) cells[{c, r}] = Tile(c, r);
        return cells;
    }

    // The whole map's picture, one pixel per map pixel, as the map pane
    // would show every part of it: the reference for the window's pixels.
    QImage MapImage() const
    {
        QImage image(std::max(1, doc.Map().PixelWidth()), std::max(1, doc.Map().PixelHeight()), QImage::Format_RGB32);
        image.fill(Qt::black);
        RenderMapRegion(MapPixels{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
                                  image.bytesPerLine() / 4, 0, 0},
                        doc.Map());
        return image;
    }

    // The overview's window must show the map's picture reduced: each pixel
    // the AND of the 2 x 2 (or so) map pixels it covers.
    ::testing::AssertionResult OverviewShowsMap()
    {
        overview.UpdateWindow();
        const QImage image = MapImage();
        const QImage& shown = overview.Surface();
        const auto reduced = ReducedPictureSize(doc.Map());
        if (!reduced) return ::testing::AssertionFailure() << "the map has no overview";
        const CPoint scroll = overview.GetDeviceScrollPosition();
        for (int y = 0; y < shown.height() && y + scroll.y < reduced->height; ++y) {
            for (int x = 0; x < shown.width() && x + scroll.x < reduced->width; ++x) {
                const SourceSpan xs = ReducedSourceSpan(x + scroll.x, image.width(), reduced->width);
                const SourceSpan ys = ReducedSourceSpan(y + scroll.y, image.height(), reduced->height);
                QRgb want = 0xFFFFFFFFu;
                for (std::int64_t sy = ys.first; sy < ys.end; ++sy)
                    for (std::int64_t sx = xs.first; sx < xs.end; ++sx) want &= image.pixel(int(sx), int(sy));
                if (shown.pixel(x, y) != want)
                    return ::testing::AssertionFailure() << "overview pixel (" << x << ", " << y << ") differs";
            }
        }
        return ::testing::AssertionSuccess();
    }

    QWidget* Window() { return view.viewport(); }
    QImage Screen()
    {
        view.UpdateWindow();
        return view.Surface().copy();
    }
    // Client point in the middle of map cell (col, row) as the window shows it.
    QPoint At(int col, int row, int dx = -1, int dy = -1) const
    {
        const CPoint scroll = view.GetDeviceScrollPosition();
        return {col * Tw() - scroll.x + (dx < 0 ? Tw() / 2 : dx), row * Th() - scroll.y + (dy < 0 ? Th() / 2 : dy)};
    }

    void Press(QPoint p) { QTest::mousePress(Window(), Qt::LeftButton, {}, p); }
    void Release(QPoint p) { QTest::mouseRelease(Window(), Qt::LeftButton, {}, p); }
    void DragTo(QPoint p) { QTest::mouseMove(Window(), p); }
    // A pointer move with no button held, delivered straight to the pane.
    void Hover(QPoint p)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(Window()->mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Window(), &move);
    }
    void Click(QPoint p)
    {
        Press(p);
        Release(p);
    }
    void Drag(QPoint from, std::initializer_list<QPoint> through)
    {
        Press(from);
        QPoint last = from;
        for (QPoint p : through) DragTo(last = p);
        Release(last);
    }

    AfxMessageSink previousSink;
    std::vector<std::string> messages;
    CDialogPrompts prompts;
    CZellDoc doc;
    CMainFrame frame;
    CMapView view;
    CountingOverview overview;
    CTileView palette;
};

// The map picture's cell (col, row) must look as the tile layer says: the
// tile, or the empty cell for -1 and numbers that name no tile.
inline ::testing::AssertionResult ImageCellMatches(const QImage& image, const CZellDoc& doc, int col, int row)
{
    const int tw = doc.TileWidth();
    const int th = doc.TileHeight();
    const short v = *doc.Cells().Tile(col, row);
    const CSprite* tile = v >= 0 ? doc.Tiles().GetAt(v) : nullptr;
    const std::vector<std::uint32_t> empty = MakeEmptyCellPattern(tw, th);
    const std::uint32_t* want = tile ? tile->GetScreenBits() : empty.data();
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x)
            if (image.pixel(col * tw + x, row * th + y) != want[y * tw + x])
                return ::testing::AssertionFailure() << "cell (" << col << ", " << row << ") holding " << v
                                                     << " differs at (" << x << ", " << y << ")";
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult ImageMatchesLayer(const QImage& image, const CZellDoc& doc)
{
    for (int r = 0; r < doc.MapHeight(); ++r)
        for (int c = 0; c < doc.MapWidth(); ++c)
            if (auto result = ImageCellMatches(image, doc, c, r); !result) return result;
    return ::testing::AssertionSuccess();
}

// The window's top-left w x h pixels must be the map picture from (sx, sy).
inline ::testing::AssertionResult ScreenShowsImage(const QImage& screen, const QImage& image, int sx, int sy, int w,
                                                   int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (screen.pixel(x, y) != image.pixel(sx + x, sy + y))
                return ::testing::AssertionFailure() << "window pixel (" << x << ", " << y << ") differs";
    return ::testing::AssertionSuccess();
}

}  // namespace maptest
