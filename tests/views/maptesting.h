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
#include "dc.h"
#include "app/mainfrm.h"
#include "celllayers.h"
#include "mainwidget.h"
#include "maprender.h"
#include "mapview.h"
#include "smallmapview.h"
#include "tileview.h"
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
        frame.m_pMapView = &view;
        frame.m_pSmallMapView = &overview;
        frame.m_pTileView = &palette;
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
        doc.m_nMapWidth = mapWidth;
        doc.m_nMapHeight = mapHeight;
        doc.m_nTileWidth = BYTE(tileSize);
        doc.m_nTileHeight = BYTE(tileSize);
        for (int k = 0; k < tileCount; ++k) doc.m_tileList.AddTail(MakeTile(tileSize, tileSize, k));
        view.resize(paneWidth, paneHeight);
        overview.resize(400, 300);
        view.show();
        overview.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        ASSERT_EQ(view.OnCreate(), 0);
        view.OnInitialUpdate();
        view.UpdateWindow();
        overview.UpdateWindow();
    }

    void Select(int cols, int rows, std::vector<short> tiles)
    {
        ASSERT_EQ(tiles.size(), std::size_t(cols * rows));
        palette.ClearTileSelection();
        doc.m_pSelTiles = new short[tiles.size()];
        std::copy(tiles.begin(), tiles.end(), doc.m_pSelTiles);
        doc.m_nSelCols = cols;
        doc.m_nSelRows = rows;
        doc.m_bTileSelected = TRUE;
    }

    int Tw() const { return doc.m_nTileWidth; }
    int Th() const { return doc.m_nTileHeight; }
    short Tile(int col, int row) const { return view.m_pTileLayer[row * doc.m_nMapWidth + col]; }
    short Attr(int col, int row) const { return view.m_pAttrLayer[row * doc.m_nMapWidth + col]; }
    void SetTile(int col, int row, short v) { view.m_pTileLayer[row * doc.m_nMapWidth + col] = v; }
    void SetAttr(int col, int row, short v) { view.m_pAttrLayer[row * doc.m_nMapWidth + col] = v; }

    // Every cell whose tile differs from -1, as ((col, row), tile).
    std::map<std::pair<int, int>, short> PaintedCells() const
    {
        std::map<std::pair<int, int>, short> cells;
        for (int r = 0; r < doc.m_nMapHeight; ++r)
            for (int c = 0; c < doc.m_nMapWidth; ++c)
                if (Tile(c, r) != -1) cells[{c, r}] = Tile(c, r);
        return cells;
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
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(Window()->mapToGlobal(p)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
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
    CZellDoc doc;
    CMainFrame frame;
    CMapView view;
    CountingOverview overview;
    CTileView palette;
};

// The map image's cell (col, row) must look as the tile layer says: the
// tile, or the empty cell for -1 and numbers that name no tile.
inline ::testing::AssertionResult ImageCellMatches(const CMapView& view, const CZellDoc& doc, int col, int row)
{
    const int tw = doc.m_nTileWidth;
    const int th = doc.m_nTileHeight;
    const QImage& image = view.m_bmpMap.Image();
    const short v = view.m_pTileLayer[row * doc.m_nMapWidth + col];
    const CSprite* tile = v >= 0 ? doc.m_tileList.GetAt(v) : nullptr;
    const std::vector<std::uint32_t> empty = MakeEmptyCellPattern(tw, th);
    const std::uint32_t* want = tile ? tile->GetScreenBits() : empty.data();
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x)
            if (image.pixel(col * tw + x, row * th + y) != want[y * tw + x])
                return ::testing::AssertionFailure() << "cell (" << col << ", " << row << ") holding " << v
                                                     << " differs at (" << x << ", " << y << ")";
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult ImageMatchesLayer(const CMapView& view, const CZellDoc& doc)
{
    for (int r = 0; r < doc.m_nMapHeight; ++r)
        for (int c = 0; c < doc.m_nMapWidth; ++c)
            if (auto result = ImageCellMatches(view, doc, c, r); !result) return result;
    return ::testing::AssertionSuccess();
}

// The window's top-left w x h pixels must be the map image from (sx, sy).
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
