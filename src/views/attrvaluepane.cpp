#include "attrvaluepane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "attrvaluedlg.h"
#include "maphint.h"
#include "zelldoc.h"

namespace {
enum Column { kSwatch, kNumber, kName, kCount };

QPixmap Swatch(const AttrColour& colour)
{
    QPixmap swatch(16, 12);
    swatch.fill(QColor(colour.red, colour.green, colour.blue));
    return swatch;
}
}  // namespace

CAttrValuePane::CAttrValuePane(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("속성 값"));
    m_pList = new QTreeWidget(this);
    m_pList->setAccessibleName(QStringLiteral("속성 값 목록"));
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setHeaderLabels({QStringLiteral("색"), QStringLiteral("값"), QStringLiteral("이름"), QStringLiteral("칸 수")});
    m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pAdd = new QPushButton(QStringLiteral("새 값..."), this);
    m_pAdd->setAccessibleName(QStringLiteral("새 값"));
    m_pRemove = new QPushButton(QStringLiteral("지우기"), this);
    m_pRemove->setAccessibleName(QStringLiteral("값 지우기"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pAdd);
    buttons->addWidget(m_pRemove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_pList);
    layout->addLayout(buttons);

    connect(m_pAdd, &QPushButton::clicked, this, [this] { AddValue(); });
    connect(m_pRemove, &QPushButton::clicked, this, [this] { RemoveValue(); });
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { EditValue(item); });
    connect(m_pList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_bFilling || !item || !m_pDoc) return;
        m_pDoc->SetCurrentAttrValue(ValueOf(item));
    });
}

void CAttrValuePane::SetDocument(CZellDoc* doc)
{
    m_pDoc = doc;
    Refresh();
}

void CAttrValuePane::DocumentUpdated(long hint)
{
    if (!(hint & (HINT_CELLS | HINT_NEW_MAP | HINT_ATTR_VALUES | HINT_LAYER)) || m_bRefreshPending) return;
    // A stroke tells of many edits in a row: the list is rebuilt once after them.
    m_bRefreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_bRefreshPending = false;
        Refresh();
    });
}

short CAttrValuePane::ValueOf(const QTreeWidgetItem* item) const { return short(item->data(kNumber, Qt::UserRole).toInt()); }

void CAttrValuePane::Refresh()
{
    m_bFilling = true;
    m_pList->clear();
    if (m_pDoc) {
        QList<QTreeWidgetItem*> items;
        QTreeWidgetItem* current = nullptr;
        for (const AttrValueInfo& info : m_pDoc->AttrValues().Values()) {
            auto* item = new QTreeWidgetItem;
            item->setIcon(kSwatch, Swatch(info.colour));
            item->setText(kNumber, QString::number(info.value));
            item->setData(kNumber, Qt::UserRole, int(info.value));
            item->setText(kName, QString::fromStdString(info.name));
            item->setText(kCount, QString::number(qulonglong(info.count)));
            item->setTextAlignment(kNumber, Qt::AlignRight | Qt::AlignVCenter);
            item->setTextAlignment(kCount, Qt::AlignRight | Qt::AlignVCenter);
            if (info.value == m_pDoc->CurrentAttrValue()) current = item;
            items.append(item);
        }
        m_pList->addTopLevelItems(items);
        if (current) {
            m_pList->setCurrentItem(current);
            m_pList->scrollToItem(current);
        }
        const QTreeWidgetItem* shown = current;
        m_pRemove->setEnabled(shown && ValueOf(shown) != 0 && m_pDoc->AttrValues().Count(ValueOf(shown)) == 0);
    }
    m_bFilling = false;
}

void CAttrValuePane::AddValue()
{
    if (!m_pDoc) return;
    CAttrValueDlg dlg(this, [this](short value) { return m_pDoc->AttrValues().IsListed(value); });
    if (dlg.exec() != QDialog::Accepted) return;
    if (m_pDoc->AddAttrValue({dlg.Value(), dlg.Name(), dlg.Colour()})) m_pDoc->SetCurrentAttrValue(dlg.Value());
}

void CAttrValuePane::EditValue(QTreeWidgetItem* item)
{
    if (!m_pDoc || !item) return;
    const short value = ValueOf(item);
    for (const AttrValueInfo& info : m_pDoc->AttrValues().Values()) {
        if (info.value != value) continue;
        CAttrValueDlg dlg(this, info);
        if (dlg.exec() == QDialog::Accepted) m_pDoc->SetAttrValueDetails(value, dlg.Name(), dlg.Colour());
        return;
    }
}

void CAttrValuePane::RemoveValue()
{
    const QTreeWidgetItem* item = m_pList->currentItem();
    if (!m_pDoc || !item) return;
    m_pDoc->RemoveAttrValue(ValueOf(item));
}
