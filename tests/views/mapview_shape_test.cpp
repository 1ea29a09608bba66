// The shape tool in the real map pane: drags with Shift and Ctrl pressed
// before or during them, each previewed (the highlighted cells on screen)
// and painted as the rasteriser says with the brush tiled from the shape's
// corner, in one undo step; Esc and the right button end a drag with
// nothing painted; U cycles the kinds.
#include <QUndoStack>

#include "cellshapes.h"
#include "maptesting.h"
#include "resource.h"
#include "shapetool.h"

using namespace maptest;

namespace {

class ShapeToolTest : public MapViewTest {
protected:
    // A pointer move with the left button held and the modifiers given.
    void MoveWith(QPoint p, Qt::KeyboardModifiers modifiers)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(Window()->mapToGlobal(p)), Qt::NoButton, Qt::LeftButton,
                         modifiers);
        QApplication::sendEvent(Window(), &move);
    }
    // The cells whose middle pixel on screen is not the map's own: the highlighted ones.
    std::set<std::pair<int, int>> HighlightedCells()
    {
        const QImage screen = Screen(), image = MapImage();
        std::set<std::pair<int, int>> cells;
        for (int r = 0; r < doc.MapHeight(); ++r)
            for (int c = 0; c < doc.MapWidth(); ++c)
                if (screen.pixel(At(c, r)) != image.pixel(At(c, r))) cells.insert({c, r});
        return cells;
    }
    static std::set<std::pair<int, int>> CellsOf(const std::vector<CellSpan>& spans)
    {
        std::set<std::pair<int, int>> cells;
        for (const CellSpan& s : spans)
            for (int x = s.left; x < s.right; ++x) cells.insert({x, s.row});
        return cells;
    }
};

TEST_F(ShapeToolTest, DragsWithModifiersPreviewAndPaintTheRasterisersCellsInOneStep)
{
    Open(40, 30, 16);
    Select(2, 1, {3, 4});
    view.SetTool(MapTool::Shape);
    const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    struct Case {
        UINT kind;
        CPoint press, to;
        Qt::KeyboardModifiers before, during;  // held from the press; held from the last move on
    };
    const Case cases[] = {
        {ID_SHAPE_FILLED_ELLIPSE, {4, 3}, {20, 12}, none, none},
        {ID_SHAPE_ELLIPSE, {30, 20}, {21, 26}, shift, shift},
        {ID_SHAPE_RECT, {20, 15}, {26, 18}, none, ctrl},
        {ID_SHAPE_FILLED_RECT, {10, 10}, {14, 19}, ctrl, none},
        {ID_SHAPE_ELLIPSE, {20, 14}, {27, 17}, none, shift | ctrl},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " from " << c.press.x << "," << c.press.y);
        ASSERT_TRUE(view.Tools().OnCmdMsg(c.kind, nullptr));
        const auto kind = CellShape(c.kind - ID_SHAPE_RECT);
        for (int r = 0; r < doc.MapHeight(); ++r)
            for (int col = 0; col < doc.MapWidth(); ++col) SetTile(col, r, -1);
        doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
        const int steps = doc.UndoStack().count();

        QTest::mousePress(Window(), Qt::LeftButton, c.before, At(c.press.x, c.press.y));
        MoveWith(At(c.to.x, c.to.y), c.before);
        const CRect before = ShapeBox(c.press, c.to, c.before & shift, c.before & ctrl);
        EXPECT_EQ(HighlightedCells(), CellsOf(ShapeSpans(kind, before, CRect(0, 0, 40, 30))));
        // The modifiers pressed and let go while the pointer stays.
        for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_Control}) {
            const Qt::KeyboardModifier flag = key == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier;
            if ((c.before & flag) && !(c.during & flag)) QTest::keyRelease(&view, key, c.before);
            if (!(c.before & flag) && (c.during & flag)) QTest::keyPress(&view, key, c.before);
        }
        const CRect box = ShapeBox(c.press, c.to, c.during & shift, c.during & ctrl);
        const std::vector<CellSpan> spans = ShapeSpans(kind, box, CRect(0, 0, 40, 30));
        EXPECT_EQ(HighlightedCells(), CellsOf(spans));
        EXPECT_TRUE(view.WhereText().contains(QStringLiteral("도형 %1 x %2").arg(box.Width()).arg(box.Height())));

        QTest::mouseRelease(Window(), Qt::LeftButton, c.during, At(c.to.x, c.to.y));
        EXPECT_EQ(doc.UndoStack().count(), steps + 1);
        EXPECT_EQ(doc.UndoStack().text(steps), QStringLiteral("도형"));
        const std::set<std::pair<int, int>> painted = CellsOf(spans);
        for (int r = 0; r < doc.MapHeight(); ++r)
            for (int col = 0; col < doc.MapWidth(); ++col) {
                // The brush tiled from the box's top-left corner.
                const short want = painted.count({col, r}) ? short((col - box.left) % 2 == 0 ? 3 : 4) : short(-1);
                ASSERT_EQ(Tile(col, r), want) << col << "," << r;
            }
        EXPECT_FALSE(view.WhereText().contains(QStringLiteral("도형")));
        EXPECT_TRUE(HighlightedCells().empty());
    }
}

TEST_F(ShapeToolTest, EscOrTheRightButtonEndsADragWithNothingPaintedAndUCyclesTheKinds)
{
    Open(40, 30, 16);
    Select(1, 1, {2});
    view.SetTool(MapTool::Shape);
    const auto before = PaintedCells();
    for (const bool esc : {true, false}) {
        Press(At(3, 3));
        MoveWith(At(12, 9), {});
        ASSERT_FALSE(HighlightedCells().empty());
        if (esc) {
            QTest::keyClick(&view, Qt::Key_Escape);
        } else {
            QTest::mousePress(Window(), Qt::RightButton, {}, At(12, 9));
            QTest::mouseRelease(Window(), Qt::RightButton, {}, At(12, 9));
        }
        Release(At(12, 9));
        EXPECT_TRUE(HighlightedCells().empty());
        EXPECT_EQ(PaintedCells(), before);
        EXPECT_EQ(doc.UndoStack().count(), 0);
    }
    // The tool's command again picks the next kind, round to the first.
    const auto checked = [this] {
        UINT on = 0;
        for (const CellShape kind : kShapeKinds) {
            struct Probe : CCmdUI {
                void Enable(BOOL) override {}
                void SetCheck(int check) override { checked = check != 0; }
                bool checked = false;
            } probe;
            view.Tools().OnCmdMsg(ShapeKindCommand(kind), &probe);
            if (probe.checked) on = on ? UINT(-1) : ShapeKindCommand(kind);
        }
        return on;
    };
    ASSERT_TRUE(view.Tools().OnCmdMsg(ID_SHAPE_RECT, nullptr));
    for (const UINT next : {ID_SHAPE_FILLED_RECT, ID_SHAPE_ELLIPSE, ID_SHAPE_FILLED_ELLIPSE, ID_SHAPE_RECT}) {
        view.Tools().OnCmdMsg(ID_TOOL_SHAPE, nullptr);
        EXPECT_EQ(checked(), next);
    }
    // From another tool, the command takes the shape tool with its kind.
    view.SetTool(MapTool::Fill);
    view.Tools().OnCmdMsg(ID_TOOL_SHAPE, nullptr);
    EXPECT_EQ(view.Tool(), MapTool::Shape);
    EXPECT_EQ(checked(), ID_SHAPE_RECT);
}

}  // namespace
