// The steps of the document's undo history, one class per kind of change.
// Each keeps only what its change touched: the chunks of cells it changed, the tiles it added or took out, the
// attribute bytes it set. Every redo and undo goes through the document, which tells the views.
#pragma once

#include <QUndoCommand>
#include <utility>
#include <vector>

#include "attrvalues.h"
#include "celllayers.h"
#include "edithistory.h"
#include "tileblock.h"
#include "tilelist.h"
#include "wintypes.h"

class CZellDoc;

// What one edit of the cells changed (or one stroke of edits), kept as the
// layers' chunks before and after it. The edit is made on the map before
// the step is pushed, so the step's first redo has nothing to do.
class CCellsCommand : public QUndoCommand, public CKeepsChunks {
public:
    // stroke: the number of the stroke the edit is part of, or -1.
    CCellsCommand(CZellDoc& doc, const QString& text, const CRect& cells, std::vector<ChunkChange> changes, int stroke);
    void undo() override;
    void redo() override;
    // Edits of one stroke merge into its first step.
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    const std::vector<ChunkChange>& Changes() const { return m_changes; }
    void ForEachKeptChunk(const EachChunk& each) const override;

private:
    CZellDoc& m_doc;
    CRect m_rcCells;  // every cell the step wrote, for the views
    std::vector<ChunkChange> m_changes;
    int m_nStroke;
    bool m_bMade = true;  // the edit is on the map: the first redo only tells
};

// A change of the tile set drops the block picked in the palette; taking
// the change back picks it again, so the palette is as it was.
class CTileSetCommand : public QUndoCommand {
protected:
    CTileSetCommand(CZellDoc& doc, const QString& text);
    void RepickBlock();
    CZellDoc& m_doc;

private:
    CTileBlock m_picked;
};

// Tiles appended to the set (cut from the bitmap).
class CAddTilesCommand : public CTileSetCommand {
public:
    CAddTilesCommand(CZellDoc& doc, const QString& text, std::vector<TileEntry> tiles);
    void undo() override;
    void redo() override;

private:
    int m_nFirst;
    std::vector<TileEntry> m_tiles;  // with their fingerprints, taken once
};

// Tiles taken out of the set by their numbers; undo puts each back at its number.
class CRemoveTilesCommand : public CTileSetCommand {
public:
    CRemoveTilesCommand(CZellDoc& doc, const QString& text, std::vector<int> numbers);
    void undo() override;
    void redo() override;

private:
    std::vector<int> m_numbers;                        // ascending
    std::vector<std::pair<int, TileEntry>> m_removed;  // ascending, while undone
};

// Attribute bytes of some tiles.
class CTileAttrCommand : public CTileSetCommand {
public:
    CTileAttrCommand(CZellDoc& doc, const QString& text, std::vector<std::pair<int, BYTE>> before, BYTE after);
    void undo() override;
    void redo() override;

private:
    std::vector<std::pair<int, BYTE>> m_before;
    BYTE m_after;
};

// The names, colours and added values of the attribute layer, as they were
// and as they became (the counts follow the cells and are not kept).
class CAttrValuesCommand : public QUndoCommand {
public:
    CAttrValuesCommand(CZellDoc& doc, const QString& text, std::vector<AttrValueDetails> before,
                       std::vector<AttrValueDetails> after);
    void undo() override;
    void redo() override;

private:
    CZellDoc& m_doc;
    std::vector<AttrValueDetails> m_before;
    std::vector<AttrValueDetails> m_after;
};
