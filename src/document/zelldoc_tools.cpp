// The edits of the map's tools: the eraser's strokes, the fill of an area
// of like cells, and the selected rectangle of cells with its move and
// delete. Each edit is one undo step named for the status bar.
#include <algorithm>

#include "cellline.h"
#include "floodfill.h"
#include "maphint.h"
#include "zelldoc.h"
#include "translation.h"

FillPattern CZellDoc::BrushPattern(int col, int row)
{
    if (m_brush.RandomMode()) return FillPattern::Scattered(Brush(), m_brush.NextSeed());
    return FillPattern::OfTiles(Brush(), col, row);
}

bool CZellDoc::PaintSpans(const std::vector<CellSpan>& spans, CPoint anchor, const QString& step)
{
    const short value = m_nCurrentAttr;
    if (!OnAttrLayer() && !HasBrush()) {
        StatusNote(kMsgPickBlockToFill);
        return false;
    }
    const CellLayer layer = m_activeLayer;
    const FillPattern pattern = OnAttrLayer() ? FillPattern::OfValue(value) : BrushPattern(anchor.x, anchor.y);
    CRect painted;
    const bool changed = RecordCellEdit(step, [&](CCellLayers& cells) {
        painted = ::PaintSpans(cells, layer, spans, pattern);
        return painted;
    });
    return changed || !painted.IsRectEmpty();
}

void CZellDoc::EraseLine(CPoint fromCell, CPoint toCell)
{
    const std::vector<CPoint> line = LineCells(fromCell, toCell);
    // On the attribute layer the eraser clears attributes and leaves the tiles.
    const CellLayer layer = m_activeLayer;
    const short cleared = layer == CellLayer::Tiles ? kEmptyTileCell : kNoAttrCell;
    RecordCellEdit(Pellin::tr("지우기"), [&](CCellLayers& cells) {
        CRect erased;
        for (const CPoint& cell : line)
            if (cells.Set(layer, cell.x, cell.y, cleared))
                erased.UnionRect(erased, CRect(cell.x, cell.y, cell.x + 1, cell.y + 1));
        return erased;
    });
}

bool CZellDoc::FloodFill(int col, int row, bool everywhere)
{
    if (OnAttrLayer()) {
        const short value = m_nCurrentAttr;
        const FillPattern pattern = FillPattern::OfValue(value);
        return RecordCellEdit(Pellin::tr("채우기"), [&](CCellLayers& cells) {
            return everywhere ? FillEverywhere(cells, CellLayer::Attributes, col, row, pattern)
                              : FloodFillArea(cells, CellLayer::Attributes, col, row, pattern);
        });
    }
    if (!HasBrush()) {
        StatusNote(kMsgPickBlockToFill);
        return false;
    }
    const FillPattern pattern = BrushPattern(col, row);
    return RecordCellEdit(Pellin::tr("채우기"), [&](CCellLayers& cells) {
        return everywhere ? FillEverywhere(cells, CellLayer::Tiles, col, row, pattern)
                          : FloodFillArea(cells, CellLayer::Tiles, col, row, pattern);
    });
}

void CZellDoc::SetMapSelection(const CRect& cells)
{
    CRect onMap;
    // Only cells that exist can be selected: a map whose cells could not be
    // made keeps its size but has none to cut, copy or move.
    const bool hasCells = Cells().ChunkCount(CellLayer::Tiles) > 0;
    onMap.IntersectRect(cells, hasCells ? CRect(0, 0, MapWidth(), MapHeight()) : CRect());
    if (onMap == m_rcMapSelection) return;
    m_rcMapSelection = onMap;
    UpdateAllViews(nullptr, HINT_MAP_SELECTION);
}

void CZellDoc::MoveCells(const CRect& from, CPoint toTopLeft)
{
    CRect source;
    if (!source.IntersectRect(from, CRect(0, 0, MapWidth(), MapHeight()))) return;
    CRect destination = from;
    destination.OffsetRect(toTopLeft.x - from.left, toTopLeft.y - from.top);
    RecordCellEdit(Pellin::tr("이동"),
                   [&](CCellLayers& cells) { return MoveCellRect(cells, from, toTopLeft, EditScope()); });
    SetMapSelection(destination);
}

void CZellDoc::DeleteSelection()
{
    if (m_rcMapSelection.IsRectEmpty()) return;
    RecordCellEdit(Pellin::tr("삭제"),
                   [&](CCellLayers& cells) { return EmptyCells(cells, m_rcMapSelection, EditScope()); });
}

void CZellDoc::OnEditDelete() { DeleteSelection(); }

void CZellDoc::OnEditSelectAll() { SetMapSelection(CRect(0, 0, MapWidth(), MapHeight())); }

void CZellDoc::OnEditSelectNone() { SetMapSelection({}); }
