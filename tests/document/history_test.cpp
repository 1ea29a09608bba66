// The history dock and the overview's navigation, driven through the editor.
// History: random edits, then random clicks on the list's rows, each compared
// with the state the same step reached when it was made (what step-by-step
// undo gives back); every jump tells the panes of changed cells once.
// Overview: a click lands the clicked map point at the map pane's centre at
// several zooms and map sizes, fitted to the pane or not.
#include <QAccessible>
#include <QDockWidget>
#include <QScrollBar>
#include <QTest>
#include <random>

#include "editorfixture.h"
#include "historypane.h"
#include "maphint.h"
#include "mapview.h"
#include "resource.h"
#include "smallmapview.h"
#include "undocommands.h"

namespace {

// A pane that only counts the changed-cells news it hears.
class CellNewsCounter : public CScrollView {
public:
    void OnDraw(CDC*) override {}
    void OnUpdate(CScrollView*, LPARAM hint, CObject*) override { cellNews += (hint & HINT_CELLS) ? 1 : 0; }
    int cellNews = 0;
};

class HistoryTest : public EditorTest {
public:
    void SetUp() override
    {
        EditorTest::SetUp();
        frame->resize(1280, 1024);
        LoadBitmap(MakePicture(128, 64, 8, 5));  // eight 32 x 32 tiles
        Send(ID_BITMAP_ALLTILES);
        doc->SetSelection({1, 1, {2}}, nullptr);
        doc->UndoStack().clear();
    }
    struct State {
        std::vector<short> tiles, attrs;
        int tileCount;
        bool operator==(const State&) const = default;
    };
    State Now() const { return {TileCells(), AttrCells(), doc->Tiles().GetCount()}; }
    CHistoryPane* List() const { return frame->m_pHistoryPane; }
    void ClickRow(int row)
    {
        const QModelIndex index = List()->model()->index(row, 0);
        List()->scrollTo(index);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualRect(index).center());
    }
};

TEST_F(HistoryTest, JumpsGiveWhatStepByStepUndoGaveAndTellThePanesOnce)
{
    Send(ID_VIEW_HISTORY);
    ASSERT_TRUE(frame->m_pHistoryDock->isVisible());
    std::mt19937 random(11);
    std::vector<State> states{Now()};
    for (int step = 0; step < 60; ++step) {
        const int col = int(random() % 20), row = int(random() % 15);
        switch (random() % 4) {
        case 0: doc->StampBrush(col, row); break;
        case 1: doc->FillWithBrush(CRect(col, row, col + 5, row + 3)); break;
        case 2: doc->SetCellAttributes(CRect(col, row, col + 2, row + 2), short(1 + random() % 9)); break;
        default: doc->CutTiles({CRect(32 * (col % 4), 0, 32 * (col % 4) + 32, 32)}); break;
        }
        if (doc->UndoStack().index() == int(states.size()) - 1) continue;  // nothing changed, no step
        states.push_back(Now());
    }
    ASSERT_EQ(doc->UndoStack().count() + 1, int(states.size()));
    // A map never saved marks no row.
    for (int i = 0; i < List()->model()->rowCount(); ++i)
        EXPECT_TRUE(List()->model()->index(i, 0).data(Qt::AccessibleDescriptionRole).isNull());
    ASSERT_TRUE(doc->SaveMapFileTo(folder.File("history.Map")));
    const int savedAt = doc->UndoStack().index();

    CellNewsCounter counter;
    counter.AttachDocument(doc);
    for (int jump = 0; jump < 25; ++jump) {
        const int target = jump == 0 ? 0 : int(random() % states.size());
        const bool moves = target != doc->UndoStack().index();
        counter.cellNews = 0;
        ClickRow(target);
        ASSERT_EQ(doc->UndoStack().index(), target) << "jump " << jump;
        ASSERT_TRUE(Now() == states[std::size_t(target)]) << "jump " << jump;
        ASSERT_LE(counter.cellNews, moves ? 1 : 0) << "jump " << jump;
        ASSERT_EQ(List()->currentIndex().row(), target);
        ASSERT_TRUE(List()->selectionModel()->isSelected(List()->currentIndex()));
    }
    counter.AttachDocument(nullptr);

    // The rows: the first state, then each step by its name; the saved one marked.
    const QAbstractItemModel* rows = List()->model();
    ASSERT_EQ(rows->rowCount(), int(states.size()));
    EXPECT_EQ(rows->index(0, 0).data().toString(), "<처음 상태>");
    for (int i = 0; i < doc->UndoStack().count(); ++i)
        EXPECT_EQ(rows->index(i + 1, 0).data().toString(), doc->UndoStack().text(i));
    for (int i = 0; i < rows->rowCount(); ++i)
        EXPECT_EQ(rows->index(i, 0).data(Qt::AccessibleDescriptionRole).toString() == "저장된 상태", i == savedAt);

    // The same rows as assistive technology reads them.
    QStringList spoken, described;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(List());
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->childCount(); ++i) {
        spoken << list->child(i)->text(QAccessible::Name);
        described << list->child(i)->text(QAccessible::Description);
    }
    EXPECT_TRUE(spoken.contains("<처음 상태>"));
    EXPECT_TRUE(spoken.contains(doc->UndoStack().text(0)));
    EXPECT_TRUE(described.contains("저장된 상태"));

    // Not while a stroke is open: the list goes back to where the history is.
    const int before = doc->UndoStack().index();
    doc->BeginStroke();
    ClickRow(before == 0 ? 1 : 0);
    EXPECT_EQ(doc->UndoStack().index(), before);
    doc->EndStroke();
    QApplication::processEvents();
    EXPECT_EQ(List()->currentIndex().row(), before);
}

// A map size, the map pane's zoom, and the overview fitted to its pane or not.
struct OverviewCase {
    int columns, rows, zoomLog2;
    bool fit;
};

class OverviewTest : public EditorTest, public ::testing::WithParamInterface<OverviewCase> {};

TEST_P(OverviewTest, AClickCentresTheMapPaneOnTheClickedPoint)
{
    const OverviewCase c = GetParam();
    frame->resize(1280, 1024);
    watchdog.Then(AnswerNewMap(c.columns, c.rows));
    Send(ID_FILE_NEW);
    QApplication::processEvents();
    if (c.fit) Send(ID_VIEW_OVERVIEW_FIT);
    QApplication::processEvents();  // the overview's scroll bars go
    EXPECT_EQ(frame->m_pSmallMapView->FitsPane(), c.fit);
    CMapView* map = Map();
    map->SetZoom(MapZoom{c.zoomLog2});
    CSmallMapView* overview = frame->m_pSmallMapView;
    const CRect pane = overview->GetClientRect();
    if (c.fit) {
        // The whole map inside the pane, touching it on one side at least.
        const PictureSize picture = overview->Picture();
        EXPECT_TRUE(picture.width <= pane.Width() && picture.height <= pane.Height())
            << picture.width << "x" << picture.height << " in " << pane.Width() << "x" << pane.Height();
        EXPECT_TRUE(picture.width == pane.Width() || picture.height == pane.Height());
    }
    std::mt19937 random(unsigned(c.columns * 7 + c.zoomLog2));
    for (int click = 0; click < 12; ++click) {
        const QPoint at(int(random() % unsigned(pane.Width())), int(random() % unsigned(pane.Height())));
        QTest::mousePress(overview->viewport(), Qt::LeftButton, {}, at);
        // While the button is down the frame shows what the map pane shows: around the point.
        const std::optional<CRect> frameRect = overview->FrameRect();
        ASSERT_TRUE(frameRect);
        QTest::mouseRelease(overview->viewport(), Qt::LeftButton, {}, at);
        const std::optional<CPoint> aimed = overview->MapPointAt(CPoint(at.x(), at.y()));
        ASSERT_TRUE(aimed);
        const MapViewport viewport = map->Viewport();
        const CRect client = map->GetClientRect();
        const CPoint centre(client.Width() / 2, client.Height() / 2);
        const std::optional<CPoint> cell = viewport.CellAt(centre);
        const QScrollBar* bars[2] = {map->horizontalScrollBar(), map->verticalScrollBar()};
        const int aimedCell[2] = {aimed->x / viewport.tileWidth, aimed->y / viewport.tileHeight};
        for (int axis = 0; axis < 2; ++axis) {
            const bool heldAtEnd =
                bars[axis]->value() == bars[axis]->minimum() || bars[axis]->value() == bars[axis]->maximum();
            if (heldAtEnd) continue;
            ASSERT_TRUE(cell) << "click " << click;
            EXPECT_EQ(axis == 0 ? cell->x : cell->y, aimedCell[axis]) << "click " << click << " axis " << axis;
            const int along = axis == 0 ? at.x() : at.y();
            EXPECT_GE(along, axis == 0 ? frameRect->left : frameRect->top) << "click " << click;
            EXPECT_LE(along, axis == 0 ? frameRect->right : frameRect->bottom) << "click " << click;
        }
    }
    // Off by default on the next run as on this one unless it was switched on.
    if (c.fit) Send(ID_VIEW_OVERVIEW_FIT);
}

INSTANTIATE_TEST_SUITE_P(Overview, OverviewTest,
                         ::testing::Values(OverviewCase{20, 15, 0, false}, OverviewCase{300, 200, 0, false},
                                           OverviewCase{300, 200, -2, false}, OverviewCase{300, 200, 2, true},
                                           OverviewCase{1000, 700, -1, true}, OverviewCase{4096, 4096, -3, true},
                                           OverviewCase{4096, 4096, 1, false}));

}  // namespace
