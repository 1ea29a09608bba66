// The text colour dialog (dialog 135): red, green and blue on three
// vertical sliders (0 at the top) and a swatch of the resulting colour
// that follows the sliders while they move.
#pragma once

#include "dialog.h"
#include "dlgcontrols.h"

class CTextColorDlg : public CDialog {
public:
    enum { IDD = 135 };
    enum { IDC_RED = 1014, IDC_GREEN = 1015, IDC_BLUE = 1016 };

    explicit CTextColorDlg(QWidget* pParent = nullptr);

    BOOL OnInitDialog() override;

    BYTE m_byRed;
    BYTE m_byGreen;
    BYTE m_byBlue;
    CSliderCtrl m_sliderRed;
    CSliderCtrl m_sliderGreen;
    CSliderCtrl m_sliderBlue;

    // Client rectangle inset 30 pixels on the left, right and top, 40 high.
    CRect GetSwatchRect() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnVScroll(UINT nSBCode, UINT nPos, QWidget* pScrollBar) override;
    void OnPaint(QPainter& dc) override;
};
