// What a tool of the map pane is: it hears the pointer on cells (press,
// move, release, hover, enter and leave), keys and modifier changes, edits
// only through the document, and describes what it wants drawn over the
// cells as data (Overlay) that the pane paints. Every method has a default
// that does nothing, so a tool writes only what it uses.
#pragma once

#include <Qt>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "floodfill.h"
#include "wintypes.h"

class CZellDoc;

// The map pane's tools, in the order of the tools menu.
enum class MapTool {
    Stamp,
    Eraser,
    Fill,
    Select,
    Picker,
    Pencil,
    Shape,
};

struct ToolEvent {
    CPoint cell;                            // under the pointer, taken to the map's nearest cell
    bool onMap;                             // the pointer is over a cell, not past the map's edges
    Qt::MouseButton button = Qt::NoButton;  // the button pressed or released; none for a move
    Qt::KeyboardModifiers modifiers;
    // Screen pixels from the pointer to the pane's nearest edge (negative outside).
    int edgeDistance = 1 << 20;
};

// What the pane draws over the cells for the tool.
struct ToolOverlay {
    // Cells framed as the drag band; a band dragged back past its anchor
    // has its corners crossed (left > right), and is framed so.
    std::optional<CRect> band;
    std::optional<CRect> movedCells;  // where the selection being moved would land
    std::optional<CPoint> brushAt;    // the brush previewed with its top-left entry here
    // Cells highlighted as those a release would paint (a new list whenever they change).
    std::shared_ptr<const std::vector<CellSpan>> cellsToPaint = {};
};

class CMapTool {
public:
    virtual ~CMapTool() = default;
    virtual void Press(const ToolEvent&) {}
    // The pointer moved with a button down.
    virtual void Move(const ToolEvent&) {}
    virtual void Release(const ToolEvent&) {}
    // The pointer moved with no button down.
    virtual void Hover(const ToolEvent&) {}
    virtual void Enter() {}
    virtual void Leave() {}
    // True when the tool took the key.
    virtual bool KeyPress(int /*key*/, Qt::KeyboardModifiers) { return false; }
    virtual void ModifiersChanged(Qt::KeyboardModifiers) {}
    // Esc, the pointer lost, another tool: the gesture ends without an edit.
    virtual void Cancel() {}
    // The cells moved under the pointer (scroll, zoom, an edit): what
    // followed the pointer goes until it moves again; into another cell
    // unless sameCellShowsAgain.
    virtual void ForgetHover(bool /*sameCellShowsAgain*/) {}
    virtual bool IsActive() const { return false; }
    // The pane holds the pointer for the tool while its gesture lasts.
    virtual bool CapturesPointer() const { return false; }
    virtual ToolOverlay Overlay() const { return {}; }
    // The straight line of cells a click would paint now, from first to second.
    virtual std::optional<std::pair<CPoint, CPoint>> LinePreview() const { return std::nullopt; }
    // What the status bar says for the tool now (nothing: the usual text).
    virtual QString StatusText() const { return {}; }
};

// What the tools may ask of the pane besides the document.
struct MapToolHost {
    CZellDoc* doc = nullptr;
    // The tool in use becomes another once the tool asking has returned.
    std::function<void(MapTool)> switchTool;
    // The marks are to be drawn anew now (before a dialog shows, say).
    std::function<void()> marksChanged;
};
