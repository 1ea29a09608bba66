// The new-map dialog (dialog 130): tile size by radio button, map size in
// cells by two edits. The owner presets all four values before each run
// and takes them back only after OK.
#pragma once

#include "dialog.h"

class CNewMapDlg : public CDialog {
public:
    enum { IDD = 130 };
    enum {
        IDC_TILE16 = 1000,
        IDC_TILE24 = 1001,
        IDC_TILE64 = 1002,
        IDC_MAP_WIDTH = 1003,
        IDC_MAP_HEIGHT = 1004,
        IDC_TILE_ATTR = 1005,
        IDC_TILE32 = 1006,
    };

    explicit CNewMapDlg(QWidget* pParent = nullptr);

    BYTE m_nTileWidth;
    BYTE m_nTileHeight;
    UINT m_nMapWidth;
    UINT m_nMapHeight;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    // The radio buttons start unselected each run: the preset tile size
    // stays unless one is clicked, and the last click wins.
    void OnTileSize16();
    void OnTileSize24();
    void OnTileSize32();
    void OnTileSize64();
    void SetTileSize(BYTE size);
};
