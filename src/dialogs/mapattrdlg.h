// The map attribute dialog (dialog 134): one signed 16-bit cell attribute
// in an edit with an up-down over the whole 16-bit range.
#pragma once

#include "dialog.h"
#include "dlgcontrols.h"

class CMapAttrDlg : public CDialog {
public:
    enum { IDD = 134 };
    enum { IDC_VALUE = 1012, IDC_SPIN_VALUE = 1013 };

    explicit CMapAttrDlg(QWidget* pParent = nullptr);

    BOOL OnInitDialog() override;

    CSpinButtonCtrl m_spinValue;
    short m_nValue;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
