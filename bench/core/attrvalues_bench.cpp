// Counting the values of a 4096 x 4096 attribute layer that uses 1,000
// different values (what opening such a map costs before the value list
// can show), against copying the same layer row by row; and the cell work
// of painting a 1024 x 1024 band on it (the undo step's chunks and the value
// counts, without the panes) against writing those cells into a plain layer.
#include "attrvalues.h"
#include "celllayers.h"
#include "mapmodel.h"
#include "figures.h"
#include "pairedtiming.h"
#include "synthetic.h"

#include <malloc.h>

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
    std::vector<short> values(kSide);
    for (int row = 0; row < kSide; ++row) {
        for (int col = 0; col < kSide;) {
            const short value = short(random.Below(kValues) - kValues / 2);
            const int run = std::min(kSide - col, 1 + random.Below(8));
            std::fill_n(values.begin() + col, run, value);
            col += run;
        }
        cells.WriteRow(CellLayer::Attributes, row, values.data());
    }
    std::vector<short> copy(std::size_t(kSide) * kSide);
    CAttrValueTable table;
    PairedTimes times;
    for (auto _ : state) {
        times.Round(
            state,
            [&] {
                for (int row = 0; row < kSide; ++row)
                    cells.ReadRow(CellLayer::Attributes, row, copy.data() + std::size_t(row) * kSide);
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

void BM_AttrBandCells(benchmark::State& state)
{
    constexpr int kBand = 1024;
    // This small process's heap has the chunks each round lets go (2.6 MiB)
    // at its top, and glibc would give them back to the system and fault
    // them in again the next round: every other round measured page faults
    // (0.3 ms against 7.5 ms). The editor's heap does not do this (its band
    // figure is the same with trimming off), so here it is off too.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    CCellLayers cells;
    if (cells.Create(kSide, kSide) != LayerAllocResult::Ok) {
        state.SkipWithError("cannot make the layers");
        return;
    }
    AddRandomAttributes(cells, kValues, 48);
    CAttrValueTable table;
    table.Recount(cells);
    const CRect band(1500, 1500, 1500 + kBand, 1500 + kBand);
    std::vector<short> layer(std::size_t(kSide) * kSide);
    std::vector<double> counting;
    PairedTimes times;
    short value = 1;
    for (auto _ : state) {
        value = short(value % 900 + 1);
        std::vector<ChunkChange> changes;
        times.Round(
            state,
            [&] {
                for (int row = band.top; row < band.bottom; ++row)
                    std::fill_n(layer.data() + std::size_t(row) * kSide + std::size_t(band.left), kBand, value);
            },
            [&] {
                cells.BeginEdit();
                SetAttributes(cells, band, value);
                changes = cells.EndEdit();
                counting.push_back(SecondsOf([&] {
                    for (const ChunkChange& change : changes)
                        if (change.layer == CellLayer::Attributes)
                            cells.ForEachRowPart(change, band.left, band.top, band.right, band.bottom,
                                                 [&](std::size_t offset, std::size_t count) {
                                                     table.Update(change.before.get() + offset,
                                                                  change.after.get() + offset, count);
                                                 });
                }));
            });
        benchmark::DoNotOptimize(layer.data());
    }
    if (table.Count(value) < std::size_t(kBand) * kBand) state.SkipWithError("the band was not counted");
    RecordFigure(state, {"Attribute band 1024x1024 on 4096x4096 cells: undo step's chunks and value counts",
                         times.SubjectMs(), times.BaselineMs(), "ms", "writing those cells into a plain layer",
                         Limit::RatioAtMost, 3, "the cell work alone"});
    RecordFigure(
        state, {"Attribute band 1024x1024: of which the value counts", Median(counting) * 1e3, times.BaselineMs(), "ms",
                "writing those cells into a plain layer", Limit::RatioAtMost, 3, "the band's cells alone"});
    mallopt(M_TRIM_THRESHOLD, 128 << 10);  // glibc's default
}
BENCHMARK(BM_AttrBandCells)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

}  // namespace
