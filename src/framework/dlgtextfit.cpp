#include "dlgtextfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

#include "dlgtemplate.h"
#include "mnemonic.h"
#include "translation.h"

namespace {
// Space kept between a widened control and its right-hand neighbour.
constexpr int kGap = 4;
// Room a push button keeps on either side of its text.
constexpr int kButtonPadding = 6;

bool SharesRow(const QRect& a, const QRect& b) { return a.top() < b.bottom() && b.top() < a.bottom(); }

// The widest the control may become without covering a neighbour on its
// row or leaving the dialog.
int RoomFor(const QWidget* widget, const std::vector<QWidget*>& widgets, int dialogWidth)
{
    const QRect own = widget->geometry();
    int limit = dialogWidth - kGap;
    for (const QWidget* other : widgets) {
        if (other == widget || qobject_cast<const QGroupBox*>(other)) continue;
        const QRect rect = other->geometry();
        if (rect.left() >= own.right() && SharesRow(own, rect)) limit = std::min(limit, rect.left() - kGap);
    }
    // A control inside a group box stays inside its frame.
    for (const QWidget* other : widgets) {
        if (!qobject_cast<const QGroupBox*>(other) || other == widget) continue;
        const QRect frame = other->geometry();
        if (frame.contains(own.topLeft())) limit = std::min(limit, frame.right() - kGap);
    }
    return std::max(own.width(), limit - own.left());
}

QString TextOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    return {};
}

void SetTextOf(QWidget* widget, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
}

// Width the control needs to show its whole text: the text, plus the
// button's frame or the box's indicator and spacing.
int NeededWidth(QWidget* widget)
{
    const int text = widget->fontMetrics().horizontalAdvance(AfxStripMnemonic(TextOf(widget)));
    if (auto* label = qobject_cast<QLabel*>(widget)) return text + 2 * label->margin();
    if (qobject_cast<QPushButton*>(widget)) return text + 2 * kButtonPadding;
    const QStyle* style = widget->style();
    const bool radio = qobject_cast<QRadioButton*>(widget) != nullptr;
    const int indicator =
        style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, widget);
    const int spacing = style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing,
                                           nullptr, widget);
    return indicator + spacing + text + 2;
}

void Fit(QWidget* widget, const std::vector<QWidget*>& widgets, int dialogWidth)
{
    const int needed = NeededWidth(widget);
    if (needed <= widget->width()) return;
    const int width = std::min(needed, RoomFor(widget, widgets, dialogWidth));
    widget->resize(width, widget->height());
    if (needed <= width) return;
    const QString whole = TextOf(widget);
    const int textRoom = widget->fontMetrics().horizontalAdvance(AfxStripMnemonic(whole)) - (needed - width);
    SetTextOf(widget, widget->fontMetrics().elidedText(AfxStripMnemonic(whole), Qt::ElideRight, std::max(0, textRoom)));
    widget->setToolTip(AfxStripMnemonic(whole));
}
}  // namespace

void AfxFitTranslatedTexts(QWidget* dialog, const DlgTemplate& dlgTemplate, const std::vector<QWidget*>& widgets)
{
    if (CurrentInterfaceLanguage() == InterfaceLanguage::Korean) return;
    const int dialogWidth = dialog->width();
    for (std::size_t i = 0; i < widgets.size() && i < dlgTemplate.items.size(); ++i) {
        const char* source = dlgTemplate.items[i].text;
        // Texts that stay as they are (numbers, "OK") keep their geometry.
        if (!source || Pellin::tr(source) == QString::fromUtf8(source)) continue;
        switch (dlgTemplate.items[i].kind) {
        case DlgItemKind::Static:
        case DlgItemKind::PushButton:
        case DlgItemKind::DefPushButton:
        case DlgItemKind::AutoRadioButton:
        case DlgItemKind::AutoCheckBox: Fit(widgets[i], widgets, dialogWidth); break;
        default: break;
        }
    }
}
