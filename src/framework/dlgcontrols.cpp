#include "dlgcontrols.h"

#include <QAbstractButton>
#include <QSignalBlocker>
#include <QSlider>

#include "updownctrl.h"

int CButton::GetCheck() const
{
    const auto* button = qobject_cast<QAbstractButton*>(m_pWidget.data());
    return button && button->isChecked() ? 1 : 0;
}

void CButton::SetCheck(int nCheck)
{
    // Ticking from the program is not a click: no BN_CLICKED follows.
    if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget.data())) button->setChecked(nCheck != 0);
}

CUpDownWidget* CSpinButtonCtrl::UpDown() const { return qobject_cast<CUpDownWidget*>(m_pWidget.data()); }

void CSpinButtonCtrl::SetRange(int nLower, int nUpper)
{
    if (CUpDownWidget* upDown = UpDown()) upDown->SetRange(nLower, nUpper);
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    auto* slider = qobject_cast<QSlider*>(m_pWidget.data());
    if (!slider) return;
    const QSignalBlocker quiet(slider);
    slider->setRange(nMin, nMax);
    // A click in the channel moves a fifth of the range, as on Windows.
    slider->setPageStep(qMax(1, (nMax - nMin) / 5));
    if (bRedraw) slider->update();
}

void CSliderCtrl::SetPos(int nPos)
{
    auto* slider = qobject_cast<QSlider*>(m_pWidget.data());
    if (!slider) return;
    const QSignalBlocker quiet(slider);
    slider->setValue(nPos);
}

int CSliderCtrl::GetPos() const
{
    const auto* slider = qobject_cast<QSlider*>(m_pWidget.data());
    return slider ? slider->value() : 0;
}
