// The layer the map's tools paint, the current attribute value, and the
// user's edits of the value list (names, colours, added and removed values).
#include "maphint.h"
#include "undocommands.h"
#include "zelldoc.h"
#include "translation.h"

void CZellDoc::SetActiveLayer(CellLayer layer)
{
    if (layer == m_activeLayer) return;
    m_activeLayer = layer;
    LPARAM hint = HINT_LAYER;
    if (layer == CellLayer::Attributes && !m_bShowAttrColours) {
        m_bShowAttrColours = TRUE;
        hint |= HINT_OVERLAY;
    }
    UpdateAllViews(nullptr, hint);
}

void CZellDoc::SetCurrentAttrValue(short value)
{
    if (value == m_nCurrentAttr) return;
    m_nCurrentAttr = value;
    UpdateAllViews(nullptr, HINT_LAYER);
}

LayerScope CZellDoc::EditScope() const { return OnAttrLayer() ? LayerScope::AttributesOnly : LayerScope::Both; }

void CZellDoc::PaintAttributes(const CRect& area)
{
    const short value = m_nCurrentAttr;
    RecordCellEdit(Pellin::tr("속성 칠하기"), [&](CCellLayers& cells) { return SetAttributes(cells, area, value); });
}

void CZellDoc::RecordAttrValues(const QString& step, const std::vector<AttrValueDetails>& before)
{
    std::vector<AttrValueDetails> after = m_attrValues.Kept();
    if (after == before) return;
    // The change is made; the step's first redo puts the same list again.
    if (!PushStep([&] { return new CAttrValuesCommand(*this, step, before, std::move(after)); }))
        PutKeptAttrValues(before);  // no step: the change goes back
}

bool CZellDoc::AddAttrValue(const AttrValueDetails& details)
{
    const std::vector<AttrValueDetails> before = m_attrValues.Kept();
    if (!m_attrValues.Add(details)) return false;
    RecordAttrValues(Pellin::tr("속성 값 추가"), before);
    return true;
}

void CZellDoc::SetAttrValueDetails(short value, const std::string& name, std::optional<AttrColour> colour)
{
    const std::vector<AttrValueDetails> before = m_attrValues.Kept();
    if (value != 0) m_attrValues.SetName(value, name);
    m_attrValues.SetColour(value, colour);
    RecordAttrValues(Pellin::tr("속성 값 고치기"), before);
}

bool CZellDoc::RemoveAttrValue(short value)
{
    const std::vector<AttrValueDetails> before = m_attrValues.Kept();
    if (!m_attrValues.Remove(value)) return false;
    RecordAttrValues(Pellin::tr("속성 값 지우기"), before);
    return true;
}

void CZellDoc::PutKeptAttrValues(const std::vector<AttrValueDetails>& kept)
{
    m_attrValues.Keep(kept);
    UpdateAllViews(nullptr, HINT_ATTR_VALUES);
}
