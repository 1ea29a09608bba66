// Painting the map with the mouse: stamping and filling with the selected
// block, map attributes through the dialog, the preview, the rubber band,
// the right button and the drag cancelled at the border, all driven
// through the pane's window and checked in the layers, the window and the
// overview.
#include <QLineEdit>

#include "dialog.h"
#include "mapattrdlg.h"
#include "maptesting.h"
#include "modalanswerer.h"
#include "panetesting.h"
#include "uiinput.h"

using namespace maptest;

namespace {

constexpr QRgb kMarker = 0xFFFF00FFu;

using CellMap = std::map<std::pair<int, int>, short>;

// A client point inside cell (col, row) of an unscrolled pane of 32-pixel cells.
constexpr QPoint P(int col, int row, int dx = 16, int dy = 16) { return {col * 32 + dx, row * 32 + dy}; }

CellMap Fill(int col0, int row0, int col1, int row1, const std::function<short(int i, int j)>& value)
{
    CellMap cells;
    for (int r = row0; r <= row1; ++r)
        for (int c = col0; c <= col1; ++c)
            if (short v = value(r - row0, c - col0); v != -1) cells[{c, r}] = v;
    return cells;
}

// One gesture in tile mode: press at the first point, move through the
// others, release at the last.
struct TileGesture {
    const char* name;
    int mapWidth;
    int mapHeight;
    int blockCols;
    int blockRows;
    std::vector<short> block;
    std::vector<QPoint> points;
    CellMap painted;
};

class TileModeGesture : public MapViewTest, public ::testing::WithParamInterface<TileGesture> {};

TEST_P(TileModeGesture, PaintsExactlyTheseCells)
{
    const TileGesture& g = GetParam();
    Open(g.mapWidth, g.mapHeight);
    Select(g.blockCols, g.blockRows, g.block);
    Press(g.points.front());
    for (std::size_t i = 1; i < g.points.size(); ++i) DragTo(g.points[i]);
    Release(g.points.back());
    EXPECT_EQ(PaintedCells(), g.painted);
    EXPECT_TRUE(ImageMatchesLayer(MapImage(), doc));
    // The band is gone and the window and the overview show the new map.
    EXPECT_TRUE(ScreenShowsImage(Screen(), MapImage(), 0, 0, view.MapPixelWidth(), view.MapPixelHeight()));
    EXPECT_TRUE(OverviewShowsMap());
    EXPECT_FALSE(view.GestureActive());
    EXPECT_FALSE(view.HasCapture());
}

const std::vector<short> k3x2{0, 1, 2, 3, 4, 5};

INSTANTIATE_TEST_SUITE_P(
    MapEditing, TileModeGesture,
    ::testing::Values(
        TileGesture{
            "Block2x2ClickedInTheLastColumn", 20, 15, 2, 2, {0, 1, 2, 3}, {P(19, 3)}, {{{19, 3}, 0}, {{19, 4}, 2}}},
        TileGesture{"Block2x2ClickedInTheLastCell", 20, 15, 2, 2, {0, 1, 2, 3}, {P(19, 14)}, {{{19, 14}, 0}}},
        TileGesture{"Drag5x4With2x3Block",
                    20,
                    15,
                    2,
                    3,
                    k3x2,
                    {P(1, 1), P(3, 2), P(5, 4)},
                    Fill(1, 1, 5, 4, [](int i, int j) { return short((i % 3) * 2 + j % 2); })},
        TileGesture{"BlockRowEndingInMinusOne",
                    20,
                    15,
                    2,
                    2,
                    {0, 1, 7, -1},
                    {P(0, 0), P(4, 3)},
                    Fill(0, 0, 4, 3, [](int i, int j) { return short(i % 2 == 0 ? j % 2 : (j == 0 ? 7 : -1)); })},
        TileGesture{
            "RightToLeftFillsTheColumnsBetween", 20, 15, 2, 1, {4, 5}, {P(5, 2), P(2, 2)}, {{{3, 2}, 4}, {{4, 2}, 5}}},
        TileGesture{"ToTheNeighbourColumnFillsNothing", 20, 15, 1, 1, {6}, {P(5, 2), P(4, 2)}, {}},
        TileGesture{"UpAndLeftFillsTheCellsBetween",
                    20,
                    15,
                    1,
                    1,
                    {6},
                    {P(5, 5), P(2, 2)},
                    Fill(3, 3, 4, 4, [](int, int) { return short(6); })},
        TileGesture{"ClickStampsTheWholeBlock",
                    20,
                    15,
                    3,
                    2,
                    k3x2,
                    {P(2, 2)},
                    Fill(2, 2, 4, 3, [](int i, int j) { return short(i * 3 + j); })},
        TileGesture{
            "TinyMoveInTheCellPutsOnlyTheFirstTile", 20, 15, 3, 2, k3x2, {P(2, 2), P(2, 2, 19, 18)}, {{{2, 2}, 0}}},
        TileGesture{"MinusOneEndsAStampedRow", 20, 15, 3, 1, {1, -1, 2}, {P(0, 0)}, {{{0, 0}, 1}}},
        TileGesture{"DragPastASmallMapStopsAtItsLastCell",
                    10,
                    5,
                    1,
                    1,
                    {6},
                    {P(8, 3), QPoint(400, 300)},
                    Fill(8, 3, 9, 4, [](int, int) { return short(6); })},
        TileGesture{"DragPastASmallMapsRightEdgeKeepsTheRow",
                    10,
                    5,
                    1,
                    1,
                    {6},
                    {P(7, 3), QPoint(500, 100)},
                    Fill(7, 3, 9, 3, [](int, int) { return short(6); })}),
    [](const ::testing::TestParamInfo<TileGesture>& info) { return info.param.name; });

// Cells found by division, not by looking 5 pixels into the cell, so small
// tiles hit the cell under the pointer.
class SmallTiles : public MapViewTest, public ::testing::WithParamInterface<int> {};

TEST_P(SmallTiles, ClickAndDragHitTheCellsUnderThePointer)
{
    const int t = GetParam();
    Open(20, 15, t);
    Select(1, 1, {3});
    const QPoint inCell21(2 * t + t / 2, t + t / 2);
    Click(inCell21);
    EXPECT_EQ(PaintedCells(), (CellMap{{{2, 1}, 3}}));
    Select(1, 1, {5});
    Drag(QPoint(t + t / 2, 3 * t + t / 2), {QPoint(3 * t + t - 1, 4 * t)});
    CellMap want = Fill(1, 3, 3, 4, [](int, int) { return short(5); });
    want[{2, 1}] = 3;
    EXPECT_EQ(PaintedCells(), want);
    EXPECT_TRUE(ImageMatchesLayer(MapImage(), doc));
}

INSTANTIATE_TEST_SUITE_P(MapEditing, SmallTiles, ::testing::Values(3, 4, 5, 6, 16));

using MapEditTest = MapViewTest;

TEST_F(MapEditTest, EditsRedrawOnlyTheCellsTheyChange)
{
    Open(20, 15);
    Select(1, 1, {2});
    Screen();
    view.Surface().setPixel(10, 10, kMarker);
    overview.Surface().setPixel(100, 100, kMarker);
    Click(P(5, 5));
    Drag(P(7, 7), {P(9, 8)});
    EXPECT_EQ(view.Surface().pixel(10, 10), kMarker);
    EXPECT_EQ(overview.Surface().pixel(100, 100), kMarker);
    EXPECT_TRUE(panetest::ShowsTile(view.Surface(), 5 * 32, 5 * 32, *doc.Tiles().GetAt(2)));
    EXPECT_TRUE(panetest::ShowsTile(view.Surface(), 9 * 32, 8 * 32, *doc.Tiles().GetAt(2)));
}

TEST_F(MapEditTest, DragOnAScrolledViewFillsTheCellsUnderTheBand)
{
    Open(20, 15, 32, 8, 300, 200);
    Select(1, 1, {1});
    view.ScrollToDevicePosition({96, 64});
    Drag(At(4, 3), {At(5, 4), At(6, 5)});
    EXPECT_EQ(PaintedCells(), Fill(4, 3, 6, 5, [](int, int) { return short(1); }));
    EXPECT_TRUE(ImageMatchesLayer(MapImage(), doc));
    EXPECT_TRUE(ScreenShowsImage(Screen(), MapImage(), 96, 64, 300, 200));
}

TEST_F(MapEditTest, ClickOnAViewScrolledOffTheGridHitsTheCellShown)
{
    Open(20, 15, 32, 8, 300, 200);
    Select(2, 1, {1, 2});
    view.ScrollToDevicePosition({1000, 1000});
    ASSERT_EQ(view.GetDeviceScrollPosition(), CPoint(340, 280));
    Click(At(11, 9, 2, 2));
    EXPECT_EQ(PaintedCells(), (CellMap{{{11, 9}, 1}, {{12, 9}, 2}}));
    Drag(At(17, 12, 30, 30), {At(18, 13, 1, 1)});
    EXPECT_EQ(Tile(17, 12), 1);
    EXPECT_EQ(Tile(18, 13), 2);
    EXPECT_TRUE(ImageMatchesLayer(MapImage(), doc));
}

TEST_F(MapEditTest, FillAllCoversTheWholeMapWhateverTheScroll)
{
    Open(60, 40, 32, 8, 300, 200);
    Select(2, 2, {0, 1, 2, 3});
    view.ScrollToDevicePosition({800, 600});
    doc.OnTileFillAll();
    EXPECT_EQ(PaintedCells(), Fill(0, 0, 59, 39, [](int i, int j) { return short((i % 2) * 2 + j % 2); }));
    EXPECT_EQ(Tile(0, 0), 0);
    EXPECT_TRUE(ImageMatchesLayer(MapImage(), doc));
    EXPECT_TRUE(ScreenShowsImage(Screen(), MapImage(), 800, 600, 300, 200));
}

TEST_F(MapEditTest, FillWithoutABlockChangesNothing)
{
    Open(10, 10);
    doc.FillWithBrush(CRect(0, 0, 10, 10));
    doc.OnTileFillAll();
    EXPECT_TRUE(PaintedCells().empty());
}

TEST_F(MapEditTest, PressFramesTheAnchorAndTheDragShowsTheBand)
{
    Open(20, 15);
    Select(1, 1, {1});
    const QImage before = Screen();
    Press(P(2, 2));
    EXPECT_TRUE(panetest::ShowsFrames(before, Screen(), {CRect(64, 64, 96, 96)}));
    DragTo(P(4, 3));
    EXPECT_TRUE(panetest::ShowsFrames(before, Screen(), {CRect(64, 64, 160, 128)}));
    DragTo(P(0, 4));  // left of the anchor: from column 1 to 2
    EXPECT_TRUE(panetest::ShowsFrames(before, Screen(), {CRect(32, 64, 64, 160)}));
    Release(P(0, 4));
    EXPECT_EQ(PaintedCells(), Fill(1, 2, 1, 4, [](int, int) { return short(1); }));
}

// During a drag the pointer at the pane's border drops the drag.
struct BorderCase {
    QPoint point;
    bool cancels;
};

class BorderCancel : public MapViewTest, public ::testing::WithParamInterface<BorderCase> {};

TEST_P(BorderCancel, DropsTheDragOnlyAtTheBorder)
{
    const BorderCase& c = GetParam();
    Open(20, 15);
    Select(1, 1, {6});
    const QImage before = Screen();
    overview.UpdateWindow();
    const QImage overviewBefore = overview.Surface().copy();
    Press(P(2, 2));
    DragTo(P(4, 4));
    DragTo(c.point);
    EXPECT_EQ(view.GestureActive(), !c.cancels);
    EXPECT_EQ(view.HasCapture(), !c.cancels);
    if (c.cancels) {
        EXPECT_TRUE(panetest::ShowsNoFrame(before, Screen()));
    }
    Release(c.point);
    overview.UpdateWindow();
    if (c.cancels) {
        EXPECT_TRUE(PaintedCells().empty());
        EXPECT_EQ(overview.Surface(), overviewBefore) << "a cancelled drag's release does nothing";
    } else {
        EXPECT_FALSE(PaintedCells().empty());
        EXPECT_TRUE(OverviewShowsMap());
    }
}

INSTANTIATE_TEST_SUITE_P(MapEditing, BorderCancel,
                         ::testing::Values(BorderCase{{0, 100}, true}, BorderCase{{100, 0}, true},
                                           BorderCase{{639, 100}, true}, BorderCase{{100, 479}, true},
                                           BorderCase{{-20, 100}, true}, BorderCase{{1, 100}, false},
                                           BorderCase{{100, 1}, false}, BorderCase{{638, 100}, false},
                                           BorderCase{{100, 478}, false}));

TEST_F(MapEditTest, PressOutsideTheMapStartsNoDrag)
{
    Open(10, 5);
    Select(1, 1, {6});
    Press(QPoint(400, 300));
    EXPECT_FALSE(view.GestureActive());
    EXPECT_FALSE(view.HasCapture());
    Release(QPoint(400, 300));
    EXPECT_TRUE(PaintedCells().empty());
}

TEST_F(MapEditTest, BorderCancelInAttributeModeOpensNoDialog)
{
    Open(20, 15);
    ModalAnswerer answerer;
    Drag(P(2, 2), {P(3, 3), QPoint(0, 50)});
    EXPECT_EQ(answerer.ModalsSeen(), 0);
}

// Answers the map attribute dialog: records what it showed, types the new
// text and presses OK, or presses Cancel when text is null.
ModalAnswerer::Handler AnswerAttribute(CMapView& view, QString* shown, const char* text)
{
    return [&view, shown, text](QWidget* modal) {
        auto* dialog = dynamic_cast<CMapAttrDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* edit = qobject_cast<QLineEdit*>(dialog->GetDlgItem(1012));
        ASSERT_NE(edit, nullptr);
        *shown = edit->text();
        if (!text) {
            ClickWidget(dialog->GetDlgItem(IDCANCEL));
            return;
        }
        ReplaceText(edit, QString::fromUtf8(text));
        ClickWidget(dialog->GetDlgItem(IDOK));
    };
}

// A right click in the middle of a tile drag drops the block; the release
// then asks for an attribute, and no band is left on the window.
TEST_F(MapEditTest, RightClickDuringADragLeavesNoBand)
{
    Open(20, 15);
    Select(1, 1, {6});
    const QImage before = Screen();
    Press(P(2, 2));
    DragTo(P(4, 4));
    QTest::mousePress(Window(), Qt::RightButton, {}, P(4, 4));
    EXPECT_FALSE(doc.HasSelection());
    QString shown;
    {
        ModalAnswerer answerer;
        answerer.Then(AnswerAttribute(view, &shown, nullptr));
        Release(P(4, 4));
    }
    EXPECT_TRUE(PaintedCells().empty());
    EXPECT_TRUE(panetest::ShowsNoFrame(before, Screen()));
}

TEST_F(MapEditTest, ClickSetsOneCellsAttributeAndCancelKeepsIt)
{
    doc.SetShowMapAttr(true);
    Open(20, 15);
    SetAttr(3, 2, 7);
    QString shown;
    {
        ModalAnswerer answerer;
        answerer.Then(AnswerAttribute(view, &shown, "-300"));
        Click(P(3, 2));
    }
    EXPECT_EQ(shown, QStringLiteral("7"));
    EXPECT_EQ(Attr(3, 2), -300);

    // Cancel: no change and no refresh (a mark on the window survives).
    Screen();
    view.Surface().setPixel(600, 400, kMarker);
    {
        ModalAnswerer answerer;
        answerer.Then(AnswerAttribute(view, &shown, nullptr));
        Click(P(3, 2));
    }
    EXPECT_EQ(shown, QStringLiteral("-300"));
    EXPECT_EQ(Attr(3, 2), -300);
    EXPECT_EQ(view.Surface().pixel(600, 400), kMarker);
    // Attributes never reach the map's picture.
    EXPECT_TRUE(ImageMatchesLayer(MapImage(), doc));
    EXPECT_TRUE(OverviewShowsMap());
}

TEST_F(MapEditTest, DragOnAViewScrolledByThreeColumnsSetsTheBandsAttribute)
{
    Open(20, 15, 32, 8, 300, 200);
    view.ScrollToDevicePosition({96, 0});
    SetAttr(4, 1, 9);
    SetAttr(5, 2, 3);
    QString shown;
    {
        ModalAnswerer answerer;
        answerer.Then(AnswerAttribute(view, &shown, "12"));
        Drag(At(4, 1), {At(5, 2), At(6, 2)});
    }
    EXPECT_EQ(shown, QStringLiteral("9"));
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 20; ++c)
            EXPECT_EQ(Attr(c, r), (c >= 4 && c <= 6 && r >= 1 && r <= 2) ? 12 : 0) << c << ", " << r;
}

TEST_F(MapEditTest, AttributeDragToTheNeighbourColumnStillAsksButWritesNothing)
{
    Open(20, 15);
    SetAttr(5, 2, 4);
    QString shown;
    {
        ModalAnswerer answerer;
        answerer.Then(AnswerAttribute(view, &shown, "8"));
        Drag(P(5, 2), {P(4, 2)});
    }
    EXPECT_EQ(shown, QStringLiteral("4"));
    EXPECT_EQ(Attr(5, 2), 4);
    EXPECT_EQ(Attr(4, 2), 0);
}

class PreviewTest : public MapViewTest {
protected:
    void SetUp() override
    {
        MapViewTest::SetUp();
        Open(20, 15);
        Select(2, 1, {1, 2});
    }
    ::testing::AssertionResult PreviewAt(int col, int row)
    {
        const QImage screen = Screen();
        for (int c = 0; c < 2; ++c)
            if (auto shown = panetest::ShowsTile(screen, (col + c) * 32, row * 32, *doc.Tiles().GetAt(1 + c)); !shown)
                return shown;
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult NoPreview() { return ScreenShowsImage(Screen(), MapImage(), 0, 0, 640, 480); }
    void Mark() { view.Surface().setPixel(600, 470, kMarker); }
    bool Marked() { return view.Surface().pixel(600, 470) == kMarker; }
};

TEST_F(PreviewTest, FollowsThePointerCellByCellWithoutTouchingTheMap)
{
    const QImage image = MapImage();
    Hover(P(3, 3));
    EXPECT_TRUE(PreviewAt(3, 3));
    Mark();
    Hover(P(3, 3, 2, 29));
    EXPECT_TRUE(Marked()) << "a move within the cell draws nothing";
    Hover(P(4, 3));
    EXPECT_TRUE(Marked()) << "only the old preview's cells are redrawn";
    EXPECT_TRUE(PreviewAt(4, 3));
    EXPECT_TRUE(ScreenShowsImage(Screen().copy(96, 96, 32, 32), image.copy(96, 96, 32, 32), 0, 0, 32, 32));
    EXPECT_EQ(MapImage(), image);
}

TEST_F(PreviewTest, BorderStripRemovesItAndTheSameCellDoesNotBringItBack)
{
    Hover(P(3, 3));
    ASSERT_TRUE(PreviewAt(3, 3));
    Hover(QPoint(5, 100));
    EXPECT_TRUE(NoPreview());
    Hover(P(3, 3));
    EXPECT_TRUE(NoPreview()) << "the preview point is still that cell";
    Hover(P(3, 4));
    EXPECT_TRUE(PreviewAt(3, 4));
    Hover(QPoint(100, 475));
    EXPECT_TRUE(NoPreview());
}

TEST_F(PreviewTest, NoPreviewWhereTheBlockWouldNotFit)
{
    Hover(P(4, 3));
    ASSERT_TRUE(PreviewAt(4, 3));
    Hover(P(19, 5));
    // Nothing new is drawn; the old preview stays until the next refresh.
    EXPECT_TRUE(PreviewAt(4, 3));
    Hover(P(18, 5));
    EXPECT_TRUE(PreviewAt(18, 5));
}

TEST_F(PreviewTest, NoPreviewPastTheMapsEdgeOnAScrolledView)
{
    view.resize(300, 200);
    view.OnInitialUpdate();
    view.ScrollToDevicePosition({340, 0});
    Screen();
    Hover(At(19, 2));
    EXPECT_TRUE(ScreenShowsImage(Screen(), MapImage(), 340, 0, 300, 200));
    Hover(At(17, 2));
    EXPECT_TRUE(panetest::ShowsTile(Screen(), 17 * 32 - 340, 64, *doc.Tiles().GetAt(1)));
}

TEST_F(PreviewTest, AttributeModeShowsNoPreview)
{
    doc.ClearSelection(nullptr);
    Screen();
    Mark();
    Hover(P(3, 3));
    Hover(QPoint(2, 2));
    EXPECT_TRUE(Marked());
}

TEST_F(PreviewTest, RightClickDropsTheBlockAndTheNextClickAsksForAnAttribute)
{
    Hover(P(3, 3));
    ASSERT_TRUE(PreviewAt(3, 3));
    overview.UpdateWindow();
    const int paints = overview.paints;
    QTest::mouseClick(Window(), Qt::RightButton, {}, P(3, 3));
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_TRUE(doc.Selection().m_entries.empty());
    EXPECT_TRUE(NoPreview());
    overview.UpdateWindow();
    EXPECT_EQ(overview.paints, paints) << "the right button leaves the overview alone";

    QString shown;
    {
        ModalAnswerer answerer;
        answerer.Then(AnswerAttribute(view, &shown, nullptr));
        Click(P(3, 3));
    }
    EXPECT_EQ(shown, QStringLiteral("0"));
    EXPECT_TRUE(PaintedCells().empty());

    // Without a block the right button does nothing at all.
    Screen();
    Mark();
    QTest::mouseClick(Window(), Qt::RightButton, {}, P(5, 5));
    EXPECT_TRUE(Marked());
}

}  // namespace
