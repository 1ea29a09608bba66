// Drawing a whole map's picture from its cells, against a memcpy of the
// picture's bytes.
#include "figures.h"
#include "maprender.h"
#include "pairedtiming.h"
#include "synthetic.h"
#include "mapmodel.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int kMapSide = 256;  // cells
constexpr int kTileSize = 32;  // pixels
constexpr int kTileCount = 1000;

void BM_MapImageRebuild(benchmark::State& state)
{
    const CMapModel map = RandomMap(kMapSide, kMapSide, kTileSize, kTileCount, 11);
    const int side = kMapSide * kTileSize;
    const std::size_t pixels = std::size_t(side) * std::size_t(side);
    // Both buffers are touched first, so neither side pays for fresh pages.
    std::unique_ptr<std::uint32_t[]> image(new std::uint32_t[pixels]);
    std::unique_ptr<std::uint32_t[]> source(new std::uint32_t[pixels]);
    std::fill_n(image.get(), pixels, 0xFF000000u);
    std::fill_n(source.get(), pixels, 0xFFFFFFFFu);

    const MapPixels target{image.get(), side, side, side, 0, 0};
    PairedTimes times;
    for (auto _ : state) {
        times.Round(
            state, [&] { std::memcpy(image.get(), source.get(), pixels * sizeof(std::uint32_t)); },
            [&] { RenderMapRegion(target, map); });
    }
    RecordFigure(state, {"Map picture drawn whole, 256x256 cells of 32 px, 1,000 tiles", times.SubjectMs(),
                         times.BaselineMs(), "ms", "memcpy 256 MiB", Limit::RatioAtMost, 4, ""});
}
BENCHMARK(BM_MapImageRebuild)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
