// The pencil through the map pane at random zooms against a plain model
// (the cells on the lines between pointer samples, blocks laid on a grid
// from the stroke's first cell), its Shift+click line and one undo step;
// random paint's frequencies and its exact undo and redo.
#include <cmath>
#include <functional>
#include <random>
#include <set>

#include "cellline.h"
#include "maptesting.h"
#include "penciltool.h"

using namespace maptest;

namespace {

using Cells = std::vector<short>;  // row-major tiles

class PencilTest : public MapViewTest {
protected:
    Cells Tiles() const
    {
        Cells cells;
        for (int r = 0; r < doc.MapHeight(); ++r)
            for (int c = 0; c < doc.MapWidth(); ++c) cells.push_back(Tile(c, r));
        return cells;
    }
    QPoint Centre(CPoint cell) const
    {
        const CRect rc = view.Viewport().ClientRectOfCell(cell);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    CPoint ShownCell(std::mt19937& random) const
    {
        for (;;)
            if (auto cell = view.Viewport().CellAt(CPoint(20 + int(random() % 560), 20 + int(random() % 400))))
                return *cell;
    }
    // The model of a stroke through samples with the brush laid from anchor.
    void PaintModel(Cells& cells, const std::vector<CPoint>& samples, CPoint anchor) const
    {
        const CCellBlock& b = doc.Brush();
        std::set<std::pair<int, int>> placed;
        for (std::size_t i = 0; i < samples.size(); ++i)
            for (CPoint p : LineCells(i ? samples[i - 1] : anchor, samples[i])) {
                const int gx = int(std::floor(double(p.x - anchor.x) / b.m_nCols));
                const int gy = int(std::floor(double(p.y - anchor.y) / b.m_nRows));
                if (!placed.insert({gx, gy}).second) continue;
                for (int r = 0; r < b.m_nRows; ++r)
                    for (int c = 0; c < b.m_nCols; ++c) {
                        const int x = anchor.x + gx * b.m_nCols + c, y = anchor.y + gy * b.m_nRows + r;
                        if (x < doc.MapWidth() && y < doc.MapHeight() && x >= 0 && y >= 0)
                            cells[std::size_t(y * doc.MapWidth() + x)] = b.Tile(r, c);
                    }
            }
    }
};

TEST_F(PencilTest, StrokesWithJumpsAtRandomZoomsMatchAModel)
{
    Open(60, 45, 16, 8);
    std::mt19937 random(11);
    view.SetTool(MapTool::Pencil);
    for (int round = 0; round < 18; ++round) {
        const int cols = 1 + round % 3, rows = 1 + round % 2;
        std::vector<short> tiles;
        for (int i = 0; i < cols * rows; ++i) tiles.push_back(short(random() % 8));
        Select(cols, rows, tiles);
        view.SetZoom(MapZoom{int(random() % 3) - 1});
        view.ScrollToDevicePosition(CPoint(int(random() % 300), int(random() % 300)));
        std::vector<CPoint> samples;
        for (int n = 1 + int(random() % 4); n > 0; --n) samples.push_back(ShownCell(random));
        const Cells before = Tiles();
        Cells want = before;
        PaintModel(want, samples, samples.front());
        const int steps = doc.UndoStack().index();
        Press(Centre(samples.front()));
        for (CPoint p : samples) DragTo(Centre(p));
        Release(Centre(samples.back()));
        ASSERT_EQ(Tiles(), want) << "round " << round;
        EXPECT_FALSE(doc.InStroke());
        if (want == before) continue;
        ASSERT_EQ(doc.UndoStack().index(), steps + 1);
        EXPECT_EQ(doc.UndoStack().undoText(), QStringLiteral("연필"));

        // Shift previews the line from the last cell painted; Shift+click paints it.
        const CPoint to = ShownCell(random);
        QMouseEvent shiftMove(QEvent::MouseMove, Centre(to), Window()->mapToGlobal(QPointF(Centre(to))), Qt::NoButton,
                              Qt::NoButton, Qt::ShiftModifier);
        QApplication::sendEvent(Window(), &shiftMove);
        EXPECT_EQ(view.Tools().Current().LinePreview(), std::pair(samples.back(), to));
        Cells line = want;
        PaintModel(line, {to}, samples.back());
        QTest::mouseClick(Window(), Qt::LeftButton, Qt::ShiftModifier, Centre(to));
        ASSERT_EQ(Tiles(), line) << "round " << round;
        if (line != want) {
            doc.UndoStack().undo();
            EXPECT_EQ(Tiles(), want);
        }
        doc.UndoStack().undo();
        EXPECT_EQ(Tiles(), before);
        doc.UndoStack().redo();
        EXPECT_EQ(Tiles(), want);
    }
}

// Each painter in random mode over cells holding 7, with a brush of tile 1
// three times, tile 2 once and a hole: the counts follow 3 : 1 : 1 and not
// the brush's order; undo and redo give back exactly what was painted.
TEST_F(PencilTest, RandomPaintFollowsTheBrushsFrequenciesAndUndoesExactly)
{
    Open(100, 60, 8, 8);
    const CCellBlock brush{5, 1, {1, 1, 1, 2, -1}, {}, BlockSource::Map};
    MapToolHost host{&doc, [](MapTool) {}, [] {}};
    CPencilTool pencil(host);
    const auto at = [](int x, int y, Qt::MouseButton b = Qt::NoButton) { return ToolEvent{{x, y}, true, b, {}, 1}; };
    const auto paintWithPencil = [&] {
        pencil.Press(at(0, 0, Qt::LeftButton));
        for (int r = 0; r < doc.MapHeight(); ++r) {
            pencil.Move(at(0, r));
            pencil.Move(at(doc.MapWidth() - 1, r));
        }
        pencil.Release(at(doc.MapWidth() - 1, doc.MapHeight() - 1, Qt::LeftButton));
    };
    const std::vector<std::function<void()>> painters = {
        [&] { doc.FillWithBrush(CRect(0, 0, doc.MapWidth(), doc.MapHeight())); },
        [&] { doc.FloodFill(3, 3, false); },
        [&] { doc.FloodFill(3, 3, true); },
        paintWithPencil,
    };
    for (std::size_t i = 0; i < painters.size(); ++i) {
        for (int r = 0; r < doc.MapHeight(); ++r)
            for (int c = 0; c < doc.MapWidth(); ++c) SetTile(c, r, 7);
        doc.SetBrush(brush, nullptr);
        doc.PaintBrush().SetRandomMode(true);
        doc.PaintBrush().Reseed(100 + i);
        const Cells before = Tiles();
        painters[i]();
        const Cells after = Tiles();
        std::map<short, double> counts;
        int outOfOrder = 0;
        for (std::size_t k = 0; k < after.size(); ++k) {
            ++counts[after[k]];
            const short ordered = brush.m_tiles[k % 5];
            outOfOrder += after[k] != (ordered == -1 ? 7 : ordered);
        }
        const double n = double(after.size());
        double chi2 = 0;
        for (auto [tile, share] : std::map<short, double>{{1, 0.6}, {2, 0.2}, {7, 0.2}})
            chi2 += std::pow(counts[tile] - n * share, 2) / (n * share);
        EXPECT_LT(chi2, 13.8) << "painter " << i;  // 2 degrees of freedom, p = 0.001
        EXPECT_GT(outOfOrder, int(n / 3)) << "painter " << i;
        doc.UndoStack().undo();
        EXPECT_EQ(Tiles(), before) << "painter " << i;
        doc.UndoStack().redo();
        EXPECT_EQ(Tiles(), after) << "painter " << i;
    }
}

}  // namespace
