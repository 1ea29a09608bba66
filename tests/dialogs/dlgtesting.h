// Shared bits of the dialog tests: reaching a running dialog's controls
// and working its up-down arrows with the mouse.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <vector>

#include "dialog.h"
#include "modalanswerer.h"
#include "uiinput.h"
#include "updownctrl.h"

inline QLineEdit* EditOf(const CDialog& dlg, UINT id) { return qobject_cast<QLineEdit*>(dlg.GetDlgItem(id)); }
inline QAbstractButton* ButtonOf(const CDialog& dlg, UINT id)
{
    return qobject_cast<QAbstractButton*>(dlg.GetDlgItem(id));
}
inline QSlider* SliderOf(const CDialog& dlg, UINT id) { return qobject_cast<QSlider*>(dlg.GetDlgItem(id)); }

inline void ClickUpArrow(const CDialog& dlg, UINT id)
{
    QWidget* upDown = dlg.GetDlgItem(id);
    ClickWidget(upDown, QPoint(upDown->width() / 2, upDown->height() / 4));
}

inline void ClickDownArrow(const CDialog& dlg, UINT id)
{
    QWidget* upDown = dlg.GetDlgItem(id);
    ClickWidget(upDown, QPoint(upDown->width() / 2, upDown->height() * 3 / 4));
}

inline void ClickOk(const CDialog& dlg) { ClickWidget(dlg.GetDlgItem(IDOK)); }
inline void ClickCancel(const CDialog& dlg) { ClickWidget(dlg.GetDlgItem(IDCANCEL)); }

// Ids of the check boxes whose state is ticked, in the order given.
inline std::vector<UINT> TickedOf(const CDialog& dlg, const std::vector<UINT>& ids)
{
    std::vector<UINT> ticked;
    for (UINT id : ids) {
        if (ButtonOf(dlg, id)->isChecked()) ticked.push_back(id);
    }
    return ticked;
}
