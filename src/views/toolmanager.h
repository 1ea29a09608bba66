// The map pane's tools: one object of each, kept for the pane's life, and
// the one in use. The manager answers the tools' commands and their check
// state (one exclusive group: menu, edit toolbar and single keys), and
// takes the stamp back whenever a block taken from the map or the
// clipboard becomes the brush.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QObject>

#include "cmdtarget.h"
#include "maptool.h"

class CToolManager : public CCmdTarget {
public:
    CToolManager();
    ~CToolManager() override;

    // The document the tools edit (none: the commands are greyed).
    void SetDocument(CZellDoc* doc);
    // The tool switch is asked for while a tool runs: done once it returned.
    void SetSwitchLater(std::function<void(MapTool)> later) { m_host.switchTool = std::move(later); }
    // Asked by a tool whose marks are to show as they are now.
    void SetMarksChanged(std::function<void()> changed) { m_host.marksChanged = std::move(changed); }
    // Told after every switch of the tool in use.
    void SetOnSwitched(std::function<void()> switched) { m_onSwitched = std::move(switched); }

    MapTool Tool() const { return m_tool; }
    // The object of the tool in use; the stamp paints attributes on the attribute layer.
    CMapTool& Current();
    const CMapTool& Current() const;
    // Ends the gesture of the tool in use, then switches to tool.
    void Select(MapTool tool);
    // The layer changed: a gesture of the stamp under way ends.
    void LayerChanged();

    static UINT CommandOf(MapTool tool);
    // The tools in the order of the tools menu.
    static const std::vector<MapTool>& AllTools();

private:
    MapToolHost m_host;
    MapTool m_tool = MapTool::Stamp;
    // The shape tool's command cycles its kinds; the kinds' commands.
    void AddShapeCommands();

    std::vector<std::unique_ptr<CMapTool>> m_tools;  // by MapTool
    std::unique_ptr<CMapTool> m_attrStamp;
    std::function<void()> m_onSwitched;
    // The document whose brush is watched, and the watch.
    CZellDoc* m_pWatched = nullptr;
    QMetaObject::Connection m_watch;
    bool m_bWasAttrLayer = false;
};
