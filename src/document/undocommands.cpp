#include "undocommands.h"

#include <algorithm>

#include "zelldoc.h"

namespace {
constexpr int kCellStrokeId = 1;
}

CCellsCommand::CCellsCommand(CZellDoc& doc, const QString& text, const CRect& cells, std::vector<ChunkChange> changes,
                             int stroke)
    : QUndoCommand(text), m_doc(doc), m_rcCells(cells), m_changes(std::move(changes)), m_nStroke(stroke)
{
}

void CCellsCommand::undo() { m_doc.PutCellChunks(m_changes, false, m_rcCells); }

void CCellsCommand::redo()
{
    if (m_bMade) {
        m_bMade = false;
        return;
    }
    m_doc.PutCellChunks(m_changes, true, m_rcCells);
}

void CCellsCommand::ForEachKeptChunk(const EachChunk& each) const
{
    for (const ChunkChange& change : m_changes) {
        each(change.before, change.cells);
        each(change.after, change.cells);
    }
}

int CCellsCommand::id() const { return m_nStroke < 0 ? -1 : kCellStrokeId; }

bool CCellsCommand::mergeWith(const QUndoCommand* other)
{
    const auto* later = dynamic_cast<const CCellsCommand*>(other);
    if (!later || later->m_nStroke != m_nStroke) return false;
    // Room first: out of memory, this step stays as it was.
    m_changes.reserve(m_changes.size() + later->m_changes.size());
    // Each chunk keeps its state before the stroke and takes its latest.
    for (const ChunkChange& change : later->m_changes) {
        auto kept = std::find_if(m_changes.begin(), m_changes.end(), [&](const ChunkChange& c) {
            return c.layer == change.layer && c.index == change.index;
        });
        if (kept == m_changes.end()) {
            m_changes.push_back(change);
            continue;
        }
        kept->after = change.after;
        // The stroke went back over this chunk to what it was.
        if (std::equal(kept->before.get(), kept->before.get() + kept->cells, kept->after.get())) m_changes.erase(kept);
    }
    m_rcCells.UnionRect(m_rcCells, later->m_rcCells);
    setObsolete(m_changes.empty());
    return true;
}

CTileSetCommand::CTileSetCommand(CZellDoc& doc, const QString& text)
    : QUndoCommand(text), m_doc(doc), m_picked(doc.Selection())
{
}

void CTileSetCommand::RepickBlock()
{
    if (!m_picked.IsEmpty()) m_doc.SetSelection(m_picked, nullptr);
}

CAddTilesCommand::CAddTilesCommand(CZellDoc& doc, const QString& text, std::vector<TileEntry> tiles)
    : CTileSetCommand(doc, text), m_nFirst(doc.Tiles().GetCount()), m_tiles(std::move(tiles))
{
}

void CAddTilesCommand::redo()
{
    std::vector<std::pair<int, TileEntry>> placed;
    for (std::size_t i = 0; i < m_tiles.size(); ++i) placed.emplace_back(m_nFirst + int(i), m_tiles[i]);
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

CAttrValuesCommand::CAttrValuesCommand(CZellDoc& doc, const QString& text, std::vector<AttrValueDetails> before,
                                       std::vector<AttrValueDetails> after)
    : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
{
}

void CAttrValuesCommand::undo() { m_doc.PutKeptAttrValues(m_before); }

void CAttrValuesCommand::redo() { m_doc.PutKeptAttrValues(m_after); }
