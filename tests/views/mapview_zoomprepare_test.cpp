// The far zooms' block colours made on another thread: a map loaded twice
// in a row (the first making dropped), edits while the blocks are made, and
// once they are adopted every far step shows what a fresh drawing shows.
#include <random>

#include <QApplication>

#include "mapzoom.h"
#include "maptesting.h"

using namespace maptest;

namespace {

TEST_F(MapViewTest, FarZoomsMadeOnAThreadFollowEditsMadeMeanwhile)
{
    Open(600, 500, 16, 12);
    std::mt19937 random(5);
    for (int r = 0; r < doc.MapHeight(); ++r)
        for (int c = 0; c < doc.MapWidth(); ++c) SetTile(c, r, short(int(random() % 13) - 1));
    doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
    QApplication::processEvents();  // a preparation starts, and is dropped by the next
    doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
    // No events are handled between here and the edits: they come before the blocks.
    ASSERT_TRUE(WaitUntil([&] { return view.ZoomPreparing(); }));
    view.SetZoom(MapZoom{-6}, CPoint(0, 0));
    Screen();
    for (int edit = 0; edit < 20; ++edit) {
        Select(2, 1, {short(random() % 12), short(random() % 12)});
        doc.StampBrush(int(random() % 600), int(random() % 500));
    }
    doc.FillWithBrush(CRect(100, 100, 300, 180));
    ASSERT_TRUE(WaitUntil([&] { return !view.ZoomPreparing(); }));

    ZoomCache fresh;
    for (const MapZoom& zoom : ZoomSteps()) {
        if (zoom.log2 >= 0) continue;
        view.SetZoom(zoom, CPoint(0, 0));
        view.ScrollToDevicePosition(CPoint(150, 90));
        const QImage screen = Screen();
        const CPoint scroll = view.Viewport().scroll;
        QImage want = screen.copy();
        RenderZoomedRegion(MapPixels{reinterpret_cast<std::uint32_t*>(want.bits()), want.width(), want.height(),
                                     want.bytesPerLine() / 4, scroll.x, scroll.y},
                           doc.Map(), fresh, zoom);
        ASSERT_EQ(screen, want) << ZoomText(zoom);
    }
}

}  // namespace
