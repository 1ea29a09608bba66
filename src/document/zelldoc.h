// The one map document: tile geometry, map size, the source bitmap, the
// tile set, the tile block selected in the palette, the display switches
// and the colour of the numbers printed over tiles. The map's cells live
// in the map view; the document reaches the panes through the main frame.
// Every editing command of the menu, toolbar and palette pop-up lands here.
#pragma once

#include <string>

#include "dialogs/newmapdlg.h"
#include "dialogs/textcolordlg.h"
#include "dialogs/tilearrangedlg.h"
#include "dialogs/tileattrdlg.h"
#include "dib.h"
#include "document.h"
#include "tilelist.h"

class CCmdUI;

// Shown when saving without the bitmap whose colours the file must carry.
inline constexpr const char* kMsgLoadBitmapFirst = "팔렛트로 읽을 비트맵을 먼저 읽으세요";
inline constexpr const char* kMsgAskEraseTilesForNewMap = "타일을 모두 지워야 합니다(지울까요?)";
inline constexpr const char* kMsgAskEraseAllTiles = "타일을 모두 지울까요?";
inline constexpr const char* kMsgAskEraseSelectedTiles = "선택된 타일을 지울까요?(맵에서 사용한 타일 지울시 빡나용)";

class CZellDoc : public CDocument {
public:
    CZellDoc();
    ~CZellDoc() override;

    BOOL OnNewDocument() override;
    // Removes every tile from the list and frees it; leaves the selected
    // block and the map's cells alone.
    void DeleteAllTiles();

    // Map files: the dialogs and refreshes around the reader and writer.
    void SaveMapFile();
    void LoadMapFile();
    // The same without the file dialog; true when the file was written/read.
    // A refused file leaves the document and the panes exactly as they were.
    bool SaveMapFileTo(const std::string& path);
    bool LoadMapFileFrom(const std::string& path);

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnOpenBitmap();
    void OnBitmapAllTiles();
    void OnTileArrange();
    void OnTileSetAttr();
    void OnShowPaletteAttr();
    void OnTileEraseAll();
    void OnTileEraseSelected();
    void OnShowTileNumbers();
    void OnShowTileAttr();
    void OnShowMapAttr();
    void OnTileFillAll();
    void OnTextColor();

    // Enable and check rules.
    void OnUpdateHaveBitmap(CCmdUI* pCmdUI);
    void OnUpdateHaveTiles(CCmdUI* pCmdUI);
    void OnUpdateHaveSelection(CCmdUI* pCmdUI);
    void OnUpdateShowTileNumbers(CCmdUI* pCmdUI);
    void OnUpdateShowPaletteAttr(CCmdUI* pCmdUI);
    void OnUpdateShowTileAttr(CCmdUI* pCmdUI);
    void OnUpdateShowMapAttr(CCmdUI* pCmdUI);

    CDib m_dib;
    CNewMapDlg m_dlgNewMap;
    BYTE m_nTileWidth = 32;
    BYTE m_nTileHeight = 32;
    int m_nMapWidth = 20;
    int m_nMapHeight = 15;
    CTileList m_tileList;
    CTileArrangeDlg m_dlgTileArrange;
    CTileAttrDlg m_dlgTileAttr;
    CTextColorDlg m_dlgTextColor;
    int m_nTilesPerRow = 10;
    BOOL m_bTileSelected = FALSE;
    short* m_pSelTiles = nullptr;
    int m_nSelCols = 0;
    int m_nSelRows = 0;
    BOOL m_bShowTileNumbers = FALSE;
    BOOL m_bShowMapAttr = FALSE;
    BOOL m_bShowTileAttr = FALSE;
    BOOL m_bShowPaletteAttr = FALSE;
    BYTE m_byTextRed = 0;
    BYTE m_byTextGreen = 0;
    BYTE m_byTextBlue = 0;

    COLORREF TextColor() const { return RGB(m_byTextRed, m_byTextGreen, m_byTextBlue); }

private:
    // The selected block's entry (row, column).
    short SelectedEntry(int row, int col) const { return m_pSelTiles[row * m_nSelCols + col]; }
    bool RefuseSaveWithoutBitmap() const;
    void RedrawMapAfterTilesRemoved();
};
