// Cut, copy and paste of the selected cells through the system clipboard
// (clipboardservice.h), so that two editors side by side can copy from one
// into the other. The cells go on it twice: in the editor's own form (with
// the attributes and the place they came from, each tile named by its
// picture) and as text for a spreadsheet. A paste of the own form takes the
// same pictures from this document's tile set, or is refused when the set
// lacks some.
#include <QMimeData>
#include <algorithm>
#include <cstdint>
#include <random>

#include "cellclipboard.h"
#include "cmdtarget.h"
#include "maphint.h"
#include "zelldoc.h"
#include "translation.h"

struct CZellDoc::ClipboardPaste {
    ClipboardCells cells;
    bool withAttributes = false;  // the attributes are pasted too (the own form, or text on the attribute layer)
    std::string refusal;          // why the clipboard cannot be pasted, or nothing
};

namespace {
// Tells this document's copies from those of another document or another
// editor running beside this one.
std::uint64_t SourceOf(const CZellDoc* doc)
{
    static const std::uint64_t process = [] {
        std::random_device seed;
        return (std::uint64_t(seed()) << 32) ^ seed();
    }();
    return process ^ std::uint64_t(reinterpret_cast<std::uintptr_t>(doc));
}
}  // namespace

void CZellDoc::CopySelection()
{
    if (m_rcMapSelection.IsRectEmpty()) return;
    ClipboardCells cells;
    cells.tileWidth = TileWidth();
    cells.tileHeight = TileHeight();
    cells.origin = m_rcMapSelection.TopLeft();
    cells.block = CaptureBlock(Cells(), m_rcMapSelection, true);
    if (cells.block.IsEmpty()) return;
    // From the attribute layer only the attributes go: the tiles are holes.
    if (OnAttrLayer()) std::fill(cells.block.m_tiles.begin(), cells.block.m_tiles.end(), kEmptyTileCell);
    cells.source = SourceOf(this);
    NameClipboardTiles(cells, Tiles());
    const std::vector<std::uint8_t> bytes = EncodeClipboardCells(cells);
    const std::string text = OnAttrLayer() ? AttrsAsText(cells.block) : CellsAsText(cells.block);
    auto* data = new QMimeData;
    data->setData(kCellsMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    data->setText(QString::fromStdString(text));
    m_clipboard.Put(data);
}

CZellDoc::ClipboardPaste CZellDoc::ReadClipboard() const
{
    ClipboardPaste paste;
    const QMimeData* data = m_clipboard.Data();
    if (data && data->hasFormat(kCellsMimeType)) {
        const QByteArray bytes = data->data(kCellsMimeType);
        if (auto cells = DecodeClipboardCells(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                              std::size_t(bytes.size()))) {
            paste.cells = std::move(*cells);
            paste.withAttributes = true;
            CCellBlock& block = paste.cells.block;
            if (OnAttrLayer()) std::fill(block.m_tiles.begin(), block.m_tiles.end(), kEmptyTileCell);
            paste.refusal = MatchClipboardTiles(paste.cells, Tiles(), TileWidth(), TileHeight(),
                                                paste.cells.source == SourceOf(this));
            return paste;
        }
    }
    if (!data || !data->hasText()) {
        paste.refusal = kMsgPasteNoCells;
        return paste;
    }
    const QByteArray text = data->text().toUtf8();
    const std::string_view chars(text.constData(), std::size_t(text.size()));
    PastedText parsed = OnAttrLayer() ? ParseAttrText(chars, MapWidth(), MapHeight())
                                      : ParseCellsText(chars, Tiles().GetCount(), MapWidth(), MapHeight());
    if (!parsed.Accepted()) {
        paste.refusal = parsed.refusal;
        return paste;
    }
    paste.cells.tileWidth = TileWidth();
    paste.cells.tileHeight = TileHeight();
    // Text does not say where it came from: in place means at the selection, or the map's corner.
    paste.cells.origin = m_rcMapSelection.IsRectEmpty() ? CPoint() : m_rcMapSelection.TopLeft();
    paste.cells.block = std::move(parsed.block);
    paste.withAttributes = OnAttrLayer();  // attributes from text are pasted as such
    return paste;
}

void CZellDoc::OnEditCopy() { CopySelection(); }

void CZellDoc::OnEditCut()
{
    if (m_rcMapSelection.IsRectEmpty()) return;
    CopySelection();
    RecordCellEdit(Pellin::tr("잘라내기"),
                   [&](CCellLayers& cells) { return EmptyCells(cells, m_rcMapSelection, EditScope()); });
}

void CZellDoc::OnEditPaste()
{
    // The attribute layer has no brush of cells: its cells go where they were copied from.
    if (OnAttrLayer()) {
        OnEditPasteInPlace();
        return;
    }
    ClipboardPaste paste = ReadClipboard();
    if (!paste.refusal.empty()) {
        Prompts().ShowMessage(paste.refusal, CDocumentPrompts::Look::Warning);
        return;
    }
    CCellBlock brush = std::move(paste.cells.block);
    brush.m_attrs.clear();  // a pasted brush stamps tiles only
    SetBrush(std::move(brush), nullptr);
}

void CZellDoc::OnEditPasteInPlace()
{
    const ClipboardPaste paste = ReadClipboard();
    if (!paste.refusal.empty()) {
        Prompts().ShowMessage(paste.refusal, CDocumentPrompts::Look::Warning);
        return;
    }
    const CCellBlock& block = paste.cells.block;
    const CPoint at = paste.cells.origin;
    RecordCellEdit(Pellin::tr("붙여넣기"),
                   [&](CCellLayers& cells) { return StampCellBlock(cells, block, at.x, at.y, paste.withAttributes); });
}

void CZellDoc::OnUpdateHaveMapSelection(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_rcMapSelection.IsRectEmpty()); }

void CZellDoc::OnUpdateCanPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(m_clipboard.CanPaste()); }
