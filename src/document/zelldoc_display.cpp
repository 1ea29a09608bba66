// The display switches and the colour of the numbers printed over tiles.
#include "maphint.h"
#include "zelldoc.h"

void CZellDoc::OnShowPaletteAttr()
{
    m_bShowPaletteAttr = !m_bShowPaletteAttr;
    PaletteChanged(HINT_PALETTE);
}

void CZellDoc::OnShowTileNumbers()
{
    m_bShowTileNumbers = !m_bShowTileNumbers;
    UpdateAllViews(nullptr, HINT_OVERLAY);
}

void CZellDoc::OnShowTileAttr()
{
    m_bShowTileAttr = !m_bShowTileAttr;
    UpdateAllViews(nullptr, HINT_OVERLAY);
}

void CZellDoc::OnShowMapAttr()
{
    m_bShowMapAttr = !m_bShowMapAttr;
    UpdateAllViews(nullptr, HINT_OVERLAY);
}

void CZellDoc::OnShowAttrColours()
{
    m_bShowAttrColours = !m_bShowAttrColours;
    UpdateAllViews(nullptr, HINT_OVERLAY);
}

void CZellDoc::OnTextColor()
{
    TextColour colour = TextRgb();
    if (!Prompts().EditTextColour(colour)) return;
    SetTextColour(colour);
    UpdateAllViews(nullptr, HINT_TEXT_COLOUR);
}
