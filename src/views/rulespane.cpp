#include "rulespane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "autoruleengine.h"
#include "maphint.h"
#include "sprite.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
constexpr int kGroupRole = Qt::UserRole;
constexpr int kRuleRole = Qt::UserRole + 1;
constexpr int kIconSize = 16;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString SwitchText(bool on) { return on ? Pellin::tr("켜짐") : Pellin::tr("꺼짐"); }

// What a pattern position shows: "*" for any, the value for "=", "≠" and
// the value for "≠".
QString CellText(const PatternCell& cell)
{
    switch (cell.test) {
    case PatternTest::Any: return QStringLiteral("*");
    case PatternTest::Equal: return QString::number(cell.value);
    case PatternTest::NotEqual: return QStringLiteral("≠") + QString::number(cell.value);
    }
    return {};
}
}  // namespace

// The rule tree: a drop moves the rule or group through the document
// instead of moving the items; the tree is then filled from the rules.
class CRulesTree : public QTreeWidget {
public:
    explicit CRulesTree(QWidget* parent) : QTreeWidget(parent) {}
    std::function<void(QTreeWidgetItem*, CRulesPane::DropAt)> m_onDrop;

protected:
    void dropEvent(QDropEvent* event) override
    {
        QTreeWidgetItem* target = itemAt(event->position().toPoint());
        const DropIndicatorPosition indicator = dropIndicatorPosition();
        const CRulesPane::DropAt position = indicator == AboveItem   ? CRulesPane::DropAt::Above
                                            : indicator == BelowItem ? CRulesPane::DropAt::Below
                                                                     : CRulesPane::DropAt::On;
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
        if (m_onDrop) m_onDrop(target, position);
    }
};

CRulesPane::CRulesPane(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(Pellin::tr("자동 타일 규칙"));
    m_pTree = new CRulesTree(this);
    m_pTree->setAccessibleName(Pellin::tr("규칙 목록"));
    m_pTree->setHeaderHidden(true);
    m_pTree->setIconSize(QSize(kIconSize, kIconSize));
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTree->setDragDropMode(QAbstractItemView::InternalMove);
    m_pTree->m_onDrop = [pane = this](QTreeWidgetItem* target, DropAt at) { pane->OnDropped(target, at); };

    const auto button = [this](const QString& text, const QString& name) {
        auto* made = new QPushButton(text, this);
        made->setAccessibleName(name);
        return made;
    };
    m_pAddRule = button(Pellin::tr("추가"), Pellin::tr("규칙 추가"));
    m_pDuplicate = button(Pellin::tr("복제"), Pellin::tr("규칙 복제"));
    m_pRemove = button(Pellin::tr("삭제"), Pellin::tr("규칙 삭제"));
    m_pUp = button(QStringLiteral("▲"), Pellin::tr("위로"));
    m_pDown = button(QStringLiteral("▼"), Pellin::tr("아래로"));
    m_pAddGroup = button(Pellin::tr("그룹 추가"), Pellin::tr("그룹 추가"));
    m_pReshuffle = button(Pellin::tr("다시 섞기"), Pellin::tr("다시 섞기"));
    m_pReshuffle->setToolTip(Pellin::tr("무작위 선택을 새로 뽑습니다"));
    m_pOutside = new QSpinBox(this);
    m_pOutside->setRange(-32768, 32767);
    m_pOutside->setKeyboardTracking(false);
    m_pOutside->setAccessibleName(Pellin::tr("맵 밖"));
    m_pOutside->setToolTip(Pellin::tr("맵 밖의 칸이 가진 것으로 보는 속성 값"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_pAddRule, m_pDuplicate, m_pRemove, m_pUp, m_pDown}) buttons->addWidget(b);
    auto* setRow = new QHBoxLayout;
    setRow->addWidget(m_pAddGroup);
    setRow->addWidget(m_pReshuffle);
    auto* outsideLabel = new QLabel(Pellin::tr("맵 밖"), this);
    outsideLabel->setBuddy(m_pOutside);
    setRow->addWidget(outsideLabel);
    setRow->addWidget(m_pOutside);
    setRow->addStretch();

    // The editor of the selected rule (of the group: its name alone).
    m_pEditor = new QWidget(this);
    m_pEditor->setAccessibleName(Pellin::tr("규칙 편집"));
    m_pName = new QLineEdit(m_pEditor);
    m_pName->setAccessibleName(Pellin::tr("이름"));
    m_pRuleOnly = new QWidget(m_pEditor);
    m_pRuleOnly->setAccessibleName(Pellin::tr("규칙 설정"));
    m_pSize = new QComboBox(m_pRuleOnly);
    m_pSize->setAccessibleName(Pellin::tr("패턴 크기"));
    for (int size : {1, 3, 5}) m_pSize->addItem(QStringLiteral("%1 x %1").arg(size), size);
    auto* pattern = new QWidget(m_pRuleOnly);
    pattern->setAccessibleName(Pellin::tr("패턴"));
    auto* grid = new QGridLayout(pattern);
    grid->setSpacing(1);
    grid->setContentsMargins(0, 0, 0, 0);
    // The cells keep their size and sit at the top left whatever the pattern's size.
    grid->setColumnStretch(5, 1);
    for (int i = 0; i < 25; ++i) {
        auto* cell = new QToolButton(pattern);
        cell->setFixedSize(30, 24);
        cell->setAutoRaise(false);
        grid->addWidget(cell, i / 5, i % 5);
        m_patternCells[std::size_t(i)] = cell;
        connect(cell, &QToolButton::clicked, this, [this, i] { ClickPatternCell(i); });
    }
    m_pOutputs = new QTreeWidget(m_pRuleOnly);
    m_pOutputs->setAccessibleName(Pellin::tr("출력"));
    m_pOutputs->setRootIsDecorated(false);
    m_pOutputs->setHeaderLabels({Pellin::tr("출력"), Pellin::tr("무게")});
    m_pOutputs->setIconSize(QSize(kIconSize, kIconSize));
    m_pOutputs->setMaximumHeight(110);
    m_pAddOutput = new QPushButton(Pellin::tr("출력 추가"), m_pRuleOnly);
    m_pAddOutput->setAccessibleName(Pellin::tr("출력 추가"));
    m_pAddOutput->setToolTip(Pellin::tr("팔레트에서 고른 타일이나 브러시를 출력으로 더합니다"));
    m_pRemoveOutput = new QPushButton(Pellin::tr("출력 삭제"), m_pRuleOnly);
    m_pRemoveOutput->setAccessibleName(Pellin::tr("출력 삭제"));
    m_pChance = new QSpinBox(m_pRuleOnly);
    m_pChance->setRange(1, 100);
    m_pChance->setSuffix(QStringLiteral("%"));
    m_pChance->setKeyboardTracking(false);
    m_pChance->setAccessibleName(Pellin::tr("확률"));
    m_pStop = new QCheckBox(Pellin::tr("여기서 멈춤"), m_pRuleOnly);
    m_pStop->setAccessibleName(Pellin::tr("여기서 멈춤"));
    m_pMissing = new QLabel(Pellin::tr(kMissingTiles), m_pRuleOnly);
    m_pMissing->setWordWrap(true);
    m_pMissing->setStyleSheet(QStringLiteral("color: #a00000"));

    auto* outputButtons = new QHBoxLayout;
    outputButtons->addWidget(m_pAddOutput);
    outputButtons->addWidget(m_pRemoveOutput);
    outputButtons->addStretch();
    auto* ruleForm = new QFormLayout(m_pRuleOnly);
    ruleForm->setContentsMargins(0, 0, 0, 0);
    ruleForm->addRow(Pellin::tr("패턴 크기"), m_pSize);
    ruleForm->addRow(Pellin::tr("패턴"), pattern);
    ruleForm->addRow(Pellin::tr("출력"), m_pOutputs);
    ruleForm->addRow(QString(), outputButtons);
    ruleForm->addRow(Pellin::tr("확률"), m_pChance);
    ruleForm->addRow(QString(), m_pStop);
    ruleForm->addRow(m_pMissing);
    auto* editorForm = new QFormLayout(m_pEditor);
    editorForm->setContentsMargins(0, 0, 0, 0);
    editorForm->addRow(Pellin::tr("이름"), m_pName);
    editorForm->addRow(m_pRuleOnly);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_pTree, 1);
    layout->addLayout(buttons);
    layout->addLayout(setRow);
    layout->addWidget(m_pEditor);

    connect(m_pAddRule, &QPushButton::clicked, this, [this] { AddRuleHere(); });
    connect(m_pDuplicate, &QPushButton::clicked, this, [this] { DuplicateHere(); });
    connect(m_pRemove, &QPushButton::clicked, this, [this] { RemoveHere(); });
    connect(m_pUp, &QPushButton::clicked, this, [this] { MoveHere(-1); });
    connect(m_pDown, &QPushButton::clicked, this, [this] { MoveHere(1); });
    connect(m_pAddGroup, &QPushButton::clicked, this, [this] { AddGroupHere(); });
    connect(m_pReshuffle, &QPushButton::clicked, this, [this] { Reshuffle(); });
    connect(m_pAddOutput, &QPushButton::clicked, this, [this] { AddOutputFromBrush(); });
    connect(m_pRemoveOutput, &QPushButton::clicked, this, [this] { RemoveOutput(); });
    connect(m_pOutside, &QSpinBox::valueChanged, this, [this](int value) {
        if (m_bFilling) return;
        Change([this, value](RuleSet& set) {
            set.outside = short(value);
            return m_selected;
        });
    });
    connect(m_pName, &QLineEdit::editingFinished, this, [this] {
        if (m_bFilling) return;
        const std::string name = m_pName->text().toStdString();
        Change([this, name](RuleSet& set) {
            if (AutoRule* rule = RuleAt(set, m_selected))
                rule->name = name;
            else if (RuleGroup* group = GroupAt(set, m_selected))
                group->name = name;
            return m_selected;
        });
    });
    connect(m_pSize, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_bFilling || index < 0) return;
        const int size = m_pSize->itemData(index).toInt();
        ChangeRule([size](AutoRule& rule) { ResizePattern(rule, size); });
    });
    connect(m_pChance, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_bFilling) ChangeRule([value](AutoRule& rule) { rule.chance = value; });
    });
    connect(m_pStop, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_bFilling) ChangeRule([on](AutoRule& rule) { rule.stop = on; });
    });
    connect(m_pTree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { OnItemChanged(item); });
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_bFilling || !item) return;
        m_selected = {item->data(0, kGroupRole).toInt(), item->data(0, kRuleRole).toInt()};
        FillEditor();
    });
    Refresh();
}

QTreeWidget* CRulesPane::Tree() const { return m_pTree; }

void CRulesPane::SetDocument(CZellDoc* doc)
{
    if (m_pDoc == doc) return;
    m_pDoc = doc;
    m_selected = {};
    Refresh();
}

void CRulesPane::DocumentUpdated(long hint)
{
    if (!(hint & (HINT_RULES | HINT_NEW_MAP | HINT_TILE_IMAGES | HINT_ATTR_VALUES)) || m_bRefreshPending) return;
    m_bRefreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_bRefreshPending = false;
        Refresh();
    });
}

void CRulesPane::Refresh()
{
    FillTree();
    FillEditor();
}

void CRulesPane::Select(RulePlace place)
{
    m_selected = place;
    Refresh();
}

QIcon CRulesPane::TileIcon(const TileFingerprint& print) const
{
    if (!m_pDoc) return {};
    const int number = m_pDoc->Tiles().FindFingerprint(print);
    const CSprite* tile = number >= 0 ? m_pDoc->Tiles().GetAt(number) : nullptr;
    if (!tile || tile->GetWidth() <= 0 || tile->GetHeight() <= 0) return {};
    const QImage picture(reinterpret_cast<const uchar*>(tile->GetScreenBits()), tile->GetWidth(), tile->GetHeight(),
                         QImage::Format_RGB32);
    return QPixmap::fromImage(picture.scaled(kIconSize, kIconSize));
}

void CRulesPane::FillTree()
{
    m_bFilling = true;
    m_pTree->clear();
    if (m_pDoc) {
        const RuleSet& set = m_pDoc->Rules();
        const std::vector<bool>& resolved = m_pDoc->CompiledRuleSet().Resolved();
        int ordinal = 0;
        for (int g = 0; g < int(set.groups.size()); ++g) {
            const RuleGroup& group = set.groups[std::size_t(g)];
            auto* groupItem = new QTreeWidgetItem(m_pTree);
            groupItem->setText(0, Text(group.name));
            groupItem->setData(0, kGroupRole, g);
            groupItem->setData(0, kRuleRole, -1);
            groupItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                                Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
            groupItem->setCheckState(0, group.enabled ? Qt::Checked : Qt::Unchecked);
            groupItem->setData(0, Qt::AccessibleTextRole,
                               Pellin::tr("그룹 %1, %2").arg(Text(group.name), SwitchText(group.enabled)));
            for (int r = 0; r < int(group.rules.size()); ++r, ++ordinal) {
                const AutoRule& rule = group.rules[std::size_t(r)];
                auto* item = new QTreeWidgetItem(groupItem);
                item->setText(0, Text(rule.name));
                item->setData(0, kGroupRole, g);
                item->setData(0, kRuleRole, r);
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                               Qt::ItemIsDragEnabled);
                item->setCheckState(0, rule.enabled ? Qt::Checked : Qt::Unchecked);
                if (!rule.outputs.empty() && !rule.outputs.front().tiles.empty())
                    item->setIcon(0, TileIcon(rule.outputs.front().tiles.front()));
                const bool missing = std::size_t(ordinal) < resolved.size() && !resolved[std::size_t(ordinal)];
                QString spoken = QStringLiteral("%1, %2").arg(Text(rule.name), SwitchText(rule.enabled));
                if (missing) {
                    item->setForeground(0, QColor(Qt::gray));
                    item->setToolTip(0, Pellin::tr(kMissingTiles));
                    item->setData(0, Qt::AccessibleDescriptionRole, Pellin::tr(kMissingTiles));
                    spoken += Pellin::tr(", 타일 없음");
                }
                item->setData(0, Qt::AccessibleTextRole, spoken);
            }
        }
        m_pTree->expandAll();
        if (QTreeWidgetItem* current = ItemAt(m_selected)) {
            m_pTree->setCurrentItem(current);
        } else {
            m_selected = {};
        }
    }
    for (QPushButton* b : {m_pAddRule, m_pAddGroup, m_pReshuffle}) b->setEnabled(m_pDoc != nullptr);
    m_pOutside->setEnabled(m_pDoc != nullptr);
    m_pOutside->setValue(m_pDoc ? m_pDoc->Rules().outside : 0);
    m_bFilling = false;
}

QTreeWidgetItem* CRulesPane::ItemAt(RulePlace place) const
{
    QTreeWidgetItem* group = place.group >= 0 ? m_pTree->topLevelItem(place.group) : nullptr;
    if (!group || place.rule < 0) return group;
    return group->child(place.rule);
}

void CRulesPane::FillEditor()
{
    m_bFilling = true;
    const RuleSet* set = m_pDoc ? &m_pDoc->Rules() : nullptr;
    const AutoRule* rule = set ? RuleAt(*set, m_selected) : nullptr;
    const RuleGroup* group = set ? GroupAt(*set, m_selected) : nullptr;
    for (QPushButton* b : {m_pDuplicate, m_pRemove, m_pUp, m_pDown}) b->setEnabled(group != nullptr);
    m_pEditor->setVisible(group != nullptr);
    m_pRuleOnly->setVisible(rule != nullptr);
    if (group) m_pName->setText(Text(rule ? rule->name : group->name));
    if (rule) {
        m_pSize->setCurrentIndex(std::max(0, m_pSize->findData(rule->size)));
        const bool whole = rule->pattern.size() == std::size_t(rule->size * rule->size);
        for (int i = 0; i < 25; ++i) {
            QToolButton* button = m_patternCells[std::size_t(i)];
            const int row = i / 5;
            const int col = i % 5;
            const bool shown = whole && row < rule->size && col < rule->size;
            button->setVisible(shown);
            if (!shown) continue;
            const PatternCell& cell = rule->pattern[std::size_t(row * rule->size + col)];
            const AttrColour colour = m_pDoc->AttrValues().Colour(cell.value);
            const QColor fill =
                cell.test == PatternTest::Any ? QColor(Qt::white) : QColor(colour.red, colour.green, colour.blue);
            const QColor ink = fill.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
            // "≠" gets a red frame too, so that it reads at a glance.
            const QString frame = cell.test == PatternTest::NotEqual ? QStringLiteral("2px solid #e00000")
                                                                     : QStringLiteral("1px solid #808080");
            const bool centre = row == rule->size / 2 && col == rule->size / 2;
            button->setStyleSheet(
                QStringLiteral("QToolButton { background: %1; color: %2; border: %3; %4 }")
                    .arg(fill.name(), ink.name(), frame, centre ? QStringLiteral("font-weight: bold;") : QString()));
            button->setText(CellText(cell));
            const QString test = cell.test == PatternTest::Any     ? Pellin::tr("아무 값")
                                 : cell.test == PatternTest::Equal ? QStringLiteral("= %1").arg(cell.value)
                                                                   : QStringLiteral("≠ %1").arg(cell.value);
            const int dx = col - rule->size / 2;
            const int dy = row - rule->size / 2;
            button->setAccessibleName(Pellin::tr("패턴 %1, %2: %3").arg(dx).arg(dy).arg(test));
            button->setToolTip(centre ? Pellin::tr("가운데 칸: %1").arg(test) : test);
        }
        m_pOutputs->clear();
        for (int n = 0; n < int(rule->outputs.size()); ++n) {
            const RuleOutput& output = rule->outputs[std::size_t(n)];
            auto* item = new QTreeWidgetItem(m_pOutputs);
            item->setText(0, QStringLiteral("%1 x %2").arg(output.width).arg(output.height));
            item->setData(0, Qt::AccessibleTextRole,
                          Pellin::tr("출력 %1: %2 x %3, 무게 %4")
                              .arg(n + 1)
                              .arg(output.width)
                              .arg(output.height)
                              .arg(output.weight));
            if (!output.tiles.empty()) item->setIcon(0, TileIcon(output.tiles.front()));
            auto* weight = new QSpinBox(m_pOutputs);
            weight->setRange(1, 10000);
            weight->setValue(output.weight);
            weight->setKeyboardTracking(false);
            weight->setAccessibleName(Pellin::tr("출력 %1 무게").arg(n + 1));
            connect(weight, &QSpinBox::valueChanged, this, [this, n](int value) { OnWeightChanged(n, value); });
            m_pOutputs->setItemWidget(item, 1, weight);
        }
        m_pRemoveOutput->setEnabled(!rule->outputs.empty());
        m_pChance->setValue(rule->chance);
        m_pStop->setChecked(rule->stop);
        const std::vector<bool>& resolved = m_pDoc->CompiledRuleSet().Resolved();
        const int ordinal = RuleOrdinal(*set, m_selected);
        m_pMissing->setVisible(ordinal >= 0 && std::size_t(ordinal) < resolved.size() &&
                               !resolved[std::size_t(ordinal)]);
    }
    m_bFilling = false;
}

void CRulesPane::Change(const std::function<RulePlace(RuleSet&)>& edit)
{
    if (!m_pDoc) return;
    RuleSet next = m_pDoc->Rules();
    const RulePlace place = edit(next);
    m_selected = place;
    if (next == m_pDoc->Rules()) {
        Refresh();
        return;
    }
    m_pDoc->SetRules(std::move(next));
    // The document's hint brings the dock up to date.
}

void CRulesPane::ChangeRule(const std::function<void(AutoRule&)>& edit)
{
    Change([this, &edit](RuleSet& set) {
        if (AutoRule* rule = RuleAt(set, m_selected)) edit(*rule);
        return m_selected;
    });
}

void CRulesPane::AddRuleHere()
{
    Change([this](RuleSet& set) { return AddRule(set, m_selected, Pellin::tr("새 규칙").toStdString()); });
}

void CRulesPane::AddGroupHere()
{
    Change([this](RuleSet& set) { return AddGroup(set, m_selected, Pellin::tr("새 그룹").toStdString()); });
}

void CRulesPane::DuplicateHere()
{
    Change([this](RuleSet& set) { return Duplicate(set, m_selected); });
}

void CRulesPane::RemoveHere()
{
    Change([this](RuleSet& set) { return Remove(set, m_selected); });
}

void CRulesPane::MoveHere(int step)
{
    Change([this, step](RuleSet& set) { return MoveBy(set, m_selected, step); });
}

void CRulesPane::Reshuffle()
{
    Change([this](RuleSet& set) {
        const std::uint32_t before = set.seed;
        while (set.seed == before) set.seed = QRandomGenerator::global()->generate();
        return m_selected;
    });
}

void CRulesPane::ClickPatternCell(int index)
{
    if (!m_pDoc) return;
    const AutoRule* rule = RuleAt(m_pDoc->Rules(), m_selected);
    if (!rule) return;
    // The buttons lie on a 5 x 5 grid; the pattern is size x size.
    const int row = index / 5;
    const int col = index % 5;
    if (row >= rule->size || col >= rule->size) return;
    const short value = m_pDoc->CurrentAttrValue();
    ChangeRule([&](AutoRule& edited) { CyclePatternCell(edited, row * rule->size + col, value); });
}

void CRulesPane::AddOutputFromBrush()
{
    if (!m_pDoc || !m_pDoc->HasBrush()) return;
    const CCellBlock& block = m_pDoc->Brush();
    RuleOutput output;
    output.width = block.m_nCols;
    output.height = block.m_nRows;
    for (int r = 0; r < block.m_nRows; ++r)
        for (int c = 0; c < block.m_nCols; ++c) {
            const short tile = block.Tile(r, c);
            // A block with an empty entry is no block of tiles to lay.
            if (tile < 0 || !m_pDoc->Tiles().GetAt(tile)) return;
            output.tiles.push_back(m_pDoc->Tiles().FingerprintAt(tile));
        }
    ChangeRule([&output](AutoRule& rule) { rule.outputs.push_back(output); });
}

void CRulesPane::RemoveOutput()
{
    const int row = m_pOutputs->currentItem() ? m_pOutputs->indexOfTopLevelItem(m_pOutputs->currentItem())
                                              : m_pOutputs->topLevelItemCount() - 1;
    ChangeRule([row](AutoRule& rule) {
        if (row >= 0 && row < int(rule.outputs.size())) rule.outputs.erase(rule.outputs.begin() + row);
    });
}

void CRulesPane::OnWeightChanged(int output, int weight)
{
    if (m_bFilling) return;
    // The spin box is replaced as the editor refills: the change waits for
    // its signal to end.
    QTimer::singleShot(0, this, [this, output, weight] {
        ChangeRule([output, weight](AutoRule& rule) {
            if (output < int(rule.outputs.size())) rule.outputs[std::size_t(output)].weight = weight;
        });
    });
}

void CRulesPane::OnItemChanged(QTreeWidgetItem* item)
{
    if (m_bFilling || !item) return;
    const RulePlace place{item->data(0, kGroupRole).toInt(), item->data(0, kRuleRole).toInt()};
    const bool on = item->checkState(0) == Qt::Checked;
    // The edit waits for the tree to be done with the item it fills anew.
    QTimer::singleShot(0, this, [this, place, on] {
        Change([this, place, on](RuleSet& set) {
            if (AutoRule* rule = RuleAt(set, place))
                rule->enabled = on;
            else if (RuleGroup* group = GroupAt(set, place))
                group->enabled = on;
            return m_selected;
        });
    });
}

void CRulesPane::OnDropped(QTreeWidgetItem* target, DropAt at)
{
    if (!m_pDoc || !target) return;
    const RulePlace to{target->data(0, kGroupRole).toInt(), target->data(0, kRuleRole).toInt()};
    const RulePlace from = m_selected;
    const bool below = at == DropAt::Below;
    const bool on = at == DropAt::On;
    int group = to.group;
    int before = 0;
    if (from.IsGroup()) {
        before = to.group + (below ? 1 : 0);
        if (from.group < before) --before;
    } else if (to.IsGroup()) {
        // Onto a group: at its end; above it: at the end of the one before.
        const RuleGroup* target = GroupAt(m_pDoc->Rules(), to);
        if (!on && !below && to.group > 0) group = to.group - 1;
        before = on ? int(target ? target->rules.size() : 0) : below ? 0 : INT_MAX;
        if (!on && !below && to.group == 0) before = 0;
    } else {
        before = to.rule + (below ? 1 : 0);
        if (from.group == to.group && from.rule < before) --before;
    }
    QTimer::singleShot(0, this, [this, from, group, before] {
        Change([from, group, before](RuleSet& set) { return MoveTo(set, from, group, before); });
    });
}
