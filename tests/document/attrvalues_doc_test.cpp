// The document's attribute value table: its counts through random edits,
// undos and redos against a fresh count (and the value palette showing
// them), and the names and colours that
// travel in the file beside the map without touching the map's bytes.
#include <QApplication>
#include <QStatusBar>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <random>

#include "attrvaluepane.h"
#include "attrvaluesfile.h"
#include "editorfixture.h"

namespace {

void ExpectCountsOfCells(const CZellDoc& doc)
{
    CAttrValueTable recount;
    recount.Recount(doc.Cells());
    const std::vector<AttrValueInfo> listed = doc.AttrValues().Values();
    std::uint64_t total = 0;
    for (const AttrValueInfo& info : listed) {
        EXPECT_EQ(info.count, recount.Count(info.value)) << info.value;
        total += info.count;
    }
    EXPECT_EQ(total, doc.Cells().CellCount());
}

// The value palette, once the events of the edits are done, shows the
// document's values: number, name and count, in order.
void ExpectPaletteShows(const CAttrValuePane& pane, const CZellDoc& doc)
{
    QApplication::processEvents();
    const std::vector<AttrValueInfo> values = doc.AttrValues().Values();
    ASSERT_EQ(pane.List()->topLevelItemCount(), int(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const QTreeWidgetItem* item = pane.List()->topLevelItem(int(i));
        EXPECT_EQ(item->text(1), QString::number(values[i].value));
        EXPECT_EQ(item->text(2), QString::fromStdString(values[i].name));
        EXPECT_EQ(item->text(3), QString::number(qulonglong(values[i].count)));
    }
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadText(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST_F(EditorTest, AttributeValueCountsFollowEditsUndosAndRedos)
{
    std::mt19937 random(7);
    ExpectCountsOfCells(*doc);
    const short values[] = {0, 1, -1, 300, 32767, -32768};
    for (int step = 0; step < 300; ++step) {
        switch (random() % 4) {
        case 0: doc->UndoStack().undo(); break;
        case 1: doc->UndoStack().redo(); break;
        default: {
            const int left = int(random() % 22) - 1, top = int(random() % 17) - 1;
            const CRect cells(left, top, left + 1 + int(random() % 8), top + 1 + int(random() % 6));
            doc->SetCellAttributes(cells, values[random() % std::size(values)]);
        }
        }
        if (step % 10 == 0) {
            ExpectCountsOfCells(*doc);
            ExpectPaletteShows(*frame->m_pAttrValuePane, *doc);
        }
    }
    ExpectCountsOfCells(*doc);
    doc->UndoStack().setIndex(0);
    EXPECT_EQ(doc->AttrValues().Count(0), 300u);
}

TEST_F(EditorTest, NamesAndColoursTravelBesideTheMapAndLeaveItsBytesAlone)
{
    LoadBitmap(MakePicture(64, 32, 24, 2));
    doc->SetCellAttributes(CRect(0, 0, 3, 1), 5);
    const std::string plain = folder.File("plain.Map");
    ASSERT_TRUE(doc->SaveMapFileTo(plain));
    EXPECT_FALSE(std::filesystem::exists(AttrValuesFilePath(plain)));  // nothing named, no file

    const std::string named = folder.File("named.Map");
    std::filesystem::copy_file(plain, named);
    const std::string names = R"({"format": "pellin-map-tool attribute values", "version": 1,
        "values": [{"value": 5, "name": "물", "colour": "#102030"}, {"value": 77, "name": "안 쓰는 값"}]})";
    WriteText(AttrValuesFilePath(named), names);
    ASSERT_TRUE(doc->LoadMapFileFrom(named));
    EXPECT_EQ(doc->AttrValues().Name(5), "물");
    EXPECT_EQ(doc->AttrValues().Colour(5), (AttrColour{0x10, 0x20, 0x30}));
    EXPECT_EQ(doc->AttrValues().Count(5), 3u);
    EXPECT_TRUE(doc->AttrValues().IsListed(77));  // kept though no cell holds it

    LoadBitmap(MakePicture(64, 32, 24, 2));
    const std::string again = folder.File("again.Map");
    ASSERT_TRUE(doc->SaveMapFileTo(again));
    EXPECT_EQ(ReadBytes(again), ReadBytes(plain));
    std::vector<AttrValueDetails> saved;
    ASSERT_TRUE(ParseAttrValues(ReadText(AttrValuesFilePath(again)), saved));
    EXPECT_EQ(saved, (std::vector<AttrValueDetails>{{5, "물", AttrColour{0x10, 0x20, 0x30}}, {77, "안 쓰는 값", {}}}));

    // A damaged file never stops the map: it opens with default colours and a note.
    WriteText(AttrValuesFilePath(named), names.substr(0, 40));
    ASSERT_TRUE(doc->LoadMapFileFrom(named));
    EXPECT_EQ(doc->AttrValues().Name(5), "");
    EXPECT_EQ(doc->AttrValues().Colour(5), DefaultAttrColour(5));
    EXPECT_EQ(doc->AttrValues().Count(5), 3u);
    EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(),
              std::string(kMsgAttrValuesFileIgnored) + "named.Map.attrs.json");
    // A file already beside the map is brought up to date, even to no values.
    LoadBitmap(MakePicture(64, 32, 24, 2));
    ASSERT_TRUE(doc->SaveMapFileTo(named));
    EXPECT_EQ(ReadText(AttrValuesFilePath(named)), EncodeAttrValues({}));
}
