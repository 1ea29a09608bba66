// Counting the values of a 4096 x 4096 attribute layer that uses 1,000
// different values (what opening such a map costs before the value list
// can show), against copying the same layer row by row.
#include "attrvalues.h"
#include "celllayers.h"
#include "figures.h"
#include "pairedtiming.h"
#include "synthetic.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kSide = 4096;
constexpr int kValues = 1000;

void BM_AttrValueRecount(benchmark::State& state)
{
    CCellLayers cells;
    if (cells.Create(kSide, kSide) != LayerAllocResult::Ok) {
        state.SkipWithError("cannot make the layers");
        return;
    }
    // Runs of a few cells of one value, as painted areas give.
    RandomBits random(47);
    for (int row = 0; row < kSide; ++row) {
        short* values = cells.MutableRow(CellLayer::Attributes, row);
        for (int col = 0; col < kSide;) {
            const short value = short(random.Below(kValues) - kValues / 2);
            const int run = std::min(kSide - col, 1 + random.Below(8));
            std::fill_n(values + col, run, value);
            col += run;
        }
    }
    std::vector<short> copy(std::size_t(kSide) * kSide);
    CAttrValueTable table;
    PairedTimes times;
    for (auto _ : state) {
        times.Round(
            state,
            [&] {
                for (int row = 0; row < kSide; ++row)
                    std::copy_n(cells.Row(CellLayer::Attributes, row), kSide, copy.data() + std::size_t(row) * kSide);
            },
            [&] { table.Recount(cells); });
        benchmark::DoNotOptimize(copy.data());
    }
    if (table.Values().size() < std::size_t(kValues) - 1) state.SkipWithError("values missing from the count");
    RecordFigure(state, {"Attribute value counts, 4096x4096 cells using 1,000 values", times.SubjectMs(),
                         times.BaselineMs(), "ms", "copy the attribute layer (32 MiB)", Limit::Below, 200,
                         "the value list ready within 0.2 s of opening"});
}
BENCHMARK(BM_AttrValueRecount)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
