// The map tools' edits as the document makes them: each one undo step with
// its name, the brush apart from the palette's block, the selection, and
// the clipboard round trip through the saved bytes.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QStatusBar>

#include "cellclipboard.h"
#include "docbackstage.h"
#include "editorfixture.h"
#include "mapfile.h"
#include "testtiles.h"
#include "resource.h"

namespace {

class ToolEditsTest : public EditorTest {
public:
    void SetUp() override
    {
        EditorTest::SetUp();
        CutTiles(MakePicture(128, 64, 8, 5));  // eight 32 x 32 tiles on a map of 20 x 15
        for (int i = 0; i < 300; ++i) {
            SetCell(CellLayer::Tiles, i, short(i % 7 == 0 ? -1 : (i / 3) % 8));
            SetCell(CellLayer::Attributes, i, short(i % 5));
        }
        doc->UndoStack().clear();
    }
    std::vector<std::uint8_t> Saved() const
    {
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(EncodeMapFile(doc->Snapshot().Input(), bytes), MapWriteResult::Ok);
        return bytes;
    }
    QString UndoText() const { return doc->UndoStack().undoText(); }
};

TEST_F(ToolEditsTest, FillNeedsABrushAndChangesMakeOneStep)
{
    EXPECT_FALSE(doc->FloodFill(3, 3, false));
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString::fromUtf8(kMsgPickBlockToFill));
    EXPECT_EQ(doc->UndoStack().count(), 0);

    SelectBlock(1, 1, {6});
    const std::vector<short> before = TileCells();
    ASSERT_TRUE(doc->FloodFill(1, 0, true));  // every cell of tile 0
    EXPECT_EQ(UndoText(), "채우기");
    for (std::size_t i = 0; i < before.size(); ++i) ASSERT_EQ(TileCells()[i], before[i] == 0 ? 6 : before[i]) << i;
    EXPECT_FALSE(doc->FloodFill(1, 0, false));  // 6 over 6: nothing, and no step
    EXPECT_EQ(doc->UndoStack().count(), 1);
    Send(ID_EDIT_UNDO);
    EXPECT_EQ(TileCells(), before);
}

TEST_F(ToolEditsTest, AnEraserStrokeIsOneStepAndKeepsAttributes)
{
    const std::vector<short> attrs = AttrCells();
    doc->BeginStroke();
    doc->EraseLine({0, 0}, {19, 14});  // one far jump across the map
    doc->EraseLine({19, 14}, {19, 0});
    doc->EndStroke();
    EXPECT_EQ(doc->UndoStack().count(), 1);
    EXPECT_EQ(UndoText(), "지우기");
    for (int row = 0; row < 15; ++row) EXPECT_EQ(doc->Cells().Tile(19, row), -1);
    EXPECT_EQ(doc->Cells().Tile(10, 7), -1);
    EXPECT_EQ(AttrCells(), attrs);
}

TEST_F(ToolEditsTest, CutThenPasteInPlaceSavesTheSameBytes)
{
    const std::vector<std::uint8_t> original = Saved();
    doc->SetMapSelection({2, 3, 9, 8});
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    Send(ID_EDIT_CUT);
    EXPECT_EQ(UndoText(), "잘라내기");
    EXPECT_EQ(doc->Cells().Tile(4, 4), -1);
    EXPECT_EQ(doc->Cells().Attr(4, 4), 0);
    ASSERT_TRUE(Enabled(ID_EDIT_PASTE_IN_PLACE));
    Send(ID_EDIT_PASTE_IN_PLACE);
    EXPECT_EQ(UndoText(), "붙여넣기");
    EXPECT_EQ(Saved(), original);
    // The text form went along: one line a row, tabs between.
    EXPECT_EQ(QApplication::clipboard()->text().count('\n'), 5);
}

// A map whose cells could not be made (larger than the editor holds) keeps
// its size; selecting all of it must not lead cut or copy to make a block
// of that size.
TEST_F(ToolEditsTest, AMapWithoutCellsHasNothingToSelectCutOrCopy)
{
    ASSERT_NE(BackstageMap(*doc).m_cells.Create(100000, 100000), LayerAllocResult::Ok);
    for (const UINT command : {UINT(ID_EDIT_SELECT_ALL), UINT(ID_EDIT_CUT), UINT(ID_EDIT_COPY), UINT(ID_EDIT_DELETE)})
        Send(command);
    EXPECT_TRUE(doc->MapSelection().IsRectEmpty());
    EXPECT_EQ(doc->UndoStack().count(), 0);
}

TEST_F(ToolEditsTest, MoveAndDeleteFollowTheSelection)
{
    doc->SetMapSelection({0, 0, 3, 2});
    const short moved = doc->Cells().Tile(1, 1).value();
    const short corner = doc->Cells().Tile(0, 0).value();
    doc->MoveCells(doc->MapSelection(), {17, 14});  // over the map's corner: what lands off it is lost
    EXPECT_EQ(UndoText(), "이동");
    EXPECT_EQ(doc->MapSelection(), CRect(17, 14, 20, 15));
    EXPECT_EQ(doc->Cells().Tile(1, 1), -1);
    EXPECT_EQ(doc->Cells().Tile(17, 14), corner);
    Send(ID_EDIT_DELETE);
    EXPECT_EQ(UndoText(), "삭제");
    EXPECT_EQ(doc->Cells().Tile(18, 14), -1);
    Send(ID_EDIT_UNDO);
    Send(ID_EDIT_UNDO);
    EXPECT_EQ(doc->Cells().Tile(1, 1), moved);
    EXPECT_EQ(doc->MapSelection(), CRect(17, 14, 20, 15));  // undo leaves the selection
    Send(ID_EDIT_SELECT_NONE);
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
}

TEST_F(ToolEditsTest, PastedTextBecomesTheBrushOrIsRefused)
{
    SelectBlock(2, 1, {3, 4});
    QApplication::clipboard()->setText("1\t2\n3\tabc\n");
    ModalAnswerer answer;
    answer.Then(ExpectMessage("붙여넣을 수 없는 값입니다: 2행 2열 \"abc\""));
    Send(ID_EDIT_PASTE);
    EXPECT_TRUE(doc->BrushFromPalette());

    QApplication::clipboard()->setText("1,2\n3\n");
    Send(ID_EDIT_PASTE);
    ASSERT_TRUE(doc->HasBrush());
    EXPECT_FALSE(doc->BrushFromPalette());
    EXPECT_EQ(doc->Brush().m_tiles, (std::vector<short>{1, 2, 3, -1}));
    EXPECT_TRUE(doc->HasSelection());  // the palette keeps its block for the tile commands
    const short underHole = doc->Cells().Tile(2, 1).value();
    ASSERT_NE(underHole, -1);
    doc->StampBrush(1, 0);
    EXPECT_EQ(doc->Cells().Tile(2, 1), underHole);  // the hole left its cell
    EXPECT_EQ(doc->Cells().Tile(1, 1), 3);
    EXPECT_EQ(UndoText(), "타일 찍기");
}

// Cells copied in another editor whose set holds this one's pictures in
// reverse order, plus one picture of its own: the block pastes as the same
// pictures; a block using the foreign picture, or copied with another tile
// size, is refused with a message and changes nothing.
TEST_F(ToolEditsTest, AnotherEditorsCellsPasteAsTheSamePicturesOrNotAtAll)
{
    CTileList other;
    for (int n = doc->Tiles().GetCount() - 1; n >= 0; --n) other.AddTail(doc->Tiles().SharedAt(n));
    AddTestTiles(other, 1, 32, 32, 24, 99);  // tile 8 over there
    const auto putOnClipboard = [&](std::vector<short> tiles, int tileSize) {
        ClipboardCells cells;
        cells.tileWidth = cells.tileHeight = tileSize;
        cells.block = {2, 2, std::move(tiles), {7, 7, 7, 7}, BlockSource::Map};
        cells.source = 42;
        NameClipboardTiles(cells, other);
        const auto bytes = EncodeClipboardCells(cells);
        auto* data = new QMimeData;
        data->setData(kCellsMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        data->setText("0\t0\n0\t0\n");
        QApplication::clipboard()->setMimeData(data);
    };

    putOnClipboard({0, 1, -1, 7}, 32);
    Send(ID_EDIT_PASTE);
    ASSERT_TRUE(doc->HasBrush());
    EXPECT_EQ(doc->Brush().m_tiles, (std::vector<short>{7, 6, -1, 0}));

    const std::vector<std::uint8_t> before = Saved();
    const CCellBlock brush = doc->Brush();
    const int steps = doc->UndoStack().count();
    struct Refused {
        std::vector<short> tiles;
        int tileSize;
        const char* message;
    };
    for (const Refused& refused : {Refused{{8, 1, 8, -1}, 32, "붙여넣을 타일 1개가 이 타일 세트에 없습니다"},
                                   Refused{{0, 1, 2, 3}, 16, "타일 크기가 다릅니다 (16 x 16, 이 맵은 32 x 32)"}}) {
        putOnClipboard(refused.tiles, refused.tileSize);
        for (UINT command : {ID_EDIT_PASTE, ID_EDIT_PASTE_IN_PLACE}) {
            ModalAnswerer answer;
            answer.Then(ExpectMessage(refused.message));
            Send(command);
        }
        EXPECT_EQ(doc->Brush(), brush);
        EXPECT_EQ(doc->UndoStack().count(), steps);
        EXPECT_EQ(Saved(), before);
    }
}

}  // namespace
