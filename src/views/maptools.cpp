#include "maptools.h"

#include <algorithm>

#include "cellblock.h"
#include "zelldoc.h"

CRect CellsBetween(CPoint a, CPoint b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

void PickCells(CZellDoc& doc, const CRect& cells)
{
    CCellBlock block = CaptureBlock(doc.Cells(), cells, false);
    if (!block.IsEmpty()) doc.SetBrush(std::move(block), nullptr);
}

namespace {

// A drag between two cells frames the band of cells between them (both
// included); the release hands the band to the tool.
class BandTool : public CMapTool {
public:
    explicit BandTool(const MapToolHost& host, bool frameOneCell) : m_host(host), m_bFrameOneCell(frameOneCell) {}
    void Press(const ToolEvent& e) override
    {
        if (e.button == Qt::LeftButton && e.onMap && !PressHandled(e)) m_anchor = m_cell = e.cell;
    }
    void Move(const ToolEvent& e) override
    {
        if (m_anchor) m_cell = e.cell;
    }
    void Release(const ToolEvent& e) override
    {
        if (!m_anchor || e.button != Qt::LeftButton) return;
        m_cell = e.cell;
        const CRect cells = CellsBetween(*m_anchor, m_cell);
        m_anchor.reset();
        BandChosen(cells);
    }
    void Cancel() override { m_anchor.reset(); }
    bool IsActive() const override { return m_anchor.has_value(); }
    ToolOverlay Overlay() const override
    {
        if (!m_anchor || (!m_bFrameOneCell && m_cell == *m_anchor)) return {};
        return {CellsBetween(*m_anchor, m_cell), std::nullopt, std::nullopt};
    }

protected:
    // A press the tool takes itself, starting no band.
    virtual bool PressHandled(const ToolEvent&) { return false; }
    virtual void BandChosen(const CRect& cells) = 0;

    const MapToolHost& m_host;

private:
    const bool m_bFrameOneCell;
    std::optional<CPoint> m_anchor;
    CPoint m_cell;
};

// The stamp on the attribute layer: a click sets the cell to the current
// value, a drag every cell of the band; Ctrl+click takes the cell's value.
class AttrStampTool : public BandTool {
public:
    explicit AttrStampTool(const MapToolHost& host) : BandTool(host, false) {}

private:
    bool PressHandled(const ToolEvent& e) override
    {
        if (!(e.modifiers & Qt::ControlModifier)) return false;
        m_host.doc->SetCurrentAttrValue(m_host.doc->CellAttribute(e.cell.x, e.cell.y));
        return true;
    }
    void BandChosen(const CRect& cells) override { m_host.doc->PaintAttributes(cells); }
};

// A stroke empties every cell on the pointer's path, the straight line
// between two pointer events included; the whole stroke is one undo step.
class EraserTool : public CMapTool {
public:
    explicit EraserTool(const MapToolHost& host) : m_host(host) {}
    void Press(const ToolEvent& e) override
    {
        if (e.button != Qt::LeftButton) return;
        m_host.doc->BeginStroke();
        m_active = true;
        m_last.reset();
        Move(e);
    }
    void Move(const ToolEvent& e) override
    {
        if (!m_active) return;
        // Off the map the path breaks; it starts again where the pointer comes back.
        if (!e.onMap) {
            m_last.reset();
            return;
        }
        m_host.doc->EraseLine(m_last.value_or(e.cell), e.cell);
        m_last = e.cell;
    }
    void Release(const ToolEvent& e) override
    {
        if (!m_active || e.button != Qt::LeftButton) return;
        Move(e);
        Cancel();
    }
    // What the stroke erased stays: it is one step already.
    void Cancel() override
    {
        if (!m_active) return;
        m_active = false;
        m_host.doc->EndStroke();
    }
    bool IsActive() const override { return m_active; }

private:
    const MapToolHost& m_host;
    bool m_active = false;
    std::optional<CPoint> m_last;
};

// A click fills the connected area of the clicked cell's tile with the
// block; Shift+click every cell of that tile.
class FillTool : public CMapTool {
public:
    explicit FillTool(const MapToolHost& host) : m_host(host) {}
    void Press(const ToolEvent& e) override
    {
        if (e.button != Qt::LeftButton || !e.onMap) return;
        m_host.doc->PaintBrush().DrawNextVariation();
        m_host.doc->FloodFill(e.cell.x, e.cell.y, (e.modifiers & Qt::ShiftModifier) != 0);
    }

private:
    const MapToolHost& m_host;
};

// A drag frames cells; the release picks them (one cell for a click) and
// the stamp tool comes back. On the attribute layer it takes the clicked
// cell's value as the current one.
class PickerTool : public BandTool {
public:
    explicit PickerTool(const MapToolHost& host) : BandTool(host, true) {}

private:
    void BandChosen(const CRect& cells) override
    {
        CZellDoc& doc = *m_host.doc;
        // On the attribute layer the picker takes the first cell's value.
        if (doc.OnAttrLayer())
            doc.SetCurrentAttrValue(doc.CellAttribute(cells.left, cells.top));
        else
            PickCells(doc, cells);
        m_host.switchTool(MapTool::Stamp);
    }
};

// A drag selects a rectangle; a click outside the selection drops it; a
// drag that starts inside moves its cells.
class SelectTool : public CMapTool {
public:
    explicit SelectTool(const MapToolHost& host) : m_host(host) {}
    void Press(const ToolEvent& e) override
    {
        if (e.button != Qt::LeftButton || !e.onMap) return;
        const CRect& selection = m_host.doc->MapSelection();
        m_moving = !selection.IsRectEmpty() && selection.PtInRect(e.cell);
        m_anchor = m_cell = e.cell;
        m_moved = false;
    }
    void Move(const ToolEvent& e) override
    {
        if (!m_anchor) return;
        m_moved = m_moved || e.cell != *m_anchor;
        m_cell = e.cell;
    }
    void Release(const ToolEvent& e) override
    {
        if (!m_anchor || e.button != Qt::LeftButton) return;
        Move(e);
        const CPoint anchor = *m_anchor;
        m_anchor.reset();
        CZellDoc& doc = *m_host.doc;
        if (m_moving) {
            const CRect from = doc.MapSelection();
            const CRect to = MovedRect(from, anchor);
            if (to.TopLeft() != from.TopLeft()) doc.MoveCells(from, to.TopLeft());
            return;
        }
        doc.SetMapSelection(m_moved ? CellsBetween(anchor, m_cell) : CRect());
    }
    void Cancel() override { m_anchor.reset(); }
    bool IsActive() const override { return m_anchor.has_value(); }
    ToolOverlay Overlay() const override
    {
        if (!m_anchor) return {};
        if (m_moving) return {std::nullopt, MovedRect(m_host.doc->MapSelection(), *m_anchor), std::nullopt};
        if (!m_moved) return {};
        return {CellsBetween(*m_anchor, m_cell), std::nullopt, std::nullopt};
    }

private:
    CRect MovedRect(const CRect& from, CPoint anchor) const
    {
        CRect to = from;
        to.OffsetRect(m_cell.x - anchor.x, m_cell.y - anchor.y);
        return to;
    }

    const MapToolHost& m_host;
    std::optional<CPoint> m_anchor;
    CPoint m_cell;
    bool m_moving = false;
    bool m_moved = false;
};

}  // namespace

std::unique_ptr<CMapTool> MakeMapTool(MapTool tool, const MapToolHost& host)
{
    switch (tool) {
    case MapTool::Eraser: return std::make_unique<EraserTool>(host);
    case MapTool::Fill: return std::make_unique<FillTool>(host);
    case MapTool::Select: return std::make_unique<SelectTool>(host);
    case MapTool::Picker: return std::make_unique<PickerTool>(host);
    case MapTool::Stamp: return std::make_unique<AttrStampTool>(host);
    default: break;  // penciltool.h, shapetool.h
    }
    return nullptr;
}
