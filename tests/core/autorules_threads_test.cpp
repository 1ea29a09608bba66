// Rules applied to a map large enough to be decided on two threads give
// the brute-force reading's tiles (and ThreadSanitizer's build watches the
// threads share nothing they write).
#include "rulesmodel.h"
#include "testtiles.h"

#include <gtest/gtest.h>

TEST(AutoRulesThreads, LargeMapMatchesBruteForce)
{
    std::mt19937 random(50);
    std::vector<short> attrs;
    for (int i = 0; i < 300 * 260; ++i) attrs.push_back(short(random() % 3));
    CMapModel map = ModelOf(300, 260, 8, 8, {}, attrs);
    AddTestTiles(map.m_tileList, 4, 8, 8, 24, 60);
    std::vector<TileFingerprint> tiles;
    for (const CSprite* tile : map.m_tileList) tiles.push_back(FingerprintOf(*tile));
    const RuleSet set = RandomRuleSet(random, tiles);
    const TileFinder finder(map.m_tileList);
    const CCellLayers expected = ModelApply(set, finder, map.m_cells, {0, 0, 300, 260});
    ApplyRules(map.m_cells, CompiledRules(set, finder), {0, 0, 300, 260});
    EXPECT_EQ(LayerValues(map.m_cells, CellLayer::Tiles), LayerValues(expected, CellLayer::Tiles));
}
