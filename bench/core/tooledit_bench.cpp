// The map tools' work on a 4096 x 4096 map: the fill of one area and of a
// tile on every other cell against writing those cells, copy and paste of
// a 1024 x 1024 selection, and the zoomed map pane at every zoom step
// against a copy of the pane, with the cost of keeping the zoom's cache up
// to date after a small stamp.
#include "cellblock.h"
#include "cellclipboard.h"
#include "figures.h"
#include "floodfill.h"
#include "mapzoom.h"
#include "pairedtiming.h"
#include "synthetic.h"
#include "tilelist.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kSide = 4096;

void BM_FloodFillOneArea(benchmark::State& state)
{
    CCellLayers cells;
    cells.Create(kSide, kSide);
    PairedTimes times;
    short value = 7;
    for (auto _ : state) {
        const short next = short(value + 1);
        times.Round(
            state, [&] { cells.FillRect(CellLayer::Tiles, 0, 0, kSide, kSide, value); },
            [&] { FloodFillArea(cells, CellLayer::Tiles, kSide / 2, kSide / 3, FillPattern::OfValue(next)); });
        if (cells.Tile(kSide - 1, kSide - 1) != next) state.SkipWithError("the fill missed a cell");
        value = short(next + 1);
    }
    RecordFigure(state, {"Fill of one area of 4096x4096 cells", times.SubjectMs(), times.BaselineMs(), "ms",
                         "write the 16M cells", Limit::RatioAtMost, 3, ""});
}
BENCHMARK(BM_FloodFillOneArea)->UseManualTime()->Iterations(9)->Unit(benchmark::kMillisecond);

void BM_FillEverywhere(benchmark::State& state)
{
    CCellLayers cells;
    cells.Create(kSide, kSide);
    // Tile 5 on every other cell, others between.
    for (int y = 0; y < kSide; ++y)
        cells.ForEachMutableRun(CellLayer::Tiles, y, 0, kSide, [&](int col, short* row, int count) {
            for (int i = 0; i < count; ++i) {
                const int x = col + i;
                row[i] = (x + y) % 2 ? short(1 + x % 3) : short(5);
            }
        });
    PairedTimes times;
    short value = 5;
    for (auto _ : state) {
        const short next = value == 5 ? short(6) : short(5);
        times.Round(
            state,
            [&] {
                // Every other cell: runs start at even columns.
                for (int y = 0; y < kSide; ++y)
                    cells.ForEachMutableRun(CellLayer::Tiles, y, 0, kSide, [&](int, short* row, int count) {
                        for (int i = y % 2; i < count; i += 2) row[i] = value;
                    });
            },
            [&] { FillEverywhere(cells, CellLayer::Tiles, 0, 0, FillPattern::OfValue(next)); });
        if (cells.Tile(kSide - 2, kSide - 2) != next) state.SkipWithError("the fill missed a cell");
        value = next;
    }
    RecordFigure(state, {"Fill everywhere of a tile on every other cell, 4096x4096", times.SubjectMs(),
                         times.BaselineMs(), "ms", "write the 8M cells one by one", Limit::RatioAtMost, 3, ""});
}
BENCHMARK(BM_FillEverywhere)->UseManualTime()->Iterations(9)->Unit(benchmark::kMillisecond);

// What copy puts on the clipboard (both forms, tiles named by picture) and
// what paste makes of it (the text form, the longer way; and the own form
// taken into a set holding the pictures in another order), for 1024 x 1024 cells.
void BM_CopyAndPaste(benchmark::State& state)
{
    const CMapModel map = RandomMap(kSide, kSide, 32, 1000, 3);
    const CRect selection(1000, 1000, 2024, 2024);
    CCellLayers target = map.m_cells;
    std::vector<double> copyTimes, pasteTimes, ownPasteTimes;
    std::string text;
    // The same pictures, the other way round.
    CTileList reversed;
    for (int n = map.m_tileList.GetCount() - 1; n >= 0; --n) reversed.AddTail(map.m_tileList.SharedAt(n));
    for (auto _ : state) {
        ClipboardCells cells;
        cells.tileWidth = cells.tileHeight = 32;
        std::vector<std::uint8_t> bytes;
        copyTimes.push_back(SecondsOf([&] {
            cells.block = CaptureBlock(map.m_cells, selection, true);
            NameClipboardTiles(cells, map.m_tileList);
            bytes = EncodeClipboardCells(cells);
            text = CellsAsText(cells.block);
        }));
        ownPasteTimes.push_back(SecondsOf([&] {
            ClipboardCells pasted = *DecodeClipboardCells(bytes.data(), bytes.size());
            if (!MatchClipboardTiles(pasted, reversed, 32, 32, false).empty()) state.SkipWithError("paste refused");
            StampCellBlock(target, pasted.block, 10, 10);
        }));
        pasteTimes.push_back(SecondsOf([&] {
            const PastedText pasted = ParseCellsText(text, 1000, kSide, kSide);
            StampCellBlock(target, pasted.block, 10, 10);
        }));
        state.SetIterationTime(copyTimes.back() + pasteTimes.back());
    }
    RecordFigure(state, {"Copy of 1024x1024 cells (own form and text)", Median(copyTimes) * 1e3, 0, "ms", "",
                         Limit::AtMost, 100, ""});
    RecordFigure(state, {"Paste of 1024x1024 cells from text, stamped", Median(pasteTimes) * 1e3, 0, "ms", "",
                         Limit::AtMost, 100, ""});
    RecordFigure(state, {"Paste of 1024x1024 cells of another editor, renumbered and stamped",
                         Median(ownPasteTimes) * 1e3, 0, "ms", "", Limit::AtMost, 100, ""});
}
BENCHMARK(BM_CopyAndPaste)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

// A 1920 x 1080 pane's picture at each zoom step, in the middle of the
// map's picture (all of it when it is smaller), against a copy of the pane.
void BM_ZoomedPane(benchmark::State& state)
{
    const MapZoom zoom{int(state.range(0))};
    static const CMapModel map = RandomMap(kSide, kSide, 32, 256, 9);
    constexpr int w = 1920, h = 1080;
    const std::size_t pixels = std::size_t(w) * h;
    std::unique_ptr<std::uint32_t[]> pane(new std::uint32_t[pixels]), source(new std::uint32_t[pixels]);
    std::fill_n(pane.get(), pixels, 0u);
    std::fill_n(source.get(), pixels, 0xFFFFFFFFu);
    const auto size = ZoomedPictureSize(map, zoom);
    const MapPixels target{pane.get(),
                           w,
                           h,
                           w,
                           std::max<std::int64_t>(0, size->width / 2 - w / 2),
                           std::max<std::int64_t>(0, size->height / 2 - h / 2)};
    ZoomCache cache;
    RenderZoomedRegion(target, map, cache, zoom);  // what is kept is made once
    PairedTimes times;
    for (auto _ : state)
        times.Round(
            state, [&] { std::memcpy(pane.get(), source.get(), pixels * sizeof(std::uint32_t)); },
            [&] { RenderZoomedRegion(target, map, cache, zoom); });
    RecordFigure(state,
                 {"Zoomed pane 1920x1080 of a 4096x4096 map at " + std::to_string(zoom.Percent()).substr(0, 6) + "%",
                  times.SubjectMs(), times.BaselineMs(), "ms", "memcpy of the pane", Limit::RatioAtMost, 3, ""});
}
BENCHMARK(BM_ZoomedPane)
    ->DenseRange(MapZoom::kMinLog2, MapZoom::kMaxLog2)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

// A 2 x 2 stamp told to the cache, and the next drawing (one pixel) that
// brings all it keeps up to date, once every zoom step has been drawn; and
// what it keeps then against the bytes of the cells (two layers).
void BM_ZoomCacheAfterStamp(benchmark::State& state)
{
    CMapModel map = RandomMap(kSide, kSide, 32, 256, 9);
    ZoomCache cache;
    std::uint32_t pixel = 0;
    const MapPixels dot{&pixel, 1, 1, 1, 0, 0};
    for (const MapZoom step : ZoomSteps()) {
        // A pane's width at each step, so that every kept form is made.
        std::vector<std::uint32_t> row(1920);
        RenderZoomedRegion({row.data(), 1920, 1, 1920, 0, 0}, map, cache, step);
    }
    const MapZoom zoom{MapZoom::kMinLog2};
    std::vector<double> times;
    int at = 0;
    for (auto _ : state) {
        const CRect cells(at % kSide, (at * 7) % kSide, at % kSide + 2, (at * 7) % kSide + 2);
        at += 977;
        for (int y = cells.top; y < cells.bottom; ++y)
            for (int x = cells.left; x < cells.right; ++x) map.m_cells.SetTile(x, y, short(at % 256));
        times.push_back(SecondsOf([&] {
            cache.CellsChanged(cells);
            RenderZoomedRegion(dot, map, cache, zoom);
        }));
        state.SetIterationTime(times.back());
    }
    RecordFigure(
        state, {"Zoom cache after a 2x2 stamp, 4096x4096 map", Median(times) * 1e3, 0, "ms", "", Limit::AtMost, 1, ""});
    const double cellBytes = double(map.m_cells.CellCount()) * 2 * sizeof(short);
    RecordFigure(state, {"Zoom cache kept for all steps, 4096x4096 map", double(cache.Bytes()) / (1 << 20),
                         cellBytes / (1 << 20), "MiB", "the two layers of cells", Limit::RatioAtMost, 0.25, ""});
}
BENCHMARK(BM_ZoomCacheAfterStamp)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace
