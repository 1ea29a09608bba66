// The shape tool in the map pane: drags with Shift and Ctrl held or pressed during them,
// previewed (tinted cells) and painted as the rasteriser says, the brush tiled from the
// box's corner, in one undo step; Esc and the right button paint nothing; U cycles kinds.
#include <QUndoStack>

#include "cellshapes.h"
#include "maptesting.h"
#include "resource.h"

using namespace maptest;

namespace {

class ShapeToolTest : public MapViewTest {
protected:
    // The map as rows of its tiles ('.' empty, 'a' + tile), or the cells tinted on screen as '#'.
    std::string Cells(bool tinted)
    {
        const QImage screen = Screen(), image = MapImage();
        std::string rows;
        for (int r = 0; r < doc.MapHeight(); ++r, rows += '\n')
            for (int c = 0; c < doc.MapWidth(); ++c)
                rows += tinted ? (screen.pixel(At(c, r)) != image.pixel(At(c, r)) ? '#' : '.')
                               : (Tile(c, r) < 0 ? '.' : char('a' + Tile(c, r)));
        return rows;
    }
    // The rows with the spans' cells set to even and odd, by column from left.
    std::string Model(std::string rows, const std::vector<CellSpan>& spans, char even, char odd, int left)
    {
        for (const CellSpan& s : spans)
            for (int x = s.left; x < s.right; ++x)
                rows[std::size_t(s.row * (doc.MapWidth() + 1) + x)] = (x - left) % 2 ? odd : even;
        return rows;
    }
};

TEST_F(ShapeToolTest, DragsPreviewAndPaintTheRasterisersCellsInOneStepUnlessCancelled)
{
    Open(40, 30, 16);
    Select(2, 1, {3, 4});
    view.SetTool(MapTool::Shape);
    const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    enum End { Release, Esc, RightButton };
    const struct {
        UINT kind;
        CPoint press, to;
        Qt::KeyboardModifiers held, then;  // from the press; after keys pressed and let go at the end
        End end;
    } cases[] = {
        {ID_SHAPE_FILLED_ELLIPSE, {4, 3}, {20, 12}, none, none, Release},
        {ID_SHAPE_ELLIPSE, {30, 20}, {21, 26}, shift, shift, Release},
        {ID_SHAPE_RECT, {20, 15}, {26, 18}, none, ctrl, Release},
        {ID_SHAPE_FILLED_RECT, {10, 10}, {14, 19}, ctrl, none, Release},
        {ID_SHAPE_ELLIPSE, {20, 14}, {27, 17}, none, shift | ctrl, Release},
        {ID_SHAPE_FILLED_ELLIPSE, {3, 3}, {12, 9}, shift, none, Esc},
        {ID_SHAPE_RECT, {3, 3}, {12, 9}, none, ctrl, RightButton},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " from " << c.press.x << "," << c.press.y);
        ASSERT_TRUE(view.Tools().OnCmdMsg(c.kind, nullptr));
        const auto kind = CellShape(c.kind - ID_SHAPE_RECT);
        const std::string before = Cells(false);
        const int steps = doc.UndoStack().count();
        const QPoint to = At(c.to.x, c.to.y);
        QTest::mousePress(Window(), Qt::LeftButton, c.held, At(c.press.x, c.press.y));
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(Window()->mapToGlobal(to)), Qt::NoButton,
                         Qt::LeftButton, c.held);
        QApplication::sendEvent(Window(), &move);
        const auto spansFor = [&](Qt::KeyboardModifiers m) {
            return ShapeSpans(kind, ShapeBox(c.press, c.to, m & shift, m & ctrl), CRect(0, 0, 40, 30));
        };
        std::string blank = before;
        for (char& ch : blank) ch = ch == '\n' ? ch : '.';
        EXPECT_EQ(Cells(true), Model(blank, spansFor(c.held), '#', '#', 0));
        // The modifiers pressed and let go while the pointer stays.
        Qt::KeyboardModifiers now = c.held;
        for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_Control}) {
            const Qt::KeyboardModifier flag = key == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier;
            if ((now & flag) == (c.then & flag)) continue;
            (c.then & flag) ? QTest::keyPress(&view, key, now) : QTest::keyRelease(&view, key, now);
            now ^= flag;
        }
        const CRect box = ShapeBox(c.press, c.to, c.then & shift, c.then & ctrl);
        EXPECT_EQ(Cells(true), Model(blank, spansFor(c.then), '#', '#', 0));
        EXPECT_TRUE(view.WhereText().contains(QStringLiteral("도형 %1 x %2").arg(box.Width()).arg(box.Height())));
        if (c.end == Esc) QTest::keyClick(&view, Qt::Key_Escape);
        if (c.end == RightButton) QTest::mouseClick(Window(), Qt::RightButton, {}, to);
        QTest::mouseRelease(Window(), Qt::LeftButton, c.then, to);
        EXPECT_EQ(Cells(false), c.end == Release ? Model(before, spansFor(c.then), 'd', 'e', box.left) : before);
        EXPECT_EQ(doc.UndoStack().count(), steps + (c.end == Release));
        EXPECT_EQ(doc.UndoStack().text(steps), c.end == Release ? QStringLiteral("도형") : QString());
        EXPECT_EQ(Cells(true).find('#'), std::string::npos);
        EXPECT_FALSE(view.WhereText().contains(QStringLiteral("도형")));
    }
    // The tool's command while it is in use picks the next kind, round to the first.
    struct : CCmdUI {
        void Enable(BOOL) override {}
        void SetCheck(int check) override { checked = check != 0; }
        bool checked = false;
    } probe;
    for (const UINT next : {ID_SHAPE_FILLED_RECT, ID_SHAPE_ELLIPSE, ID_SHAPE_FILLED_ELLIPSE, ID_SHAPE_RECT}) {
        view.Tools().OnCmdMsg(ID_TOOL_SHAPE, nullptr);
        EXPECT_TRUE(view.Tools().OnCmdMsg(next, &probe) && probe.checked);
    }
}

}  // namespace
