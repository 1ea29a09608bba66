// The marks over the map pane's cells (the block previewed under the
// pointer, the frame of a drag) are drawn from the pane's state when it
// paints: at every zoom they sit on the cells the pointer is over, and
// taking them away leaves the cells exactly as composed. The surface
// follows the screen's device pixel ratio (run again with QT_SCALE_FACTOR=2).
#include <QKeyEvent>

#include "maptesting.h"
#include "panetesting.h"

using namespace maptest;

namespace {

class MarksAtZoom : public MapViewTest, public ::testing::WithParamInterface<int> {
protected:
    // A client point in the middle of a cell as the zoomed window shows it.
    QPoint Middle(int col, int row) const
    {
        const CRect rc = view.Viewport().ClientRectOfCell(CPoint(col, row));
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    CRect Frame(int col, int row) const
    {
        CRect rc = view.Viewport().ClientRectOfCell(CPoint(col, row));
        rc.right = std::max(rc.right, rc.left + 1);
        rc.bottom = std::max(rc.bottom, rc.top + 1);
        return rc;
    }
    // From the anchor's top-left to the cell's bottom-right, whichever way round.
    static CRect Band(const CRect& anchor, const CRect& cell)
    {
        CRect band(anchor.left, anchor.top, cell.right, cell.bottom);
        band.NormalizeRect();
        return band;
    }
};

TEST_P(MarksAtZoom, PreviewAndBandSitOnTheCellsAndLeaveNothingBehind)
{
    const int log2 = GetParam();
    Open(60, 40, 16);
    view.SetZoom(MapZoom{log2}, CPoint(0, 0));
    view.ScrollToDevicePosition({0, 0});
    Select(2, 1, {1, 2});
    if (view.Surface().devicePixelRatio() != 1) GTEST_SKIP() << "pixels counted at one device pixel to a pixel";
    const QImage plain = Screen();

    // The band from the pressed cell to the one under the pointer, and back past the anchor.
    Press(Middle(3, 2));
    EXPECT_TRUE(panetest::ShowsFrames(plain, Screen(), {Frame(3, 2)}));
    DragTo(Middle(7, 5));
    EXPECT_TRUE(panetest::ShowsFrames(plain, Screen(), {Band(Frame(3, 2), Frame(7, 5))}));
    DragTo(Middle(1, 6));
    EXPECT_TRUE(panetest::ShowsFrames(plain, Screen(), {Band(Frame(3, 2), Frame(1, 6))}));
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&view, &esc);
    EXPECT_TRUE(panetest::ShowsNoFrame(plain, Screen()));
    EXPECT_TRUE(PaintedCells().empty());

    // The block: each tile pixel a square of 2^log2 screen pixels when zoomed in.
    Hover(Middle(4, 3));
    const QImage previewed = Screen();
    const CRect block = view.Viewport().ClientRectOfCells(CRect(4, 3, 6, 4));
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            if (!block.PtInRect(CPoint(x, y))) {
                ASSERT_EQ(previewed.pixel(x, y), plain.pixel(x, y)) << x << ", " << y;
            } else if (log2 >= 0) {
                const int mx = (x - block.left) >> log2, my = (y - block.top) >> log2;
                const CSprite& tile = *doc.Tiles().GetAt(1 + mx / 16);
                ASSERT_EQ(previewed.pixel(x, y), tile.GetScreenBits()[(my % 16) * 16 + mx % 16]) << x << ", " << y;
            }
        }
    Hover(Middle(9, 3));
    Hover(QPoint(2, 100));
    EXPECT_EQ(Screen(), plain) << "the preview's cells are as composed again";
}

INSTANTIATE_TEST_SUITE_P(MapMarks, MarksAtZoom, ::testing::Values(-2, -1, 0, 1, 2));

using MapRatio = MapViewTest;

// On a screen of r x r device pixels to a pixel the surface has that many
// more pixels, each map pixel at 100% a square of them, and the pointer
// still lands on the cell drawn under it.
TEST_F(MapRatio, SurfaceHasTheScreensPixelsAndClicksLandOnTheCellShown)
{
    Open(30, 20, 16, 8, 320, 240);
    const int ratio = int(view.Surface().devicePixelRatio());
    ASSERT_EQ(ratio, PixelRatioStep(view.devicePixelRatioF()));
    const QImage screen = Screen();
    ASSERT_EQ(screen.size(), QSize(320, 240) * ratio);
    const QImage map = MapImage();
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            ASSERT_EQ(screen.pixel(x, y), map.pixel(x / ratio, y / ratio)) << x << ", " << y;
    Select(1, 1, {5});
    Click(QPoint(5 * 16 + 15, 3 * 16));
    EXPECT_EQ(PaintedCells(), (std::map<std::pair<int, int>, short>{{{5, 3}, 5}}));
    // The band's frame: 4 pixels of the window, 4 x ratio of the surface.
    const QImage before = Screen();
    Press(QPoint(2 * 16 + 1, 2 * 16 + 1));
    const QImage framed = Screen();
    const CRect cell(32, 32, 48, 48);
    for (int y = 0; y < framed.height(); ++y)
        for (int x = 0; x < framed.width(); ++x) {
            const QRgb was = before.pixel(x, y);
            const QRgb want = panetest::InFrame(cell, x / ratio, y / ratio) ? (0xFF000000u | ~was) : was;
            ASSERT_EQ(framed.pixel(x, y), want) << x << ", " << y;
        }
}

}  // namespace
