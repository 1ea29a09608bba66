// The program's handles on a running dialog's controls. DDX_Control binds
// one to its control each time the dialog exchanges data; when the dialog
// ends the controls go away and every call on a handle does nothing.
#pragma once

#include <QPointer>
#include <QWidget>

#include "wintypes.h"

class CUpDownWidget;

class CDlgControl {
public:
    void Attach(QWidget* widget) { m_pWidget = widget; }
    QWidget* GetWidget() const { return m_pWidget; }

protected:
    QPointer<QWidget> m_pWidget;
};

// Push buttons, check boxes and radio buttons.
class CButton : public CDlgControl {
public:
    int GetCheck() const;  // 1 ticked, 0 not
    void SetCheck(int nCheck);
};

// The up-down control (see CUpDownWidget).
class CSpinButtonCtrl : public CDlgControl {
public:
    void SetRange(int nLower, int nUpper);

private:
    CUpDownWidget* UpDown() const;
};

// The trackbar: a vertical slider with its minimum at the top. Setting the
// range or the position from the program sends no scroll notification.
class CSliderCtrl : public CDlgControl {
public:
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    void SetPos(int nPos);
    int GetPos() const;
};
