// The road of one edit through the real main window: open a bitmap, drag
// to cut tiles, drag a block in the palette, stamp and drag-fill it on the
// map, save; then New, Open of that file and a second save with the same
// bytes. Also both attribute dialogs, the overlays, and erasing tiles the
// map still uses.
#include <QAction>
#include <QTest>
#include <fstream>
#include <iterator>

#include "bmpview.h"
#include "editorfixture.h"
#include "mapattrdlg.h"
#include "mapfile.h"
#include "testtiles.h"
#include "mapview.h"
#include "resource.h"
#include "tileattrdlg.h"
#include "tileview.h"

namespace {
void Drag(QWidget* w, QPoint from, QPoint to)
{
    QTest::mousePress(w, Qt::LeftButton, {}, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, Qt::LeftButton, {}, to);
}

void Click(QWidget* w, QPoint at)
{
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

// Triggers the toolbar button of a command, as a click on it would.
void PressButton(CMainFrame* frame, UINT id)
{
    frame->UpdateAllCommandUI();
    QAction* action = frame->CommandAction(id);
    ASSERT_TRUE(action->isEnabled()) << id;
    action->trigger();
}

ModalAnswerer::Handler AnswerAttribute(const QString& value, short* shownBefore)
{
    return [=](QWidget* modal) {
        auto* dialog = dynamic_cast<CMapAttrDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* edit = qobject_cast<QLineEdit*>(dialog->GetDlgItem(1012));
        ASSERT_NE(edit, nullptr);
        *shownBefore = short(edit->text().toInt());
        ReplaceText(edit, value);
        ClickWidget(dialog->GetDlgItem(IDOK));
    };
}

class RoadTest : public EditorTest {
protected:
    // The window as large as a usual desktop, whatever the test screen is.
    void SetUp() override
    {
        EditorTest::SetUp();
        frame->resize(1280, 1024);
        frame->m_wndSplitterTop.SetColumnInfo(0, CMainFrame::MapPaneIdealWidth(1280), CMainFrame::kPaneMinimum);
        frame->m_wndSplitterBottom.SetColumnInfo(0, CMainFrame::PalettePaneIdealWidth(1280), CMainFrame::kPaneMinimum);
        frame->m_wndSplitterTop.RecalcLayout();
        frame->m_wndSplitterBottom.RecalcLayout();
    }

    // Opens a 4 x 2-tile 8-bit picture and cuts its top 3 x 2 cells by
    // dragging over the bitmap pane.
    void OpenAndCut()
    {
        picture = MakePicture(128, 64, 8, 5);
        answer.Then(ChooseFile(WriteBitmap(picture)));
        PressButton(frame, ID_OPEN_BITMAP);
        ASSERT_TRUE(doc->Bitmap().m_bLoaded);
        Drag(frame->m_pBmpView->viewport(), QPoint(5, 5), QPoint(70, 40));
        ASSERT_EQ(doc->Map().m_tileList.GetCount(), 6);
    }
    // Drags over palette slots (col0,row0)..(col1,row1).
    void PickBlock(int col0, int row0, int col1, int row1)
    {
        const int pitch = 32 + 5;
        Drag(frame->m_pTileView->viewport(), QPoint(col0 * pitch + 3, row0 * pitch + 3),
             QPoint(col1 * pitch + 3, row1 * pitch + 3));
        ASSERT_TRUE(doc->HasSelection());
    }
    QPoint CellCentre(int col, int row) const { return {col * 32 + 16, row * 32 + 16}; }

    TestPicture picture;
    ModalAnswerer answer;
};

TEST_F(RoadTest, OneEditFromBitmapToFileAndBackGivesTheSameBytes)
{
    OpenAndCut();
    // Tiles in reading order: the band's top row first.
    for (int i = 0; i < 6; ++i) {
        const CSprite* tile = doc->Map().m_tileList.GetAt(i);
        ASSERT_NE(tile, nullptr);
        const int left = (i % 3) * 32, top = (i / 3) * 32;
        EXPECT_EQ(tile->GetScreenBits()[0], picture.ScreenPixel(left, top)) << i;
    }

    PickBlock(0, 0, 1, 0);  // tiles 0 and 1
    EXPECT_EQ(doc->Selection().m_nCols, 2);
    EXPECT_EQ(doc->Selection().m_nRows, 1);
    QWidget* map = Map()->viewport();
    Click(map, CellCentre(2, 3));                   // stamp: (2,3)=0, (3,3)=1
    Drag(map, CellCentre(0, 0), CellCentre(4, 1));  // fill 5 x 2 with 0 1 0 1 0

    std::vector<short> expected(std::size_t(20 * 15), -1);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 5; ++c) expected[std::size_t(r * 20 + c)] = short(c % 2);
    expected[3 * 20 + 2] = 0;
    expected[3 * 20 + 3] = 1;
    EXPECT_EQ(TileCells(), expected);

    const std::string first = folder.File("road.Map");
    answer.Then(ChooseFile(first));
    PressButton(frame, ID_FILE_SAVE);
    const std::vector<std::uint8_t> saved = ReadBytes(first);

    // What the file must hold, built from the same tiles and cells.
    std::vector<std::uint8_t> wanted;
    CMapModel wantedMap = ModelOf(20, 15, 32, 32, expected);
    CopyTiles(doc->Tiles(), wantedMap.m_tileList);
    MapSaveInput input;
    input.map = &wantedMap;
    ASSERT_EQ(EncodeMapFile(input, wanted), MapWriteResult::Ok);
    EXPECT_EQ(saved, wanted);
    ASSERT_EQ(saved.size(), 22u + 1024u + 6u * (32u * 32u + 1u) + 4u * 300u);
    // The colour table is red, green, blue, 0 from the bitmap.
    EXPECT_EQ(saved[22], doc->Bitmap().m_pColors[0].rgbRed);
    EXPECT_EQ(saved[23], doc->Bitmap().m_pColors[0].rgbGreen);
    EXPECT_EQ(saved[24], doc->Bitmap().m_pColors[0].rgbBlue);

    // New: the tiles go, then the same size again.
    answer.Then(ExpectMessage("타일을 모두 지워야 합니다(지울까요?)", QMessageBox::YesRole)).Then(AnswerNewMap(20, 15));
    PressButton(frame, ID_FILE_NEW);
    EXPECT_EQ(doc->Map().m_tileList.GetCount(), 0);
    EXPECT_EQ(TileCells(), std::vector<short>(300, -1));

    answer.Then(ChooseFile(first));
    PressButton(frame, ID_FILE_OPEN);
    EXPECT_EQ(doc->Map().m_tileList.GetCount(), 6);
    EXPECT_EQ(TileCells(), expected);
    EXPECT_FALSE(doc->Bitmap().m_bLoaded);

    // Saving again needs no bitmap: the tiles carry their format, and the
    // same bytes come out.
    const std::string second = folder.File("again.Map");
    answer.Then(ChooseFile(second));
    PressButton(frame, ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(second), saved);
}

TEST_F(RoadTest, AttributesThroughBothDialogsAndTheOverlays)
{
    OpenAndCut();
    PickBlock(1, 0, 2, 0);  // tiles 1 and 2 (ten tiles to a palette row)
    answer.Then([](QWidget* modal) {
        auto* dialog = dynamic_cast<CTileAttrDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        ClickWidget(dialog->GetDlgItem(1010));  // "1Bit": 128
        ClickWidget(dialog->GetDlgItem(1018));  // "8Bit": 129
        ClickWidget(dialog->GetDlgItem(IDOK));
    });
    PressButton(frame, ID_TILE_SETATTR);
    EXPECT_EQ(TileAttributes(), (std::vector<int>{0, 129, 129, 0, 0, 0}));

    // Right click drops the block; a click then asks for a cell attribute.
    QTest::mouseClick(Map()->viewport(), Qt::RightButton, {}, CellCentre(1, 1));
    EXPECT_FALSE(doc->HasSelection());
    short shown = 99;
    answer.Then(AnswerAttribute("-300", &shown));
    Click(Map()->viewport(), CellCentre(1, 1));
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(AttrCells()[20 + 1], -300);
    answer.Then(AnswerAttribute("7", &shown));
    Drag(Map()->viewport(), CellCentre(0, 0), CellCentre(1, 1));
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(AttrCells()[0], 7);
    EXPECT_EQ(AttrCells()[20 + 1], 7);

    // The overlays exclude each other through their enable rules.
    PressButton(frame, ID_SHOW_MAPATTR);
    EXPECT_EQ(frame->CommandCheck(ID_SHOW_MAPATTR), 1);
    EXPECT_FALSE(frame->IsCommandEnabled(ID_SHOW_TILENUMBERS));
    EXPECT_FALSE(frame->IsCommandEnabled(ID_SHOW_TILEATTR));
    PressButton(frame, ID_SHOW_MAPATTR);
    PressButton(frame, ID_SHOW_TILENUMBERS);
    EXPECT_TRUE(doc->ShowTileNumbers());
    EXPECT_FALSE(frame->IsCommandEnabled(ID_SHOW_MAPATTR));
    PressButton(frame, ID_SHOW_TILENUMBERS);
    EXPECT_TRUE(frame->IsCommandEnabled(ID_SHOW_TILEATTR));
}

TEST_F(RoadTest, ErasingTilesTheMapUsesLeavesThoseCellsEmpty)
{
    OpenAndCut();
    PickBlock(0, 0, 5, 0);  // all six, in one palette row
    Drag(Map()->viewport(), CellCentre(0, 0), CellCentre(5, 3));
    PickBlock(4, 0, 5, 0);  // tiles 4 and 5
    answer.Then(ExpectMessage("선택된 타일을 지울까요?(맵에서 사용한 타일 지울시 빡나용)", QMessageBox::YesRole));
    PressButton(frame, ID_TILE_ERASESEL);
    EXPECT_EQ(doc->Map().m_tileList.GetCount(), 4);
    // Cells keep their numbers; 4 and 5 now name no tile and show as empty.
    EXPECT_EQ(TileCells()[20 + 4], 4);
    PressButton(frame, ID_SHOW_TILEATTR);
    Map()->RefreshScreen();
    Map()->UpdateWindow();
    const QImage& image = Map()->Surface();
    EXPECT_EQ(image.pixel(4 * 32 + 20, 1 * 32 + 20), qRgb(255, 255, 255));  // cell (4,1): tile 4, now empty
    EXPECT_EQ(image.pixel(0 * 32 + 20, 0 * 32 + 20) & 0xFFFFFF,
              doc->Tiles().GetAt(0)->GetScreenBits()[20 * 32 + 20] & 0xFFFFFF);
}
}  // namespace
