#include "dialog.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPainter>
#include <QShowEvent>
#include <QSlider>

#include "dlgcreate.h"
#include "dlgtextfit.h"
#include "mainwidget.h"
#include "translation.h"

using namespace dlgstyle;

namespace {
UINT TrackbarCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return TB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd: return TB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub: return TB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd: return TB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum: return TB_TOP;
    case QAbstractSlider::SliderToMaximum: return TB_BOTTOM;
    default: return TB_THUMBTRACK;
    }
}
}  // namespace

CDialog::CDialog(const DlgTemplate& dlgTemplate, QWidget* pParentWnd)
    : QDialog(nullptr), m_template(dlgTemplate), m_pParentWnd(pParentWnd)
{
    // The parent is only the owner while the dialog runs: the dialog object
    // belongs to whoever declared it, never to a widget tree.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(Pellin::tr(m_template.caption));
}

CDialog::~CDialog() = default;

int CDialog::DoModal()
{
    QWidget* owner = m_pParentWnd ? m_pParentWnd.data() : AfxGetMainWidget();
    const Qt::WindowFlags flags = windowFlags();
    setParent(owner, flags);
    CreateControls();
    if (OnInitDialog()) FocusFirstTabStop();
    const int result = exec();
    DestroyControls();
    setParent(nullptr, flags);
    return result == QDialog::Rejected ? IDCANCEL : result;
}

void CDialog::EndDialog(int nResult) { QDialog::done(nResult); }

void CDialog::CreateControls()
{
    DestroyControls();
    setFont(QFont(QString::fromUtf8(m_template.fontFace), m_template.fontPoints));
    m_base = AfxGetDialogBaseUnits(font());
    setFixedSize(AfxMapDialogSize(m_template.cx, m_template.cy, m_base));
    const std::vector<QWidget*> widgets = AfxCreateDialogControls(this, m_template, m_base);
    AfxFitTranslatedTexts(this, m_template, widgets);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        m_controls.emplace_back(m_template.items[i].id, widgets[i]);
        ConnectNotifications(m_template.items[i], widgets[i]);
    }
}

void CDialog::DestroyControls()
{
    // Last first, so that an up-down goes before the buddy it watches.
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) delete it->second;
    m_controls.clear();
}

void CDialog::ConnectNotifications(const DlgItemTemplate& item, QWidget* widget)
{
    const UINT id = item.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { Notify(id, Notification::Clicked); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // textChanged also follows setText, as EN_CHANGE follows WM_SETTEXT.
        connect(edit, &QLineEdit::textChanged, this, [this, id] { Notify(id, Notification::Changed); });
    } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
        connect(slider, &QAbstractSlider::actionTriggered, this,
                [this](int action) { m_lastTrackbarCode = TrackbarCode(action); });
        connect(slider, &QAbstractSlider::valueChanged, this, [this, slider](int value) {
            const UINT code = slider->isSliderDown() ? TB_THUMBTRACK : m_lastTrackbarCode;
            OnVScroll(code, static_cast<UINT>(value), slider);
        });
        connect(slider, &QAbstractSlider::sliderReleased, this,
                [this, slider] { OnVScroll(TB_ENDTRACK, static_cast<UINT>(slider->value()), slider); });
    }
}

void CDialog::Notify(UINT nID, Notification code)
{
    if (m_bExchanging) return;
    if (const auto handler = m_messageMap.find({nID, code}); handler != m_messageMap.end()) {
        handler->second();
        return;
    }
    if (code == Notification::Clicked && nID == IDOK)
        OnOK();
    else if (code == Notification::Clicked && nID == IDCANCEL)
        OnCancel();
}

void CDialog::MapBnClicked(UINT nID, std::function<void()> handler)
{
    m_messageMap[{nID, Notification::Clicked}] = std::move(handler);
}

void CDialog::MapEnChange(UINT nID, std::function<void()> handler)
{
    m_messageMap[{nID, Notification::Changed}] = std::move(handler);
}

void CDialog::FocusFirstTabStop()
{
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (!(m_template.items[i].style & WS_TABSTOP)) continue;
        QWidget* widget = m_controls[i].second;
        widget->setFocus(Qt::TabFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
        return;
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (m_controls.empty()) return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    const bool outer = std::exchange(m_bExchanging, true);
    DoDataExchange(&dx);
    dx.Finish();
    m_bExchanging = outer;
    return dx.HasFailed() ? FALSE : TRUE;
}

QWidget* CDialog::GetDlgItem(UINT nID) const
{
    for (const auto& [id, widget] : m_controls) {
        if (id == nID) return widget;
    }
    return nullptr;
}

void CDialog::GetClientRect(CRect* pRect) const { *pRect = CRect(0, 0, width(), height()); }

void CDialog::InvalidateRect(const CRect& rect, BOOL)
{
    // Qt always repaints the background under an update.
    update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::accept() { OnOK(); }

void CDialog::reject() { OnCancel(); }

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnShowWindow(BOOL, UINT) {}

void CDialog::OnVScroll(UINT, UINT, QWidget*) {}

void CDialog::OnPaint(QPainter&) {}

void CDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OnShowWindow(TRUE, 0);
}

void CDialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    OnShowWindow(FALSE, 0);
}

void CDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    OnPaint(painter);
}
