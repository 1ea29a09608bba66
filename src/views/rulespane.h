// The rules dock ("자동 타일 규칙"): the map's rule set as a tree of groups
// and rules, each with its switch and a small picture of its first output
// tile, and under it an editor for the selected rule (name, pattern size,
// the pattern's cells, the outputs with their weights, chance, "여기서
// 멈춤") and the set's "맵 밖" value. A rule whose output tiles are not in
// the tile set is greyed: the rules skip it. Every change is one undo step
// of the document ("규칙 바꾸기"); the dock follows the document's hints.
#pragma once

#include <QWidget>

#include <array>
#include <functional>

#include "rulesetedit.h"
#include "messagetext.h"

class CZellDoc;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class CRulesTree;

class CRulesPane : public QWidget {
    Q_OBJECT
public:
    explicit CRulesPane(QWidget* parent = nullptr);

    void SetDocument(CZellDoc* doc);
    CZellDoc* Document() const { return m_pDoc; }
    // The document changed (the flags of maphint.h): the dock follows once
    // the events of the change are done.
    void DocumentUpdated(long hint);
    // Brings the tree and the editor in line with the document now.
    void Refresh();

    // The selected group or rule.
    RulePlace Selected() const { return m_selected; }
    void Select(RulePlace place);

    // The controls, for tests and assistive technology.
    QTreeWidget* Tree() const;
    QToolButton* PatternButton(int index) const { return m_patternCells[std::size_t(index)]; }
    QTreeWidget* Outputs() const { return m_pOutputs; }
    QLineEdit* NameEdit() const { return m_pName; }
    QComboBox* SizeBox() const { return m_pSize; }
    QSpinBox* ChanceBox() const { return m_pChance; }
    QCheckBox* StopBox() const { return m_pStop; }
    QSpinBox* OutsideBox() const { return m_pOutside; }

    // The buttons' work, for the buttons and for tests.
    void AddRuleHere();
    void AddGroupHere();
    void DuplicateHere();
    void RemoveHere();
    void MoveHere(int step);
    void Reshuffle();
    void AddOutputFromBrush();
    void RemoveOutput();
    void ClickPatternCell(int index);

    static constexpr const char* kMissingTiles =
        QT_TRANSLATE_NOOP("Pellin", "출력 타일이 타일 세트에 없어 이 규칙은 건너뜁니다");

private:
    friend class CRulesTree;
    // Edits a copy of the rule set; the document takes it as one undo step
    // when it differs. The edit returns the place to select afterwards.
    void Change(const std::function<RulePlace(RuleSet&)>& edit);
    // The same for the selected rule alone.
    void ChangeRule(const std::function<void(AutoRule&)>& edit);
    void FillTree();
    void FillEditor();
    void OnItemChanged(QTreeWidgetItem* item);
    // Where a drop lands next to its target row.
    enum class DropAt { On, Above, Below };
    void OnDropped(QTreeWidgetItem* target, DropAt at);
    void OnWeightChanged(int output, int weight);
    QTreeWidgetItem* ItemAt(RulePlace place) const;
    QIcon TileIcon(const TileFingerprint& tile) const;

    CZellDoc* m_pDoc = nullptr;
    RulePlace m_selected;
    bool m_bFilling = false;
    bool m_bRefreshPending = false;

    CRulesTree* m_pTree = nullptr;
    QPushButton* m_pAddRule = nullptr;
    QPushButton* m_pDuplicate = nullptr;
    QPushButton* m_pRemove = nullptr;
    QPushButton* m_pUp = nullptr;
    QPushButton* m_pDown = nullptr;
    QPushButton* m_pAddGroup = nullptr;
    QPushButton* m_pReshuffle = nullptr;
    QSpinBox* m_pOutside = nullptr;

    QWidget* m_pEditor = nullptr;
    QWidget* m_pRuleOnly = nullptr;  // what a group has not
    QLineEdit* m_pName = nullptr;
    QComboBox* m_pSize = nullptr;
    std::array<QToolButton*, 25> m_patternCells{};
    QTreeWidget* m_pOutputs = nullptr;
    QPushButton* m_pAddOutput = nullptr;
    QPushButton* m_pRemoveOutput = nullptr;
    QSpinBox* m_pChance = nullptr;
    QCheckBox* m_pStop = nullptr;
    QLabel* m_pMissing = nullptr;
};
