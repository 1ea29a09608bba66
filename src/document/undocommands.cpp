#include "undocommands.h"

#include "zelldoc.h"

CCellsCommand::CCellsCommand(CZellDoc& doc, const QString& text, CellLayer layer, const CRect& cells,
                             std::vector<short> before, std::vector<short> after)
    : QUndoCommand(text), m_doc(doc), m_layer(layer), m_rcCells(cells), m_before(std::move(before)),
      m_after(std::move(after))
{
}

void CCellsCommand::undo() { m_doc.PutCells(m_layer, m_rcCells, m_before); }
void CCellsCommand::redo() { m_doc.PutCells(m_layer, m_rcCells, m_after); }

CTileSetCommand::CTileSetCommand(CZellDoc& doc, const QString& text)
    : QUndoCommand(text), m_doc(doc), m_picked(doc.Selection())
{
}

void CTileSetCommand::RepickBlock()
{
    if (!m_picked.IsEmpty()) m_doc.SetSelection(m_picked, nullptr);
}

CAddTilesCommand::CAddTilesCommand(CZellDoc& doc, const QString& text, std::vector<SharedSprite> tiles)
    : CTileSetCommand(doc, text), m_nFirst(doc.Tiles().GetCount()), m_tiles(std::move(tiles))
{
}

void CAddTilesCommand::redo()
{
    std::vector<std::pair<int, TileEntry>> placed;
    for (std::size_t i = 0; i < m_tiles.size(); ++i) placed.emplace_back(m_nFirst + int(i), TileEntry{m_tiles[i]});
    m_doc.PutTiles(placed);
}

void CAddTilesCommand::undo()
{
    std::vector<int> numbers;
    for (std::size_t i = 0; i < m_tiles.size(); ++i) numbers.push_back(m_nFirst + int(i));
    m_doc.TakeTiles(numbers);
    RepickBlock();
}

CRemoveTilesCommand::CRemoveTilesCommand(CZellDoc& doc, const QString& text, std::vector<int> numbers)
    : CTileSetCommand(doc, text), m_numbers(std::move(numbers))
{
}

void CRemoveTilesCommand::redo() { m_removed = m_doc.TakeTiles(m_numbers); }

void CRemoveTilesCommand::undo()
{
    m_doc.PutTiles(m_removed);
    m_removed.clear();
    RepickBlock();
}

CTileAttrCommand::CTileAttrCommand(CZellDoc& doc, const QString& text, std::vector<std::pair<int, BYTE>> before,
                                   BYTE after)
    : CTileSetCommand(doc, text), m_before(std::move(before)), m_after(after)
{
}

void CTileAttrCommand::undo()
{
    m_doc.PutTileAttributes(m_before);
    RepickBlock();
}

void CTileAttrCommand::redo()
{
    std::vector<std::pair<int, BYTE>> after = m_before;
    for (auto& entry : after) entry.second = m_after;
    m_doc.PutTileAttributes(after);
}
