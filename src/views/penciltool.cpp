#include "penciltool.h"

#include "cellline.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
// The undo step's name, in the interface's language.
QString StepName() { return Pellin::tr("연필"); }

// a / b rounded down, for grid places left of or above the anchor.
int FloorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
}  // namespace

void CPencilTool::Press(const ToolEvent& e)
{
    if (e.button != Qt::LeftButton || !e.onMap || m_active) return;
    CZellDoc& doc = *m_host.doc;
    if (!doc.OnAttrLayer() && !doc.HasBrush()) {
        // The document says on the status bar what is missing.
        doc.PaintSpans({}, e.cell, StepName());
        return;
    }
    const bool line = (e.modifiers & Qt::ShiftModifier) && m_lastPainted;
    m_anchor = line ? *m_lastPainted : e.cell;
    m_step = doc.OnAttrLayer() ? CSize(1, 1) : CSize(doc.Brush().m_nCols, doc.Brush().m_nRows);
    m_placed.clear();
    m_active = true;
    doc.BeginStroke();
    PaintLine(m_anchor, e.cell);
    m_last = e.cell;
}

void CPencilTool::Move(const ToolEvent& e)
{
    m_hover = e.cell;
    if (!m_active) return;
    // Off the map the path breaks; it starts again where the pointer comes back.
    if (!e.onMap) {
        m_last.reset();
        return;
    }
    if (e.cell == m_last) return;
    PaintLine(m_last.value_or(e.cell), e.cell);
    m_last = e.cell;
}

void CPencilTool::Release(const ToolEvent& e)
{
    if (!m_active || e.button != Qt::LeftButton) return;
    Move(e);
    Cancel();
}

void CPencilTool::Cancel()
{
    if (!m_active) return;
    m_active = false;
    m_last.reset();
    m_placed.clear();
    m_host.doc->EndStroke();
}

void CPencilTool::Hover(const ToolEvent& e)
{
    m_shift = (e.modifiers & Qt::ShiftModifier) != 0;
    if (e.onMap)
        m_hover = e.cell;
    else
        m_hover.reset();
}

void CPencilTool::ModifiersChanged(Qt::KeyboardModifiers modifiers) { m_shift = (modifiers & Qt::ShiftModifier) != 0; }

void CPencilTool::PaintLine(CPoint a, CPoint b)
{
    std::vector<CellSpan> spans;
    for (const CPoint& cell : LineCells(a, b)) {
        const int gx = FloorDiv(cell.x - m_anchor.x, m_step.cx);
        const int gy = FloorDiv(cell.y - m_anchor.y, m_step.cy);
        const std::uint64_t key = std::uint64_t(std::uint32_t(gx)) << 32 | std::uint32_t(gy);
        if (!m_placed.insert(key).second) continue;
        const int left = m_anchor.x + gx * m_step.cx;
        const int top = m_anchor.y + gy * m_step.cy;
        for (int row = top; row < top + m_step.cy; ++row) spans.push_back({row, left, left + m_step.cx});
    }
    m_lastPainted = b;
    if (spans.empty()) return;
    // A brush from a stamp with variations paints one drawn anew each step.
    if (!m_host.doc->OnAttrLayer()) m_host.doc->PaintBrush().DrawNextVariation();
    m_host.doc->PaintSpans(spans, m_anchor, StepName());
}

std::optional<std::pair<CPoint, CPoint>> CPencilTool::LinePreview() const
{
    if (m_active || !m_shift || !m_hover || !m_lastPainted) return std::nullopt;
    return std::pair(*m_lastPainted, *m_hover);
}

QString CPencilTool::StatusText() const
{
    if (!m_hover) return {};
    return Pellin::tr("연필 %1, %2").arg(m_hover->x).arg(m_hover->y);
}
