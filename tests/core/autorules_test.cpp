// Auto-tiling rules: the engine against a brute-force reading of the rules,
// and the rules file.
#include "autoruleengine.h"
#include "autorulesfile.h"
#include "rulesmodel.h"
#include "testtiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

struct RandomCase {
    CMapModel map;
    std::vector<TileFingerprint> fingerprints;  // the set's five tiles and one it lacks
};

RandomCase MakeCase(std::mt19937& random, int width, int height, int values = 4)
{
    RandomCase made;
    std::vector<short> tiles, attrs;
    for (int i = 0; i < width * height; ++i) {
        tiles.push_back(short(int(random() % 7) - 1));
        attrs.push_back(short(random() % unsigned(values)));
    }
    made.map = ModelOf(width, height, 8, 8, tiles, attrs);
    AddTestTiles(made.map.m_tileList, 5, 8, 8, 24, 40);
    for (const CSprite* tile : made.map.m_tileList) made.fingerprints.push_back(FingerprintOf(*tile));
    made.fingerprints.push_back({1, 2});
    return made;
}

CRect RandomRect(std::mt19937& random, int width, int height)
{
    const int left = int(random() % unsigned(width + 2)) - 1;
    const int top = int(random() % unsigned(height + 2)) - 1;
    return {left, top, left + 1 + int(random() % 6), top + 1 + int(random() % 6)};
}

}  // namespace

// Random maps, rule sets and areas: the engine writes exactly the model's
// tiles, checks count exactly the cells it would change, and an area applied
// in pieces in any order gives the same as applied whole.
TEST(AutoRules, MatchBruteForceOnRandomMapsAndRuleSets)
{
    std::mt19937 random(20);
    for (int round = 0; round < 150; ++round) {
        // Now and then more values than the engine keeps column masks for.
        const int values = round % 4 ? 4 : 12;
        RandomCase c = MakeCase(random, 1 + int(random() % 14), 1 + int(random() % 11), values);
        const CCellLayers& cells = c.map.m_cells;
        const RuleSet set = RandomRuleSet(random, c.fingerprints, values);
        const TileFinder finder(c.map.m_tileList);
        const CompiledRules rules(set, finder);
        const CRect area =
            round % 3 ? CRect(0, 0, cells.Width(), cells.Height()) : RandomRect(random, cells.Width(), cells.Height());
        const CCellLayers expected = ModelApply(set, finder, cells, area);

        const RulesCheck check = CheckRules(cells, rules, area, 3);
        std::int64_t differing = 0;
        for (int row = 0; row < cells.Height(); ++row)
            for (int col = 0; col < cells.Width(); ++col) differing += expected.Tile(col, row) != cells.Tile(col, row);
        EXPECT_EQ(check.count, differing) << "round " << round;
        EXPECT_EQ(check.first.size(), std::size_t(std::min<std::int64_t>(differing, 3)));

        CCellLayers whole = cells;
        ApplyRules(whole, rules, area);
        ASSERT_EQ(LayerValues(whole, CellLayer::Tiles), LayerValues(expected, CellLayer::Tiles)) << "round " << round;
        EXPECT_EQ(CheckRules(whole, rules, area).count, 0);

        std::vector<CRect> pieces;
        for (int row = area.top; row < area.bottom; row += 2)
            for (int col = area.left; col < area.right; col += 3) pieces.push_back({col, row, col + 3, row + 2});
        std::shuffle(pieces.begin(), pieces.end(), random);
        CCellLayers pieced = cells;
        for (const CRect& piece : pieces) {
            CRect part;
            if (part.IntersectRect(piece, area)) ApplyRules(pieced, rules, part);
        }
        EXPECT_EQ(LayerValues(pieced, CellLayer::Tiles), LayerValues(whole, CellLayer::Tiles));
    }
}

// After random attribute edits, applying the rules to the reach of each
// edit keeps the tiles equal to a whole-map application.
TEST(AutoRules, IncrementalEqualsWholeMap)
{
    std::mt19937 random(21);
    for (int round = 0; round < 30; ++round) {
        RandomCase c = MakeCase(random, 20, 16);
        CCellLayers& cells = c.map.m_cells;
        const CompiledRules rules(RandomRuleSet(random, c.fingerprints), TileFinder(c.map.m_tileList));
        ApplyRules(cells, rules, {0, 0, 20, 16});
        for (int edit = 0; edit < 20; ++edit) {
            const CRect changed = SetAttributes(cells, RandomRect(random, 20, 16), short(random() % 4));
            ApplyRules(cells, rules, RulesReach(rules, changed, 20, 16));
        }
        CCellLayers whole = cells;
        ApplyRules(whole, rules, {0, 0, 20, 16});
        EXPECT_EQ(LayerValues(cells, CellLayer::Tiles), LayerValues(whole, CellLayer::Tiles)) << "round " << round;
    }
}

// Chance and weights: on a large map the shares stay near what they say.
TEST(AutoRules, ChanceAndWeightsGiveTheirShares)
{
    std::mt19937 random(22);
    const RandomCase c = MakeCase(random, 1, 1);
    CCellLayers cells;
    cells.Create(200, 200);
    AutoRule rule = MakeBlankRule(1);
    rule.chance = 30;
    rule.outputs = {{1, 1, {c.fingerprints[0]}, 1}, {1, 1, {c.fingerprints[1]}, 3}};
    const RuleSet set{0, 9, {{"", true, {rule}}}};
    ApplyRules(cells, CompiledRules(set, TileFinder(c.map.m_tileList)), {0, 0, 200, 200});
    const auto tiles = LayerValues(cells, CellLayer::Tiles);
    const double first = double(std::count(tiles.begin(), tiles.end(), 0)) / 40000;
    const double second = double(std::count(tiles.begin(), tiles.end(), 1)) / 40000;
    EXPECT_NEAR(first, 0.3 * 0.25, 0.01);
    EXPECT_NEAR(second, 0.3 * 0.75, 0.015);
}

TEST(RulesFile, RoundTripsRandomRuleSetsAndReadsTheDocumentedShape)
{
    std::mt19937 random(23);
    const std::vector<TileFingerprint> tiles = {{1, 2}, {3, 4}, {~0ull, 5}};
    for (int round = 0; round < 50; ++round) {
        RuleSet set = RandomRuleSet(random, tiles);
        set.groups[0].name = "벽";
        set.groups[0].rules[0].name = "벽 위쪽";
        set.outside = short(int(random() % 65536) - 32768);
        RuleSet read;
        ASSERT_TRUE(ParseRuleSet(EncodeRuleSet(set), read));
        EXPECT_EQ(read, set);
    }
    RuleSet read;
    ASSERT_TRUE(ParseRuleSet(
        R"({"version": 1, "outside": 0, "seed": 7, "groups": [{"name": "벽", "enabled": true, "rules": [{"name": "벽 위쪽",
        "enabled": true, "size": 3, "pattern": ["*", "!1", "*", "*", "=1", "*", "*", "*", "≠-2"], "outputs": [{"tiles":
        ["000000000000000a000000000000000B"], "width": 1, "height": 1, "weight": 1}], "chance": 100, "stop": true}]}]})",
        read));
    const AutoRule& rule = read.groups.at(0).rules.at(0);
    EXPECT_EQ(rule.At(0, -1), (PatternCell{PatternTest::NotEqual, 1}));
    EXPECT_EQ(rule.At(0, 0), (PatternCell{PatternTest::Equal, 1}));
    EXPECT_EQ(rule.At(1, 1), (PatternCell{PatternTest::NotEqual, -2}));
    EXPECT_EQ(rule.outputs.at(0).tiles.at(0), (TileFingerprint{10, 11}));
    EXPECT_EQ(read.seed, 7u);
}

class DamagedRulesFile : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedRulesFile, IsReadAsNothing)
{
    RuleSet read;
    read.seed = 99;
    EXPECT_FALSE(ParseRuleSet(GetParam(), read));
    EXPECT_EQ(read.seed, 99u);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DamagedRulesFile,
    ::testing::Values(
        "", "not json", "[]", R"({"groups": []})", R"({"version": 2, "groups": []})", R"({"version": 1})",
        R"({"version": 1, "groups": {}})", R"({"version": 1, "outside": 40000, "groups": []})",
        R"({"version": 1, "groups": [{"rules": [{"size": 2}]}]})",
        R"({"version": 1, "groups": [{"rules": [{"size": 3, "pattern": ["*"]}]}]})",
        R"({"version": 1, "groups": [{"rules": [{"pattern": ["=x"]}]}]})",
        R"({"version": 1, "groups": [{"rules": [{"pattern": ["~1"]}]}]})",
        R"({"version": 1, "groups": [{"rules": [{"chance": 0}]}]})",
        R"({"version": 1, "groups": [{"rules": [{"outputs": [{"tiles": ["xyz"]}]}]}]})",
        R"({"version": 1, "groups": [{"rules": [{"outputs": [{"tiles": []}]}]}]})",
        R"({"version": 1, "groups": [{"rules": [{"outputs": [{"tiles": ["00000000000000000000000000000001"], "width": 2}]}]}]})",
        R"({"version": 1, "groups": [{"enabled": "yes"}]})",
        R"({"version": 1, "groups": [{"rules": [{"outputs": [{"tiles": ["00000000000000000000000000000001"], "weight": 2000000000}]}]}]})"));
