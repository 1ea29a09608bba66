#include "controlbars.h"

#include <QAction>
#include <QEvent>
#include <QPixmap>
#include <QToolButton>

#include "cmdids.h"
#include "frame.h"
#include "resources.h"

CToolBar::CToolBar()
{
    setObjectName(QStringLiteral("toolbar"));
    setIconSize(QSize(16, 15));
}

BOOL CToolBar::CreateEx(CFrameWnd* pParent, DWORD, DWORD dwStyle, CRect, UINT)
{
    if (!pParent) return FALSE;
    m_pFrame = pParent;
    setParent(pParent);
    setMovable((dwStyle & CBRS_GRIPPER) != 0);
    setFloatable(true);
    setWindowTitle(QString::fromUtf8(AfxCommandTooltip(AFX_IDW_TOOLBAR)));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    const ToolbarDef* def = AfxFindToolbar(nIDResource);
    if (!def || !m_pFrame) return FALSE;
    const QImage strip = def->makeStrip ? def->makeStrip() : QImage();
    const QSize size = def->buttonImageSize;
    setIconSize(size);
    int image = 0;
    for (UINT id : def->buttons) {
        m_buttons.push_back(id);
        if (id == ID_SEPARATOR) {
            addSeparator();
            continue;
        }
        QAction* action = m_pFrame->CommandAction(id);
        if (!strip.isNull())
            action->setIcon(
                QIcon(QPixmap::fromImage(strip.copy(image * size.width(), 0, size.width(), size.height()))));
        ++image;
        addAction(action);
        if (QToolButton* button = GetButton(id)) {
            button->setAccessibleName(action->toolTip().isEmpty() ? action->text() : action->toolTip());
            if (!action->toolTip().isEmpty()) button->setAccessibleDescription(action->toolTip());
        }
    }
    return TRUE;
}

void CToolBar::EnableDocking(DWORD dwDockStyle)
{
    setAllowedAreas(dwDockStyle & CBRS_ALIGN_ANY ? Qt::AllToolBarAreas : Qt::TopToolBarArea);
}

QToolButton* CToolBar::GetButton(UINT nID) const
{
    if (!m_pFrame) return nullptr;
    const auto actionList = actions();
    for (QAction* action : actionList)
        if (!action->isSeparator() && action->data().toUInt() == nID)
            return qobject_cast<QToolButton*>(widgetForAction(action));
    return nullptr;
}

CStatusBar::CStatusBar() { setObjectName(QStringLiteral("statusbar")); }

BOOL CStatusBar::Create(CFrameWnd* pParent, DWORD, UINT)
{
    if (!pParent) return FALSE;
    pParent->setStatusBar(this);
    // Prompts come and go; between them the message pane says it is ready.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty()) showMessage(IdleMessage());
    });
    showMessage(IdleMessage());
    return TRUE;
}

QString CStatusBar::IdleMessage() const { return QString::fromUtf8(AfxLoadString(AFX_IDS_IDLEMESSAGE)); }

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (!lpIDArray || nIDCount < 1 || lpIDArray[0] != ID_SEPARATOR) return FALSE;
    for (int i = 1; i < nIDCount; ++i) {
        const QString text = QString::fromUtf8(AfxLoadString(lpIDArray[i]));
        if (text.isEmpty()) return FALSE;
        auto* label = new QLabel(text, this);
        label->setAccessibleName(text);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
        // The lock states cannot be read here; the panes show their names greyed.
        label->setEnabled(false);
        addPermanentWidget(label);
        m_indicators.emplace_back(lpIDArray[i], label);
    }
    return TRUE;
}

QLabel* CStatusBar::Indicator(UINT id) const
{
    for (const auto& [indicatorId, label] : m_indicators)
        if (indicatorId == id) return label;
    return nullptr;
}
