// Auto-tiling rules on a 4096 x 4096 map: 40 rules of 3 x 3 (walls and
// water with edges, outer and inner corners, a floor with random variants)
// applied to the whole map, against writing its cells.
#include "autoruleengine.h"
#include "benchrules.h"
#include "figures.h"
#include "pairedtiming.h"
#include "synthetic.h"

namespace {

constexpr int kSide = 4096;

void BM_ApplyRulesWholeMap(benchmark::State& state)
{
    CMapModel map = BenchRulesMap(kSide, 16);
    const RuleSet set = BenchRuleSet(map);
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
