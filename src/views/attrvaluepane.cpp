#include "attrvaluepane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "attrvaluedlg.h"
#include "maphint.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
enum Column { kSwatch, kNumber, kName, kCount };

// The swatch is a picture without text: its colour is also its cell's
// accessible text, so assistive technology reads it as the row's other cells.
void ShowSwatch(QTreeWidgetItem* item, const AttrColour& colour)
{
    const QColor shown(colour.red, colour.green, colour.blue);
    QPixmap swatch(16, 12);
    swatch.fill(shown);
    item->setIcon(kSwatch, swatch);
    item->setData(kSwatch, Qt::AccessibleTextRole, shown.name());
}
}  // namespace

CAttrValuePane::CAttrValuePane(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(Pellin::tr("속성 값"));
    m_pList = new QTreeWidget(this);
    m_pList->setAccessibleName(Pellin::tr("속성 값 목록"));
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setHeaderLabels({Pellin::tr("색"), Pellin::tr("값"), Pellin::tr("이름"), Pellin::tr("칸 수")});
    m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pAdd = new QPushButton(Pellin::tr("새 값..."), this);
    m_pAdd->setAccessibleName(Pellin::tr("새 값"));
    m_pRemove = new QPushButton(Pellin::tr("지우기"), this);
    m_pRemove->setAccessibleName(Pellin::tr("값 지우기"));
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

short CAttrValuePane::ValueOf(const QTreeWidgetItem* item) const
{
    return short(item->data(kNumber, Qt::UserRole).toInt());
}

void CAttrValuePane::Refresh()
{
    m_bFilling = true;
    std::vector<AttrValueInfo> values;
    if (m_pDoc) values = m_pDoc->AttrValues().Values();
    const bool sameValues =
        std::equal(values.begin(), values.end(), m_shown.begin(), m_shown.end(),
                   [](const AttrValueInfo& a, const AttrValueInfo& b) { return a.value == b.value; });
    if (sameValues) {
        // An edit mostly changes counts: only the items that differ change
        // (rebuilding a list of a thousand values took 12 ms an edit). The
        // columns are measured once afterwards, not at each changed item.
        m_pList->header()->setSectionResizeMode(QHeaderView::Interactive);
        for (std::size_t i = 0; i < values.size(); ++i) {
            QTreeWidgetItem* item = m_pList->topLevelItem(int(i));
            const AttrValueInfo& now = values[i];
            const AttrValueInfo& was = m_shown[i];
            if (now.count != was.count) item->setText(kCount, QString::number(qulonglong(now.count)));
            if (now.name != was.name) item->setText(kName, QString::fromStdString(now.name));
            if (!(now.colour == was.colour)) ShowSwatch(item, now.colour);
        }
        m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    } else {
        m_pList->clear();
        QList<QTreeWidgetItem*> items;
        for (const AttrValueInfo& info : values) {
            auto* item = new QTreeWidgetItem;
            ShowSwatch(item, info.colour);
            item->setText(kNumber, QString::number(info.value));
            item->setData(kNumber, Qt::UserRole, int(info.value));
            item->setText(kName, QString::fromStdString(info.name));
            item->setText(kCount, QString::number(qulonglong(info.count)));
            item->setTextAlignment(kNumber, Qt::AlignRight | Qt::AlignVCenter);
            item->setTextAlignment(kCount, Qt::AlignRight | Qt::AlignVCenter);
            items.append(item);
        }
        m_pList->addTopLevelItems(items);
    }
    m_shown = std::move(values);
    QTreeWidgetItem* current = nullptr;
    if (m_pDoc) {
        const auto at = std::find_if(m_shown.begin(), m_shown.end(), [&](const AttrValueInfo& info) {
            return info.value == m_pDoc->CurrentAttrValue();
        });
        if (at != m_shown.end()) current = m_pList->topLevelItem(int(at - m_shown.begin()));
    }
    // The list scrolls to the current value when it was made anew or the
    // current value changed, not at every edit's counts.
    if (current && (!sameValues || m_pList->currentItem() != current)) {
        m_pList->setCurrentItem(current);
        m_pList->scrollToItem(current);
    }
    m_pRemove->setEnabled(current && ValueOf(current) != 0 && m_pDoc->AttrValues().Count(ValueOf(current)) == 0);
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
