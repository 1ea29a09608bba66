// The map's auto-tiling rules in the editor: 자동 규칙 keeps the tiles equal
// to the rules applied to the whole map through random attribute edits,
// undo gives back both layers, and the rules travel beside the map, the
// saved bytes being those of the engine's own application.
#include <QStatusBar>
#include <filesystem>
#include <fstream>
#include <random>

#include "autoruleengine.h"
#include "autorulesfile.h"
#include "editorfixture.h"
#include "resource.h"
#include "rulesmodel.h"

namespace {

std::vector<TileFingerprint> FingerprintsOf(const CZellDoc& doc)
{
    std::vector<TileFingerprint> tiles;
    for (const CSprite* tile : doc.Tiles()) tiles.push_back(FingerprintOf(*tile));
    return tiles;
}

}  // namespace

TEST_F(EditorTest, AutoRulesFollowAttributeEditsAndUndoGivesBothLayersBack)
{
    CutTiles(MakePicture(128, 64, 8, 5));
    std::mt19937 random(41);
    doc->SetRules(RandomRuleSet(random, FingerprintsOf(*doc)));
    EXPECT_EQ(doc->UndoStack().undoText().toStdString(), "규칙 바꾸기");
    Send(ID_RULES_APPLY);
    const CRect whole(0, 0, doc->MapWidth(), doc->MapHeight());
    EXPECT_EQ(CheckRules(doc->Cells(), doc->CompiledRuleSet(), whole).count, 0);
    const std::vector<short> tiles = TileCells(), attrs = AttrCells();
    const int steps = doc->UndoStack().index();

    Send(ID_AUTO_RULES);
    ASSERT_TRUE(doc->AutoRules());
    doc->SetActiveLayer(CellLayer::Attributes);  // moves carry attributes alone
    for (int edit = 0; edit < 40; ++edit) {
        const int left = int(random() % 22) - 1, top = int(random() % 17) - 1;
        const CRect cells(left, top, left + 1 + int(random() % 5), top + 1 + int(random() % 4));
        if (edit % 3)
            doc->SetCellAttributes(cells, short(random() % 4));
        else
            doc->MoveCells(CRect(left, top, left + 2, top + 2), CPoint(int(random() % 20), int(random() % 15)));
        ASSERT_EQ(CheckRules(doc->Cells(), doc->CompiledRuleSet(), whole).count, 0) << "edit " << edit;
    }
    doc->UndoStack().setIndex(steps);
    EXPECT_EQ(TileCells(), tiles);
    EXPECT_EQ(AttrCells(), attrs);

    // Off, an attribute edit leaves the tiles alone.
    Send(ID_AUTO_RULES);
    doc->SetCellAttributes(whole, 3);
    EXPECT_EQ(TileCells(), tiles);
}

TEST_F(EditorTest, RulesTravelBesideTheMapAndApplySavesTheEnginesBytes)
{
    CutTiles(MakePicture(128, 64, 8, 5));
    std::mt19937 random(42);
    for (int i = 0; i < 300; ++i) SetCell(CellLayer::Attributes, i, short(random() % 4));
    const std::string plain = folder.File("plain.Map");
    ASSERT_TRUE(doc->SaveMapFileTo(plain));
    EXPECT_FALSE(std::filesystem::exists(RulesFilePath(plain)));  // no rules, no file

    const RuleSet set = RandomRuleSet(random, FingerprintsOf(*doc));
    ASSERT_TRUE(WriteRulesFile(RulesFilePath(plain), set));
    ASSERT_TRUE(doc->LoadMapFileFrom(plain));
    EXPECT_EQ(doc->Rules(), set);
    Send(ID_RULES_APPLY);
    EXPECT_EQ(doc->UndoStack().undoText().toStdString(), "규칙 적용");
    const std::string applied = folder.File("applied.Map");
    ASSERT_TRUE(doc->SaveMapFileTo(applied));

    MapFileContent read;
    ASSERT_EQ(ReadMapFile(plain, read), MapReadResult::Ok);
    ApplyRules(read.map.m_cells, CompiledRules(set, TileFinder(read.map.m_tileList)),
               CRect(0, 0, read.map.MapWidth(), read.map.MapHeight()));
    std::vector<std::uint8_t> expected;
    ASSERT_EQ(EncodeMapFile({&read.map, read.bitCount, read.colours.data()}, expected), MapWriteResult::Ok);
    EXPECT_EQ(ReadBytes(applied), expected);
    RuleSet saved;
    ASSERT_EQ(ReadRulesFile(RulesFilePath(applied), saved), RulesReadResult::Ok);
    EXPECT_EQ(saved, set);

    // A damaged file never stops the map: it opens without rules and a note.
    std::ofstream(RulesFilePath(plain), std::ios::trunc) << "{\"version\": 1, \"groups\": [";
    ASSERT_TRUE(doc->LoadMapFileFrom(plain));
    EXPECT_FALSE(doc->Rules().HasRules());
    EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(),
              std::string(kMsgRulesFileIgnored) + "plain.Map.rules.json");
}
