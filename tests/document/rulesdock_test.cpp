// The rules dock driven as a person drives it, through the document: rules
// added, a pattern edited by clicks against a model of the cycle, every
// change one undo step; a rule whose tiles are missing is greyed and left
// out by the engine; "규칙 확인" counts what the engine's check counts; and
// rules not saved come back from the recovery copy.
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <random>

#include "autoruleengine.h"
#include "mapview.h"
#include "recovery.h"
#include "resource.h"
#include "editorfixture.h"
#include "rulesmodel.h"
#include "rulespane.h"

namespace {

std::vector<TileFingerprint> FingerprintsOf(const CZellDoc& doc)
{
    std::vector<TileFingerprint> tiles;
    for (const CSprite* tile : doc.Tiles()) tiles.push_back(FingerprintOf(*tile));
    return tiles;
}

// The dock's edits and refreshes wait for the event loop.
void Settle()
{
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace

TEST_F(EditorTest, RulesDockEditsThroughTheDocumentAndSkipsRulesWithMissingTiles)
{
    CutTiles(MakePicture(128, 64, 8, 5));
    CRulesPane& pane = *frame->m_pRulesPane;
    pane.AddRuleHere();
    Settle();
    ASSERT_EQ(doc->Rules().RuleCount(), 1);
    EXPECT_EQ(doc->UndoStack().undoText().toStdString(), "규칙 바꾸기");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(pane.Selected(), (RulePlace{0, 0}));
    const int start = doc->UndoStack().index();

    // Clicks on the 3 x 3 pattern against the cycle any -> = v -> ≠ v -> any.
    std::mt19937 random(5);
    std::vector<PatternCell> model(9);
    for (int click = 0; click < 40; ++click) {
        const int cell = int(random() % 9);
        const short value = short(random() % 4);
        doc->SetCurrentAttrValue(value);
        QTest::mouseClick(pane.PatternButton((cell / 3) * 5 + cell % 3), Qt::LeftButton);
        Settle();
        PatternCell& m = model[std::size_t(cell)];
        m = m.test == PatternTest::Any     ? PatternCell{PatternTest::Equal, value}
            : m.test == PatternTest::Equal ? PatternCell{PatternTest::NotEqual, value}
                                           : PatternCell{};
        ASSERT_EQ(doc->Rules().groups[0].rules[0].pattern, model) << "click " << click;
        const QString shown = pane.PatternButton((cell / 3) * 5 + cell % 3)->text();
        EXPECT_EQ(shown.startsWith(QStringLiteral("≠")), m.test == PatternTest::NotEqual);
        EXPECT_EQ(shown == QStringLiteral("*"), m.test == PatternTest::Any);
    }
    EXPECT_EQ(doc->UndoStack().index(), start + 40);
    doc->UndoStack().setIndex(start);
    Settle();
    EXPECT_EQ(doc->Rules().groups[0].rules[0].pattern, std::vector<PatternCell>(9));
    EXPECT_EQ(pane.PatternButton(6)->text(), QStringLiteral("*"));

    // An output from the brush writes its tile; the same rule with a tile
    // the set lacks is greyed and writes nothing.
    SelectBlock(1, 1, {3});
    pane.AddOutputFromBrush();
    Settle();
    ASSERT_EQ(doc->Rules().groups[0].rules[0].outputs.size(), 1u);
    QTreeWidgetItem* item = pane.Tree()->topLevelItem(0)->child(0);
    EXPECT_FALSE(item->icon(0).isNull());
    const CRect whole(0, 0, doc->MapWidth(), doc->MapHeight());
    EXPECT_GT(CheckRules(doc->Cells(), doc->CompiledRuleSet(), whole).count, 0);

    RuleSet missing = doc->Rules();
    missing.groups[0].rules[0].outputs[0].tiles[0] = TileFingerprint{1, 2};
    doc->SetRules(missing);
    Settle();
    item = pane.Tree()->topLevelItem(0)->child(0);
    EXPECT_EQ(item->toolTip(0).toStdString(), CRulesPane::kMissingTiles);
    EXPECT_TRUE(item->data(0, Qt::AccessibleTextRole).toString().contains(QStringLiteral("타일 없음")));
    EXPECT_FALSE(doc->CompiledRuleSet().Resolved()[0]);
    const std::vector<short> tiles = TileCells();
    Send(ID_RULES_APPLY);
    EXPECT_EQ(TileCells(), tiles);

    // Switches, duplicates and moves are single steps; a row reads its state.
    pane.DuplicateHere();
    pane.AddGroupHere();
    pane.AddRuleHere();
    pane.MoveHere(-1);
    Settle();
    ASSERT_EQ(doc->Rules().groups.size(), 2u);
    EXPECT_EQ(doc->Rules().groups[0].rules.size(), 3u);
    EXPECT_EQ(pane.Selected(), (RulePlace{0, 2}));
    pane.Tree()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    Settle();
    EXPECT_FALSE(doc->Rules().groups[1].enabled);
    EXPECT_TRUE(
        pane.Tree()->topLevelItem(1)->data(0, Qt::AccessibleTextRole).toString().contains(QStringLiteral("꺼짐")));
    EXPECT_EQ(doc->UndoStack().undoText().toStdString(), "규칙 바꾸기");
}

TEST_F(EditorTest, RulesCheckCountsWhatTheEnginesCheckCountsThroughEdits)
{
    CutTiles(MakePicture(128, 64, 8, 5));
    std::mt19937 random(9);
    for (int i = 0; i < doc->MapWidth() * doc->MapHeight(); ++i) {
        SetCell(CellLayer::Attributes, i, short(random() % 4));
        SetCell(CellLayer::Tiles, i, short(random() % 8));
    }
    doc->SetRules(RandomRuleSet(random, FingerprintsOf(*doc)));
    CMapView& map = *Map();
    Send(ID_VIEW_RULES_CHECK);
    ASSERT_TRUE(map.RulesCheckShown());
    const CRect whole(0, 0, doc->MapWidth(), doc->MapHeight());
    const auto expectSame = [&](int step) {
        const RulesCheck check = CheckRules(doc->Cells(), doc->CompiledRuleSet(), whole, SIZE_MAX);
        const RuleDifferences& marks = map.RuleDifferencesNow();
        ASSERT_EQ(marks.Count(), check.count) << "step " << step;
        std::vector<CPoint> marked;
        marks.ForEachIn(whole, [&](int col, int row) {
            marked.emplace_back(col, row);
            return true;
        });
        EXPECT_TRUE(std::equal(marked.begin(), marked.end(), check.first.begin(), check.first.end(),
                               [](CPoint a, CPoint b) { return a.x == b.x && a.y == b.y; }))
            << "step " << step;
        EXPECT_EQ(frame->m_pRulesCheckPane->text(), map.RulesCheckText());
    };
    expectSame(-1);
    for (int step = 0; step < 30; ++step) {
        const int left = int(random() % 22) - 1, top = int(random() % 17) - 1;
        const CRect cells(left, top, left + 1 + int(random() % 5), top + 1 + int(random() % 4));
        if (step % 5 == 4)
            doc->SetRules(RandomRuleSet(random, FingerprintsOf(*doc)));
        else if (step % 2)
            doc->SetCellAttributes(cells, short(random() % 4));
        else
            Send(ID_RULES_APPLY);
        Settle();
        expectSame(step);
    }
    Send(ID_VIEW_RULES_CHECK);
    EXPECT_FALSE(frame->m_pRulesCheckPane->isVisible());
}

TEST_F(EditorTest, RulesNotSavedComeBackFromTheRecoveryCopy)
{
    CutTiles(MakePicture(128, 64, 8, 5));
    doc->KeepRecoveryCopies(folder.File("state"));
    std::mt19937 random(3);
    for (int round = 0; round < 3; ++round) {
        doc->SetRules(RandomRuleSet(random, FingerprintsOf(*doc)));
        doc->Recovery()->Flush();
        doc->Recovery()->WaitForWrites();
    }
    const RuleSet expected = doc->Rules();
    const RecoveredSession session = CRecoveryKeeper::ReadSession(doc->Recovery()->MetaFile());
    ASSERT_FALSE(session.rulesFile.empty());
    doc->SetRules(RuleSet());
    ASSERT_TRUE(doc->RestoreSession(session));
    EXPECT_EQ(doc->Rules(), expected);
}
