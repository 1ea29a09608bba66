// zellmap render against the peer editor's command-line renderer
// (tmxrasterizer, Debian's tiled package) on the same 256 x 256-cell maps of
// 32-pixel tiles, exported with zellmap export, both writing PNG: time,
// peak memory and file size of each, measured alternately in the same run.
// Three maps: 1,000 tiles of random pixels (deflate can do little), the
// example tileset's art laid out as the example map, repeated, and 1,000
// shaded tiles (smooth gradients with a little noise). Then both
// write the random-tile map as an uncompressed BMP, which leaves the drawing
// and the writing of 200 MB of rows.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <cstdlib>
#include <string>
#include <vector>

#include "figures.h"
#include "mapfile.h"
#include "scratchdir.h"
#include "sprite.h"
#include "synthetic.h"

namespace {
struct ProcessRun {
    bool ok = false;
    double ms = 0;
    double peakMiB = 0;
};

// Runs a program to its end; its time and its largest resident set.
ProcessRun RunProcess(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::freopen("/dev/null", "w", stdout);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ProcessRun run;
    if (pid < 0) return run;
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return run;
    run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = double(usage.ru_maxrss) / 1024.0;  // KiB on Linux
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The example map's cells repeated over mapSide x mapSide cells, with its tiles.
bool WriteExampleArtMap(const std::string& path, int mapSide)
{
    MapFileContent example;
    if (ReadMapFile(PELLIN_EXAMPLE_MAP, example) != MapReadResult::Ok) return false;
    CMapModel map;
    map.m_nTileWidth = example.map.m_nTileWidth;
    map.m_nTileHeight = example.map.m_nTileHeight;
    map.m_tileList = std::move(example.map.m_tileList);
    if (map.m_cells.Create(mapSide, mapSide) != LayerAllocResult::Ok) return false;
    const CCellLayers& from = example.map.m_cells;
    for (int r = 0; r < mapSide; ++r)
        for (int c = 0; c < mapSide; ++c) map.m_cells.SetTile(c, r, *from.Tile(c % from.Width(), r % from.Height()));
    MapSaveInput input;
    input.map = &map;
    input.bitmapBitCount = example.bitCount;
    input.bitmapColours = example.colours.data();
    return WriteMapFile(path, input) == MapWriteResult::Ok;
}

// 1,000 tiles of 32 x 32 as shaded art has them: each colour channel runs
// smoothly from one value to another (up to 100 apart) across the tile,
// sideways on every other tile and downwards on the rest, and about one
// sample in 128 is off by up to 2; random cells as RandomCells.
bool WriteShadedMap256(const std::string& path)
{
    constexpr int kSide = 32;
    constexpr int kSpan = 100;
    CMapModel map;
    map.m_nTileWidth = map.m_nTileHeight = kSide;
    RandomBits random(91);
    const std::size_t stride = std::size_t((kSide * 3 + 3) & ~3);
    std::vector<std::uint8_t> rows(stride * kSide);
    for (int k = 0; k < 1000; ++k) {
        int from[3], to[3];
        for (int ch = 0; ch < 3; ++ch) {
            const int base = kSpan + random.Below(256 - 2 * kSpan);
            from[ch] = base + random.Below(2 * kSpan + 1) - kSpan;
            to[ch] = base + random.Below(2 * kSpan + 1) - kSpan;
        }
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const double along = (k % 2 ? x : y) / double(kSide - 1);
                for (int ch = 0; ch < 3; ++ch) {
                    int v = int(std::lround(from[ch] + (to[ch] - from[ch]) * along));
                    if (random.Below(128) == 0) v += random.Below(5) - 2;
                    const std::size_t at = std::size_t(y) * stride + std::size_t(x) * 3 + std::size_t(ch);
                    rows[at] = std::uint8_t(std::clamp(v, 0, 255));
                }
            }
        }
        auto* tile = new CSprite;
        tile->CreateFromData(kSide, kSide, nullptr, rows.data(), 24);
        map.m_tileList.AddTail(tile);
    }
    if (map.m_cells.Create(256, 256) != LayerAllocResult::Ok) return false;
    const std::vector<short> cells = RandomCells(256, 256, 1000, 92);
    for (int row = 0; row < 256; ++row) map.m_cells.WriteRow(CellLayer::Tiles, row, cells.data() + row * 256);
    MapSaveInput input;
    input.map = &map;
    input.bitmapBitCount = 24;
    return WriteMapFile(path, input) == MapWriteResult::Ok;
}

double MegaBytes(const std::string& path) { return double(std::filesystem::file_size(path)) / 1e6; }

// The figures of one comparison: each program's time and peak memory per round.
struct RenderRounds {
    std::vector<double> ours, theirs, oursPeak, theirsPeak;
};

// Makes the map and its TMX export, then has zellmap and tmxrasterizer
// draw it alternately, each round, into ours.EXT and theirs.EXT (the
// extension chooses the format for both). False once it has reported why
// the benchmark is skipped.
bool RenderBoth(benchmark::State& state, const ScratchDir& scratch, bool (*makeMap)(const std::string& path),
                const std::string& extension, RenderRounds& rounds)
{
    if (std::system("command -v tmxrasterizer >/dev/null 2>&1") != 0) {
        state.SkipWithError("tmxrasterizer is not installed (Debian package tiled)");
        return false;
    }
    const std::string map = scratch.File("map256.Map");
    const std::string tmx = scratch.File("map256.tmx");
    if (!makeMap(map) || !RunProcess({ZELLMAP_PROGRAM, "export", map, "--tmx", tmx}).ok) {
        state.SkipWithError("could not make the map or its TMX export");
        return false;
    }
    for (auto _ : state) {
        const ProcessRun a =
            RunProcess({ZELLMAP_PROGRAM, "render", map, "-o", scratch.File("ours." + extension), "--no-grid"});
        const ProcessRun b = RunProcess({"tmxrasterizer", tmx, scratch.File("theirs." + extension)});
        if (!a.ok || !b.ok) {
            state.SkipWithError(a.ok ? "tmxrasterizer failed" : "zellmap render failed");
            return false;
        }
        rounds.ours.push_back(a.ms);
        rounds.theirs.push_back(b.ms);
        rounds.oursPeak.push_back(a.peakMiB);
        rounds.theirsPeak.push_back(b.peakMiB);
    }
    return true;
}

void RenderAgainstTmxRasterizer(benchmark::State& state, const std::string& what,
                                bool (*makeMap)(const std::string& path))
{
    ScratchDir scratch;
    RenderRounds r;
    if (!RenderBoth(state, scratch, makeMap, "png", r)) return;
    const std::string name = "zellmap render, 256x256 cells of 32 px (" + what + ")";
    RecordFigure(state, {name + ", PNG", Median(r.ours), Median(r.theirs), "ms", "tmxrasterizer on its TMX export",
                         Limit::RatioAtMost, 0.3, ""});
    RecordFigure(state,
                 {name + ", PNG size", MegaBytes(scratch.File("ours.png")), MegaBytes(scratch.File("theirs.png")), "MB",
                  "tmxrasterizer's PNG", Limit::RatioAtMost, 1.5, ""});
    RecordFigure(state, {name + ", peak memory", Median(r.oursPeak), Median(r.theirsPeak), "MiB",
                         "tmxrasterizer's peak memory", Limit::RatioAtMost, 0.5, ""});
}

bool WriteRandomMap256(const std::string& path) { return WriteRandomMapFile(path, 256, 256, 32, 1000, 77); }

void BM_RenderRandomTiles(benchmark::State& state)
{
    RenderAgainstTmxRasterizer(state, "random tiles", WriteRandomMap256);
}
BENCHMARK(BM_RenderRandomTiles)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderExampleArt(benchmark::State& state)
{
    RenderAgainstTmxRasterizer(state, "example art",
                               [](const std::string& path) { return WriteExampleArtMap(path, 256); });
}
BENCHMARK(BM_RenderExampleArt)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderShadedArt(benchmark::State& state) { RenderAgainstTmxRasterizer(state, "shaded art", WriteShadedMap256); }
BENCHMARK(BM_RenderShadedArt)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The random-tile map with both writing a 24-bit BMP (the output name's
// extension chooses the format for both programs).
void BM_RenderBmpAgainstTmxRasterizer(benchmark::State& state)
{
    ScratchDir scratch;
    RenderRounds r;
    if (!RenderBoth(state, scratch, WriteRandomMap256, "bmp", r)) return;
    RecordFigure(state, {"zellmap render, 256x256 cells of 32 px (random tiles), BMP", Median(r.ours), Median(r.theirs),
                         "ms", "tmxrasterizer on its TMX export, BMP", Limit::RatioAtMost, 0.3, ""});
    RecordFigure(state, {"zellmap render to BMP, peak memory", Median(r.oursPeak), Median(r.theirsPeak), "MiB",
                         "tmxrasterizer's peak memory, BMP", Limit::RatioAtMost, 0.5, ""});
}
BENCHMARK(BM_RenderBmpAgainstTmxRasterizer)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// zellmap thumbnail of the largest map the editor opens, 8192 x 8192 cells
// of 32-pixel tiles, at a file manager's large size: it must stay within
// 0.3 s and 100 MB. The baseline is zellmap starting and printing its help.
void BM_ThumbnailOfTheLargestMap(benchmark::State& state)
{
    ScratchDir scratch;
    const std::string map = scratch.File("map8192.Map");
    if (!WriteRandomMapFile(map, 8192, 8192, 32, 1000, 5)) {
        state.SkipWithError("could not make the map");
        return;
    }
    std::vector<double> ms, peak, startMs;
    for (auto _ : state) {
        const ProcessRun run = RunProcess({ZELLMAP_PROGRAM, "thumbnail", map, scratch.File("t.png"), "--size", "256"});
        const ProcessRun start = RunProcess({ZELLMAP_PROGRAM, "--help"});
        if (!run.ok || !start.ok) {
            state.SkipWithError("zellmap thumbnail failed");
            return;
        }
        ms.push_back(run.ms);
        peak.push_back(run.peakMiB);
        startMs.push_back(start.ms);
    }
    RecordFigure(state, {"zellmap thumbnail, 8192x8192 cells of 32 px, 256 px", Median(ms), Median(startMs), "ms",
                         "zellmap --help", Limit::AtMost, 300, ""});
    RecordFigure(
        state, {"zellmap thumbnail, 8192x8192 cells, peak memory", Median(peak), 0, "MiB", "", Limit::AtMost, 100, ""});
}
BENCHMARK(BM_ThumbnailOfTheLargestMap)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// zellmap info of a world of 16384 x 16384 cells of 16-pixel tiles (a file of
// 1 GiB): it counts the cells from the file as it reads, against cat
// reading the same file. Run in alternation, with the file in the page cache.
void BM_InfoOfTheLargestWorld(benchmark::State& state)
{
    ScratchDir scratch;
    const std::string map = scratch.File("world.Map");
    if (!WriteRandomMapFile(map, 16384, 16384, 16, 256, 5)) {
        state.SkipWithError("could not make the map");
        return;
    }
    // No peak memory: the child forked from this process, which made the
    // map, would count the pages it shared before its exec.
    std::vector<double> ms, catMs;
    for (auto _ : state) {
        const ProcessRun read = RunProcess({"cat", map});
        const ProcessRun run = RunProcess({ZELLMAP_PROGRAM, "info", map});
        if (!run.ok || !read.ok) {
            state.SkipWithError("zellmap info failed");
            return;
        }
        ms.push_back(run.ms);
        catMs.push_back(read.ms);
    }
    RecordFigure(state, {"zellmap info, 16384x16384 cells of 16 px", Median(ms), Median(catMs), "ms", "cat of the file",
                         Limit::RatioAtMost, 2, ""});
}
BENCHMARK(BM_InfoOfTheLargestWorld)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv) { return RunBenchmarksAndPrintFigures(argc, argv); }
