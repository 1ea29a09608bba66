#include "shapetool.h"

#include <QSettings>
#include <algorithm>
#include <iterator>

#include "app.h"
#include "resource.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
constexpr const char* kShapeKindKey = "Settings/ShapeKind";

QSettings* Settings() { return AfxGetApp() ? AfxGetApp()->Settings() : nullptr; }
}  // namespace

UINT ShapeKindCommand(CellShape kind)
{
    switch (kind) {
    case CellShape::Rectangle: return ID_SHAPE_RECT;
    case CellShape::FilledRectangle: return ID_SHAPE_FILLED_RECT;
    case CellShape::Ellipse: return ID_SHAPE_ELLIPSE;
    case CellShape::FilledEllipse: return ID_SHAPE_FILLED_ELLIPSE;
    }
    return ID_SHAPE_RECT;
}

CellShape NextShapeKind(CellShape kind)
{
    const auto* at = std::find(std::begin(kShapeKinds), std::end(kShapeKinds), kind);
    return at + 1 < std::end(kShapeKinds) ? at[1] : kShapeKinds[0];
}

CShapeTool::CShapeTool(const MapToolHost& host) : m_host(host), m_kind(CellShape::Rectangle)
{
    // A kept value that names no kind leaves the rectangle.
    if (const QSettings* settings = Settings()) {
        const int kept = settings->value(QString::fromLatin1(kShapeKindKey), 0).toInt();
        if (kept >= 0 && kept < int(std::size(kShapeKinds))) m_kind = kShapeKinds[kept];
    }
}

void CShapeTool::SetKind(CellShape kind)
{
    if (kind == m_kind) return;
    m_kind = kind;
    if (QSettings* settings = Settings()) settings->setValue(QString::fromLatin1(kShapeKindKey), int(kind));
    if (m_press) Reshape();
}

void CShapeTool::Press(const ToolEvent& e)
{
    // The right button ends a drag under way.
    if (e.button == Qt::RightButton) {
        Cancel();
        return;
    }
    if (e.button != Qt::LeftButton || !e.onMap || m_press) return;
    m_press = m_pointer = e.cell;
    m_modifiers = e.modifiers;
    Reshape();
}

void CShapeTool::Move(const ToolEvent& e)
{
    if (!m_press) return;
    // Past the map's edges the corner stays on the map's nearest cell.
    if (e.cell == m_pointer && e.modifiers == m_modifiers) return;
    m_pointer = e.cell;
    m_modifiers = e.modifiers;
    Reshape();
}

void CShapeTool::ModifiersChanged(Qt::KeyboardModifiers modifiers)
{
    if (!m_press || modifiers == m_modifiers) return;
    m_modifiers = modifiers;
    Reshape();
}

void CShapeTool::Release(const ToolEvent& e)
{
    if (!m_press || e.button != Qt::LeftButton) return;
    m_pointer = e.cell;
    m_modifiers = e.modifiers;
    Reshape();
    const std::shared_ptr<const std::vector<CellSpan>> cells = m_cells;
    const CPoint corner = m_box.TopLeft();
    Cancel();
    // The highlight is off the pane before the cells change.
    if (m_host.marksChanged) m_host.marksChanged();
    // A brush from a stamp with variations paints one drawn anew for each shape.
    if (!m_host.doc->OnAttrLayer()) m_host.doc->PaintBrush().DrawNextVariation();
    m_host.doc->PaintSpans(*cells, corner, Pellin::tr("도형"));
}

void CShapeTool::Cancel()
{
    m_press.reset();
    m_cells.reset();
}

void CShapeTool::Reshape()
{
    m_box =
        ShapeBox(*m_press, m_pointer, (m_modifiers & Qt::ShiftModifier) != 0, (m_modifiers & Qt::ControlModifier) != 0);
    const CZellDoc& doc = *m_host.doc;
    // Only the map's cells: a box from the centre may reach past its edges.
    m_cells = std::make_shared<const std::vector<CellSpan>>(
        ShapeSpans(m_kind, m_box, CRect(0, 0, doc.MapWidth(), doc.MapHeight())));
}

ToolOverlay CShapeTool::Overlay() const
{
    ToolOverlay overlay;
    overlay.cellsToPaint = m_cells;
    return overlay;
}

QString CShapeTool::StatusText() const
{
    if (!m_press) return {};
    return Pellin::tr("도형 %1 x %2").arg(m_box.Width()).arg(m_box.Height());
}
