// The map pane's tools driven by the mouse at random places, zooms and
// scroll positions, against a plain model of the map's cells: eraser
// strokes with fast pointer jumps, a selection dragged and moved, the
// picker, and fill.
#include <random>

#include "maptesting.h"
#include "maptools.h"
#include "undocommands.h"

using namespace maptest;

namespace {

class ToolsTest : public MapViewTest {
protected:
    using Cells = std::vector<std::vector<short>>;  // [row][col]
    Cells Tiles() const
    {
        Cells cells(std::size_t(doc.MapHeight()), std::vector<short>(std::size_t(doc.MapWidth())));
        for (int r = 0; r < doc.MapHeight(); ++r)
            for (int c = 0; c < doc.MapWidth(); ++c) cells[std::size_t(r)][std::size_t(c)] = Tile(c, r);
        return cells;
    }
    // The middle of a cell as the window shows it now.
    QPoint Centre(int col, int row) const
    {
        const CRect rc = view.Viewport().ClientRectOfCell(CPoint(col, row));
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    // A cell that is well inside the window.
    CPoint ShownCell(std::mt19937& random) const
    {
        for (;;) {
            const CPoint at(20 + int(random() % 560), 20 + int(random() % 400));
            if (auto cell = view.Viewport().CellAt(at)) return *cell;
        }
    }
};

TEST_F(ToolsTest, GesturesAtRandomZoomsMatchAPlainModel)
{
    Open(60, 45, 16, 8);
    std::mt19937 random(5);
    for (int r = 0; r < doc.MapHeight(); ++r)
        for (int c = 0; c < doc.MapWidth(); ++c) SetTile(c, r, short(random() % 3));
    doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
    for (int round = 0; round < 24; ++round) {
        view.SetZoom(MapZoom{int(random() % 3) - 1});
        view.ScrollToDevicePosition(CPoint(int(random() % 300), int(random() % 300)));
        Cells want = Tiles();
        const CPoint a = ShownCell(random), b = ShownCell(random);
        const int steps = doc.UndoStack().count();
        switch (round % 3) {
        case 0: {
            // One jump from a to b: every cell between is erased, in one step.
            view.SetTool(MapTool::Eraser);
            Drag(Centre(a.x, a.y), {Centre(b.x, b.y)});
            const Cells got = Tiles();
            const int n = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
            for (int i = 0; i <= n; ++i) {
                // The cell nearest the line at each step of the longer side.
                const double t = n == 0 ? 0 : double(i) / n;
                const int c = int(std::lround(a.x + t * (b.x - a.x))), r = int(std::lround(a.y + t * (b.y - a.y)));
                EXPECT_EQ(got[std::size_t(r)][std::size_t(c)], -1) << "gap at " << c << "," << r;
            }
            for (int r = 0; r < doc.MapHeight(); ++r)
                for (int c = 0; c < doc.MapWidth(); ++c) {
                    const bool inBox = c >= std::min(a.x, b.x) && c <= std::max(a.x, b.x) && r >= std::min(a.y, b.y) &&
                                       r <= std::max(a.y, b.y);
                    if (!inBox) {
                        ASSERT_EQ(got[std::size_t(r)][std::size_t(c)], want[std::size_t(r)][std::size_t(c)]);
                    }
                }
            EXPECT_LE(doc.UndoStack().count(), steps + 1);
            EXPECT_FALSE(doc.InStroke());
            // However many pointer events, the step keeps each chunk once, before and after.
            if (doc.UndoStack().count() > steps) {
                const auto* step = dynamic_cast<const CCellsCommand*>(doc.UndoStack().command(steps));
                ASSERT_NE(step, nullptr);
                EXPECT_EQ(step->Changes().size(), 1u);
            }
            break;
        }
        case 1: {
            // Select a to b, then drag the selection by (dx, dy).
            view.SetTool(MapTool::Select);
            Drag(Centre(a.x, a.y), {Centre(b.x, b.y)});
            const CRect sel(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
            if (a == b) {
                EXPECT_TRUE(doc.MapSelection().IsRectEmpty());
                break;
            }
            ASSERT_EQ(doc.MapSelection(), sel);
            const CPoint to = ShownCell(random);
            const int dx = to.x - a.x, dy = to.y - a.y;
            Drag(Centre(a.x, a.y), {Centre(to.x, to.y)});
            Cells moved = want;
            for (int r = sel.top; r < sel.bottom; ++r)
                for (int c = sel.left; c < sel.right; ++c) moved[std::size_t(r)][std::size_t(c)] = -1;
            for (int r = sel.top; r < sel.bottom; ++r)
                for (int c = sel.left; c < sel.right; ++c)
                    if (r + dy >= 0 && r + dy < doc.MapHeight() && c + dx >= 0 && c + dx < doc.MapWidth())
                        moved[std::size_t(r + dy)][std::size_t(c + dx)] = want[std::size_t(r)][std::size_t(c)];
            EXPECT_EQ(Tiles(), (dx == 0 && dy == 0) ? want : moved) << "round " << round;
            doc.SetMapSelection({});
            break;
        }
        default: {
            // Pick a to b, back to the stamp, then fill at another cell.
            view.SetTool(MapTool::Picker);
            Drag(Centre(a.x, a.y), {Centre(b.x, b.y)});
            QApplication::processEvents();
            EXPECT_EQ(view.Tool(), MapTool::Stamp);
            ASSERT_TRUE(doc.HasBrush());
            const CCellBlock& brush = doc.Brush();
            ASSERT_EQ(brush.m_nCols, std::abs(b.x - a.x) + 1);
            ASSERT_EQ(brush.m_nRows, std::abs(b.y - a.y) + 1);
            for (int r = 0; r < brush.m_nRows; ++r)
                for (int c = 0; c < brush.m_nCols; ++c)
                    EXPECT_EQ(brush.Tile(r, c),
                              want[std::size_t(std::min(a.y, b.y) + r)][std::size_t(std::min(a.x, b.x) + c)]);
            EXPECT_EQ(Tiles(), want);
            view.SetTool(MapTool::Fill);
            const CPoint at = ShownCell(random);
            Click(Centre(at.x, at.y));
            EXPECT_EQ(Tile(at.x, at.y),
                      brush.Tile(0, 0) == -1 ? want[std::size_t(at.y)][std::size_t(at.x)] : brush.Tile(0, 0));
            break;
        }
        }
    }
}

// The tool commands' check state, as the menus and toolbars ask for it.
struct CheckProbe : CCmdUI {
    void Enable(BOOL on) override { enabled = on != FALSE; }
    void SetCheck(int check) override { checked = check != 0; }
    bool enabled = false;
    bool checked = false;
};

TEST_F(ToolsTest, APastedOrPickedBrushTakesTheStampWhateverToolIsInUse)
{
    Open(20, 15);
    SetTile(1, 1, 2);
    for (MapTool tool : {MapTool::Eraser, MapTool::Fill, MapTool::Select, MapTool::Picker}) {
        for (bool paste : {true, false}) {
            view.SetTool(tool);
            if (paste) {
                doc.SetMapSelection(CRect(1, 1, 3, 2));
                doc.OnEditCopy();
                doc.OnEditPaste();
            } else {
                PickCells(doc, CRect(1, 1, 2, 2));
            }
            EXPECT_EQ(view.Tool(), MapTool::Stamp);
            for (MapTool each : {MapTool::Stamp, MapTool::Eraser, MapTool::Fill, MapTool::Select, MapTool::Picker}) {
                CheckProbe probe;
                ASSERT_TRUE(view.Tools().OnCmdMsg(CToolManager::CommandOf(each), &probe));
                EXPECT_TRUE(probe.enabled);
                EXPECT_EQ(probe.checked, each == MapTool::Stamp);
            }
        }
    }
}

}  // namespace
