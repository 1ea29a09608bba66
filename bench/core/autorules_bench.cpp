// Auto-tiling rules on a 4096 x 4096 map: 40 rules of 3 x 3 (walls and
// water with edges, outer and inner corners, a floor with random variants)
// applied to the whole map, against writing its cells.
#include "autoruleengine.h"
#include "figures.h"
#include "pairedtiming.h"
#include "synthetic.h"

namespace {

constexpr int kSide = 4096;

// "*" any, "=v", "!v", as the rules file writes them, row by row.
AutoRule Rule(const char* const (&cells)[9], TileFingerprint tile, int chance = 100)
{
    AutoRule rule = MakeBlankRule(3);
    for (int i = 0; i < 9; ++i) {
        const std::string text = cells[i];
        if (text == "*") continue;
        rule.pattern[std::size_t(i)] = {text[0] == '=' ? PatternTest::Equal : PatternTest::NotEqual,
                                        short(std::stoi(text.substr(1)))};
    }
    rule.outputs = {{1, 1, {tile}, 1}};
    rule.chance = chance;
    return rule;
}

// 13 rules for a terrain of value v: corners, edges, inner corners, inside.
RuleGroup Terrain(const std::string& v, const std::vector<TileFingerprint>& tiles, std::size_t first)
{
    const std::string is = "=" + v, isnt = "!" + v;
    const char* e = is.c_str();
    const char* n = isnt.c_str();
    auto t = [&](std::size_t i) { return tiles[first + i]; };
    return {
        v,
        true,
        {Rule({"*", n, "*", n, e, "*", "*", "*", "*"}, t(0)), Rule({"*", n, "*", "*", e, n, "*", "*", "*"}, t(1)),
         Rule({"*", "*", "*", n, e, "*", "*", n, "*"}, t(2)), Rule({"*", "*", "*", "*", e, n, "*", n, "*"}, t(3)),
         Rule({"*", n, "*", "*", e, "*", "*", "*", "*"}, t(4)), Rule({"*", "*", "*", n, e, "*", "*", "*", "*"}, t(5)),
         Rule({"*", "*", "*", "*", e, n, "*", "*", "*"}, t(6)), Rule({"*", "*", "*", "*", e, "*", "*", n, "*"}, t(7)),
         Rule({n, e, "*", e, e, "*", "*", "*", "*"}, t(8)), Rule({"*", e, n, "*", e, e, "*", "*", "*"}, t(9)),
         Rule({"*", "*", "*", e, e, "*", n, e, "*"}, t(10)), Rule({"*", "*", "*", "*", e, e, "*", e, n}, t(11)),
         Rule({"*", "*", "*", "*", e, "*", "*", "*", "*"}, t(12))}};
}

RuleSet BenchRuleSet(const std::vector<TileFingerprint>& tiles)
{
    RuleSet set;
    set.seed = 7;
    set.groups.push_back(Terrain("1", tiles, 0));
    set.groups.push_back(Terrain("2", tiles, 13));
    RuleGroup floor{"floor", true, {}};
    floor.rules.push_back(Rule({"*", "=1", "*", "*", "=0", "*", "*", "*", "*"}, tiles[26]));  // wall shadow
    for (int i = 0; i < 12; ++i)
        floor.rules.push_back(Rule({"*", "*", "*", "*", "=0", "*", "*", "*", "*"}, tiles[27 + std::size_t(i)], 3));
    AutoRule plain = Rule({"*", "*", "*", "*", "=0", "*", "*", "*", "*"}, tiles[39]);
    plain.outputs.push_back({1, 1, {tiles[40]}, 3});
    floor.rules.push_back(plain);
    set.groups.push_back(floor);
    return set;
}

void BM_ApplyRulesWholeMap(benchmark::State& state)
{
    CMapModel map = RandomMap(kSide, kSide, 16, 48, 5);
    // Walls and water as painted areas: rectangles over a floor of 0.
    RandomBits random(6);
    for (int i = 0; i < 60000; ++i) {
        const int x = random.Below(kSide), y = random.Below(kSide);
        map.m_cells.FillRect(CellLayer::Attributes, x, y, x + 2 + random.Below(30), y + 2 + random.Below(30),
                             short(random.Below(3)));
    }
    std::vector<TileFingerprint> fingerprints;
    for (const CSprite* tile : map.m_tileList) fingerprints.push_back(FingerprintOf(*tile));
    const RuleSet set = BenchRuleSet(fingerprints);
    if (set.RuleCount() != 40) state.SkipWithError("not 40 rules");
    const CompiledRules rules(set, TileFinder(map.m_tileList));
    PairedTimes times;
    short value = 1;
    for (auto _ : state) {
        times.Round(
            state,
            [&] {
                for (int y = 0; y < kSide; ++y)
                    map.m_cells.ForEachMutableRun(CellLayer::Tiles, y, 0, kSide, [&](int col, short* row, int count) {
                        for (int i = 0; i < count; ++i) row[i] = short((col + i + y + value) & 31);
                    });
            },
            // The baseline's values leave nearly every cell for the rules to write.
            [&] {
                ApplyRules(map.m_cells, rules, {0, 0, kSide, kSide});
            });
        if (CheckRules(map.m_cells, rules, {0, 0, 256, 256}).count != 0) state.SkipWithError("cells left undecided");
        ++value;
    }
    RecordFigure(state, {"Rules (40 of 3x3) applied to 4096x4096 cells", times.SubjectMs(), times.BaselineMs(), "ms",
                         "write the 16M cells", Limit::RatioAtMost, 30, ""});
}
BENCHMARK(BM_ApplyRulesWholeMap)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

}  // namespace
