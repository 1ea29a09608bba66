// Saving and loading maps through the document: the exact bytes, the
// round trip, and files that are refused without touching the document.
#include <QApplication>
#include <QCloseEvent>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "editorfixture.h"
#include "mapfile.h"
#include "mapview.h"
#include "resource.h"
#include "tileview.h"

namespace {

void Append(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i) bytes.push_back(std::uint8_t(value >> (8 * i)));
}

// The file a map must give when its 32 x 32 tiles were cut from the picture
// in reading order and tile i has attribute i.
std::vector<std::uint8_t> ExpectedFile(const TestPicture& picture, int mapWidth, int mapHeight,
                                       const std::vector<short>& tileCells, const std::vector<short>& attrCells)
{
    const int columns = picture.width / 32;
    const int rows = picture.height / 32;
    std::vector<std::uint8_t> bytes = {'Q', 'Z', 'T', 'F', '1', '.', '0', 0};
    Append(bytes, std::uint32_t(mapWidth), 4);
    Append(bytes, std::uint32_t(mapHeight), 4);
    Append(bytes, 32, 1);
    Append(bytes, 32, 1);
    Append(bytes, picture.bitCount, 2);
    Append(bytes, std::uint32_t(columns * rows), 2);
    if (picture.bitCount == 8) {
        for (const RGBQUAD& c : picture.colours) bytes.insert(bytes.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue, 0});
    }
    for (int tile = 0; tile < columns * rows; ++tile) {
        const int left = (tile % columns) * 32;
        const int top = (tile / columns) * 32;
        for (int k = 31; k >= 0; --k)  // bottom row first
            for (int x = 0; x < 32; ++x) Append(bytes, picture.At(left + x, top + k), picture.bitCount / 8);
        bytes.push_back(std::uint8_t(tile));
    }
    for (short cell : tileCells) Append(bytes, std::uint16_t(cell), 2);
    for (short cell : attrCells) Append(bytes, std::uint16_t(cell), 2);
    return bytes;
}

class SaveBytes : public EditorTest, public ::testing::WithParamInterface<WORD> {};

TEST_P(SaveBytes, CutBitmapSavesExactlyTheLayout)
{
    const TestPicture picture = MakePicture(64, 64, GetParam(), 7);
    CutTiles(picture);
    SelectBlock(2, 1, {1, 2});
    Send(ID_TILE_FILLALL);
    SetCell(CellLayer::Attributes, 7, -300);
    SetCell(CellLayer::Attributes, 299, 32767);

    const std::string path = folder.File("cut.Map");
    ModalAnswerer answer;
    answer.Then(ChooseFile(path));
    Send(ID_FILE_SAVE);

    std::vector<short> tileCells(300);
    for (std::size_t i = 0; i < tileCells.size(); ++i) tileCells[i] = short(i % 2 == 0 ? 1 : 2);
    std::vector<short> attrCells(300, 0);
    attrCells[7] = -300;
    attrCells[299] = 32767;
    const std::vector<std::uint8_t> expected = ExpectedFile(picture, 20, 15, tileCells, attrCells);
    const std::vector<std::uint8_t> saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), expected.size());
    EXPECT_TRUE(saved == expected);

    // Opened again, the map has no bitmap; edited, it saves in its tiles' format.
    const std::string again = folder.File("again.Map");
    ModalAnswerer reopen;
    reopen.Then(ChooseFile(path));
    Send(ID_FILE_OPEN);
    ASSERT_FALSE(doc->Bitmap().m_bLoaded);
    SelectBlock(1, 1, {3});
    Send(ID_TILE_FILLALL);
    reopen.Then(ChooseFile(again));
    Send(ID_FILE_SAVE);
    std::fill(tileCells.begin(), tileCells.end(), short(3));
    EXPECT_TRUE(ReadBytes(again) == ExpectedFile(picture, 20, 15, tileCells, attrCells));
    EXPECT_FALSE(doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(BitCounts, SaveBytes, ::testing::Values(WORD(8), WORD(16), WORD(24)),
                         [](const ::testing::TestParamInfo<WORD>& info) { return std::to_string(info.param) + "bit"; });

// The save dialog takes any name; the map must open again under it.
TEST_F(EditorTest, AMapSavedUnderATiledNameOpensAgain)
{
    CutTiles(MakePicture(64, 32, 24, 3));
    SelectBlock(1, 1, {1});
    Send(ID_TILE_FILLALL);
    const std::vector<short> cells = TileCells();
    ASSERT_TRUE(doc->SaveMapFileTo(folder.File("level.tmx")));
    Send(ID_EDIT_UNDO);
    doc->UndoStack().setClean();
    EXPECT_TRUE(doc->LoadMapFileFrom(folder.File("level.tmx")));
    EXPECT_EQ(TileCells(), cells);
}

TEST_F(EditorTest, SaveLoadSaveGivesTheSameBytes)
{
    {
        ModalAnswerer answer;
        answer.Then(AnswerNewMap(7, 5, CNewMapDlg::IDC_TILE16));
        Send(ID_FILE_NEW);
    }
    const TestPicture picture = MakePicture(48, 32, 8, 9);
    CutTiles(picture);  // six 16 x 16 tiles
    SelectBlock(3, 2, {0, 1, 2, 3, 4, 5});
    Send(ID_TILE_FILLALL);
    SetCell(CellLayer::Attributes, 4, 9);
    const std::vector<short> tileCells = TileCells();
    const std::vector<short> attrCells = AttrCells();
    const std::string first = folder.File("first.Map");
    ASSERT_TRUE(doc->SaveMapFileTo(first));

    {
        ModalAnswerer answer;
        answer.Then(ExpectMessage(kMsgAskEraseTilesForNewMap, QMessageBox::YesRole)).Then(AnswerNewMap(20, 15));
        Send(ID_FILE_NEW);
    }
    {
        ModalAnswerer answer;
        answer.Then(ChooseFile(first));
        Send(ID_FILE_OPEN);
    }
    EXPECT_EQ(doc->Map().m_nTileWidth, 16);
    EXPECT_EQ(doc->Map().m_nTileHeight, 16);
    EXPECT_EQ(doc->MapWidth(), 7);
    EXPECT_EQ(doc->MapHeight(), 5);
    EXPECT_EQ(TileAttributes(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    for (int t = 0; t < 6; ++t)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(doc->Map().m_tileList.GetAt(t)->GetScreenBits()[y * 16 + x],
                          picture.ScreenPixel((t % 3) * 16 + x, (t / 3) * 16 + y));
    EXPECT_EQ(TileCells(), tileCells);
    EXPECT_EQ(AttrCells(), attrCells);
    EXPECT_FALSE(doc->Bitmap().m_bLoaded);

    // A loaded map has no bitmap and saves all the same, as it would with one.
    const std::string second = folder.File("second.Map");
    {
        ModalAnswerer answer;
        answer.Then(ChooseFile(second));
        Send(ID_FILE_SAVE);
    }
    EXPECT_TRUE(ReadBytes(first) == ReadBytes(second));
    LoadBitmap(picture);
    const std::string third = folder.File("third.Map");
    ASSERT_TRUE(doc->SaveMapFileTo(third));
    EXPECT_TRUE(ReadBytes(first) == ReadBytes(third));
}

// Closing with unsaved changes and answering Yes: a map opened from a file
// saves in its tiles' format and the window closes; a map without tiles and
// without a bitmap has no format, so the save is refused and the window stays.
class CloseWithYes : public EditorTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CloseWithYes, SavesWhenTheFormatIsKnown)
{
    const bool fromFile = GetParam();
    if (fromFile) {
        CutTiles(MakePicture(64, 32, 16, 4));
        const std::string opened = folder.File("opened.Map");
        ASSERT_TRUE(doc->SaveMapFileTo(opened));
        ASSERT_TRUE(doc->LoadMapFileFrom(opened));
    }
    doc->SetCellAttributes(CRect(1, 1, 4, 3), 9);
    ASSERT_TRUE(doc->IsModified());
    MapSaveInput input;
    input.map = &doc->Map();
    std::vector<std::uint8_t> work;
    ASSERT_EQ(EncodeMapFile(input, work), MapWriteResult::Ok);

    const std::string saved = folder.File("saved.Map");
    ModalAnswerer answer;
    answer.Then(ExpectMessage(kMsgAskSaveChanges, QMessageBox::YesRole))
        .Then(fromFile ? ChooseFile(saved) : ExpectMessage(kMsgLoadBitmapFirst));
    QCloseEvent close;
    QApplication::sendEvent(frame, &close);
    EXPECT_EQ(answer.ModalsSeen(), 2);
    EXPECT_EQ(close.isAccepted(), fromFile);
    EXPECT_EQ(doc->IsModified() != FALSE, !fromFile);
    if (fromFile)
        EXPECT_TRUE(ReadBytes(saved) == work);
    else
        EXPECT_FALSE(std::filesystem::exists(saved));
}

INSTANTIATE_TEST_SUITE_P(Maps, CloseWithYes, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& info) {
    return std::string(info.param ? "OpenedFromAFile" : "OnlyAttributesNoBitmap");
});

// What the document and its panes look like, to show that nothing changed.
struct Snapshot {
    std::vector<const CSprite*> tiles;
    std::vector<int> attributes;
    int mapWidth, mapHeight, tileWidth, tileHeight;
    std::vector<short> tileCells, attrCells;
    bool bitmap, selected;
    int layoutWidth, layoutHeight;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const EditorTest& t)
{
    return {t.Tiles(),
            t.TileAttributes(),
            t.doc->MapWidth(),
            t.doc->MapHeight(),
            t.doc->Map().m_nTileWidth,
            t.doc->Map().m_nTileHeight,
            t.TileCells(),
            t.AttrCells(),
            t.doc->Bitmap().m_bLoaded != FALSE,
            t.doc->HasSelection() != FALSE,
            t.frame->m_pTileView->LayoutWidth(),
            t.frame->m_pTileView->LayoutHeight()};
}

// A valid file: two 8-bit tiles on a 20 x 15 map.
constexpr std::size_t kTilesAt = 22 + 1024;
constexpr std::size_t kLayersAt = kTilesAt + 2 * (32 * 32 + 1);

struct BadFile {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> spoil;  // null: no such file
    const char* message;
};
void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }

class RefusedLoad : public EditorTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(RefusedLoad, LeavesTheDocumentAndPanesAsTheyWere)
{
    const BadFile& bad = GetParam();
    CutTiles(MakePicture(64, 32, 8, 2));
    std::string path = folder.File("good.Map");
    ASSERT_TRUE(doc->SaveMapFileTo(path));
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), kLayersAt + 4 * 300);
    if (bad.spoil) {
        bad.spoil(bytes);
        WriteBytes(path, bytes);
    } else {
        path = folder.File("missing.Map");
    }

    // Make the present state differ from the file's.
    CutTiles(MakePicture(64, 32, 8, 3));
    SelectBlock(1, 1, {3});
    SetCell(CellLayer::Tiles, 10, 3);
    SetCell(CellLayer::Attributes, 11, -5);
    const Snapshot before = Take(*this);

    ModalAnswerer answer;
    answer.Then(ExpectMessage(bad.message));
    EXPECT_FALSE(doc->LoadMapFileFrom(path));
    EXPECT_TRUE(Take(*this) == before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedLoad,
    ::testing::Values(BadFile{"Missing", nullptr, kMsgMapOpenFailed},
                      BadFile{"ShorterThanHeader", [](auto& b) { b.resize(21); }, kMsgMapInvalid},
                      BadFile{"WrongMagic", [](auto& b) { b[3] = 'X'; }, kMsgMapInvalid},
                      BadFile{"ZeroTileWidth", [](auto& b) { b[16] = 0; }, kMsgMapInvalid},
                      BadFile{"ZeroTileHeight", [](auto& b) { b[17] = 0; }, kMsgMapInvalid},
                      BadFile{"TwelveBitsWithTiles", [](auto& b) { Put16(b, 18, 12); }, kMsgMapInvalid},
                      BadFile{"NegativeTileCount", [](auto& b) { Put16(b, 20, 0x8000); }, kMsgMapInvalid},
                      BadFile{"NegativeMapWidth", [](auto& b) { Put32(b, 8, 0xFFFFFFFFu); }, kMsgMapInvalid},
                      BadFile{"NegativeMapHeight", [](auto& b) { Put32(b, 12, 0x80000000u); }, kMsgMapInvalid},
                      BadFile{"HugeMapInAShortFile",
                              [](auto& b) {
                                  Put32(b, 8, 100000);
                                  Put32(b, 12, 100000);
                              },
                              kMsgMapInvalid},
                      BadFile{"EndsInColourTable", [](auto& b) { b.resize(22 + 500); }, kMsgMapInvalid},
                      BadFile{"EndsInTileRecord", [](auto& b) { b.resize(kTilesAt + 1000); }, kMsgMapInvalid},
                      BadFile{"EndsInLayers", [](auto& b) { b.pop_back(); }, kMsgMapInvalid},
                      BadFile{"TrailingByte", [](auto& b) { b.push_back(0); }, kMsgMapInvalid}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST_F(EditorTest, CancelledOpenKeepsEverything)
{
    CutTiles(MakePicture(64, 32, 8, 2));
    const Snapshot before = Take(*this);
    ModalAnswerer answer;
    answer.Then(CancelDialog());
    Send(ID_FILE_OPEN);
    EXPECT_TRUE(Take(*this) == before);
}

struct BadSave {
    const char* name;
    std::function<void(EditorTest&)> setUp;
    const char* file;  // relative to the scratch folder
    const char* message;
};
void PrintTo(const BadSave& c, std::ostream* os) { *os << c.name; }

class RefusedSave : public EditorTest, public ::testing::WithParamInterface<BadSave> {};

TEST_P(RefusedSave, WritesNothingAndKeepsTheOldFile)
{
    const BadSave& bad = GetParam();
    bad.setUp(*this);
    const std::string path = folder.File(bad.file);
    WriteBytes(path, {'o', 'l', 'd'});  // not possible where a folder is missing
    const std::vector<std::uint8_t> old = ReadBytes(path);
    const Snapshot before = Take(*this);

    ModalAnswerer answer;
    answer.Then(ExpectMessage(bad.message));
    EXPECT_FALSE(doc->SaveMapFileTo(path));
    EXPECT_TRUE(ReadBytes(path) == old);
    EXPECT_TRUE(Take(*this) == before);
}

INSTANTIATE_TEST_SUITE_P(Saves, RefusedSave,
                         ::testing::Values(BadSave{"NoBitmap", [](EditorTest&) {}, "a.Map", kMsgLoadBitmapFirst},
                                           // Tiles cut from an 8-bit and a 24-bit bitmap cannot share one header.
                                           BadSave{"TilesOfTwoFormats",
                                                   [](EditorTest& t) {
                                                       t.CutTiles(MakePicture(64, 32, 8, 1));
                                                       t.CutTiles(MakePicture(64, 32, 24, 1));
                                                   },
                                                   "a.Map", kMsgMapTileFormatsDiffer},
                                           BadSave{"FolderInTheWay",
                                                   [](EditorTest& t) { t.LoadBitmap(MakePicture(64, 32, 8, 1)); },
                                                   "a.Map/b.Map", kMsgMapSaveFailed}),
                         [](const ::testing::TestParamInfo<BadSave>& info) { return std::string(info.param.name); });

}  // namespace
