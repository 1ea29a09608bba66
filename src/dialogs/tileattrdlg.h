// The tile attribute dialog (dialog 133): one attribute byte shown both as
// a number (edit with an up-down, 0 to 255) and as eight bit check boxes,
// "1Bit" being the most significant. A change on either side shows on the
// other at once.
#pragma once

#include "dialog.h"
#include "dlgcontrols.h"

class CTileAttrDlg : public CDialog {
public:
    enum { IDD = 133 };
    enum {
        IDC_VALUE = 1009,
        IDC_BIT1 = 1010,
        IDC_SPIN_VALUE = 1011,
        IDC_BIT2 = 1012,
        IDC_BIT3 = 1013,
        IDC_BIT4 = 1014,
        IDC_BIT5 = 1015,
        IDC_BIT6 = 1016,
        IDC_BIT7 = 1017,
        IDC_BIT8 = 1018,
    };

    explicit CTileAttrDlg(QWidget* pParent = nullptr);

    BOOL OnInitDialog() override;

    // Edit changes count only while TRUE; the caller clears it before each
    // run so that the changes made while the dialog is built are ignored.
    BOOL m_bReady;
    CButton m_chkBit8;
    CButton m_chkBit7;
    CButton m_chkBit6;
    CButton m_chkBit5;
    CButton m_chkBit4;
    CButton m_chkBit3;
    CButton m_chkBit2;
    CButton m_chkBit1;
    CSpinButtonCtrl m_spinValue;
    BYTE m_byValue;

    // The bit pattern while the dialog runs. One program-wide byte serves,
    // because only one tile attribute dialog exists and it runs modally.
    static BYTE s_byBits;

    void SetBitChecks(BYTE bits);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus) override;
    void OnChangeValue();
    void OnBit1();
    void OnBit2();
    void OnBit3();
    void OnBit4();
    void OnBit5();
    void OnBit6();
    void OnBit7();
    void OnBit8();

private:
    void ApplyBitClick(const CButton& box, BYTE bit);
};
