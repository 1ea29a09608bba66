// The source bitmap view driven through its window: the picture 1:1, the
// cell grid under a scrolled window, and cutting tiles with the mouse.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <string>
#include <vector>

#include "mainfrm.h"
#include "docbackstage.h"
#include "bmpview.h"
#include "bmpwriter.h"
#include "mainwidget.h"
#include "panetesting.h"
#include "picturecheck.h"
#include "scratchfolder.h"
#include "tileview.h"
#include "uiinput.h"
#include "waituntil.h"
#include "zelldoc.h"

using namespace panetest;

namespace {

class BitmapViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.SetPrompts(&prompts);
        view.AttachDocument(&doc);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(300, 200);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view, kPatienceMs));
    }

    void LoadPicture(int width, int height, WORD bitCount = 24)
    {
        picture = MakePicture(width, height, bitCount, 7);
        const std::vector<std::uint8_t> file = EncodeBmp(picture);
        WriteBytes(scratch.File("picture.bmp"), file);
        doc.LoadBitmapFile(scratch.File("picture.bmp"));
        ASSERT_TRUE(doc.Bitmap().m_bLoaded);
        view.OnInitialUpdate();
        view.UpdateWindow();
    }
    QImage Screen()
    {
        view.UpdateWindow();
        return view.Surface().copy();
    }
    QWidget* Window() { return view.viewport(); }
    // The top-left corners of the tiles, in bitmap pixels, found by content.
    ::testing::AssertionResult TilesAre(const std::vector<QPoint>& origins)
    {
        if (doc.Map().m_tileList.GetCount() != int(origins.size()))
            return ::testing::AssertionFailure() << doc.Map().m_tileList.GetCount() << " tiles";
        for (int i = 0; i < int(origins.size()); ++i) {
            const CSprite* tile = doc.Map().m_tileList.GetAt(i);
            if (tile->GetWidth() != 32 || tile->GetHeight() != 32)
                return ::testing::AssertionFailure() << "tile " << i << " is not 32 x 32";
            auto same = ScreenMatches(tile->GetScreenBits(), 32, 32, picture, origins[i].x(), origins[i].y());
            if (!same) return same << " (tile " << i << ")";
        }
        return ::testing::AssertionSuccess();
    }

    CDialogPrompts prompts;
    ScratchFolder scratch;
    CZellDoc doc;
    CBmpView view;
    TestPicture picture;
};

TEST_F(BitmapViewTest, DrawsTheBitmapOneToOneAtTheScrolledOrigin)
{
    LoadPicture(320, 100);  // 20 pixels wider than the window
    EXPECT_EQ(view.GetTotalSize(), CSize(320, 100));
    view.ScrollToDevicePosition(CPoint(10, 0));
    const QImage screen = Screen();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 300; ++x) ASSERT_EQ(screen.pixel(x, y), picture.ScreenPixel(x + 10, y)) << x << "," << y;
    EXPECT_EQ(screen.pixel(50, 150), 0xFFFFFFFFu);
}

struct CellCase {
    const char* name;
    QPoint client;
    CRect cell;  // empty: no cell
};

void PrintTo(const CellCase& c, std::ostream* os) { *os << c.name; }

class BitmapCells : public BitmapViewTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(BitmapCells, FindsTheGridCellUnderAScrolledWindow)
{
    LoadPicture(310, 100);  // 10 pixels wider than the window
    view.ScrollToDevicePosition(CPoint(10, 0));
    ASSERT_EQ(view.GetDeviceScrollPosition(), CPoint(10, 0));
    EXPECT_EQ(view.CellFromPoint(GetParam().client.x(), GetParam().client.y()), GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(Grid, BitmapCells,
                         ::testing::Values(CellCase{"StartsLeftOfTheWindow", {5, 5}, {-10, 0, 22, 32}},
                                           CellCase{"SecondColumn", {22, 5}, {22, 0, 54, 32}},
                                           CellCase{"SecondRow", {21, 32}, {-10, 32, 22, 64}},
                                           CellCase{"LastPartialCell", {299, 99}, {278, 96, 310, 128}},
                                           CellCase{"PastTheRightEdge", {300, 5}, {}},
                                           CellCase{"PastTheBottomEdge", {5, 100}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- cutting by dragging ------------------------------------------------------

struct DragCase {
    const char* name;
    int width, height;  // of the bitmap
    CPoint scroll;
    QPoint from, to;
    CRect band;  // the frame shown at the end of the drag (empty: none)
    std::vector<QPoint> tiles;
};

void PrintTo(const DragCase& c, std::ostream* os) { *os << c.name; }

class BitmapDrags : public BitmapViewTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(BitmapDrags, CutsEveryWholeCellOfTheBandInReadingOrder)
{
    const DragCase& c = GetParam();
    LoadPicture(c.width, c.height);
    view.ScrollToDevicePosition(c.scroll);
    const QImage before = Screen();

    Press(Window(), c.from);
    MoveTo(Window(), c.to);
    if (c.band.IsRectEmpty())
        EXPECT_TRUE(ShowsNoFrame(before, Screen()));
    else
        EXPECT_TRUE(ShowsFrames(before, Screen(), {c.band}));
    Release(Window(), c.to);

    EXPECT_TRUE(TilesAre(c.tiles));
    EXPECT_TRUE(ShowsNoFrame(before, Screen()));
}

INSTANTIATE_TEST_SUITE_P(
    Bands, BitmapDrags,
    ::testing::Values(
        DragCase{"ThreeByTwo",
                 200,
                 100,
                 {},
                 {5, 5},
                 {70, 40},
                 {0, 0, 96, 64},
                 {{0, 0}, {32, 0}, {64, 0}, {0, 32}, {32, 32}, {64, 32}}},
        DragCase{"ScrolledWindow", 320, 100, {10, 0}, {5, 5}, {30, 5}, {-10, 0, 54, 32}, {{0, 0}, {32, 0}}},
        // 100 x 70: the last column and row of cells reach past the picture.
        DragCase{"PastTheEdgeStopsAtTheLastCell",
                 100,
                 70,
                 {},
                 {5, 5},
                 {250, 150},
                 {0, 0, 128, 96},
                 {{0, 0}, {32, 0}, {64, 0}, {0, 32}, {32, 32}, {64, 32}}},
        DragCase{"PartialCellsAreNotCut", 100, 70, {}, {40, 40}, {99, 69}, {32, 32, 128, 96}, {{32, 32}, {64, 32}}},
        DragCase{"BandEndingAboveTheAnchorCutsNothing", 200, 100, {}, {40, 70}, {40, 5}, {32, 32, 64, 64}, {}},
        DragCase{"LeavingTheWindowAbandonsTheDrag", 200, 100, {}, {5, 5}, {0, 40}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BitmapViewTest, AClickShowsTheCellWhileHeldAndCutsNothing)
{
    LoadPicture(200, 100);
    const QImage before = Screen();
    Press(Window(), QPoint(40, 40));
    EXPECT_TRUE(ShowsFrames(before, Screen(), {{32, 32, 64, 64}}));
    Release(Window(), QPoint(40, 40));
    EXPECT_TRUE(ShowsNoFrame(before, Screen()));
    EXPECT_EQ(doc.Map().m_tileList.GetCount(), 0);
}

TEST_F(BitmapViewTest, ADoubleClickCutsExactlyOneTile)
{
    LoadPicture(200, 100);
    const QImage before = Screen();
    DoubleClick(Window(), QPoint(40, 40));
    EXPECT_TRUE(TilesAre({{32, 32}}));
    EXPECT_TRUE(ShowsNoFrame(before, Screen()));
    DoubleClick(Window(), QPoint(70, 5));
    EXPECT_TRUE(TilesAre({{32, 32}, {64, 0}}));
}

TEST_F(BitmapViewTest, ADoubleClickOnACellPastThePictureCutsNothing)
{
    LoadPicture(100, 70);
    DoubleClick(Window(), QPoint(98, 10));
    DoubleClick(Window(), QPoint(10, 68));
    EXPECT_EQ(doc.Map().m_tileList.GetCount(), 0);
}

TEST_F(BitmapViewTest, ARepaintDuringADragKeepsTheBand)
{
    LoadPicture(200, 100);
    const QImage before = Screen();
    Press(Window(), QPoint(5, 5));
    MoveTo(Window(), QPoint(40, 5));
    view.Invalidate(TRUE);
    EXPECT_TRUE(ShowsFrames(before, Screen(), {{0, 0, 64, 32}}));
    Release(Window(), QPoint(40, 5));
    EXPECT_TRUE(ShowsNoFrame(before, Screen()));
    EXPECT_TRUE(TilesAre({{0, 0}, {32, 0}}));
}

TEST_F(BitmapViewTest, WithoutABitmapTheAreaIs100By100AndTheMouseDoesNothing)
{
    view.OnInitialUpdate();
    EXPECT_EQ(view.GetTotalSize(), CSize(100, 100));
    const QImage before = Screen();
    Press(Window(), QPoint(10, 10));
    EXPECT_TRUE(ShowsNoFrame(before, Screen()));
    MoveTo(Window(), QPoint(50, 50));
    Release(Window(), QPoint(50, 50));
    DoubleClick(Window(), QPoint(10, 10));
    EXPECT_EQ(doc.Map().m_tileList.GetCount(), 0);
    EXPECT_TRUE(ShowsNoFrame(before, Screen()));
}

TEST_F(BitmapViewTest, ATileSizeOfZeroMakesNoCells)
{
    LoadPicture(200, 100);
    BackstageMap(doc).m_nTileWidth = 0;
    EXPECT_TRUE(view.CellFromPoint(10, 10).IsRectEmpty());
    const QImage before = Screen();
    Press(Window(), QPoint(10, 10));
    EXPECT_TRUE(ShowsNoFrame(before, Screen()));
    Release(Window(), QPoint(10, 10));
    DoubleClick(Window(), QPoint(10, 10));
    EXPECT_EQ(doc.Map().m_tileList.GetCount(), 0);
}

TEST_F(BitmapViewTest, ABitmapThatCannotBeCutGivesOneMessageForTheWholeBand)
{
    LoadPicture(200, 100, 32);
    ModalAnswerer answerer;
    QString text;
    answerer.Then(AnswerMessage(&text));
    Drag(Window(), QPoint(5, 5), QPoint(70, 40));
    EXPECT_EQ(answerer.ModalsSeen(), 1);
    EXPECT_EQ(text, QStringLiteral("메모리 확보에 실패했습니다.(Sprite Info)"));
    EXPECT_EQ(doc.Map().m_tileList.GetCount(), 0);
}

// ---- with the main frame ------------------------------------------------------

TEST_F(BitmapViewTest, CuttingLaysThePaletteOutAnewThroughTheFrame)
{
    CMainFrame frame;
    CTileView palette;
    palette.AttachDocument(&doc);
    palette.resize(400, 200);
    frame.m_pTileView = &palette;
    AfxSetMainWidget(&frame);
    struct Unset {
        CMainFrame& frame;
        ~Unset()
        {
            AfxSetMainWidget(nullptr);
            frame.m_pTileView = nullptr;
        }
    } unset{frame};
    LoadPicture(200, 100);
    palette.OnInitialUpdate();
    EXPECT_EQ(palette.LayoutHeight(), 0);

    DoubleClick(Window(), QPoint(5, 5));
    EXPECT_EQ(palette.LayoutHeight(), 32);
    // A block picked in the palette goes when the tile set grows.
    doc.SetSelection({1, 1, {0}}, nullptr);
    Drag(Window(), QPoint(5, 5), QPoint(250, 70));  // 6 whole columns of the 200-pixel bitmap, 3 rows
    EXPECT_EQ(doc.Map().m_tileList.GetCount(), 1 + 6 * 3);
    EXPECT_EQ(palette.LayoutHeight(), 37 + 32);
    EXPECT_FALSE(doc.HasSelection());
}

}  // namespace
