// The program's handles on a running dialog's controls. DDX_Control binds
// one to its control each time the dialog exchanges data; when the dialog
// ends the controls go away and every call on a handle does nothing.
#pragma once

#include <QPointer>
#include <QWidget>

#include "wintypes.h"

class QLineEdit;
class CUpDownWidget;

class CDlgControl {
public:
    void Attach(QWidget* widget) { m_pWidget = widget; }
    QWidget* GetWidget() const { return m_pWidget; }
    void SetFocus();
    void EnableWindow(BOOL bEnable);

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
    void GetRange(int& nLower, int& nUpper) const;
    int SetPos(int nPos);  // returns the previous position
    int GetPos() const;
    QLineEdit* GetBuddy() const;

private:
    CUpDownWidget* UpDown() const;
};

// The trackbar: a vertical slider with its minimum at the top. Setting the
// range or the position from the program sends no scroll notification.
class CSliderCtrl : public CDlgControl {
public:
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetPos(int nPos);
    int GetPos() const;
};
