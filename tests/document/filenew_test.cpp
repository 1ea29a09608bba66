// File New: its question, the new-map dialog, and sizes the map cannot take.
#include "celllayers.h"
#include "editorfixture.h"
#include "maprender.h"
#include "mapview.h"
#include "newmapdlg.h"
#include "resource.h"

namespace {

enum class NewPath { NoTiles, TilesAnswerNo, TilesYesThenCancel, TilesYesThenOk };

struct NewCase {
    const char* name;
    NewPath path;
    int tilesLeft;
    bool newSize;  // 30 x 12 cells of 16 x 16 pixels, fresh cells
    bool bitmapKept;
};
void PrintTo(const NewCase& c, std::ostream* os) { *os << c.name; }

class FileNewPaths : public EditorTest, public ::testing::WithParamInterface<NewCase> {};

TEST_P(FileNewPaths, AsksOnlyWithTilesAndChangesOnlyAfterOk)
{
    const NewCase& c = GetParam();
    if (c.path == NewPath::NoTiles)
        LoadBitmap(MakePicture(64, 32, 8, 1));
    else
        CutTiles(MakePicture(64, 32, 8, 1));
    SetCell(CellLayer::Tiles, 5, 1);
    SetCell(CellLayer::Attributes, 5, 42);
    const std::vector<const CSprite*> tilesBefore = Tiles();

    ModalAnswerer answer;
    switch (c.path) {
    case NewPath::NoTiles:
        answer.Then([&](QWidget* modal) {
            // The dialog opens with the document's map size.
            EXPECT_EQ(EditOf(modal, CNewMapDlg::IDC_MAP_WIDTH)->text(), "20");
            EXPECT_EQ(EditOf(modal, CNewMapDlg::IDC_MAP_HEIGHT)->text(), "15");
            AnswerNewMap(30, 12, CNewMapDlg::IDC_TILE16)(modal);
        });
        break;
    case NewPath::TilesAnswerNo: answer.Then(ExpectMessage(kMsgAskEraseTilesForNewMap, QMessageBox::NoRole)); break;
    case NewPath::TilesYesThenCancel:
        answer.Then(ExpectMessage(kMsgAskEraseTilesForNewMap, QMessageBox::YesRole)).Then(CancelDialog());
        break;
    case NewPath::TilesYesThenOk:
        answer.Then(ExpectMessage(kMsgAskEraseTilesForNewMap, QMessageBox::YesRole))
            .Then(AnswerNewMap(30, 12, CNewMapDlg::IDC_TILE16));
        break;
    }
    Send(ID_FILE_NEW);

    EXPECT_EQ(doc->Map().m_tileList.GetCount(), c.tilesLeft);
    if (c.tilesLeft > 0) {
        EXPECT_EQ(Tiles(), tilesBefore);
    }
    EXPECT_EQ(doc->Bitmap().m_bLoaded != FALSE, c.bitmapKept);
    if (c.newSize) {
        EXPECT_EQ(doc->MapWidth(), 30);
        EXPECT_EQ(doc->MapHeight(), 12);
        EXPECT_EQ(doc->Map().m_nTileWidth, 16);
        EXPECT_EQ(doc->Map().m_nTileHeight, 16);
        EXPECT_EQ(TileCells(), std::vector<short>(360, -1));
        EXPECT_EQ(AttrCells(), std::vector<short>(360, 0));
        EXPECT_EQ(Map()->MapPixelWidth(), 480);
        EXPECT_EQ(Map()->MapPixelHeight(), 192);
    } else {
        EXPECT_EQ(doc->MapWidth(), 20);
        EXPECT_EQ(doc->MapHeight(), 15);
        EXPECT_EQ(doc->Map().m_nTileWidth, 32);
        EXPECT_EQ(Cell(CellLayer::Tiles, 5), 1);
        EXPECT_EQ(Cell(CellLayer::Attributes, 5), 42);
    }
    if (c.path == NewPath::TilesYesThenCancel) {
        // The tiles are gone, and the map shows it: the cell that named one is empty.
        Map()->UpdateWindow();
        const std::vector<std::uint32_t> empty = MakeEmptyCellPattern(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(Map()->Surface().pixel(5 * 32 + x, y), empty[std::size_t(y * 32 + x)]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileNewPaths,
    ::testing::Values(NewCase{"NoTilesAsksNothing", NewPath::NoTiles, 0, true, false},
                      NewCase{"TilesAnswerNoKeepsEverything", NewPath::TilesAnswerNo, 2, false, true},
                      NewCase{"TilesYesThenCancelKeepsTheMap", NewPath::TilesYesThenCancel, 0, false, true},
                      NewCase{"TilesYesThenOk", NewPath::TilesYesThenOk, 0, true, false}),
    [](const ::testing::TestParamInfo<NewCase>& info) { return std::string(info.param.name); });

struct SizeCase {
    const char* name;
    long long width, height;   // as typed into the dialog
    const char* layerMessage;  // null: the map is made
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class FileNewSizes : public EditorTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(FileNewSizes, EmptyOrImpossibleMapsLeaveAUsableProgram)
{
    const SizeCase& c = GetParam();
    {
        ModalAnswerer answer;
        answer.Then(AnswerNewMap(c.width, c.height));
        if (c.layerMessage) answer.Then(ExpectMessage(c.layerMessage));
        Send(ID_FILE_NEW);
    }
    EXPECT_GE(doc->MapWidth(), 0);
    EXPECT_GE(doc->MapHeight(), 0);
    // The program goes on: tiles can be cut, the map filled and saved.
    CutTiles(MakePicture(64, 32, 8, 1));
    SelectBlock(1, 1, {1});
    Send(ID_TILE_FILLALL);
    const std::string path = folder.File("sized.Map");
    {
        ModalAnswerer answer;
        if (c.layerMessage) answer.Then(ExpectMessage(c.layerMessage));
        EXPECT_EQ(doc->SaveMapFileTo(path), c.layerMessage == nullptr);
    }
    if (!c.layerMessage) {
        const std::size_t cells = std::size_t(c.width * c.height);
        EXPECT_EQ(ReadBytes(path).size(), 22 + 1024 + 2 * (32 * 32 + 1) + 4 * cells);
        EXPECT_EQ(TileCells(), std::vector<short>(cells, 1));
        EXPECT_TRUE(doc->LoadMapFileFrom(path));
        EXPECT_EQ(doc->MapWidth(), c.width);
        EXPECT_EQ(doc->MapHeight(), c.height);
    }

    // A sensible size afterwards gives a working map again.
    doc->UndoStack().setClean();
    ModalAnswerer answer;
    answer.Then(ExpectMessage(kMsgAskEraseTilesForNewMap, QMessageBox::YesRole)).Then(AnswerNewMap(20, 15));
    Send(ID_FILE_NEW);
    EXPECT_EQ(TileCells(), std::vector<short>(300, -1));
    EXPECT_EQ(AttrCells(), std::vector<short>(300, 0));
}

INSTANTIATE_TEST_SUITE_P(Sizes, FileNewSizes,
                         ::testing::Values(SizeCase{"ZeroWidth", 0, 15, nullptr},
                                           SizeCase{"ZeroHeight", 20, 0, nullptr}, SizeCase{"ZeroBoth", 0, 0, nullptr},
                                           SizeCase{"TooManyCells", 100000, 100000, kMsgMapTooLarge},
                                           SizeCase{"JustBeyondTheLimit", 16384, 16385, kMsgMapTooLarge},
                                           SizeCase{"BeyondAnInt", 3000000000LL, 2, kMsgMapTooLarge}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

}  // namespace
