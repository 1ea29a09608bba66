// The stamp library dock driven as a person would: a brush kept as a stamp,
// the stamp greyed while the tile set lacks its pictures, number-key slots,
// variations drawn by weight, reordering and renaming; every change is in
// the library's file.
#include <QAbstractItemModel>
#include <QAccessible>
#include <QDockWidget>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <map>

#include "editorfixture.h"
#include "mapview.h"
#include "resource.h"
#include "stamplibrarypane.h"

namespace {
class StampsTest : public EditorTest {
public:
    void SetUp() override
    {
        ::setenv("PELLIN_STAMPS_FILE", folder.File("stamps.json").c_str(), 1);
        EditorTest::SetUp();
        CutTiles(MakePicture(128, 64, 8, 7));  // eight 32 x 32 tiles
        doc->ClearSelection(nullptr);
    }
    void TearDown() override
    {
        EditorTest::TearDown();
        ::unsetenv("PELLIN_STAMPS_FILE");
    }
    CStampLibraryPane* Pane() const { return frame->m_pStampsPane; }
    QListWidgetItem* Row(int row) const { return Pane()->List()->item(row); }
    StampLibrary Saved() const { return LoadStampLibrary(folder.File("stamps.json")).library; }
    void Click(QPushButton* button)
    {
        frame->UpdateAllCommandUI();
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
};
}  // namespace

TEST_F(StampsTest, KeepsGreysRecallsAndDrawsStampsByWeight)
{
    Send(ID_VIEW_STAMPS);
    ASSERT_TRUE(frame->m_pStampsDock->isVisible());
    EXPECT_FALSE(Pane()->AddButton()->isEnabled()) << "no brush, nothing to add";

    // A brush kept: "스탬프 1", its size shown and spoken, the file written.
    SelectBlock(2, 1, {0, 1});
    Click(Pane()->AddButton());
    ASSERT_EQ(Pane()->List()->count(), 1);
    EXPECT_EQ(Row(0)->text(), QStringLiteral("스탬프 1\n2 x 1"));
    EXPECT_EQ(Saved(), Pane()->Library());

    // Two more variations, one of them added twice: weights 1, 2, 1.
    Pane()->List()->setCurrentRow(0);
    for (const std::vector<short>& block : {std::vector<short>{4, 5}, {4, 5}, {6, 7}}) {
        SelectBlock(2, 1, block);
        Click(Pane()->AddVariationButton());
    }
    EXPECT_EQ(Row(0)->text(), QStringLiteral("스탬프 1\n2 x 1, 변형 3개"));

    // Slot 1 keeps a one-tile brush; Alt+1 brings it back and the stamp tool with it.
    SelectBlock(1, 1, {2});
    Send(ID_STAMP_STORE_1);
    ASSERT_EQ(Pane()->List()->count(), 2);
    EXPECT_EQ(Row(1)->text(), QStringLiteral("스탬프 2\n1 x 1, Alt+1"));
    SelectBlock(1, 1, {3});
    Send(ID_TOOL_ERASER);
    Send(ID_STAMP_RECALL_1);
    EXPECT_EQ(doc->Brush().m_tiles, std::vector<short>{2});
    EXPECT_EQ(Map()->Tools().Tool(), MapTool::Stamp);

    // A click on the row picks the stamp; each click of the stamp tool paints
    // a variation drawn by weight.
    QTest::mouseClick(Pane()->List()->viewport(), Qt::LeftButton, {}, Pane()->List()->visualItemRect(Row(0)).center());
    ASSERT_EQ(doc->Brush().m_tiles, (std::vector<short>{0, 1}));
    doc->PaintBrush().Reseed(5);
    std::map<short, int> painted;
    constexpr int kClicks = 400;
    for (int i = 0; i < kClicks; ++i) {
        QTest::mouseClick(Map()->viewport(), Qt::LeftButton, {}, {48, 48});
        ++painted[Cell(CellLayer::Tiles, doc->MapWidth() + 1)];
    }
    EXPECT_NEAR(painted[0], kClicks / 4, kClicks / 10);
    EXPECT_NEAR(painted[4], kClicks / 2, kClicks / 10);
    EXPECT_NEAR(painted[6], kClicks / 4, kClicks / 10);

    // Tiles 1 and 2 deleted: both stamps greyed with their count, and neither picks.
    SelectBlock(2, 1, {1, 2});
    {
        ModalAnswerer answer;
        answer.Then(ExpectMessage(kMsgAskEraseSelectedTiles, QMessageBox::YesRole));
        Send(ID_TILE_ERASESEL);
    }
    ASSERT_EQ(doc->Tiles().GetCount(), 6);
    EXPECT_EQ(Row(0)->toolTip(), QStringLiteral("이 타일 세트에 없는 타일 1개"));
    EXPECT_EQ(Row(1)->toolTip(), QStringLiteral("이 타일 세트에 없는 타일 1개"));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(Pane()->List());
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->childCount(), 2);
    EXPECT_TRUE(list->child(1)->text(QAccessible::Name).contains(QStringLiteral("타일 1개")));
    doc->ClearSelection(nullptr);
    EXPECT_FALSE(Pane()->RecallSlot(1));
    EXPECT_FALSE(doc->HasBrush());
    // The tiles back, by their pictures: the stamps pick again.
    Send(ID_EDIT_UNDO);
    EXPECT_TRUE(Row(0)->toolTip().isEmpty());
    EXPECT_TRUE(Pane()->RecallSlot(1));

    // Reordered, renamed and removed: the file follows each change.
    Pane()->List()->model()->moveRow({}, 1, {}, 0);
    EXPECT_EQ(Pane()->Library().stamps.front().name, "스탬프 2");
    EXPECT_TRUE(Pane()->Rename(0, QStringLiteral("  나무 ")));
    EXPECT_EQ(Saved(), Pane()->Library());
    EXPECT_EQ(Saved().stamps.front().name, "나무");
    Pane()->List()->setCurrentRow(0);
    Click(Pane()->RemoveButton());
    ASSERT_EQ(Saved().stamps.size(), 1u);
    EXPECT_EQ(Saved().stamps.front().variations.size(), 3u);
}
