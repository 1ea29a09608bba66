// The stamp on the tile layer, the tool used most. With a brush, the brush
// is previewed under the pointer, a click stamps it and a drag fills the
// band with it repeated; without one, a click or a drag sets the map
// attribute of the cells through the map attribute dialog. Ctrl+click
// picks the cell as the brush, a right drag picks the cells it frames, and
// a right click drops the brush.
#pragma once

#include <optional>

#include "maptool.h"

class CStampTool : public CMapTool {
public:
    explicit CStampTool(const MapToolHost& host) : m_host(host) {}

    void Press(const ToolEvent& e) override;
    void Move(const ToolEvent& e) override;
    void Release(const ToolEvent& e) override;
    void Hover(const ToolEvent& e) override;
    void Cancel() override;
    void ForgetHover(bool sameCellShowsAgain) override;
    bool IsActive() const override { return m_anchor.has_value(); }
    bool CapturesPointer() const override { return true; }
    ToolOverlay Overlay() const override;

private:
    bool HasBrush() const;
    void PressLeft(const ToolEvent& e);
    void PressRight(const ToolEvent& e);
    void ReleaseLeft();
    void ReleaseRight(const ToolEvent& e);
    // The cells the band from the anchor to the end covers: a band dragged
    // back past its anchor keeps only the cells between the two.
    CRect BandCells() const;
    // Asks for the attribute of the cells (the first one's shown) and sets it.
    void AskAttribute(const CRect& cells);
    void Pick(const CRect& cells);

    const MapToolHost& m_host;
    std::optional<CPoint> m_anchor;  // the pressed cell while a drag lasts
    CPoint m_end;                    // the cell last under the pointer
    bool m_moved = false;            // the pointer moved after the press
    bool m_right = false;            // the drag is the right button's pick
    // The brush's top-left previewed here, and the cell last previewed: the
    // preview comes back only in another cell.
    std::optional<CPoint> m_preview;
    std::optional<CPoint> m_lastPreview;
};
