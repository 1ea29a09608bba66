// The tile arrangement dialog (dialog 131): how many tiles the palette
// shows per row, 2 to 100, with an up-down that wraps at both ends.
#pragma once

#include "dialog.h"
#include "dlgcontrols.h"

class CTileArrangeDlg : public CDialog {
public:
    enum { IDD = 131 };
    enum { IDC_COUNT = 1007, IDC_SPIN_COUNT = 1008 };

    explicit CTileArrangeDlg(QWidget* pParent = nullptr);

    BOOL OnInitDialog() override;

    CSpinButtonCtrl m_spinCount;
    int m_nCount;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
