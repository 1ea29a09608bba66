#include "historypane.h"

#include <QAbstractListModel>
#include <algorithm>
#include <QApplication>
#include <QStyle>
#include <QTimer>

#include "zelldoc.h"
#include "translation.h"

// The rows as the history was when last refreshed: the list never reads the
// stack in the middle of a change (an eraser drag's group is open for the
// whole drag).
class HistoryModel : public QAbstractListModel {
public:
    explicit HistoryModel(QObject* parent) : QAbstractListModel(parent) {}

    void Show(QStringList steps, int savedRow)
    {
        if (steps != m_steps) {
            beginResetModel();
            m_steps = std::move(steps);
            m_nSavedRow = savedRow;
            endResetModel();
        } else if (savedRow != m_nSavedRow) {
            const int before = m_nSavedRow;
            m_nSavedRow = savedRow;
            for (int row : {before, savedRow})
                if (row >= 0 && row < rowCount()) emit dataChanged(index(row), index(row));
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_steps.size()); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const bool saved = index.row() == m_nSavedRow;
        switch (role) {
        case Qt::DisplayRole: return m_steps.at(index.row());
        case Qt::DecorationRole:
            return saved ? QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton) : QVariant();
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole: return saved ? Pellin::tr(CHistoryPane::kSavedState) : QVariant();
        default: return {};
        }
    }

private:
    QStringList m_steps;
    int m_nSavedRow = -1;
};

CHistoryPane::CHistoryPane(QWidget* parent) : QListView(parent), m_pModel(new HistoryModel(this))
{
    setAccessibleName(Pellin::tr("작업 내역"));
    setModel(m_pModel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnCurrentChanged(current); });
}

CHistoryPane::~CHistoryPane() = default;

void CHistoryPane::SetDocument(CZellDoc* doc)
{
    if (m_pDoc == doc) return;
    if (m_pDoc) disconnect(&m_pDoc->UndoStack(), nullptr, this, nullptr);
    m_pDoc = doc;
    if (m_pDoc) {
        connect(&m_pDoc->UndoStack(), &CEditHistory::indexChanged, this, [this] { Refresh(); });
        // A first save names the file just after the history turns clean:
        // the mark follows once the save is done.
        connect(&m_pDoc->UndoStack(), &CEditHistory::cleanChanged, this, [this] {
            Refresh();
            QTimer::singleShot(0, this, [this] { Refresh(); });
        });
    }
    Refresh();
}

void CHistoryPane::Refresh()
{
    // Once the oldest steps have gone, the first row is where the kept ones start.
    const bool dropped = m_pDoc && m_pDoc->UndoStack().DroppedCount() > 0;
    QStringList steps{Pellin::tr(dropped ? kDroppedState : kInitialState)};
    int savedRow = -1;
    if (m_pDoc) {
        const CEditHistory& stack = m_pDoc->UndoStack();
        for (int i = 0; i < stack.count(); ++i) steps.append(stack.text(i));
        // The saved state's row; none when it was thrown away with the steps
        // after it or dropped with the oldest ones, or when the map was never saved to a file or read from one.
        if (!m_pDoc->GetPathName().empty()) savedRow = stack.cleanIndex();
    }
    m_bSyncing = true;
    m_pModel->Show(std::move(steps), savedRow);
    m_bSyncing = false;
    SelectCurrentStep();
}

void CHistoryPane::SelectCurrentStep()
{
    const int row = m_pDoc ? m_pDoc->UndoStack().index() : 0;
    const QModelIndex current = m_pModel->index(std::clamp(row, 0, m_pModel->rowCount() - 1));
    m_bSyncing = true;
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    m_bSyncing = false;
    scrollTo(current);
}

void CHistoryPane::OnCurrentChanged(const QModelIndex& current)
{
    if (m_bSyncing || !m_pDoc || !current.isValid()) return;
    // Refused while a stroke is open: the selection goes back to where the
    // history is, once the selection model is done with this change.
    if (!m_pDoc->JumpToHistoryStep(current.row())) QTimer::singleShot(0, this, [this] { SelectCurrentStep(); });
}
