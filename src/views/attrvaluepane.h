// The value palette of the attribute layer: every value the map uses or the
// user keeps, with its colour, number, name and how many cells hold it. A
// click makes a value the current one; "새 값..." adds one; a double click
// edits its name and colour; a value no cell holds can be removed. Every
// change goes through the document, and the list follows the document's
// hints (the counts are the document's, kept up by every edit).
#pragma once

#include <QWidget>

#include <vector>

#include "attrvalues.h"

class CZellDoc;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CAttrValuePane : public QWidget {
    Q_OBJECT
public:
    explicit CAttrValuePane(QWidget* parent = nullptr);

    void SetDocument(CZellDoc* doc);
    CZellDoc* Document() const { return m_pDoc; }
    // The document changed (the flags of maphint.h): the list follows once
    // the events of the change are done.
    void DocumentUpdated(long hint);
    // Brings the list in line with the document now: the items whose count,
    // name or colour changed, or the whole list when values came or went.
    void Refresh();

    QTreeWidget* List() const { return m_pList; }

private:
    void AddValue();
    void EditValue(QTreeWidgetItem* item);
    void RemoveValue();
    short ValueOf(const QTreeWidgetItem* item) const;

    CZellDoc* m_pDoc = nullptr;
    QTreeWidget* m_pList = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pRemove = nullptr;
    std::vector<AttrValueInfo> m_shown;  // what the list's items show, in order
    bool m_bRefreshPending = false;
    bool m_bFilling = false;
};
