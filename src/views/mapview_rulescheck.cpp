// "규칙 확인": the cells whose tile differs from what the map's rules would
// give, marked over the map pane's picture from state (like the tools'
// marks, never drawn into the composed picture) and counted over the whole
// map. The count follows each edit at the cost of the cells it can change.
#include <QPainter>

#include "autoruleengine.h"
#include "maphint.h"
#include "mapview.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
// More marked cells than this on screen are repainted as one rectangle.
constexpr std::size_t kMostMarkRects = 256;
}  // namespace

void CMapView::SetRulesCheck(bool on)
{
    if (on == m_bRulesCheck) return;
    m_bRulesCheck = on;
    m_ruleDiffs.Clear();
    if (on && HasMap()) m_ruleDiffs.Recount(GetDocument()->Cells(), GetDocument()->CompiledRuleSet());
    MarksChanged(true);
    emit StatusChanged();
}

QString CMapView::RulesCheckText() const
{
    return Pellin::tr("규칙과 다른 칸 %1개").arg(qlonglong(m_ruleDiffs.Count()));
}

void CMapView::FollowRulesCheck(LPARAM hint, const CObject* pHint)
{
    if (!m_bRulesCheck) return;
    if (!HasMap()) {
        m_ruleDiffs.Clear();
        return;
    }
    const CZellDoc& doc = *GetDocument();
    if (hint & (HINT_RULES | HINT_TILE_IMAGES | HINT_NEW_MAP)) {
        m_ruleDiffs.Recount(doc.Cells(), doc.CompiledRuleSet());
    } else if (hint & HINT_CELLS) {
        const CompiledRules& rules = doc.CompiledRuleSet();
        if (pHint)
            m_ruleDiffs.Update(
                doc.Cells(), rules,
                RulesReach(rules, static_cast<const CMapHint*>(pHint)->m_rcCells, doc.MapWidth(), doc.MapHeight()));
        else
            m_ruleDiffs.Recount(doc.Cells(), rules);
    } else {
        return;
    }
    MarksChanged(true);
    emit StatusChanged();
}

CRect CMapView::ShownCells() const
{
    const MapViewport viewport = Viewport();
    const CRect area = MapArea();
    if (!viewport.HasCells() || area.IsRectEmpty()) return {};
    const CPoint first = viewport.ClampedCellAt(CPoint(area.left, area.top));
    const CPoint last = viewport.ClampedCellAt(CPoint(area.right - 1, area.bottom - 1));
    return {first.x, first.y, last.x + 1, last.y + 1};
}

void CMapView::AddRulesCheckRects(std::vector<QRect>& rects) const
{
    if (!m_bRulesCheck || m_ruleDiffs.Count() == 0 || !HasMap()) return;
    const MapViewport viewport = Viewport();
    std::vector<QRect> cells;
    QRect bounds;
    m_ruleDiffs.ForEachIn(ShownCells(), [&](int col, int row) {
        const CRect rc = viewport.ClientRectOfCell(CPoint(col, row));
        const QRect shown(rc.left, rc.top, rc.Width(), rc.Height());
        bounds |= shown;
        if (cells.size() <= kMostMarkRects) cells.push_back(shown);
        return true;
    });
    if (cells.size() > kMostMarkRects)
        rects.push_back(bounds);
    else
        rects.insert(rects.end(), cells.begin(), cells.end());
}

void CMapView::DrawRulesCheckMarks(QPainter& painter) const
{
    if (!m_bRulesCheck || m_ruleDiffs.Count() == 0) return;
    const MapViewport viewport = Viewport();
    const QColor mark(230, 0, 0);
    const QRect clip = painter.clipBoundingRect().toAlignedRect();
    m_ruleDiffs.ForEachIn(ShownCells(), [&](int col, int row) {
        const CRect rc = viewport.ClientRectOfCell(CPoint(col, row));
        const QRect cell(rc.left, rc.top, rc.Width(), rc.Height());
        if (!clip.isEmpty() && !clip.intersects(cell)) return true;
        // A frame two pixels wide inside the cell with a cross, or the
        // whole cell where it is too small for that.
        if (cell.width() < 8 || cell.height() < 8) {
            painter.fillRect(cell, mark);
            return true;
        }
        painter.fillRect(cell.left(), cell.top(), cell.width(), 2, mark);
        painter.fillRect(cell.left(), cell.bottom() - 1, cell.width(), 2, mark);
        painter.fillRect(cell.left(), cell.top(), 2, cell.height(), mark);
        painter.fillRect(cell.right() - 1, cell.top(), 2, cell.height(), mark);
        painter.setPen(QPen(mark, 1));
        painter.drawLine(cell.topLeft(), cell.bottomRight());
        painter.drawLine(cell.topRight(), cell.bottomLeft());
        return true;
    });
}
