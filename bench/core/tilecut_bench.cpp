// Cutting a whole 4096 x 4096 24-bit bitmap into 16,384 tiles of 32 x 32,
// each with its screen form, against a memcpy of the bitmap's pixel bytes.
// The tiles are new memory, so the copy goes into new memory too.
#include "dib.h"
#include "figures.h"
#include "freshmemory.h"
#include "pairedtiming.h"
#include "synthetic.h"
#include "tilecut.h"
#include "tilelist.h"

#include <cstring>
#include <memory>

namespace {

constexpr int kBitmapSide = 4096;
constexpr int kTileSize = 32;

void BM_WholeBitmapCut(benchmark::State& state)
{
    CDib dib;
    {
        const std::vector<std::uint8_t> file = MakeBmpFile24(kBitmapSide, kBitmapSide, 21);
        if (!dib.LoadFromMemory(file.data(), file.size())) {
            state.SkipWithError("the synthetic bitmap did not load");
            return;
        }
    }
    const std::size_t bytes = std::size_t(dib.GetStride()) * std::size_t(dib.GetHeight());
    const int expected = (kBitmapSide / kTileSize) * (kBitmapSide / kTileSize);

    PairedTimes times;
    CTileList tiles;
    int cut = 0;
    for (auto _ : state) {
        ReturnFreeMemory();
        std::unique_ptr<FreshBytes> copy;
        times.Round(
            state,
            [&] {
                copy = std::make_unique<FreshBytes>(bytes);
                std::memcpy(copy->Data(), dib.m_pBits, bytes);
            },
            [&] { cut = CutWholeBitmap(dib, kTileSize, kTileSize, tiles).appended; });
        tiles.DeleteAll();
        if (cut != expected) {
            state.SkipWithError("the cut made a wrong number of tiles");
            return;
        }
    }
    RecordFigure(state, {"Whole-bitmap cut, 4096x4096 24-bit into 16,384 tiles", times.SubjectMs(), times.BaselineMs(),
                         "ms", "memcpy 48 MiB into new memory", Limit::RatioAtMost, 4, ""});
}
BENCHMARK(BM_WholeBitmapCut)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
