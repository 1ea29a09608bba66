// Changes to the map and the tile set: the picked block, painting and
// attributes on the map, tiles cut from the bitmap, and the changes the
// undo steps make. Each edit is one undo step (a stroke's edits, one together).
#include <algorithm>
#include <new>

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

bool CZellDoc::TryCellEdit(const CellEdit& edit, CRect& written, std::vector<ChunkChange>& changes)
{
    CCellLayers& cells = m_map.m_cells;
    try {
        // The edit's writes go into new chunks, and the chunks as they were
        // are kept for the undo step (or to take the edit back).
        cells.BeginEdit();
        written = edit(cells);
        if (cells.EditFailed()) throw std::bad_alloc();
        changes = cells.EndEdit();
    } catch (const std::bad_alloc&) {
        cells.AbandonEdit();
        return false;
    }
    try {
        FollowRules(changes, written);
    } catch (const std::bad_alloc&) {
        cells.PutChunks(changes, false);
        changes.clear();
        return false;
    }
    return true;
}

bool CZellDoc::RecordCellEdit(const QString& step, const CellEdit& edit)
{
    CRect written;
    std::vector<ChunkChange> changes;
    // Short of memory, the oldest steps give way and the edit runs again on
    // the map as it was. Never inside a stroke: its step stays whole.
    while (!TryCellEdit(edit, written, changes)) {
        if (InStroke() || !m_undoStack.DropForMemory()) {
            CellsChanged(written, false);
            RefuseForMemory();
            return false;
        }
    }
    if (changes.empty()) {
        CellsChanged(written, false);
        return false;
    }
    CountAttrChanges(changes, true, written);
    const bool tiles = ReachTiles(changes);
    // What puts the map back should taking the step fail. It holds the
    // step's chunks too, so the budget is looked at once it is gone.
    std::vector<ChunkChange> restore;
    m_undoStack.HoldTrim(true);
    try {
        restore = changes;
        // The step's first redo is the edit above and does nothing again.
        m_undoStack.push(new CCellsCommand(*this, step, written, std::move(changes), m_nStroke));
    } catch (const std::bad_alloc&) {
        const std::vector<ChunkChange>& back = restore.empty() ? changes : restore;
        CountAttrChanges(back, false, written);
        m_map.m_cells.PutChunks(back, false);
        m_undoStack.HoldTrim(InStroke());
        CellsChanged(written, tiles);
        RefuseForMemory();
        return false;
    }
    restore.clear();
    m_undoStack.HoldTrim(InStroke());
    CellsChanged(written, tiles);
    return true;
}

void CZellDoc::RefuseForMemory() const { Prompts().ShowMessage(Pellin::trStd(kMsgEditOutOfMemory)); }

bool CZellDoc::PushStep(const std::function<QUndoCommand*()>& make)
{
    try {
        m_undoStack.push(make());
        return true;
    } catch (const std::bad_alloc&) {
        RefuseForMemory();
        return false;
    }
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

void CZellDoc::BeginStroke()
{
    m_nStroke = m_nStrokes++;
    // The stroke's step grows until it ends: the budget waits for it.
    m_undoStack.HoldTrim(true);
}

void CZellDoc::EndStroke()
{
    m_nStroke = -1;
    m_undoStack.HoldTrim(false);
}

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
    std::vector<bool> placed(tiles.size(), false);
    std::size_t next = 0;
    try {
        for (; next < tiles.size(); ++next)
            placed[next] = m_map.m_tileList.InsertAt(tiles[next].first, tiles[next].second);
    } catch (const std::bad_alloc&) {
        // Out of memory half-way: the tiles put so far come out again, the last first.
        while (next-- > 0)
            if (placed[next]) m_map.m_tileList.RemoveAt(tiles[next].first);
        throw;
    }
    PaletteChanged(HINT_TILE_IMAGES);
}

std::vector<std::pair<int, TileEntry>> CZellDoc::TakeTiles(const std::vector<int>& numbers)
{
    // The highest number first, so every number still names its tile.
    std::vector<std::pair<int, TileEntry>> taken;
    taken.reserve(numbers.size());  // so that no tile is taken and then lost
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
    if (!PushStep([&] { return new CAddTilesCommand(*this, step, std::move(tiles)); }))
        PaletteChanged(HINT_TILE_IMAGES);
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
    if (!PushStep([&] { return new CRemoveTilesCommand(*this, step, std::move(numbers)); }))
        PaletteChanged(HINT_TILE_IMAGES);
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
