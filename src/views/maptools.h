// The map pane's tools other than the stamp: eraser, fill, rectangle
// selection and picker, and on the attribute layer the stamp too (every
// tool asks the document which layer it paints). A tool hears the pointer on cells (press, move,
// release, cancel) and changes the map only through the document; what it
// wants drawn over the cells it describes as data (Overlay), and the pane
// draws that. The stamp tool is the pane's own editing (mapview_edit.cpp).
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "wintypes.h"

class CZellDoc;
enum class MapTool;

struct ToolEvent {
    CPoint cell;  // under the pointer, taken to the map's nearest cell
    bool onMap;   // the pointer is over a cell, not past the map's edges
    UINT flags;   // MK_SHIFT, MK_CONTROL
};

// What the pane draws over the cells for the tool.
struct ToolOverlay {
    std::optional<CRect> band;        // cells framed as the drag band
    std::optional<CRect> movedCells;  // where the selection being moved would land
};

class CMapTool {
public:
    virtual ~CMapTool() = default;
    virtual void Press(const ToolEvent& e) = 0;
    virtual void Move(const ToolEvent& e) = 0;
    virtual void Release(const ToolEvent& e) = 0;
    // Esc, or the pointer lost: the gesture ends without an edit.
    virtual void Cancel() = 0;
    virtual bool IsActive() const = 0;
    virtual ToolOverlay Overlay() const { return {}; }
};

// What the tools may ask of the pane besides the document.
struct MapToolHost {
    CZellDoc* doc = nullptr;
    std::function<void(MapTool)> switchTool;
};

// The tool for the document's active layer; none for the stamp on the tile
// layer (the pane's own editing).
std::unique_ptr<CMapTool> MakeMapTool(MapTool tool, const MapToolHost& host);

// The rectangle of cells from a to b, both included, in any order.
CRect CellsBetween(CPoint a, CPoint b);
// The picker's block: the cells of the rectangle as a block from the map.
void PickCells(CZellDoc& doc, const CRect& cells);
