// zellmap rules: --apply writes what the rules applied in the program's own
// engine and saved by its writer give, --check counts what they would
// change, and a damaged rules file stops the work.
#include "tooltesting.h"

#include "autoruleengine.h"
#include "autorulesfile.h"
#include "rulesmodel.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

TEST(RulesTool, ApplyAndCheckAgreeWithTheEngine)
{
    std::mt19937 random(31);
    for (int round = 0; round < 4; ++round) {
        ScratchFolder folder;
        TestMap map;
        map.mapWidth = 9;
        map.mapHeight = 7;
        for (int i = 0; i < 63; ++i) map.attrs.push_back(short(random() % 4));
        WriteBytes(folder.File("m.Map"), map.Encode());
        CMapModel model = map.Model();
        std::vector<TileFingerprint> tiles;
        for (const CSprite* tile : model.m_tileList) tiles.push_back(FingerprintOf(*tile));
        const RuleSet set = RandomRuleSet(random, tiles);
        ASSERT_TRUE(WriteRulesFile(folder.File("m.Map.rules.json"), set));
        const CompiledRules rules(set, TileFinder(model.m_tileList));
        const CRect area = round % 2 ? CRect(0, 0, 9, 7) : CRect(2, 1, 6, 5);
        const std::string rect = round % 2 ? "0,0,9,7" : "2,1,4,4";

        const RulesCheck check = CheckRules(model.m_cells, rules, area);
        const ToolRun checked = RunZellmap({"rules", "m.Map", "--check", "--rect", rect}, folder.Path());
        EXPECT_EQ(checked.status, check.count > 0 ? 1 : 0) << checked.err;
        EXPECT_EQ(checked.out.substr(0, checked.out.find('\n')), "규칙과 다른 칸: " + std::to_string(check.count));

        const ToolRun applied =
            RunZellmap({"rules", "m.Map", "--apply", "--rect", rect, "-o", "out.Map"}, folder.Path());
        ASSERT_EQ(applied.status, 0) << applied.err;
        ApplyRules(model.m_cells, rules, area);
        std::vector<std::uint8_t> bytes;
        MapFileContent read;  // the file's own colour format
        ASSERT_EQ(ReadMapFile(folder.File("m.Map"), read), MapReadResult::Ok);
        ASSERT_EQ(EncodeMapFile({&model, read.bitCount, read.colours.data()}, bytes), MapWriteResult::Ok);
        EXPECT_EQ(ReadBytes(folder.File("out.Map")), bytes);
        RuleSet copied;
        EXPECT_EQ(ReadRulesFile(folder.File("out.Map.rules.json"), copied), RulesReadResult::Ok);
        EXPECT_EQ(copied, set);
    }
}

TEST(RulesTool, RefusesAMissingOrDamagedRulesFile)
{
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), TestMap().Encode());
    EXPECT_EQ(RunZellmap({"rules", "m.Map", "--check"}, folder.Path()).status, 1);
    std::ofstream(folder.File("m.Map.rules.json")) << "{\"version\": 1, \"groups\": 3}";
    const ToolRun damaged = RunZellmap({"rules", "m.Map", "--apply", "-o", "out.Map"}, folder.Path());
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("손상"), std::string::npos);
    EXPECT_EQ(RunZellmap({"rules", "m.Map", "--apply"}, folder.Path()).status, 2);
}

// The example map stays as its rules paint it, every rule finding its
// tiles (scripts/make_examples.py makes both again).
TEST(RulesTool, ExampleMapMatchesItsRules)
{
    ScratchFolder folder;
    const ToolRun run = RunZellmap({"rules", PELLIN_EXAMPLES "/autotile.Map", "--check"}, folder.Path());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.err, "");
}
