// The tile commands: cutting the whole bitmap, erasing, attributes, the
// palette's row length, fill all and the text colour.
#include <optional>

#include "editorfixture.h"
#include "mapview.h"
#include "resource.h"
#include "textcolordlg.h"
#include "tilearrangedlg.h"
#include "tileattrdlg.h"

namespace {

// Tiles 0..11 in one strip, each with attribute equal to its number.
const TestPicture& Strip12()
{
    static const TestPicture picture = MakePicture(12 * 32, 32, 8, 5);
    return picture;
}

std::vector<int> Range(std::initializer_list<std::pair<int, int>> spans)
{
    std::vector<int> values;
    for (auto [from, to] : spans)
        for (int v = from; v <= to; ++v) values.push_back(v);
    return values;
}

TEST_F(EditorTest, WholeBitmapAppendsItsWholeCellsInReadingOrder)
{
    CutTiles(MakePicture(64, 32, 24, 1));
    const std::vector<const CSprite*> before = Tiles();
    ASSERT_EQ(before.size(), 2u);

    // 100 x 50 with 32 x 32 tiles: three columns, one row; the rest is dropped.
    const TestPicture wide = MakePicture(100, 50, 24, 2);
    LoadBitmap(wide);
    Send(ID_BITMAP_ALLTILES);

    const std::vector<const CSprite*> after = Tiles();
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
    for (int column = 0; column < 3; ++column) {
        const CSprite* tile = after[std::size_t(2 + column)];
        ASSERT_EQ(tile->GetWidth(), 32);
        ASSERT_EQ(tile->GetHeight(), 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(tile->GetScreenBits()[y * 32 + x], wide.ScreenPixel(column * 32 + x, y))
                    << "tile " << column << " at " << x << "," << y;
    }
}

struct EraseCase {
    const char* name;
    int cols, rows;
    std::vector<short> block;
    QMessageBox::ButtonRole answer;
    std::vector<int> attributesLeft;
};
void PrintTo(const EraseCase& c, std::ostream* os) { *os << c.name; }

class EraseSelected : public EditorTest, public ::testing::WithParamInterface<EraseCase> {};

TEST_P(EraseSelected, ErasesEveryTileOfTheBlockAndNothingElse)
{
    const EraseCase& c = GetParam();
    CutTiles(Strip12());  // the palette shows rows of 10: 0..9 and 10, 11
    SelectBlock(c.cols, c.rows, c.block);
    SetCell(CellLayer::Tiles, 0, 11);  // a cell that uses an erased tile

    ModalAnswerer answer;
    answer.Then(ExpectMessage(kMsgAskEraseSelectedTiles, c.answer));
    Send(ID_TILE_ERASESEL);

    EXPECT_EQ(TileAttributes(), c.attributesLeft);
    EXPECT_EQ(Cell(CellLayer::Tiles, 0), 11) << "cells are not renumbered";
    // The map still draws with a cell that names no tile.
    Map()->OnInitialUpdate();
    Map()->UpdateWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, EraseSelected,
    ::testing::Values(
        EraseCase{
            "PartlyFilledLastRow", 5, 2, {0, 1, 2, 3, 4, 10, 11, -1, -1, -1}, QMessageBox::YesRole, Range({{5, 9}})},
        EraseCase{"TrailingEmptyRow", 3, 2, {10, 11, -1, -1, -1, -1}, QMessageBox::YesRole, Range({{0, 9}})},
        EraseCase{"MiddleOfARow", 2, 1, {3, 4}, QMessageBox::YesRole, Range({{0, 2}, {5, 11}})},
        EraseCase{"AnsweredNo", 5, 2, {0, 1, 2, 3, 4, 10, 11, -1, -1, -1}, QMessageBox::NoRole, Range({{0, 11}})}),
    [](const ::testing::TestParamInfo<EraseCase>& info) { return std::string(info.param.name); });

TEST_F(EditorTest, EraseSelectedWithoutBlockDoesNothing)
{
    CutTiles(Strip12());
    ModalAnswerer answer;  // no question expected
    doc->OnTileEraseSelected();
    EXPECT_EQ(doc->Map().m_tileList.GetCount(), 12);
    EXPECT_EQ(answer.ModalsSeen(), 0);
}

TEST_F(EditorTest, EraseAllAsksAndKeepsTheCells)
{
    CutTiles(Strip12());
    SetCell(CellLayer::Tiles, 3, 7);
    {
        ModalAnswerer answer;
        answer.Then(ExpectMessage(kMsgAskEraseAllTiles, QMessageBox::NoRole));
        Send(ID_TILE_ERASEALL);
    }
    EXPECT_EQ(doc->Map().m_tileList.GetCount(), 12);
    {
        ModalAnswerer answer;
        answer.Then(ExpectMessage(kMsgAskEraseAllTiles, QMessageBox::YesRole));
        Send(ID_TILE_ERASEALL);
    }
    EXPECT_EQ(doc->Map().m_tileList.GetCount(), 0);
    EXPECT_EQ(Cell(CellLayer::Tiles, 3), 7);
    EXPECT_FALSE(Enabled(ID_TILE_ERASEALL));
}

struct AttrCase {
    const char* name;
    int cols, rows;
    std::vector<short> block;
    int startValue;
    std::optional<int> typed;  // nothing: Cancel
    std::vector<int> attributes;
};
void PrintTo(const AttrCase& c, std::ostream* os) { *os << c.name; }

class SetTileAttribute : public EditorTest, public ::testing::WithParamInterface<AttrCase> {};

TEST_P(SetTileAttribute, PresetsFromTheFirstTileAndSetsTheBlock)
{
    const AttrCase& c = GetParam();
    CutTiles(Strip12());
    doc->PutTileAttributes({{0, 77}});
    SelectBlock(c.cols, c.rows, c.block);

    ModalAnswerer answer;
    answer.Then([&](QWidget* modal) {
        QLineEdit* edit = EditOf(modal, CTileAttrDlg::IDC_VALUE);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QString::number(c.startValue));
        if (!c.typed) {
            CancelDialog()(modal);
            return;
        }
        ReplaceText(edit, QString::number(*c.typed));
        ClickWidget(dynamic_cast<CDialog*>(modal)->GetDlgItem(IDOK));
    });
    Send(ID_TILE_SETATTR);
    EXPECT_EQ(TileAttributes(), c.attributes);
}

std::vector<int> Attributes(std::initializer_list<std::pair<int, int>> changed)
{
    std::vector<int> values = Range({{0, 11}});
    values[0] = 77;
    for (auto [tile, value] : changed) values[std::size_t(tile)] = value;
    return values;
}

INSTANTIATE_TEST_SUITE_P(Blocks, SetTileAttribute,
                         ::testing::Values(AttrCase{"BlockWithPartlyFilledRow",
                                                    3,
                                                    2,
                                                    {0, 1, 2, 10, 11, -1},
                                                    77,
                                                    200,
                                                    Attributes({{0, 200}, {1, 200}, {2, 200}, {10, 200}, {11, 200}})},
                                           AttrCase{
                                               "StartsOnTileFive", 2, 1, {5, 6}, 5, 0, Attributes({{5, 0}, {6, 0}})},
                                           // A block that starts on an empty slot has no tile to start from.
                                           AttrCase{"StartsOnEmptySlot", 2, 1, {-1, -1}, 0, 9, Attributes({})},
                                           AttrCase{"Cancelled", 2, 1, {5, 6}, 5, std::nullopt, Attributes({})}),
                         [](const ::testing::TestParamInfo<AttrCase>& info) { return std::string(info.param.name); });

TEST_F(EditorTest, FillAllScrolledStartsTheBlockInTheTopLeftCell)
{
    ModalAnswerer answer;
    answer.Then(AnswerNewMap(40, 30));
    Send(ID_FILE_NEW);
    CutTiles(MakePicture(96, 64, 8, 4));  // tiles 0 1 2 / 3 4 5
    SelectBlock(3, 2, {0, 1, 2, 3, 4, 5});
    Map()->ScrollToDevicePosition(CPoint(Map()->MapPixelWidth() / 2, Map()->MapPixelHeight() / 2));
    ASSERT_NE(Map()->GetDeviceScrollPosition(), CPoint(0, 0)) << "the map pane must be scrollable for this test";

    Send(ID_TILE_FILLALL);

    const std::vector<short> cells = TileCells();
    ASSERT_EQ(cells.size(), 40u * 30u);
    for (int row = 0; row < 30; ++row)
        for (int col = 0; col < 40; ++col)
            ASSERT_EQ(cells[std::size_t(row * 40 + col)], (row % 2) * 3 + col % 3) << col << "," << row;
}

TEST_F(EditorTest, TileArrangePresetsAndStoresTheCount)
{
    CutTiles(Strip12());
    for (const auto& [typed, expected] : {std::pair<std::optional<int>, int>{4, 4}, {std::nullopt, 4}, {100, 100}}) {
        ModalAnswerer answer;
        answer.Then([&, typed = typed](QWidget* modal) {
            QLineEdit* edit = EditOf(modal, CTileArrangeDlg::IDC_COUNT);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->text(), QString::number(doc->TilesPerRow()));
            if (!typed) return CancelDialog()(modal);
            ReplaceText(edit, QString::number(*typed));
            ClickWidget(dynamic_cast<CDialog*>(modal)->GetDlgItem(IDOK));
        });
        Send(ID_TILE_ARRANGE);
        EXPECT_EQ(doc->TilesPerRow(), expected);
    }
}

TEST_F(EditorTest, TextColourPresetsAndCopiesBack)
{
    doc->SetTextColour({10, 20, 30});
    for (const bool ok : {false, true}) {
        ModalAnswerer answer;
        answer.Then([&](QWidget* modal) {
            auto* dialog = dynamic_cast<CTextColorDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->m_sliderRed.GetPos(), 10);
            EXPECT_EQ(dialog->m_sliderGreen.GetPos(), 20);
            EXPECT_EQ(dialog->m_sliderBlue.GetPos(), 30);
            PressKey(dialog->GetDlgItem(CTextColorDlg::IDC_RED), Qt::Key_End);
            if (!ok) return CancelDialog()(modal);
            ClickWidget(dialog->GetDlgItem(IDOK));
        });
        Send(ID_TEXT_COLOR);
        EXPECT_EQ(doc->TextRgb().red, ok ? 255 : 10);
        EXPECT_EQ(doc->TextRgb().green, 20);
        EXPECT_EQ(doc->TextRgb().blue, 30);
        doc->SetTextColour({10, 20, 30});
    }
}

}  // namespace
