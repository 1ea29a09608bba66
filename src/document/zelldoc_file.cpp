// File New, Open and Save, and opening the source bitmap.
#include <climits>

#include "afxmsg.h"
#include "filedialog.h"
#include "maphint.h"
#include "zelldoc.h"

namespace {

// The dialog's counts are unsigned; a count beyond what int holds cannot be
// allocated anyway, and must not turn into a negative map size.
int MapCountFromDialog(unsigned count) { return count > unsigned(INT_MAX) ? INT_MAX : int(count); }

}  // namespace

void CZellDoc::MakeNewMapCells(int mapWidth, int mapHeight)
{
    // A map too large for its layers says so and stays without cells: the
    // panes then draw nothing of it, and it cannot be saved.
    if (const char* message = LayerAllocMessage(m_map.m_cells.Create(mapWidth, mapHeight)))
        AfxMessageBox(message, MB_OK | MB_PLAIN_WINDOW_BOX);
    UpdateAllViews(nullptr, HINT_NEW_MAP);
}

void CZellDoc::OnFileNew()
{
    if (!SaveModified()) return;
    if (!Tiles().IsEmpty()) {
        if (AfxMessageBox(kMsgAskEraseTilesForNewMap, MB_YESNO) != IDYES) return;
        // A step of its own: cancelling the new map's dialog keeps it, and
        // it can be undone like any erase.
        std::vector<int> all(std::size_t(Tiles().GetCount()));
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = int(i);
        RemoveTiles(QStringLiteral("타일 전체지우기"), std::move(all));
    }

    m_dlgNewMap.m_nMapWidth = unsigned(MapWidth());
    m_dlgNewMap.m_nMapHeight = unsigned(MapHeight());
    m_dlgNewMap.m_nTileWidth = m_map.m_nTileWidth;
    m_dlgNewMap.m_nTileHeight = m_map.m_nTileHeight;
    if (m_dlgNewMap.DoModal() != IDOK) return;

    m_map.m_nTileWidth = m_dlgNewMap.m_nTileWidth;
    m_map.m_nTileHeight = m_dlgNewMap.m_nTileHeight;
    m_bShowTileAttr = FALSE;

    if (m_dib.m_bLoaded) {
        m_dib.Free();
        m_strBitmapPath.clear();
        UpdateAllViews(nullptr, HINT_BITMAP);
    }
    // A new map starts a fresh history, and has no file yet.
    m_undoStack.clear();
    SetPathName({});
    MakeNewMapCells(MapCountFromDialog(m_dlgNewMap.m_nMapWidth), MapCountFromDialog(m_dlgNewMap.m_nMapHeight));
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
    m_strBitmapPath = m_dib.m_bLoaded ? dialog.GetPathName() : std::string();
    UpdateAllViews(nullptr, HINT_BITMAP);
}

void CZellDoc::OnEditUndo() { m_undoStack.undo(); }

void CZellDoc::OnEditRedo() { m_undoStack.redo(); }
