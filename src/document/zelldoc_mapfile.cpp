// Saving and loading the map file around the reader and writer. Loading
// reads and checks the whole file before anything is replaced, so a bad
// file leaves the user's tiles, sizes and cells as they were.
#include "afxmsg.h"
#include "celllayers.h"
#include "docpanes.h"
#include "filedialog.h"
#include "mapfile.h"
#include "zelldoc.h"

namespace {

constexpr DWORD kMapDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

}  // namespace

bool CZellDoc::RefuseSaveWithoutBitmap() const
{
    if (m_dib.m_bLoaded) return false;
    AfxMessageBox(kMsgLoadBitmapFirst, MB_OK);
    return true;
}

void CZellDoc::SaveMapFile()
{
    if (RefuseSaveWithoutBitmap()) return;
    CFileDialog dialog(FALSE, "Map", "*.Map", kMapDialogFlags);
    if (dialog.DoModal() != IDOK) return;
    SaveMapFileTo(dialog.GetPathName());
}

void CZellDoc::LoadMapFile()
{
    CFileDialog dialog(TRUE, "Map", "*.Map", kMapDialogFlags);
    if (dialog.DoModal() != IDOK) return;
    LoadMapFileFrom(dialog.GetPathName());
}

bool CZellDoc::SaveMapFileTo(const std::string& path)
{
    if (RefuseSaveWithoutBitmap()) return false;
    const CMapView* map = DocPane(&CMainFrame::m_pMapView);
    // A map whose cells could not be made has nothing to save: writing
    // cells that do not exist would give a file no one can read back.
    if (map && (!map->m_pTileLayer || !map->m_pAttrLayer) && LayerCellCount(m_nMapWidth, m_nMapHeight) != 0) {
        AfxMessageBox(map->m_pTileLayer ? kMsgAttrLayerAllocFailed : kMsgTileLayerAllocFailed, MB_OK);
        return false;
    }

    MapSaveInput input;
    input.mapWidth = m_nMapWidth;
    input.mapHeight = m_nMapHeight;
    input.tileWidth = m_nTileWidth;
    input.tileHeight = m_nTileHeight;
    input.tiles = &m_tileList;
    input.bitmapBitCount = m_dib.GetBitCount();
    input.bitmapColours = m_dib.GetBitCount() == 8 ? m_dib.m_pColors : nullptr;
    input.tileLayer = map ? map->m_pTileLayer : nullptr;
    input.attrLayer = map ? map->m_pAttrLayer : nullptr;

    const MapWriteResult result = WriteMapFile(path, input);
    if (const char* message = MapWriteMessage(result)) AfxMessageBox(message, MB_OK);
    return result == MapWriteResult::Ok;
}

bool CZellDoc::LoadMapFileFrom(const std::string& path)
{
    MapFileContent content;
    const MapReadResult result = ReadMapFile(path, content);
    if (result != MapReadResult::Ok) {
        if (const char* message = MapReadMessage(result)) AfxMessageBox(message, MB_OK);
        return false;
    }

    DeleteAllTiles();
    for (SpritePtr& tile : content.tiles) {
        // The reader hands over filled tiles only, which the list always
        // takes; one it would not take must not leak.
        CSprite* raw = tile.release();
        if (m_tileList.AddTail(raw) < 0) SpriteDeleter{}(raw);
    }
    m_nMapWidth = content.mapWidth;
    m_nMapHeight = content.mapHeight;
    m_nTileWidth = content.tileWidth;
    m_nTileHeight = content.tileHeight;
    // Without a map view the cells have nowhere to go and are dropped.
    if (CMapView* map = DocPane(&CMainFrame::m_pMapView))
        ReplaceLayers(map->m_pTileLayer, map->m_pAttrLayer, content.tileLayer.release(), content.attrLayer.release());

    // A loaded map never keeps the source bitmap.
    ReinitialisePane(DocPane(&CMainFrame::m_pTileView));
    m_dib.Free();
    ReinitialisePane(DocPane(&CMainFrame::m_pBmpView));
    ReinitialisePane(DocPane(&CMainFrame::m_pMapView));
    ReinitialisePane(DocPane(&CMainFrame::m_pSmallMapView));
    return true;
}
