// The history list ("작업 내역"): the document's undo steps by the names the
// status bar shows, "<처음 상태>" first (or, once the oldest steps were
// dropped for memory, "<오래된 내역 지움>"), the current step selected and the
// step at which the map was last saved marked. Picking a row undoes or
// redoes to it in one go (the panes redraw once); while a stroke is open
// the history stays where it is.
#pragma once

#include <QListView>
#include <QStringList>

class CZellDoc;
class HistoryModel;

class CHistoryPane : public QListView {
    Q_OBJECT
public:
    explicit CHistoryPane(QWidget* parent = nullptr);
    ~CHistoryPane() override;

    void SetDocument(CZellDoc* doc);
    CZellDoc* Document() const { return m_pDoc; }
    // Brings the rows and the selection in line with the history now.
    void Refresh();

    static constexpr const char* kInitialState = QT_TRANSLATE_NOOP("Pellin", "<처음 상태>");
    static constexpr const char* kSavedState = QT_TRANSLATE_NOOP("Pellin", "저장된 상태");
    static constexpr const char* kDroppedState = QT_TRANSLATE_NOOP("Pellin", "<오래된 내역 지움>");

private:
    void OnCurrentChanged(const QModelIndex& current);
    // Selects the row of the history's current step.
    void SelectCurrentStep();

    CZellDoc* m_pDoc = nullptr;
    HistoryModel* m_pModel = nullptr;
    bool m_bSyncing = false;
};
