// Fingerprints of a whole tile set, as a map load or a cut takes them, for
// 2,000 tiles of 32 x 32 pixels at each colour depth, against two ways of
// reading the same tiles' pixels: a plain copy of each stored row, and
// making the tiles from their rows as a map load does (each pixel read
// into the form the panes draw from).
#include "figures.h"
#include "pairedtiming.h"
#include "sprite.h"
#include "synthetic.h"
#include "tilefingerprint.h"
#include "tilelist.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTiles = 2000;
constexpr int kSide = 32;

CTileList RandomTiles(WORD bitCount, std::vector<std::uint8_t>* allRows = nullptr)
{
    RandomBits random(17);
    std::array<RGBQUAD, 256> colours{};
    random.Fill(reinterpret_cast<std::uint8_t*>(colours.data()), sizeof colours);
    const std::size_t stride = std::size_t(((kSide * bitCount) / 8 + 3) & ~3);
    std::vector<std::uint8_t> rows(stride * kSide);
    CTileList tiles;
    for (int i = 0; i < kTiles; ++i) {
        random.Fill(rows.data(), rows.size());
        if (allRows) allRows->insert(allRows->end(), rows.begin(), rows.end());
        auto* tile = new CSprite;
        tile->CreateFromData(kSide, kSide, colours.data(), rows.data(), bitCount);
        tiles.AddTail(tile);
    }
    return tiles;
}

void BM_FingerprintTileSet(benchmark::State& state)
{
    const WORD bitCount = WORD(state.range(0));
    std::vector<std::uint8_t> stored;
    const CTileList tiles = RandomTiles(bitCount, &stored);
    const std::size_t tileBytes = stored.size() / kTiles;
    std::vector<CSprite> made(kTiles);
    const std::size_t rowBytes = std::size_t(kSide) * bitCount / 8;
    std::vector<BYTE> copy(rowBytes * kSide * kTiles);
    std::vector<TileFingerprint> prints(kTiles);
    PairedTimes times, againstMaking;
    const auto fingerprintAll = [&] {
        std::size_t i = 0;
        for (const CSprite* tile : tiles) prints[i++] = FingerprintOf(*tile);
        benchmark::DoNotOptimize(prints.data());
    };
    for (auto _ : state) {
        againstMaking.Round(
            state,
            [&] {
                for (std::size_t i = 0; i < kTiles; ++i)
                    made[i].CreateFromData(kSide, kSide, tiles.GetAt(0)->m_pColors, stored.data() + i * tileBytes,
                                           bitCount);
            },
            fingerprintAll);
        times.Round(
            state,
            [&] {
                BYTE* to = copy.data();
                for (const CSprite* tile : tiles)
                    for (int y = 0; y < kSide; ++y, to += rowBytes)
                        std::memcpy(to, tile->m_pBits + std::size_t(y) * std::size_t(tile->GetStride()), rowBytes);
                benchmark::DoNotOptimize(copy.data());
            },
            fingerprintAll);
    }
    RecordFigure(state, {"Fingerprints of 2000 tiles 32x32, " + std::to_string(bitCount) + "-bit, against making them",
                         againstMaking.SubjectMs(), againstMaking.BaselineMs(), "ms",
                         "make the tiles from their stored rows", Limit::RatioAtMost, 1.5, ""});
    RecordFigure(state, {"Fingerprints of 2000 tiles 32x32, " + std::to_string(bitCount) + "-bit", times.SubjectMs(),
                         times.BaselineMs(), "ms", "copy the tiles' pixel rows", Limit::RatioAtMost, 1.5, ""});
}
BENCHMARK(BM_FingerprintTileSet)
    ->Arg(8)
    ->Arg(16)
    ->Arg(24)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

}  // namespace
