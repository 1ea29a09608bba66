// File New, Open and Save, and opening the source bitmap.
#include <climits>

#include "afxmsg.h"
#include "celllayers.h"
#include "docpanes.h"
#include "filedialog.h"
#include "zelldoc.h"

namespace {

// The dialog's counts are unsigned; a count beyond what int holds cannot be
// allocated anyway, and must not turn into a negative map size.
int MapCountFromDialog(unsigned count) { return count > unsigned(INT_MAX) ? INT_MAX : int(count); }

}  // namespace

void CZellDoc::OnFileNew()
{
    if (!m_tileList.IsEmpty()) {
        if (AfxMessageBox(kMsgAskEraseTilesForNewMap, MB_YESNO) != IDYES) return;
        DeleteAllTiles();
        ReinitialisePane(DocPane(&CMainFrame::m_pTileView));
    }

    m_dlgNewMap.m_nMapWidth = unsigned(m_nMapWidth);
    m_dlgNewMap.m_nMapHeight = unsigned(m_nMapHeight);
    m_dlgNewMap.m_nTileWidth = m_nTileWidth;
    m_dlgNewMap.m_nTileHeight = m_nTileHeight;
    if (m_dlgNewMap.DoModal() != IDOK) return;

    m_nMapWidth = MapCountFromDialog(m_dlgNewMap.m_nMapWidth);
    m_nMapHeight = MapCountFromDialog(m_dlgNewMap.m_nMapHeight);
    m_nTileWidth = m_dlgNewMap.m_nTileWidth;
    m_nTileHeight = m_dlgNewMap.m_nTileHeight;
    m_bShowTileAttr = FALSE;

    if (m_dib.m_bLoaded) {
        m_dib.Free();
        ReinitialisePane(DocPane(&CMainFrame::m_pBmpView));
    }

    // The map view makes both layers anew at the new size in its initial
    // update, and says so when it cannot.
    if (CMapView* map = DocPane(&CMainFrame::m_pMapView)) ReleaseLayers(map->m_pTileLayer, map->m_pAttrLayer);
    ReinitialisePane(DocPane(&CMainFrame::m_pMapView));
    ReinitialisePane(DocPane(&CMainFrame::m_pSmallMapView));
}

void CZellDoc::OnFileOpen() { LoadMapFile(); }

void CZellDoc::OnFileSave()
{
    if (RefuseSaveWithoutBitmap()) return;
    SaveMapFile();
}

void CZellDoc::OnOpenBitmap()
{
    CFileDialog dialog(TRUE, "비트맵 ( BMP )", "*.bmp", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    if (dialog.DoModal() != IDOK) return;
    // Load reports its own errors; the bitmap view then shows no bitmap.
    m_dib.Load(dialog.GetPathName());
    ReinitialisePane(DocPane(&CMainFrame::m_pBmpView));
}
