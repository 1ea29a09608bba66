// The attribute layer in the map pane: every tool's gesture against a plain
// grid of attributes (tiles untouched, one undo step, counts kept), and the
// colour display's pixels against a blend computed here.
#include <QApplication>
#include <QClipboard>
#include <cmath>
#include <functional>
#include <random>

#include "maptesting.h"

using namespace maptest;

namespace {

using Grid = std::vector<std::vector<short>>;  // [row][col]

class AttrLayerTest : public MapViewTest {
protected:
    void SetUpMap()
    {
        Open(16, 12, 16, 8);
        std::mt19937 random(3);
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 16; ++c) SetTile(c, r, short(random() % 8));
        // Attributes through the document, so that its counts follow.
        doc.SetCellAttributes(CRect(0, 0, 16, 12), 1);
        doc.SetCellAttributes(CRect(2, 1, 9, 6), 2);
        doc.SetCellAttributes(CRect(5, 3, 7, 11), 0);
        doc.SetCellAttributes(CRect(11, 2, 14, 10), 2);
        doc.UndoStack().clear();
        doc.SetActiveLayer(CellLayer::Attributes);
        doc.SetCurrentAttrValue(7);
    }
    Grid Layer(CellLayer layer) const
    {
        Grid grid(12, std::vector<short>(16));
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 16; ++c) grid[std::size_t(r)][std::size_t(c)] = *doc.Cells().Get(layer, c, r);
        return grid;
    }
    void SelectCells(CPoint a, CPoint b)
    {
        view.SetTool(MapTool::Select);
        Drag(At(a.x, a.y), {At(b.x, b.y)});
    }
};

void SetRect(Grid& g, int left, int top, int right, int bottom, short v)
{
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c) g[std::size_t(r)][std::size_t(c)] = v;
}

// The 4-connected area of like cells from (col, row) (or every like cell) becomes v.
void Fill(Grid& g, int col, int row, bool everywhere, short v)
{
    const short like = g[std::size_t(row)][std::size_t(col)];
    if (everywhere) {
        for (auto& line : g)
            for (short& cell : line)
                if (cell == like) cell = v;
        return;
    }
    std::vector<CPoint> todo{{col, row}};
    while (!todo.empty()) {
        const CPoint p = todo.back();
        todo.pop_back();
        if (p.x < 0 || p.y < 0 || p.y >= int(g.size()) || p.x >= int(g[0].size())) continue;
        short& cell = g[std::size_t(p.y)][std::size_t(p.x)];
        if (cell != like) continue;
        cell = v;
        todo.insert(todo.end(), {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}});
    }
}

struct Gesture {
    const char* name;
    std::function<void()> act;
    std::function<void(Grid&)> model;
    short current;  // the current value after the gesture
};

}  // namespace

TEST_F(AttrLayerTest, EachToolWorksOnAttributesAsAPlainGridSays)
{
    SetUpMap();
    const std::vector<Gesture> gestures = {
        {"stamp click",
         [&] {
             view.SetTool(MapTool::Stamp);
             Click(At(3, 4));
         },
         [](Grid& g) { g[4][3] = 7; }, 7},
        {"stamp band",
         [&] {
             view.SetTool(MapTool::Stamp);
             Drag(At(6, 5), {At(4, 3), At(2, 2)});
         },
         [](Grid& g) { SetRect(g, 2, 2, 6, 5, 7); }, 7},
        {"eraser stroke",
         [&] {
             view.SetTool(MapTool::Eraser);
             Drag(At(1, 7), {At(4, 7), At(12, 7)});
         },
         [](Grid& g) { SetRect(g, 1, 7, 12, 7, 0); }, 7},
        {"fill",
         [&] {
             view.SetTool(MapTool::Fill);
             Click(At(3, 2));
         },
         [](Grid& g) { Fill(g, 3, 2, false, 7); }, 7},
        {"fill everywhere",
         [&] {
             view.SetTool(MapTool::Fill);
             QTest::mouseClick(Window(), Qt::LeftButton, Qt::ShiftModifier, At(3, 2));
         },
         [](Grid& g) { Fill(g, 3, 2, true, 7); }, 7},
        {"delete",
         [&] {
             SelectCells({2, 2}, {5, 4});
             doc.OnEditDelete();
         },
         [](Grid& g) { SetRect(g, 2, 2, 5, 4, 0); }, 7},
        {"cut",
         [&] {
             SelectCells({10, 1}, {12, 8});
             doc.OnEditCut();
         },
         [](Grid& g) { SetRect(g, 10, 1, 12, 8, 0); }, 7},
        {"move",
         [&] {
             SelectCells({1, 1}, {4, 3});
             Drag(At(2, 2), {At(9, 7), At(14, 10)});
         },
         [](Grid& g) {
             const Grid before = g;
             SetRect(g, 1, 1, 4, 3, 0);
             for (int r = 1; r <= 3; ++r)
                 for (int c = 1; c <= 4 && c + 12 < 16; ++c)
                     g[std::size_t(r + 8)][std::size_t(c + 12)] = before[std::size_t(r)][std::size_t(c)];
         },
         7},
        {"paste text",
         [&] {
             doc.SetMapSelection(CRect(4, 4, 5, 5));
             QApplication::clipboard()->setText("5\t-32768\n32767\n");
             doc.OnEditPaste();
         },
         [](Grid& g) {
             g[4][4] = 5;
             g[4][5] = -32768;
             g[5][4] = 32767;
             g[5][5] = 0;
         },
         7},
        {"picker",
         [&] {
             view.SetTool(MapTool::Picker);
             Click(At(12, 4));
         },
         [](Grid&) {}, 2},
    };
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        const Grid tiles = Layer(CellLayer::Tiles);
        Grid want = Layer(CellLayer::Attributes);
        const Grid start = want;
        const int steps = doc.UndoStack().index();
        // The fixture makes its map behind the document's back: the counts
        // must move as a recount does.
        const auto countsOff = [this] {
            CAttrValueTable recount;
            recount.Recount(doc.Cells());
            std::vector<std::uint64_t> off;
            for (const short v : {0, 1, 2, 5, 7, -32768, 32767})
                off.push_back(doc.AttrValues().Count(v) - recount.Count(v));
            return off;
        };
        const auto off = countsOff();
        gesture.act();
        gesture.model(want);
        EXPECT_EQ(Layer(CellLayer::Attributes), want);
        EXPECT_EQ(Layer(CellLayer::Tiles), tiles);
        EXPECT_EQ(doc.CurrentAttrValue(), gesture.current);
        EXPECT_EQ(doc.UndoStack().index(), steps + (want == start ? 0 : 1));
        EXPECT_EQ(countsOff(), off);
        if (want != start) doc.UndoStack().undo();
        EXPECT_EQ(Layer(CellLayer::Attributes), start);
        doc.SetMapSelection({});
        doc.SetCurrentAttrValue(7);
    }
    // Text outside the 16-bit range is refused, naming the place.
    doc.SetMapSelection(CRect(0, 0, 1, 1));
    QApplication::clipboard()->setText("1\t40000\n");
    const Grid before = Layer(CellLayer::Attributes);
    doc.OnEditPasteInPlace();
    EXPECT_EQ(Layer(CellLayer::Attributes), before);
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages.back().find("40000"), std::string::npos);
}

// Colour display on: each pixel of a cell with an attribute is 60% of what
// the pane showed without it and 40% of the value's colour, rounded.
TEST_F(AttrLayerTest, TheColourDisplayBlendsEachCellsColourOverItsPixels)
{
    SetUpMap();
    doc.SetAttrValueDetails(2, "벽", AttrColour{200, 10, 60});
    const auto blend = [](int base, int colour) { return int(std::lround((3.0 * base + 2.0 * colour) / 5.0)); };
    for (const int zoom : {0, 1, -1, -2}) {
        SCOPED_TRACE(zoom);
        view.SetZoom(MapZoom{zoom});
        if (doc.ShowAttrColours()) doc.OnShowAttrColours();
        const QImage plain = Screen();
        overview.UpdateWindow();
        const QImage plainOverview = overview.Surface().copy();
        doc.OnShowAttrColours();
        const QImage tinted = Screen();
        overview.UpdateWindow();
        const QImage tintedOverview = overview.Surface().copy();
        const auto check = [&](const QImage& before, const QImage& after, int x, int y, std::optional<CPoint> cell) {
            const short value = cell ? doc.CellAttribute(cell->x, cell->y) : 0;
            const QRgb was = before.pixel(x, y);
            QRgb want = was;
            if (value != 0) {
                const AttrColour c = doc.AttrValues().Colour(value);
                want = qRgb(blend(qRed(was), c.red), blend(qGreen(was), c.green), blend(qBlue(was), c.blue));
            }
            return after.pixel(x, y) == want;
        };
        int wrong = 0;
        for (int y = 0; y < tinted.height(); ++y)
            for (int x = 0; x < tinted.width(); ++x)
                wrong += !check(plain, tinted, x, y, view.Viewport().CellAt(CPoint(x, y)));
        EXPECT_EQ(wrong, 0);
        const auto reduced = ReducedPictureSize(doc.Map());
        ASSERT_TRUE(reduced);
        wrong = 0;
        for (int y = 0; y < std::min<int>(tintedOverview.height(), int(reduced->height)); ++y)
            for (int x = 0; x < std::min<int>(tintedOverview.width(), int(reduced->width)); ++x) {
                const CPoint cell(int(ReducedSourceSpan(x, doc.Map().PixelWidth(), reduced->width).first / Tw()),
                                  int(ReducedSourceSpan(y, doc.Map().PixelHeight(), reduced->height).first / Th()));
                wrong += !check(plainOverview, tintedOverview, x, y, cell);
            }
        EXPECT_EQ(wrong, 0);
    }
}
