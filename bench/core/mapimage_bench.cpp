// Rebuilding the whole map image from the tile layer, as the map view's
// initial update does, against a memcpy of the image's bytes.
#include "figures.h"
#include "maprender.h"
#include "pairedtiming.h"
#include "synthetic.h"
#include "tilelist.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int kMapSide = 256;  // cells
constexpr int kTileSize = 32;  // pixels
constexpr int kTileCount = 1000;

void BM_MapImageRebuild(benchmark::State& state)
{
    CTileList tiles;
    AddRandomTiles(tiles, kTileCount, kTileSize, kTileSize, 11);
    const std::vector<short> cells = RandomCells(kMapSide, kMapSide, kTileCount, 12);
    const int side = kMapSide * kTileSize;
    const std::size_t pixels = std::size_t(side) * std::size_t(side);
    // Both buffers are touched first, so neither side pays for fresh pages.
    std::unique_ptr<std::uint32_t[]> image(new std::uint32_t[pixels]);
    std::unique_ptr<std::uint32_t[]> source(new std::uint32_t[pixels]);
    std::fill_n(image.get(), pixels, 0xFF000000u);
    std::fill_n(source.get(), pixels, 0xFFFFFFFFu);

    const MapPixels target{image.get(), side, side, side, 0, 0};
    const MapRenderSource map{cells.data(), kMapSide, kMapSide, kTileSize, kTileSize, &tiles};
    PairedTimes times;
    for (auto _ : state) {
        times.Round(
            state, [&] { std::memcpy(image.get(), source.get(), pixels * sizeof(std::uint32_t)); },
            [&] { RenderMapCells(target, map, CRect(0, 0, kMapSide, kMapSide)); });
    }
    RecordFigure(state, {"Map image rebuild, 256x256 cells of 32 px, 1,000 tiles", times.SubjectMs(),
                         times.BaselineMs(), "ms", "memcpy 256 MiB", Limit::RatioAtMost, 4, ""});
}
BENCHMARK(BM_MapImageRebuild)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
