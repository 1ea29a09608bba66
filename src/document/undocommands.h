// The steps of the document's undo history, one class per kind of change.
// Each keeps only what its change touched: the cells of one rectangle before
// and after, the tiles it added or took out, the attribute bytes it set.
// Every redo and undo goes through the document, which tells the views.
#pragma once

#include <QUndoCommand>
#include <utility>
#include <vector>

#include "celllayers.h"
#include "tileblock.h"
#include "tilelist.h"
#include "wintypes.h"

class CZellDoc;

// The cells of one rectangle of one layer, as they were and as they became.
class CCellsCommand : public QUndoCommand {
public:
    CCellsCommand(CZellDoc& doc, const QString& text, CellLayer layer, const CRect& cells, std::vector<short> before,
                  std::vector<short> after);
    void undo() override;
    void redo() override;

private:
    CZellDoc& m_doc;
    CellLayer m_layer;
    CRect m_rcCells;
    std::vector<short> m_before;
    std::vector<short> m_after;
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
    CAddTilesCommand(CZellDoc& doc, const QString& text, std::vector<SharedSprite> tiles);
    void undo() override;
    void redo() override;

private:
    int m_nFirst;
    std::vector<SharedSprite> m_tiles;
};

// Tiles taken out of the set by their numbers; undo puts each back at its number.
class CRemoveTilesCommand : public CTileSetCommand {
public:
    CRemoveTilesCommand(CZellDoc& doc, const QString& text, std::vector<int> numbers);
    void undo() override;
    void redo() override;

private:
    std::vector<int> m_numbers;                         // ascending
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
