#include "dlgcreate.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "mnemonic.h"
#include "translation.h"
#include "resources.h"
#include "updownctrl.h"

using namespace dlgstyle;

namespace {
// The size Windows gives every icon control, whatever the template says.
constexpr int kIconSize = 32;

bool Overlaps(int a, int aLength, int b, int bLength) { return a < b + bLength && b < a + aLength; }

QString Text(const DlgItemTemplate& item) { return item.text ? Pellin::tr(item.text) : QString(); }

QIcon ApplicationIcon()
{
    const QIcon icon = AfxGetAppIcon();
    return icon.isNull() ? QApplication::windowIcon() : icon;
}

QWidget* CreateButton(const DlgItemTemplate& item, QWidget* parent)
{
    switch (item.kind) {
    case DlgItemKind::AutoRadioButton: return new QRadioButton(Text(item), parent);
    case DlgItemKind::AutoCheckBox: return new QCheckBox(Text(item), parent);
    default: {
        auto* button = new QPushButton(Text(item), parent);
        button->setAutoDefault(true);
        button->setDefault(item.kind == DlgItemKind::DefPushButton);
        return button;
    }
    }
}

QWidget* CreateStatic(const DlgItemTemplate& item, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(item.style & SS_NOPREFIX ? Text(item) : AfxStripMnemonic(Text(item)));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* CreateTrackbar(const DlgItemTemplate& item, QWidget* parent)
{
    const bool vertical = item.style & TBS_VERT;
    auto* slider = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    // Windows keeps the minimum at the top and Down moves the thumb down.
    slider->setInvertedAppearance(vertical);
    slider->setInvertedControls(vertical);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setRange(0, 100);
    slider->setPageStep(20);
    return slider;
}

QWidget* CreateIcon(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(ApplicationIcon().pixmap(kIconSize, kIconSize));
    return label;
}

QWidget* CreateControl(const DlgItemTemplate& item, QWidget* parent)
{
    switch (item.kind) {
    case DlgItemKind::PushButton:
    case DlgItemKind::DefPushButton:
    case DlgItemKind::AutoRadioButton:
    case DlgItemKind::AutoCheckBox: return CreateButton(item, parent);
    case DlgItemKind::GroupBox: {
        auto* box = new QGroupBox(AfxStripMnemonic(Text(item)), parent);
        // Only a frame: clicks go to the controls drawn inside it.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        return box;
    }
    case DlgItemKind::Static: return CreateStatic(item, parent);
    case DlgItemKind::Edit: return new QLineEdit(parent);
    case DlgItemKind::UpDown: return new CUpDownWidget(parent);
    case DlgItemKind::Trackbar: return CreateTrackbar(item, parent);
    case DlgItemKind::Icon: return CreateIcon(parent);
    }
    return new QWidget(parent);
}

Qt::FocusPolicy FocusPolicyFor(const DlgItemTemplate& item)
{
    switch (item.kind) {
    case DlgItemKind::GroupBox:
    case DlgItemKind::Static:
    case DlgItemKind::Icon: return Qt::NoFocus;
    // An up-down is reached by Tab only when it is a tab stop; a click
    // leaves the focus in the buddy.
    case DlgItemKind::UpDown: return item.style & WS_TABSTOP ? Qt::TabFocus : Qt::NoFocus;
    default: return item.style & WS_TABSTOP ? Qt::StrongFocus : Qt::ClickFocus;
    }
}

// Windows moves an aligned up-down onto the buddy's right edge and narrows
// the buddy by the up-down's width; the up-down takes the buddy's height.
void AttachUpDown(CUpDownWidget* upDown, const DlgItemTemplate& item, QWidget* previous)
{
    auto* buddy = qobject_cast<QLineEdit*>(previous);
    if (!(item.style & UDS_AUTOBUDDY) || !buddy) return;
    upDown->SetBuddy(buddy);
    upDown->SetWrap(item.style & UDS_WRAP);
    upDown->SetArrowKeys(item.style & UDS_ARROWKEYS);
    upDown->SetBuddyInt(item.style & UDS_SETBUDDYINT);
    if (item.style & UDS_ALIGNRIGHT) {
        QRect edit = buddy->geometry();
        const int width = upDown->width();
        edit.setWidth(edit.width() - width);
        buddy->setGeometry(edit);
        upDown->setGeometry(edit.right() + 1, edit.top(), width, edit.height());
    }
}

QString AccessibleName(const DlgTemplate& dlgTemplate, std::size_t index)
{
    const DlgItemTemplate& item = dlgTemplate.items[index];
    switch (item.kind) {
    case DlgItemKind::Edit:
    case DlgItemKind::UpDown:
    case DlgItemKind::Trackbar: return AfxControlLabel(dlgTemplate, index);
    case DlgItemKind::Icon: return Pellin::tr(dlgTemplate.caption);
    default: return AfxStripMnemonic(Text(item));
    }
}
}  // namespace

QString AfxControlLabel(const DlgTemplate& dlgTemplate, std::size_t index)
{
    const DlgItemTemplate& item = dlgTemplate.items[index];
    const DlgItemTemplate* left = nullptr;
    const DlgItemTemplate* above = nullptr;
    for (const DlgItemTemplate& other : dlgTemplate.items) {
        if (other.kind != DlgItemKind::Static) continue;
        const int right = other.x + other.cx;
        const int bottom = other.y + other.cy;
        if (right <= item.x && Overlaps(other.y, other.cy, item.y, item.cy)) {
            if (!left || right > left->x + left->cx) left = &other;
        } else if (bottom <= item.y && Overlaps(other.x, other.cx, item.x, item.cx)) {
            if (!above || bottom > above->y + above->cy) above = &other;
        }
    }
    if (left) return AfxStripMnemonic(Text(*left));
    if (above) return AfxStripMnemonic(Text(*above));
    return Pellin::tr(dlgTemplate.caption);
}

std::vector<QWidget*> AfxCreateDialogControls(QWidget* dialog, const DlgTemplate& dlgTemplate, DialogBaseUnits base)
{
    std::vector<QWidget*> widgets;
    QWidget* lastTabStop = nullptr;
    for (std::size_t i = 0; i < dlgTemplate.items.size(); ++i) {
        const DlgItemTemplate& item = dlgTemplate.items[i];
        QWidget* widget = CreateControl(item, dialog);
        widget->setObjectName(QStringLiteral("dlgItem%1").arg(static_cast<int>(item.id)));
        widget->setGeometry(AfxMapDialogRect(item.x, item.y, item.cx, item.cy, base));
        if (item.kind == DlgItemKind::Icon) widget->resize(kIconSize, kIconSize);
        widget->setFocusPolicy(FocusPolicyFor(item));
        widget->setAccessibleName(AccessibleName(dlgTemplate, i));
        if (auto* upDown = qobject_cast<CUpDownWidget*>(widget)) {
            AttachUpDown(upDown, item, widgets.empty() ? nullptr : widgets.back());
        }
        if (item.style & WS_TABSTOP) {
            if (lastTabStop) QWidget::setTabOrder(lastTabStop, widget);
            lastTabStop = widget;
        }
        widgets.push_back(widget);
    }
    // Frames and labels stay beneath the controls drawn over them.
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const DlgItemKind kind = dlgTemplate.items[i].kind;
        if (kind == DlgItemKind::GroupBox || kind == DlgItemKind::Static) widgets[i]->lower();
    }
    return widgets;
}
