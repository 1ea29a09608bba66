// The tile palette driven through its window: layout, picking blocks with
// the mouse, the inverted frames on screen, and the context menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAccessible>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "frame.h"
#include "docbackstage.h"
#include "mainwidget.h"
#include "panetesting.h"
#include "resource.h"
#include "tileview.h"
#include "waituntil.h"
#include "zelldoc.h"

using namespace panetest;

namespace {

// A 24-bit tile whose pixels tell the tile and the position apart and never
// come out pure green (the text colour of the attribute tests).
CSprite* MakeTile(int width, int height, int k)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> rows(std::size_t(stride) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        BYTE* row = rows.data() + std::size_t(height - 1 - y) * std::size_t(stride);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = BYTE(40 + k * 13);
            row[3 * x + 1] = BYTE(x * 7);
            row[3 * x + 2] = BYTE(y * 7);
        }
    }
    auto* tile = new CSprite;
    tile->CreateFromData(BYTE(width), BYTE(height), nullptr, rows.data(), 24);
    return tile;
}

// With 32 x 32 tiles the slots are 37 pixels apart: a point in a slot, the
// cell of a slot, and the cells of a rectangle of slots.
QPoint Slot(int col, int row, int dx = 10, int dy = 10) { return {col * 37 + dx, row * 37 + dy}; }
CRect Cell(int col, int row) { return {col * 37, row * 37, col * 37 + 32, row * 37 + 32}; }
CRect Cells(int col0, int row0, int col1, int row1) { return {col0 * 37, row0 * 37, col1 * 37 + 32, row1 * 37 + 32}; }

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.AttachDocument(&doc);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(400, 300);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view, kPatienceMs));
    }

    void AddTiles(int count, int size = 32)
    {
        for (int k = 0; k < count; ++k) BackstageMap(doc).m_tileList.AddTail(MakeTile(size, size, k));
        Relayout();
    }
    void Relayout()
    {
        view.OnInitialUpdate();
        view.UpdateWindow();
    }
    QImage Screen()
    {
        view.UpdateWindow();
        return view.Surface().copy();
    }
    QWidget* Window() { return view.viewport(); }
    std::vector<short> Block() const { return doc.Selection().m_entries; }

    CZellDoc doc;
    CTileView view;
};

// ---- layout -------------------------------------------------------------

struct LayoutCase {
    const char* name;
    int tiles;
    int perRow;
    int tileSize;
    int width;
    int height;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class PaletteLayout : public PaletteTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(PaletteLayout, LaysTheTilesOutInSlotsWithAFivePixelGap)
{
    const LayoutCase& c = GetParam();
    doc.SetTilesPerRow(c.perRow);
    BackstageMap(doc).m_nTileWidth = BYTE(c.tileSize);
    BackstageMap(doc).m_nTileHeight = BYTE(c.tileSize);
    AddTiles(c.tiles, c.tileSize > 0 ? c.tileSize : 32);

    EXPECT_EQ(view.LayoutWidth(), c.width);
    EXPECT_EQ(view.LayoutHeight(), c.height);
    EXPECT_EQ(view.GetTotalSize(), CSize(c.width, c.height));
    const QImage screen = Screen();
    if (c.tiles > 0 && c.tileSize > 0) {
        const int last = c.tiles - 1;
        const int pitch = c.tileSize + 5;
        EXPECT_TRUE(
            ShowsTile(screen, (last % c.perRow) * pitch, (last / c.perRow) * pitch, *doc.Map().m_tileList.GetAt(last)));
    }
    if (c.tileSize == 0) {
        // Nothing to lay out: the window stays blank and clicks select nothing.
        EXPECT_EQ(screen.pixel(5, 5), 0xFFFFFFFFu);
        Press(Window(), QPoint(5, 5));
        Release(Window(), QPoint(5, 5));
        EXPECT_FALSE(doc.HasSelection());
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaletteLayout,
                         ::testing::Values(LayoutCase{"TwentyFiveTiles", 25, 10, 32, 370, 106},
                                           LayoutCase{"TwentyTilesFillTwoRows", 20, 10, 32, 370, 74},
                                           LayoutCase{"NoTiles", 0, 10, 32, 370, 0},
                                           LayoutCase{"SevenSmallTilesThreePerRow", 7, 3, 16, 63, 58},
                                           LayoutCase{"ZeroTileSizeHasNoLayout", 5, 10, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- picking a block ------------------------------------------------------

struct SelectCase {
    const char* name;
    QPoint press;
    QPoint release;  // reached with one move when it differs from press
    int cols;        // 0: no block
    int rows;
    std::vector<short> tiles;
    CRect frame;  // the frame left on screen
};

void PrintTo(const SelectCase& c, std::ostream* os) { *os << c.name; }

class PaletteSelection : public PaletteTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(PaletteSelection, TakesTheTilesUnderTheBandAndKeepsItsFrame)
{
    const SelectCase& c = GetParam();
    AddTiles(25);
    const QImage blank = Screen();

    Press(Window(), c.press);
    if (c.release != c.press) MoveTo(Window(), c.release);
    Release(Window(), c.release);

    if (c.cols == 0) {
        EXPECT_FALSE(doc.HasSelection());
        EXPECT_TRUE(doc.Selection().m_entries.empty());
        EXPECT_TRUE(ShowsNoFrame(blank, Screen()));
        return;
    }
    ASSERT_TRUE(doc.HasSelection());
    EXPECT_EQ(doc.Selection().m_nCols, c.cols);
    EXPECT_EQ(doc.Selection().m_nRows, c.rows);
    EXPECT_EQ(Block(), c.tiles);
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {c.frame}));
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, PaletteSelection,
    ::testing::Values(
        SelectCase{"ClickOnSlot3Row1", Slot(3, 1), Slot(3, 1), 1, 1, {13}, Cell(3, 1)},
        SelectCase{"ClickInTheGapRightOfATile", Slot(3, 1, 34, 10), Slot(3, 1, 34, 10), 1, 1, {13}, Cell(3, 1)},
        SelectCase{"ClickInTheGapBelowATile", Slot(3, 1, 10, 34), Slot(3, 1, 10, 34), 1, 1, {13}, Cell(3, 1)},
        SelectCase{"ClickOnASlotPastTheLastTile", Slot(7, 2), Slot(7, 2), 1, 1, {-1}, Cell(7, 2)},
        SelectCase{"BlockReachingPastTheLastTile",
                   Slot(3, 1),
                   Slot(6, 2),
                   4,
                   2,
                   {13, 14, 15, 16, 23, 24, -1, -1},
                   Cells(3, 1, 6, 2)},
        SelectCase{"BandEndingAboveAndLeft",
                   Slot(6, 2),
                   Slot(3, 1),
                   4,
                   2,
                   {13, 14, 15, 16, 23, 24, -1, -1},
                   Cells(3, 1, 6, 2)},
        SelectCase{
            "BandEndingLeftOnly", Slot(6, 1), Slot(3, 2), 4, 2, {13, 14, 15, 16, 23, 24, -1, -1}, Cells(3, 1, 6, 2)},
        SelectCase{"BandEndingInTheSlotToTheLeft", Slot(4, 1), Slot(3, 1), 2, 1, {13, 14}, Cells(3, 1, 4, 1)},
        SelectCase{"BandBackOnItsAnchor", Slot(4, 1), Slot(4, 1, 20, 20), 1, 1, {14}, Cell(4, 1)},
        SelectCase{"ClickRightOfTheLayout", QPoint(380, 10), QPoint(380, 10), 0, 0, {}, {}},
        SelectCase{"ClickBelowTheLayout", Slot(1, 3), Slot(1, 3), 0, 0, {}, {}},
        SelectCase{"DragOffTheLayout", Slot(1, 1), QPoint(390, 40), 0, 0, {}, {}},
        SelectCase{"DragOntoTheWindowMargin", Slot(1, 1), QPoint(0, 40), 0, 0, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- frames on screen -----------------------------------------------------

TEST_F(PaletteTest, ShowsTheAnchorWhilePressedAndTheBandWhileDragging)
{
    AddTiles(25);
    const QImage blank = Screen();
    Press(Window(), Slot(1, 0));
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cell(1, 0)}));
    MoveTo(Window(), Slot(3, 1));
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cells(1, 0, 3, 1)}));
    MoveTo(Window(), Slot(0, 2));
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cells(0, 0, 1, 2)}));
    Release(Window(), Slot(0, 2));
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cells(0, 0, 1, 2)}));
}

TEST_F(PaletteTest, TheNextPressTakesTheOldFrameOff)
{
    AddTiles(25);
    const QImage blank = Screen();
    Drag(Window(), Slot(0, 0), Slot(2, 1));
    Press(Window(), Slot(5, 2));
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cell(5, 2)}));
    Release(Window(), Slot(5, 2));
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cell(5, 2)}));
    EXPECT_EQ(Block(), std::vector<short>{-1});
}

TEST_F(PaletteTest, ARepaintDrawsTheFrameOfTheSelectedBlockAgain)
{
    AddTiles(25);
    const QImage blank = Screen();
    Drag(Window(), Slot(1, 1), Slot(2, 2));
    for (BOOL erase : {TRUE, FALSE}) {
        view.Invalidate(erase);
        EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cells(1, 1, 2, 2)})) << "erase " << erase;
    }
    // ...so taking it off still leaves a clean palette.
    Press(Window(), Slot(6, 0));
    Release(Window(), Slot(6, 0));
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cell(6, 0)}));
}

TEST_F(PaletteTest, ARepaintAfterTheBlockWasDroppedElsewhereShowsNoFrame)
{
    AddTiles(25);
    const QImage blank = Screen();
    Drag(Window(), Slot(1, 1), Slot(2, 2));
    // What the map view's right button does.
    view.ClearTileSelection();
    view.Invalidate(TRUE);
    EXPECT_TRUE(ShowsNoFrame(blank, Screen()));
    Press(Window(), Slot(4, 0));
    EXPECT_TRUE(ShowsFrames(blank, Screen(), {Cell(4, 0)}));
    Release(Window(), Slot(4, 0));
}

TEST_F(PaletteTest, ScrollingDropsTheBlockAndItsFrame)
{
    AddTiles(100);  // ten rows: 370 pixels in a 300-pixel window
    Drag(Window(), Slot(1, 1), Slot(2, 2));
    ASSERT_TRUE(doc.HasSelection());
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_GT(view.GetDeviceScrollPosition().y, 0);
    EXPECT_FALSE(doc.HasSelection());
    const QImage scrolled = Screen();
    view.Invalidate(TRUE);
    EXPECT_TRUE(ShowsNoFrame(Screen(), scrolled));
}

// Only a scroll that moves the palette drops the block: a wheel notch, an
// arrow or a page key at the end of the range keeps it.
TEST_F(PaletteTest, ScrollingThatDoesNotMoveKeepsTheBlock)
{
    AddTiles(100);
    Drag(Window(), Slot(1, 1), Slot(2, 2));
    view.setFocus();
    const QPoint at = Slot(4, 4);
    QWheelEvent up(at, view.viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                   false);
    QApplication::sendEvent(view.viewport(), &up);
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClick(&view, Qt::Key_PageUp);
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(view.GetDeviceScrollPosition().y, 0);
    EXPECT_TRUE(doc.HasSelection());
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_GT(view.GetDeviceScrollPosition().y, 0);
    EXPECT_FALSE(doc.HasSelection());
}

TEST_F(PaletteTest, TheFrameStaysOnItsSlotsWhenTheViewMovesUnderIt)
{
    AddTiles(100);
    const QImage top = Screen();
    view.ScrollToDevicePosition(CPoint(0, 20));
    const QImage scrolled = Screen();
    Press(Window(), QPoint(50, 40));  // slot (1, 1) of the scrolled window
    Release(Window(), QPoint(50, 40));
    EXPECT_EQ(Block(), std::vector<short>{11});
    CRect frame = Cell(1, 1);
    frame.OffsetRect(0, -20);
    EXPECT_TRUE(ShowsFrames(scrolled, Screen(), {frame}));

    // Moved without a scroll bar action (as a resize does): the block stays
    // and its frame with it.
    view.ScrollToDevicePosition(CPoint(0, 0));
    EXPECT_TRUE(doc.HasSelection());
    EXPECT_TRUE(ShowsFrames(top, Screen(), {Cell(1, 1)}));
    Press(Window(), Slot(6, 0));
    Release(Window(), Slot(6, 0));
    EXPECT_TRUE(ShowsFrames(top, Screen(), {Cell(6, 0)}));
}

TEST_F(PaletteTest, ReinitialisingDropsTheBlockAndItsFrame)
{
    AddTiles(25);
    const QImage blank = Screen();
    Drag(Window(), Slot(0, 0), Slot(1, 0));
    Relayout();
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_TRUE(doc.Selection().m_entries.empty());
    EXPECT_TRUE(ShowsNoFrame(blank, Screen()));
}

TEST_F(PaletteTest, ReinitialisingRightAfterAResizeLeavesNoFrame)
{
    AddTiles(25);
    Drag(Window(), Slot(0, 0), Slot(1, 0));
    view.resize(390, 290);  // the window has not been painted at its new size yet
    view.OnInitialUpdate();
    const QImage after = Screen();
    view.Invalidate(TRUE);
    EXPECT_TRUE(ShowsNoFrame(Screen(), after));
}

// ---- drawing ------------------------------------------------------------------

TEST_F(PaletteTest, PrintsTileAttributesInTheTextColourOverTheTiles)
{
    AddTiles(25);
    doc.PutTileAttributes({{13, 200}});
    doc.SetTextColour({0, 255, 0});
    const QRgb textColour = qRgb(0, 255, 0);
    auto countText = [&](const QImage& screen, const CRect& rc) {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) n += screen.pixel(x, y) == textColour;
        return n;
    };

    const QImage plain = Screen();
    EXPECT_TRUE(ShowsTile(plain, 3 * 37, 37, *doc.Map().m_tileList.GetAt(13)));
    EXPECT_EQ(countText(plain, {0, 0, 370, 106}), 0);

    doc.SetShowPaletteAttr(true);
    view.Invalidate(TRUE);
    const QImage shown = Screen();
    EXPECT_GT(countText(shown, {3 * 37, 37, 3 * 37 + 32, 37 + 16}), 10);  // "200" at the top-left
    // The tile stays visible behind the text.
    for (int y = 37 + 20; y < 37 + 32; ++y)
        for (int x = 3 * 37; x < 3 * 37 + 32; ++x) ASSERT_EQ(shown.pixel(x, y), plain.pixel(x, y));
}

// ---- context menu -----------------------------------------------------------

// A frame that records the commands sent through it instead of running them;
// the update handlers (the document's) answer as in the program.
class RecordingFrame : public CFrameWnd {
public:
    BOOL OnCmdMsg(UINT nID, CCmdUI* pUI) override
    {
        if (pUI) return CFrameWnd::OnCmdMsg(nID, pUI);
        commands.push_back(nID);
        return TRUE;
    }
    std::vector<UINT> commands;
};

class PaletteMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterProgramResources();
        view = new CTileView;
        view->AttachDocument(&doc);
        frame.setCentralWidget(view);
        frame.resize(400, 300);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame, kPatienceMs));
        AfxSetMainWidget(&frame);
    }
    void TearDown() override { AfxSetMainWidget(nullptr); }

    void AddTiles(int count)
    {
        for (int k = 0; k < count; ++k) BackstageMap(doc).m_tileList.AddTail(MakeTile(32, 32, k));
        view->OnInitialUpdate();
        view->UpdateWindow();
    }

    // Opens the menu with a right click, lets inspect() look at it while it
    // is up, and returns true when a menu was shown.
    bool OpenMenu(const std::function<void(QMenu*)>& inspect)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                shown = true;
                inspect(menu);
                if (menu->isVisible()) menu->close();
            }
        });
        const QPoint at(20, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        QApplication::processEvents();
        return shown;
    }

    static std::map<UINT, bool> EnabledStates(QMenu* menu)
    {
        std::map<UINT, bool> states;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) states[a->data().toUInt()] = a->isEnabled();
        return states;
    }

    CZellDoc doc;
    RecordingFrame frame;
    CTileView* view = nullptr;  // owned by the frame
};

struct MenuCase {
    const char* name;
    int tiles;
    bool block;
    bool eraseAll, eraseSelected, arrange, setAttr;
};

void PrintTo(const MenuCase& c, std::ostream* os) { *os << c.name; }

class PaletteMenuStates : public PaletteMenu, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(PaletteMenuStates, EnablesTheTileCommandsByTheTilesAndTheBlock)
{
    const MenuCase& c = GetParam();
    AddTiles(c.tiles);
    if (c.block) Drag(view->viewport(), QPoint(10, 10), QPoint(50, 10));
    ASSERT_EQ(bool(doc.HasSelection()), c.block);

    std::map<UINT, bool> states;
    QStringList texts;
    QStringList spoken;  // the open menu as assistive technology finds it below the pane
    ASSERT_TRUE(OpenMenu([&](QMenu* menu) {
        states = EnabledStates(menu);
        for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(view);
        for (int i = 0; i < pane->childCount(); ++i) {
            QAccessibleInterface* node = pane->child(i);
            if (node->role() != QAccessible::PopupMenu || node->object() != menu) continue;
            EXPECT_EQ(pane->indexOfChild(node), i);
            spoken << node->text(QAccessible::Name);
            for (int k = 0; k < node->childCount(); ++k) spoken << node->child(k)->text(QAccessible::Name);
        }
    }));
    EXPECT_EQ(spoken, (QStringList{"타일팝업메뉴", "타일 전체지우기", "선택 타일지우기", "", "타일  정렬  갯수",
                                   "타일  속성  지정"}));
    const std::map<UINT, bool> expected{{ID_TILE_ERASEALL, c.eraseAll},
                                        {ID_TILE_ERASESEL, c.eraseSelected},
                                        {ID_TILE_ARRANGE, c.arrange},
                                        {ID_TILE_SETATTR, c.setAttr}};
    EXPECT_EQ(states, expected);
    EXPECT_EQ(texts, (QStringList{"타일 전체지우기", "선택 타일지우기", "-", "타일  정렬  갯수", "타일  속성  지정"}));
}

INSTANTIATE_TEST_SUITE_P(States, PaletteMenuStates,
                         ::testing::Values(MenuCase{"EmptyPalette", 0, false, false, false, false, false},
                                           MenuCase{"TilesWithoutBlock", 3, false, true, false, true, false},
                                           MenuCase{"TilesAndBlock", 3, true, true, true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaletteMenu, SendsTheChosenCommandThroughTheFrame)
{
    AddTiles(3);
    ASSERT_TRUE(OpenMenu([](QMenu* menu) {
        for (QAction* a : menu->actions())
            if (a->data().toUInt() == ID_TILE_ARRANGE) menu->setActiveAction(a);
        QTest::keyClick(menu, Qt::Key_Return);
    }));
    EXPECT_EQ(frame.commands, std::vector<UINT>{ID_TILE_ARRANGE});
}

TEST_F(PaletteMenu, ShowsNothingWithoutAFrame)
{
    AfxSetMainWidget(nullptr);
    AddTiles(3);
    EXPECT_FALSE(OpenMenu([](QMenu*) {}));
    EXPECT_TRUE(frame.commands.empty());
}

}  // namespace
