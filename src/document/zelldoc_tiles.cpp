// The tile set commands: cutting the whole bitmap, the palette's row
// length, attributes, erasing, and filling the map with the picked block.
#include <numeric>

#include "busywork.h"
#include "cellblock.h"
#include "maphint.h"
#include "tilecut.h"
#include "undocommands.h"
#include "zelldoc.h"
#include "translation.h"

void CZellDoc::OnBitmapAllTiles()
{
    // New tiles go behind the ones already there; nothing is replaced.
    CTileList cut;
    const BitmapCutResult result = CutWholeBitmap(m_dib, TileWidth(), TileHeight(), cut, Tiles().GetCount());
    if (!result) Prompts().ShowMessage(result.message);
    AddCutTiles(Pellin::tr("비트맵 전체 타일 자르기"), cut);
}

void CZellDoc::OnTileArrange()
{
    int count = m_nTilesPerRow;
    if (!Prompts().EditTilesPerRow(count)) return;
    m_nTilesPerRow = count;
    PaletteChanged(HINT_PALETTE);
}

void CZellDoc::OnTileSetAttr()
{
    if (!HasSelection()) return;
    // A block that starts on an empty palette slot has no tile to take the
    // starting value from.
    BYTE value = Tiles().AttributeAt(Selection().At(0, 0));
    if (!Prompts().EditTileAttribute(value)) return;

    std::vector<std::pair<int, BYTE>> before;
    bool changes = false;
    for (int row = 0; row < Selection().m_nRows; ++row) {
        for (int col = 0; col < Selection().m_nCols; ++col) {
            const short entry = Selection().At(row, col);
            if (entry == -1) break;  // empty slots only end a row
            if (Tiles().GetAt(entry)) {
                before.emplace_back(entry, Tiles().AttributeAt(entry));
                changes = changes || Tiles().AttributeAt(entry) != value;
            }
        }
    }
    if (!changes) {
        PaletteChanged(HINT_TILE_ATTRS);
        return;
    }
    if (!PushStep([&] { return new CTileAttrCommand(*this, Pellin::tr("타일 속성 지정"), std::move(before), value); }))
        PaletteChanged(HINT_TILE_ATTRS);
}

void CZellDoc::OnTileEraseAll()
{
    if (!Prompts().AskYesNo(kMsgAskEraseAllTiles)) return;
    // Cells keep their numbers; those whose tile is gone now draw empty.
    std::vector<int> all(std::size_t(Tiles().GetCount()));
    std::iota(all.begin(), all.end(), 0);
    RemoveTiles(Pellin::tr("타일 전체지우기"), std::move(all));
}

void CZellDoc::OnTileEraseSelected()
{
    if (!HasSelection()) return;
    if (!Prompts().AskYesNo(kMsgAskEraseSelectedTiles)) return;
    // Every tile the block names goes, a partly filled last row included
    // (its empty slots name none). Cells keep their numbers: a cell whose
    // tile is gone draws empty and a renumbered cell shows the tile it now
    // names, as the saved file would.
    std::vector<int> named;
    for (short entry : Selection().m_entries)
        if (entry != -1) named.push_back(entry);
    RemoveTiles(Pellin::tr("선택 타일지우기"), std::move(named));
}

void CZellDoc::OnTileFillAll()
{
    if (!HasBrush()) return;
    // The whole map from its top-left cell, whatever part of it is in view,
    // as one step. It goes a band of rows at a time for the progress bar of
    // the largest maps; each band is whole rows of the block, so the pattern
    // stays anchored at the top-left cell.
    CBusyWork busy(Pellin::tr("타일 전체채우기..."));
    const CCellBlock& brush = Brush();
    const int rows = MapHeight();
    const int band = brush.m_nRows * std::max(1, 256 / brush.m_nRows);
    RecordCellEdit(Pellin::tr("타일 전체채우기"), [&](CCellLayers& cells) {
        CRect written;
        for (int top = 0; top < rows; top += band) {
            const CRect part(0, top, MapWidth(), std::min(rows, top + band));
            written.UnionRect(written, FillWithCellBlock(cells, brush, part));
            busy.Progress(std::uint64_t(part.bottom), std::uint64_t(rows));
        }
        return written;
    });
}
