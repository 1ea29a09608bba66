// Changes to the map and the tile set: the picked block, painting and
// attributes on the map, tiles cut from the bitmap, and the changes the
// undo steps make. Each edit is one undo step.
#include <algorithm>

#include "maphint.h"
#include "tilecut.h"
#include "undocommands.h"
#include "zelldoc.h"

namespace {
// The cells of r within those of whole, row by row, from values captured over whole.
std::vector<short> Crop(const std::vector<short>& values, const CRect& whole, const CRect& r)
{
    std::vector<short> cropped;
    cropped.reserve(std::size_t(r.Width()) * std::size_t(r.Height()));
    for (int y = r.top; y < r.bottom; ++y) {
        const auto row = values.begin() + std::ptrdiff_t(y - whole.top) * whole.Width() + (r.left - whole.left);
        cropped.insert(cropped.end(), row, row + r.Width());
    }
    return cropped;
}

// The cells from (col, row) on that a count of cols x rows can reach, kept to int.
CRect Reach(int col, int row, int cols, int rows)
{
    const auto end = [](int from, int count) { return int(std::min<std::int64_t>(std::int64_t(from) + count, INT_MAX)); };
    return {col, row, end(col, cols), end(row, rows)};
}
}  // namespace

void CZellDoc::SetSelection(CTileBlock block, CScrollView* pSender)
{
    m_selection = std::move(block);
    UpdateAllViews(pSender, HINT_SELECTION);
}

void CZellDoc::ClearSelection(CScrollView* pSender)
{
    if (!HasSelection()) return;
    m_selection = {};
    UpdateAllViews(pSender, HINT_SELECTION);
}

void CZellDoc::CellsChanged(const CRect& cells)
{
    // Told even when nothing was written: the map pane then still takes a
    // preview off, as after any edit.
    CMapHint hint(cells);
    UpdateAllViews(nullptr, HINT_CELLS, &hint);
}

std::vector<short> CZellDoc::CaptureCells(CellLayer layer, const CRect& cells) const
{
    std::vector<short> values;
    values.reserve(std::size_t(std::max(0, cells.Width())) * std::size_t(std::max(0, cells.Height())));
    for (int y = cells.top; y < cells.bottom; ++y) {
        const short* row = Cells().Row(layer, y);
        if (row) values.insert(values.end(), row + cells.left, row + cells.right);
    }
    return values;
}

template <class Edit>
void CZellDoc::RecordCellEdit(const QString& step, CellLayer layer, const CRect& reach, Edit edit)
{
    CRect area;
    area.IntersectRect(reach, CRect(0, 0, MapWidth(), MapHeight()));
    const std::vector<short> before = CaptureCells(layer, area);
    const CRect written = edit();
    std::vector<short> old = written.IsRectEmpty() ? std::vector<short>() : Crop(before, area, written);
    std::vector<short> now = CaptureCells(layer, written);
    if (old == now) {
        CellsChanged(written);
        return;
    }
    // The edit wrote the layer itself, so the value counts follow here; the
    // first redo below puts the same values again and changes no count.
    // Every other write of the attribute layer goes through PutCells.
    if (layer == CellLayer::Attributes) m_attrValues.Update(old.data(), now.data(), std::min(old.size(), now.size()));
    // The step's first redo writes the same cells again and tells the views.
    m_undoStack.push(new CCellsCommand(*this, step, layer, written, std::move(old), std::move(now)));
}

void CZellDoc::StampSelection(int col, int row)
{
    RecordCellEdit(QStringLiteral("타일 찍기"), CellLayer::Tiles,
                   Reach(col, row, m_selection.m_nCols, m_selection.m_nRows),
                   [&] { return StampBlock(m_map.m_cells, m_selection, col, row); });
}

void CZellDoc::FillWithSelection(const CRect& cells, const QString& step)
{
    RecordCellEdit(step, CellLayer::Tiles, cells, [&] { return FillWithBlock(m_map.m_cells, m_selection, cells); });
}

void CZellDoc::SetCellAttributes(const CRect& cells, short value)
{
    RecordCellEdit(QStringLiteral("맵 속성 지정"), CellLayer::Attributes, cells,
                   [&] { return SetAttributes(m_map.m_cells, cells, value); });
}

short CZellDoc::CellAttribute(int col, int row) const { return m_map.m_cells.Attr(col, row).value_or(kNoAttrCell); }

void CZellDoc::PutCells(CellLayer layer, const CRect& cells, const std::vector<short>& values)
{
    auto from = values.begin();
    for (int y = cells.top; y < cells.bottom && from != values.end(); ++y, from += cells.Width())
        if (short* row = m_map.m_cells.MutableRow(layer, y)) {
            if (layer == CellLayer::Attributes) m_attrValues.Update(row + cells.left, &*from, std::size_t(cells.Width()));
            std::copy_n(from, cells.Width(), row + cells.left);
        }
    CellsChanged(cells);
}

void CZellDoc::PaletteChanged(LPARAM hint)
{
    m_selection = {};
    UpdateAllViews(nullptr, hint);
}

void CZellDoc::PutTiles(const std::vector<std::pair<int, SharedSprite>>& tiles)
{
    for (const auto& [number, tile] : tiles) m_map.m_tileList.InsertAt(number, tile);
    PaletteChanged(HINT_TILE_IMAGES);
}

std::vector<std::pair<int, SharedSprite>> CZellDoc::TakeTiles(const std::vector<int>& numbers)
{
    // The highest number first, so every number still names its tile.
    std::vector<std::pair<int, SharedSprite>> taken;
    for (auto number = numbers.rbegin(); number != numbers.rend(); ++number)
        if (SharedSprite tile = m_map.m_tileList.RemoveAt(*number)) taken.emplace_back(*number, std::move(tile));
    std::reverse(taken.begin(), taken.end());
    PaletteChanged(HINT_TILE_IMAGES);
    return taken;
}

void CZellDoc::PutTileAttributes(const std::vector<std::pair<int, BYTE>>& attributes)
{
    for (const auto& [number, value] : attributes)
        if (CSprite* tile = Tiles().GetAt(number)) tile->m_byAttr = value;
    PaletteChanged(HINT_TILE_ATTRS);
}

void CZellDoc::AddCutTiles(const QString& step, CTileList& cut)
{
    if (cut.IsEmpty()) {
        PaletteChanged(HINT_TILE_IMAGES);
        return;
    }
    std::vector<SharedSprite> tiles;
    for (int i = 0; i < cut.GetCount(); ++i) tiles.push_back(cut.SharedAt(i));
    m_undoStack.push(new CAddTilesCommand(*this, step, std::move(tiles)));
}

void CZellDoc::RemoveTiles(const QString& step, std::vector<int> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::erase_if(numbers, [&](int n) { return n < 0 || n >= Tiles().GetCount(); });
    if (numbers.empty()) {
        PaletteChanged(HINT_TILE_IMAGES);
        return;
    }
    m_undoStack.push(new CRemoveTilesCommand(*this, step, std::move(numbers)));
}

void CZellDoc::CutTiles(const std::vector<CRect>& bitmapCells)
{
    CTileList cut;
    for (const CRect& cell : bitmapCells) {
        // A cell reaching past the picture is never cut: it has no pixels there.
        if (!CellInsideBitmap(m_dib, cell)) continue;
        if (!RoomForAnotherTile(Tiles().GetCount() + cut.GetCount())) break;
        CSprite* tile = CutTile(m_dib, cell);
        // One message for a bitmap that cannot be cut, not one per cell.
        if (tile == nullptr) break;
        cut.AddTail(tile);
    }
    AddCutTiles(QStringLiteral("타일 자르기"), cut);
}
