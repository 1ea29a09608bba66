// The history's memory budget and edits that run out of memory, in the editor.
// Budget: random edits, strokes, saves, undos and redos of a map of several
// chunks under a budget of a few, against a model that keeps every state:
// the history is always the model's newest steps, its undo and redo give the
// model's states, the saved mark and the modified flag agree with the model.
// Out of memory (a chunk made to fail part-way): each kind of edit with no
// older step to give leaves the map and the history exactly as they were,
// with one message; with older steps to give, they go and the edit is made.
#include <QStatusBar>
#include <random>
#include <tuple>

#include "autorules.h"
#include "cellchunk.h"
#include "editorfixture.h"
#include "historypane.h"
#include "resource.h"
#include "tilefingerprint.h"
#include "waituntil.h"

TEST_F(EditorTest, TheBudgetDropsTheOldestStepsAndKeepsTheRestAsAModelWithEveryStepWould)
{
    watchdog.Then(AnswerNewMap(384, 256));  // 3 x 2 chunks a layer
    Send(ID_FILE_NEW);
    CEditHistory& history = doc->UndoStack();
    const std::size_t budget = 5 * 128 * 128 * sizeof(short);
    history.SetMemoryBudget(budget);
    struct State {
        std::vector<short> tiles, attrs;
        bool operator==(const State&) const = default;
    };
    std::vector<State> states{{TileCells(), AttrCells()}};
    std::vector<QString> names{{}};
    int at = 0, saved = 0;
    short value = 0;
    bool strokeHasStep = false;
    std::mt19937 random(5);
    for (int op = 0; op < 300; ++op) {
        const int droppedBefore = history.DroppedCount();
        frame->statusBar()->clearMessage();
        const unsigned kind = random() % 10;
        if (kind < 6) {
            const int left = int(random() % 384), top = int(random() % 256);
            const CRect area(left, top, left + 1 + int(random() % 200), top + 1 + int(random() % 150));
            const CellLayer layer = random() % 2 ? CellLayer::Tiles : CellLayer::Attributes;
            const QString name = QString::number(++value);
            ASSERT_TRUE(doc->RecordCellEdit(name, [&](CCellLayers& cells) {
                cells.FillRect(layer, area.left, area.top, area.right, area.bottom, value);
                return area;
            }));
            if (doc->InStroke() && strokeHasStep) {
                states[std::size_t(at)] = {TileCells(), AttrCells()};
            } else {
                states.resize(std::size_t(++at));
                names.resize(std::size_t(at));
                saved = saved >= at ? -1 : saved;
                states.push_back({TileCells(), AttrCells()});
                names.push_back(name);
                strokeHasStep = doc->InStroke();
            }
        } else if (kind == 6 && history.canUndo() && !doc->InStroke()) {
            history.undo();
            --at;
        } else if (kind == 7 && history.canRedo() && !doc->InStroke()) {
            history.redo();
            ++at;
        } else if (kind == 8 && !doc->InStroke()) {
            history.setClean();
            saved = at;
        } else if (kind == 9) {
            doc->InStroke() ? doc->EndStroke() : doc->BeginStroke();
            strokeHasStep = false;
        }
        const int dropped = history.DroppedCount();
        ASSERT_TRUE(!doc->InStroke() || dropped == droppedBefore) << "op " << op;
        ASSERT_TRUE(kind >= 6 || doc->InStroke() || history.KeptBytes() <= budget || history.count() == 1);
        EXPECT_EQ(frame->statusBar()->currentMessage().toStdString() == kMsgOldStepsDropped, dropped > droppedBefore);
        ASSERT_EQ(history.index() + dropped, at) << "op " << op;
        ASSERT_EQ(history.count() + dropped + 1, int(states.size())) << "op " << op;
        ASSERT_EQ(bool(doc->IsModified()), saved != at) << "op " << op;
        ASSERT_TRUE((State{TileCells(), AttrCells()} == states[std::size_t(at)])) << "op " << op;
        for (int i = 0; i < history.count(); ++i) ASSERT_EQ(history.text(i), names[std::size_t(dropped + i + 1)]);
    }
    if (doc->InStroke()) doc->EndStroke();
    const int dropped = history.DroppedCount();
    ASSERT_GT(dropped, 10);
    EXPECT_EQ(frame->m_pHistoryPane->model()->index(0, 0).data().toString(), "<오래된 내역 지움>");
    for (int i = history.count(); i >= 0; --i) {
        history.setIndex(i);
        ASSERT_TRUE((State{TileCells(), AttrCells()} == states[std::size_t(dropped + i)])) << "step " << i;
        ASSERT_EQ(bool(doc->IsModified()), saved != dropped + i);
    }
}

// An edit of the map, what it needs set up first and when its chunk fails.
struct FailingEdit {
    const char* name;
    void (*prepare)(EditorTest&);
    void (*edit)(EditorTest&);
    long failAfter;
};

class OutOfMemory : public EditorTest, public ::testing::WithParamInterface<FailingEdit> {};

TEST_P(OutOfMemory, AFailedEditLeavesMapAndHistoryAsTheyWereOrTheOldestStepsGiveWay)
{
    const FailingEdit c = GetParam();
    watchdog.Then(AnswerNewMap(300, 300));  // 3 x 3 chunks a layer
    Send(ID_FILE_NEW);
    CutTiles(MakePicture(128, 64, 8, 5));
    SelectBlock(2, 1, {0, 1});
    if (c.prepare) c.prepare(*this);
    doc->UndoStack().clear();
    doc->FillWithBrush(CRect(0, 0, 3, 3));  // the newest step, which never goes
    const auto now = [&] {
        std::vector<QString> texts{QString::number(doc->UndoStack().index())};
        for (int i = 0; i < doc->UndoStack().count(); ++i) texts.push_back(doc->UndoStack().text(i));
        return std::tuple(TileCells(), AttrCells(), doc->AttrValues().Count(5), texts, bool(doc->IsModified()));
    };
    const auto before = now();
    const int modals = watchdog.ModalsSeen();
    watchdog.Then(ExpectMessage(kMsgEditOutOfMemory));
    CellChunk::FailAfter(c.failAfter);
    c.edit(*this);
    EXPECT_EQ(watchdog.ModalsSeen(), modals + 1);
    EXPECT_TRUE(now() == before);

    // With older steps holding memory, they go and the edit is made.
    doc->SetCellAttributes(CRect(0, 0, 200, 200), 7);
    doc->SetCellAttributes(CRect(100, 100, 300, 300), 8);
    const auto second = now();
    // The panes' background work holds copies of the map for a while.
    ASSERT_TRUE(WaitUntil([&] { return doc->UndoStack().StepBytes(0) > 0; }));
    CellChunk::FailAfter(c.failAfter);
    c.edit(*this);
    EXPECT_EQ(watchdog.ModalsSeen(), modals + 1);
    EXPECT_EQ(doc->UndoStack().DroppedCount(), 1);
    EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(), kMsgOldStepsDropped);
    EXPECT_EQ(doc->UndoStack().undoText().toStdString(), c.name);
    doc->UndoStack().undo();
    EXPECT_EQ(std::get<0>(now()), std::get<0>(second));
    EXPECT_EQ(std::get<1>(now()), std::get<1>(second));
}

namespace {
void SetTileThreeRule(EditorTest& t)
{
    AutoRule rule = MakeBlankRule(1);
    rule.outputs.push_back({1, 1, {FingerprintOf(*t.doc->Tiles().GetAt(3))}, 1});
    RuleSet rules;
    rules.groups.push_back({"", true, {rule}});
    t.doc->SetRules(rules);
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Edits, OutOfMemory,
    ::testing::Values(FailingEdit{"타일 전체채우기", nullptr, [](EditorTest& t) { t.Send(ID_TILE_FILLALL); }, 5},
                      FailingEdit{"타일 채우기", nullptr,
                                  [](EditorTest& t) { t.doc->FillWithBrush(CRect(10, 10, 290, 200)); }, 0},
                      FailingEdit{"붙여넣기",
                                  [](EditorTest& t) {
                                      t.doc->FillWithBrush(CRect(0, 0, 300, 300));
                                      t.doc->SetMapSelection(CRect(0, 0, 300, 300));
                                      t.Send(ID_EDIT_COPY);
                                      t.doc->SetCellAttributes(CRect(0, 0, 300, 300), 5);
                                  },
                                  [](EditorTest& t) { t.Send(ID_EDIT_PASTE_IN_PLACE); }, 7},
                      FailingEdit{"규칙 적용", SetTileThreeRule, [](EditorTest& t) { t.Send(ID_RULES_APPLY); }, 2},
                      FailingEdit{"맵 속성 지정",
                                  [](EditorTest& t) {
                                      SetTileThreeRule(t);
                                      t.doc->SetAutoRules(true);
                                  },
                                  [](EditorTest& t) { t.doc->SetCellAttributes(CRect(0, 0, 300, 300), 5); }, 10}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });
