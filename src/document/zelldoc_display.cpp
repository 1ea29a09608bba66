// The display switches and the colour of the numbers printed over tiles.
#include "docpanes.h"
#include "zelldoc.h"

void CZellDoc::OnShowPaletteAttr()
{
    m_bShowPaletteAttr = !m_bShowPaletteAttr;
    ReinitialisePane(DocPane(&CMainFrame::m_pTileView));
}

void CZellDoc::OnShowTileNumbers()
{
    m_bShowTileNumbers = !m_bShowTileNumbers;
    RepaintPane(DocPane(&CMainFrame::m_pMapView), TRUE);
}

void CZellDoc::OnShowTileAttr()
{
    m_bShowTileAttr = !m_bShowTileAttr;
    RepaintPane(DocPane(&CMainFrame::m_pMapView), TRUE);
}

void CZellDoc::OnShowMapAttr()
{
    m_bShowMapAttr = !m_bShowMapAttr;
    RepaintPane(DocPane(&CMainFrame::m_pMapView), TRUE);
}

void CZellDoc::OnTextColor()
{
    m_dlgTextColor.m_byRed = m_byTextRed;
    m_dlgTextColor.m_byGreen = m_byTextGreen;
    m_dlgTextColor.m_byBlue = m_byTextBlue;
    if (m_dlgTextColor.DoModal() != IDOK) return;
    m_byTextRed = m_dlgTextColor.m_byRed;
    m_byTextGreen = m_dlgTextColor.m_byGreen;
    m_byTextBlue = m_dlgTextColor.m_byBlue;
    RepaintPane(DocPane(&CMainFrame::m_pMapView), TRUE);
    RepaintPane(DocPane(&CMainFrame::m_pTileView), TRUE);
}
