#include "toolmanager.h"

#include "maptools.h"
#include "resource.h"
#include "shapetool.h"
#include "stamptool.h"
#include "zelldoc.h"

namespace {
constexpr MapTool kTools[] = {MapTool::Stamp,  MapTool::Eraser, MapTool::Fill,
                              MapTool::Select, MapTool::Picker, MapTool::Shape};
// Each tool's command, in the order of MapTool.
constexpr UINT kToolCommands[] = {ID_TOOL_STAMP,  ID_TOOL_ERASER, ID_TOOL_FILL,
                                  ID_TOOL_SELECT, ID_TOOL_PICKER, ID_TOOL_SHAPE};
}  // namespace

CToolManager::CToolManager()
{
    for (MapTool tool : kTools) {
        if (tool == MapTool::Shape)
            m_tools[int(tool)] = std::make_unique<CShapeTool>(m_host);
        else
            m_tools[int(tool)] =
                tool == MapTool::Stamp ? std::make_unique<CStampTool>(m_host) : MakeMapTool(tool, m_host);
        const UINT id = CommandOf(tool);
        OnCommand(id, [this, tool] { Select(tool); });
        OnUpdateCommandUI(id, [this, tool](CCmdUI* pUI) {
            pUI->Enable(m_host.doc != nullptr);
            pUI->SetCheck(m_host.doc && m_tool == tool);
        });
    }
    m_attrStamp = MakeMapTool(MapTool::Stamp, m_host);
    AddShapeCommands();
}

CToolManager::~CToolManager()
{
    if (m_pWatched) QObject::disconnect(m_watch);
}

UINT CToolManager::CommandOf(MapTool tool) { return kToolCommands[int(tool)]; }

void CToolManager::AddShapeCommands()
{
    auto& shapes = static_cast<CShapeTool&>(*m_tools[int(MapTool::Shape)]);
    // The shape tool's command again, while it is in use, picks the next kind.
    OnCommand(ID_TOOL_SHAPE, [this, &shapes] {
        if (m_tool != MapTool::Shape) return Select(MapTool::Shape);
        shapes.SetKind(NextShapeKind(shapes.Kind()));
        if (m_onSwitched) m_onSwitched();
    });
    for (const CellShape kind : kShapeKinds) {
        OnCommand(ShapeKindCommand(kind), [this, &shapes, kind] {
            shapes.SetKind(kind);
            if (m_tool != MapTool::Shape) return Select(MapTool::Shape);
            if (m_onSwitched) m_onSwitched();
        });
        OnUpdateCommandUI(ShapeKindCommand(kind), [this, &shapes, kind](CCmdUI* pUI) {
            pUI->Enable(m_host.doc != nullptr);
            pUI->SetCheck(m_host.doc && shapes.Kind() == kind);
        });
    }
}

void CToolManager::SetDocument(CZellDoc* doc)
{
    if (doc == m_host.doc) return;
    if (m_pWatched) QObject::disconnect(m_watch);
    m_host.doc = m_pWatched = doc;
    // A block from the map or the clipboard is painted with the stamp.
    if (doc)
        m_watch = QObject::connect(&doc->PaintBrush(), &CPaintBrush::TakenFromMap, [this] { Select(MapTool::Stamp); });
    m_bWasAttrLayer = doc && doc->OnAttrLayer();
}

CMapTool& CToolManager::Current()
{
    if (m_tool == MapTool::Stamp && m_host.doc && m_host.doc->OnAttrLayer()) return *m_attrStamp;
    return *m_tools[int(m_tool)];
}

const CMapTool& CToolManager::Current() const { return const_cast<CToolManager*>(this)->Current(); }

void CToolManager::Select(MapTool tool)
{
    Current().Cancel();
    Current().ForgetHover(true);
    m_tool = tool;
    m_bWasAttrLayer = m_host.doc && m_host.doc->OnAttrLayer();
    Current().Cancel();
    Current().ForgetHover(true);
    if (m_onSwitched) m_onSwitched();
}

void CToolManager::LayerChanged()
{
    const bool attrLayer = m_host.doc && m_host.doc->OnAttrLayer();
    if (attrLayer == m_bWasAttrLayer) return;
    m_bWasAttrLayer = attrLayer;
    // The stamp of the other layer takes over from its start.
    for (CMapTool* stamp : {m_tools[int(MapTool::Stamp)].get(), m_attrStamp.get()}) {
        stamp->Cancel();
        stamp->ForgetHover(true);
    }
    if (m_onSwitched) m_onSwitched();
}
