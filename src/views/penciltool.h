// The pencil: a drag paints the brush along the pointer's path, the
// straight line between two pointer samples included, so a fast stroke
// leaves no gap. A block larger than one cell is laid on a grid anchored at
// the stroke's first cell: each copy whose place the pointer passes is
// painted once, so copies tile instead of overlapping. Shift+click draws a
// straight line from the last cell painted (kept across strokes); while
// Shift is held over the map the line is previewed. On the attribute layer
// it paints the current value. A stroke is one undo step.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>

#include "maptool.h"

class CPencilTool : public CMapTool {
public:
    explicit CPencilTool(const MapToolHost& host) : m_host(host) {}

    void Press(const ToolEvent& e) override;
    void Move(const ToolEvent& e) override;
    void Release(const ToolEvent& e) override;
    void Hover(const ToolEvent& e) override;
    void Leave() override { m_hover.reset(); }
    void ModifiersChanged(Qt::KeyboardModifiers modifiers) override;
    // What the stroke painted stays: it is one step already.
    void Cancel() override;
    void ForgetHover(bool) override { m_hover.reset(); }
    bool IsActive() const override { return m_active; }
    bool CapturesPointer() const override { return true; }
    std::optional<std::pair<CPoint, CPoint>> LinePreview() const override;
    QString StatusText() const override;

private:
    // Paints the copies whose places the line from a to b passes and that
    // this stroke has not painted yet.
    void PaintLine(CPoint a, CPoint b);

    const MapToolHost& m_host;
    bool m_active = false;
    std::optional<CPoint> m_last;                // the stroke's last cell on the map
    std::optional<CPoint> m_lastPainted;         // where the last line ended, across strokes
    CPoint m_anchor;                             // the grid's origin: the stroke's first cell
    CSize m_step{1, 1};                          // the grid's spacing: the brush's size
    std::unordered_set<std::uint64_t> m_placed;  // grid places painted in this stroke
    std::optional<CPoint> m_hover;
    bool m_shift = false;
};
