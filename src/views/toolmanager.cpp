#include "toolmanager.h"

#include <QSettings>
#include <utility>

#include "app.h"
#include "maptools.h"
#include "penciltool.h"
#include "resource.h"
#include "shapetool.h"
#include "stamptool.h"
#include "zelldoc.h"

namespace {
// Each tool and its command.
constexpr std::pair<MapTool, UINT> kToolCommands[] = {
    {MapTool::Stamp, ID_TOOL_STAMP},   {MapTool::Eraser, ID_TOOL_ERASER}, {MapTool::Fill, ID_TOOL_FILL},
    {MapTool::Select, ID_TOOL_SELECT}, {MapTool::Picker, ID_TOOL_PICKER}, {MapTool::Pencil, ID_TOOL_PENCIL},
    {MapTool::Shape, ID_TOOL_SHAPE},
};
constexpr const char* kRandomPaintKey = "Settings/RandomPaint";

QSettings* AppSettings() { return AfxGetApp() ? AfxGetApp()->Settings() : nullptr; }
}  // namespace

const std::vector<MapTool>& CToolManager::AllTools()
{
    static const std::vector<MapTool> tools = [] {
        std::vector<MapTool> all;
        for (const auto& [tool, id] : kToolCommands) all.push_back(tool);
        return all;
    }();
    return tools;
}

CToolManager::CToolManager() : m_tools(AllTools().size())
{
    for (MapTool tool : AllTools()) {
        if (tool == MapTool::Stamp)
            m_tools[int(tool)] = std::make_unique<CStampTool>(m_host);
        else if (tool == MapTool::Pencil)
            m_tools[int(tool)] = std::make_unique<CPencilTool>(m_host);
        else if (tool == MapTool::Shape)
            m_tools[int(tool)] = std::make_unique<CShapeTool>(m_host);
        else
            m_tools[int(tool)] = MakeMapTool(tool, m_host);
        const UINT id = CommandOf(tool);
        OnCommand(id, [this, tool] { Select(tool); });
        OnUpdateCommandUI(id, [this, tool](CCmdUI* pUI) {
            pUI->Enable(m_host.doc != nullptr);
            pUI->SetCheck(m_host.doc && m_tool == tool);
        });
    }
    m_attrStamp = MakeMapTool(MapTool::Stamp, m_host);
    // Random paint belongs to the brush; the choice is kept between runs.
    OnCommand(ID_TOOL_RANDOM, [this] {
        if (!m_host.doc) return;
        CPaintBrush& brush = m_host.doc->PaintBrush();
        brush.SetRandomMode(!brush.RandomMode());
        if (QSettings* settings = AppSettings())
            settings->setValue(QString::fromLatin1(kRandomPaintKey), brush.RandomMode());
    });
    OnUpdateCommandUI(ID_TOOL_RANDOM, [this](CCmdUI* pUI) {
        pUI->Enable(m_host.doc != nullptr);
        pUI->SetCheck(m_host.doc && m_host.doc->PaintBrush().RandomMode());
    });
    AddShapeCommands();
}

CToolManager::~CToolManager()
{
    if (m_pWatched) QObject::disconnect(m_watch);
}

UINT CToolManager::CommandOf(MapTool tool)
{
    for (const auto& [each, id] : kToolCommands)
        if (each == tool) return id;
    return 0;
}

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
    if (const QSettings* settings = AppSettings(); doc && settings)
        doc->PaintBrush().SetRandomMode(settings->value(QString::fromLatin1(kRandomPaintKey), false).toBool());
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
