// Changes to the map and the tile set: the picked block, painting and
// attributes on the map, tiles cut from the bitmap, and the changes the
// undo steps make. Each edit is one undo step (a stroke's edits, one together).
#include <algorithm>

#include "maphint.h"
#include "tilecut.h"
#include "undocommands.h"
#include "zelldoc.h"
#include "translation.h"

void CZellDoc::SetSelection(CTileBlock block, CScrollView* pSender)
{
    m_brush.PickFromPalette(std::move(block));
    UpdateAllViews(pSender, HINT_SELECTION);
}

void CZellDoc::ClearSelection(CScrollView* pSender)
{
    if (!HasSelection() && !HasBrush()) return;
    m_brush.Drop();
    UpdateAllViews(pSender, HINT_SELECTION);
}

void CZellDoc::SetBrush(CCellBlock block, CScrollView* pSender)
{
    m_brush.TakeFromMap(std::move(block));
    UpdateAllViews(pSender, HINT_SELECTION);
}

void CZellDoc::DropPicks()
{
    m_brush.Drop();
    m_rcMapSelection = {};
}

namespace {
bool ReachTiles(const std::vector<ChunkChange>& changes)
{
    return std::any_of(changes.begin(), changes.end(),
                       [](const ChunkChange& change) { return change.layer == CellLayer::Tiles; });
}
}  // namespace

void CZellDoc::CellsChanged(const CRect& cells, bool tiles)
{
    // A history jump tells the views once, when it ends.
    if (m_pendingCells) {
        m_pendingCells->cells.UnionRect(m_pendingCells->cells, cells);
        m_pendingCells->tiles = m_pendingCells->tiles || tiles;
        m_pendingCells->any = true;
        return;
    }
    // Told even when nothing was written: the map pane then still takes a
    // preview off, as after any edit.
    CMapHint hint(cells, tiles);
    UpdateAllViews(nullptr, HINT_CELLS, &hint);
}

void CZellDoc::RecordCellEdit(const QString& step, const CellEdit& edit)
{
    CRect written;
    std::vector<ChunkChange> changes;
    // The edit's writes go into new chunks, and the chunks as they were are
    // kept for the undo step.
    m_map.m_cells.BeginEdit();
    written = edit(m_map.m_cells);
    changes = m_map.m_cells.EndEdit();
    FollowRules(changes, written);
    CountAttrChanges(changes, true, written);
    // The step's first redo is the edit above and does nothing again.
    const bool tiles = ReachTiles(changes);
    if (!changes.empty()) m_undoStack.push(new CCellsCommand(*this, step, written, std::move(changes), m_nStroke));
    CellsChanged(written, tiles);
}

void CZellDoc::CountAttrChanges(const std::vector<ChunkChange>& changes, bool forward, const CRect& cells)
{
    for (const ChunkChange& change : changes) {
        if (change.layer != CellLayer::Attributes || !change.before || !change.after) continue;
        const short* before = change.before.get();
        const short* after = change.after.get();
        if (!forward) std::swap(before, after);
        m_map.m_cells.ForEachRowPart(change, cells.left, cells.top, cells.right, cells.bottom,
                                     [&](std::size_t offset, std::size_t count) {
                                         m_attrValues.Update(before + offset, after + offset, count);
                                     });
    }
}

void CZellDoc::BeginStroke() { m_nStroke = m_nStrokes++; }

void CZellDoc::EndStroke() { m_nStroke = -1; }

namespace {
// The rows of a rectangle as spans.
std::vector<CellSpan> SpansOf(const CRect& cells)
{
    std::vector<CellSpan> spans;
    for (int row = cells.top; row < cells.bottom; ++row) spans.push_back({row, cells.left, cells.right});
    return spans;
}
}  // namespace

void CZellDoc::StampBrush(int col, int row)
{
    // In random mode the brush's rectangle gets its entries drawn at random.
    if (m_brush.RandomMode()) {
        const CRect cells(col, row, col + Brush().m_nCols, row + Brush().m_nRows);
        PaintSpans(SpansOf(cells), cells.TopLeft(), Pellin::tr("타일 찍기"));
        return;
    }
    RecordCellEdit(Pellin::tr("타일 찍기"),
                   [&](CCellLayers& cells) { return StampCellBlock(cells, Brush(), col, row); });
}

void CZellDoc::FillWithBrush(const CRect& area, const QString& step)
{
    if (m_brush.RandomMode()) {
        PaintSpans(SpansOf(area), area.TopLeft(), step);
        return;
    }
    RecordCellEdit(step, [&](CCellLayers& cells) { return FillWithCellBlock(cells, Brush(), area); });
}

void CZellDoc::SetCellAttributes(const CRect& area, short value)
{
    RecordCellEdit(Pellin::tr("맵 속성 지정"), [&](CCellLayers& cells) { return SetAttributes(cells, area, value); });
}

short CZellDoc::CellAttribute(int col, int row) const { return m_map.m_cells.Attr(col, row).value_or(kNoAttrCell); }

void CZellDoc::PutCellChunks(const std::vector<ChunkChange>& changes, bool after, const CRect& cells)
{
    CountAttrChanges(changes, after, cells);
    m_map.m_cells.PutChunks(changes, after);
    CellsChanged(cells, ReachTiles(changes));
}

void CZellDoc::PaletteChanged(LPARAM hint)
{
    // A brush from the map keeps its tile numbers while they name the same pictures.
    m_brush.TilesChanged((hint & HINT_TILE_IMAGES) != 0);
    UpdateAllViews(nullptr, hint);
}

void CZellDoc::PutTiles(const std::vector<std::pair<int, TileEntry>>& tiles)
{
    for (const auto& [number, tile] : tiles) m_map.m_tileList.InsertAt(number, tile);
    PaletteChanged(HINT_TILE_IMAGES);
}

std::vector<std::pair<int, TileEntry>> CZellDoc::TakeTiles(const std::vector<int>& numbers)
{
    // The highest number first, so every number still names its tile.
    std::vector<std::pair<int, TileEntry>> taken;
    for (auto number = numbers.rbegin(); number != numbers.rend(); ++number)
        if (TileEntry tile = m_map.m_tileList.RemoveAt(*number); tile.picture)
            taken.emplace_back(*number, std::move(tile));
    std::reverse(taken.begin(), taken.end());
    PaletteChanged(HINT_TILE_IMAGES);
    return taken;
}

void CZellDoc::PutTileAttributes(const std::vector<std::pair<int, BYTE>>& attributes)
{
    for (const auto& [number, value] : attributes) m_map.m_tileList.SetAttributeAt(number, value);
    PaletteChanged(HINT_TILE_ATTRS);
}

void CZellDoc::AddCutTiles(const QString& step, CTileList& cut)
{
    if (cut.IsEmpty()) {
        PaletteChanged(HINT_TILE_IMAGES);
        return;
    }
    std::vector<TileEntry> tiles;
    for (int i = 0; i < cut.GetCount(); ++i) tiles.push_back(cut.EntryAt(i));
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
        if (!RoomForAnotherTile(Tiles().GetCount() + cut.GetCount())) {
            Prompts().ShowMessage(kMsgTileLimitReached);
            break;
        }
        const TileCutResult made = CutTile(m_dib, cell);
        // One message for a bitmap that cannot be cut, not one per cell.
        if (made.tile == nullptr) {
            if (!made) Prompts().ShowMessage(made.message);
            break;
        }
        cut.AddTail(made.tile);
    }
    AddCutTiles(Pellin::tr("타일 자르기"), cut);
}
