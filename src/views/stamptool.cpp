#include "stamptool.h"

#include <algorithm>

#include "cellblock.h"
#include "maptools.h"
#include "zelldoc.h"

namespace {
// The preview goes within this many pixels of the pane's edge; a drag
// reaching the edge itself is dropped.
constexpr int kPreviewMargin = 5;

// The cells from a to b along one axis, as a band from a to b covers them.
std::pair<int, int> BandSpan(int anchor, int end)
{
    return end >= anchor ? std::pair{anchor, end + 1} : std::pair{end + 1, anchor};
}
}  // namespace

bool CStampTool::HasBrush() const { return m_host.doc && m_host.doc->HasBrush(); }

void CStampTool::Press(const ToolEvent& e)
{
    if (e.button == Qt::LeftButton) PressLeft(e);
    if (e.button == Qt::RightButton) PressRight(e);
}

void CStampTool::PressLeft(const ToolEvent& e)
{
    if (m_right || !e.onMap) return;
    if (e.modifiers & Qt::ControlModifier) {
        // Ctrl+click picks the cell's tile without leaving the stamp.
        m_preview.reset();
        Pick(CRect(e.cell.x, e.cell.y, e.cell.x + 1, e.cell.y + 1));
        return;
    }
    m_anchor = m_end = e.cell;
    m_moved = false;
    // A stamp's variations: this click or band paints the one drawn now.
    if (m_host.doc) m_host.doc->PaintBrush().DrawNextVariation();
}

void CStampTool::PressRight(const ToolEvent& e)
{
    if (HasBrush()) {
        // The palette hears of it and repaints without its frame.
        m_host.doc->ClearSelection(nullptr);
        m_preview.reset();
    }
    // A right-button drag picks the cells it frames as the brush.
    if (m_anchor || !e.onMap) return;
    m_anchor = m_end = e.cell;
    m_moved = false;
    m_right = true;
}

void CStampTool::Move(const ToolEvent& e)
{
    if (!m_anchor) {
        Hover(e);
        return;
    }
    if (e.edgeDistance < 1) {
        // The pointer reached the pane's border: the drag is dropped.
        Cancel();
        return;
    }
    // Past the map's right or bottom edge the band stops at the map's last cell.
    m_moved = true;
    m_end = e.cell;
}

void CStampTool::Hover(const ToolEvent& e)
{
    if (!HasBrush()) return;
    if (e.edgeDistance <= kPreviewMargin) {
        m_preview.reset();
        return;
    }
    if (!e.onMap || e.cell == m_lastPreview) return;
    // No preview where the brush would reach past the map.
    const CCellBlock& block = m_host.doc->Brush();
    if (std::int64_t(e.cell.x) + block.m_nCols > m_host.doc->MapWidth() ||
        std::int64_t(e.cell.y) + block.m_nRows > m_host.doc->MapHeight())
        return;
    m_preview = m_lastPreview = e.cell;
}

void CStampTool::Release(const ToolEvent& e)
{
    if (e.button == Qt::LeftButton) ReleaseLeft();
    if (e.button == Qt::RightButton) ReleaseRight(e);
}

void CStampTool::ReleaseLeft()
{
    if (!m_anchor || m_right) return;
    const CPoint anchor = *m_anchor;
    const CRect band = BandCells();
    const bool moved = m_moved;
    // The band is off the pane before a dialog may show.
    m_anchor.reset();
    if (m_host.marksChanged) m_host.marksChanged();
    CZellDoc& doc = *m_host.doc;
    if (!doc.HasBrush()) {
        AskAttribute(moved ? band : CRect(anchor.x, anchor.y, anchor.x + 1, anchor.y + 1));
        return;
    }
    m_preview.reset();
    if (moved)
        doc.FillWithBrush(band);
    else
        doc.StampBrush(anchor.x, anchor.y);
}

void CStampTool::ReleaseRight(const ToolEvent& e)
{
    if (!m_right) return;
    m_right = false;
    if (!m_anchor) return;
    const CPoint anchor = *m_anchor;
    m_anchor.reset();
    // A click without reaching another cell only drops the brush.
    if (e.cell == anchor) return;
    Pick(CellsBetween(anchor, e.cell));
}

void CStampTool::Cancel()
{
    m_anchor.reset();
    m_right = false;
}

void CStampTool::ForgetHover(bool sameCellShowsAgain)
{
    m_preview.reset();
    if (sameCellShowsAgain) m_lastPreview.reset();
}

ToolOverlay CStampTool::Overlay() const
{
    ToolOverlay overlay;
    if (HasBrush()) overlay.brushAt = m_preview;
    // Dragged back past the anchor, the band's corners cross.
    if (m_anchor) overlay.band = CRect(m_anchor->x, m_anchor->y, m_end.x + 1, m_end.y + 1);
    return overlay;
}

CRect CStampTool::BandCells() const
{
    if (!m_anchor) return {};
    const auto [left, right] = BandSpan(m_anchor->x, m_end.x);
    const auto [top, bottom] = BandSpan(m_anchor->y, m_end.y);
    return {left, top, right, bottom};
}

void CStampTool::AskAttribute(const CRect& cells)
{
    CZellDoc& doc = *m_host.doc;
    short value = doc.CellAttribute(cells.left, cells.top);
    if (!doc.Prompts().EditMapAttribute(value)) return;
    m_preview.reset();
    doc.SetCellAttributes(cells, value);
}

void CStampTool::Pick(const CRect& cells)
{
    PickCells(*m_host.doc, cells);
    m_lastPreview.reset();
}
