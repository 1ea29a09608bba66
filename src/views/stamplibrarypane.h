// The stamp library ("스탬프 모음"): the user's kept blocks of tiles in a
// list with a small picture, name and size each. A click makes a stamp the
// brush (and the map pane takes its stamp tool); a double click renames it;
// dragging a row reorders the library. "추가" keeps the brush as a new
// stamp, "변형 추가" as one more variation of the selected one, "지우기"
// removes the selected one. A stamp whose pictures the tile set lacks is
// greyed and cannot be picked. The library is one file per user, saved
// after every change.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "stamplibrary.h"

class CZellDoc;
class QLabel;
class QListWidget;
class QPushButton;

class CStampLibraryPane : public QWidget {
    Q_OBJECT
public:
    explicit CStampLibraryPane(QWidget* parent = nullptr);
    ~CStampLibraryPane() override;

    // Reads the library kept at path, which every change is saved to.
    // Returns the note for the status bar (a damaged file set aside), or "".
    std::string Load(const std::string& path);
    const StampLibrary& Library() const { return m_library; }
    const std::string& Path() const { return m_path; }

    void SetDocument(CZellDoc* doc);
    CZellDoc* Document() const { return m_pDoc; }
    // What the document told its views: another tile set or map makes the
    // stamps be checked again, another brush the buttons.
    void DocumentUpdated(long hint);

    // The buttons' and keys' actions; false when there was nothing to do.
    bool AddBrush();
    bool AddBrushAsVariation();
    bool RemoveSelected();
    bool StoreInSlot(int slot);
    bool RecallSlot(int slot);
    // Makes stamp `index` the brush, unless the tile set lacks a picture of it.
    bool Pick(int index);
    bool Rename(int index, const QString& name);

    QListWidget* List() const { return m_pList; }
    QPushButton* AddButton() const { return m_pAdd; }
    QPushButton* RemoveButton() const { return m_pRemove; }
    QPushButton* AddVariationButton() const { return m_pAddVariation; }

signals:
    // A message for the status bar (the library could not be saved).
    void Note(const QString& text);

private:
    // The brush as a stamp with every variation it has; none without a brush.
    std::optional<Stamp> StampOfBrush() const;
    int SelectedIndex() const;
    // Saves the library and shows it anew with row `select` selected.
    void Changed(int select);
    void Refresh(int select);
    void UpdateButtons();
    void OnRowsMoved();

    StampLibrary m_library;
    std::string m_path;
    CZellDoc* m_pDoc = nullptr;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pRemove = nullptr;
    QPushButton* m_pAddVariation = nullptr;
    QLabel* m_pKeys = nullptr;
    bool m_bRefreshing = false;
};
