// The shape tool: a drag from corner to corner draws a rectangle or an
// ellipse, outlined or filled, of the brush (on the attribute layer, of
// the current value). While the drag lasts the cells it would paint are
// highlighted and the status bar gives the box's size; Shift makes a
// square or a circle, Ctrl puts the pressed cell at the centre, and either
// counts from the moment it is pressed or let go. Esc or the right button
// ends the drag with nothing painted. The kind is kept between runs.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "cellshapes.h"
#include "maptool.h"

// The kinds in the order of their buttons and of the cycle.
inline constexpr CellShape kShapeKinds[] = {CellShape::Rectangle, CellShape::FilledRectangle, CellShape::Ellipse,
                                            CellShape::FilledEllipse};
UINT ShapeKindCommand(CellShape kind);
CellShape NextShapeKind(CellShape kind);

class CShapeTool : public CMapTool {
public:
    explicit CShapeTool(const MapToolHost& host);

    CellShape Kind() const { return m_kind; }
    // The kind drawn from now on (the drag under way too), kept for the next run.
    void SetKind(CellShape kind);

    void Press(const ToolEvent& e) override;
    void Move(const ToolEvent& e) override;
    void Release(const ToolEvent& e) override;
    void ModifiersChanged(Qt::KeyboardModifiers modifiers) override;
    void Cancel() override;
    bool IsActive() const override { return m_press.has_value(); }
    bool CapturesPointer() const override { return true; }
    ToolOverlay Overlay() const override;
    QString StatusText() const override;

private:
    // The box and its cells anew from the press, the pointer and the modifiers.
    void Reshape();

    const MapToolHost& m_host;
    CellShape m_kind;
    std::optional<CPoint> m_press;  // the pressed cell while a drag lasts
    CPoint m_pointer;               // the cell last under the pointer
    Qt::KeyboardModifiers m_modifiers;
    CRect m_box;
    std::shared_ptr<const std::vector<CellSpan>> m_cells;
};
