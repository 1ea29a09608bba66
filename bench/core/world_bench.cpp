// A world of 16384 x 16384 cells (2^28, the largest map) of 16-pixel tiles:
// opening it and drawing the first pane, filling it whole and stamping 2 x 2
// cells with the undo step the document keeps, zooming it to fit a pane,
// saving and reading it, and its recovery copy (the base written once, then
// a 2 x 2 stamp's journal). Each against a plain copy of the same bytes, and
// the memory each leaves held against the bytes of the cells.
#include "cellblock.h"
#include "celljournal.h"
#include "figures.h"
#include "freshmemory.h"
#include "mapfile.h"
#include "maprender.h"
#include "mapzoom.h"
#include "pairedtiming.h"
#include "scratchdir.h"
#include "synthetic.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSide = 16384;
constexpr int kTileSize = 16;
constexpr int kPaneWidth = 1440, kPaneHeight = 480;
constexpr double kMiB = 1 << 20;

// The process's resident memory now.
double ResidentMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    return 0;
}

double CellMiB() { return double(kSide) * kSide * 2 * sizeof(short) / kMiB; }

// The world's file, made once: random cells over 256 random tiles.
const std::string& WorldFile()
{
    static ScratchDir scratch;
    static const std::string path = [] {
        const std::string file = scratch.File("world.Map");
        if (!WriteRandomMapFile(file, kSide, kSide, kTileSize, 256, 5)) return std::string();
        return file;
    }();
    return path;
}

bool ReadWhole(const std::string& path, std::uint8_t* into, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::size_t done = 0;
    for (ssize_t got; done < size && (got = ::read(fd, into + done, size - done)) > 0;) done += std::size_t(got);
    ::close(fd);
    return done == size;
}

bool WriteWhole(const std::string& path, const std::uint8_t* bytes, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    std::size_t done = 0;
    for (ssize_t put; done < size && (put = ::write(fd, bytes + done, size - done)) > 0;) done += std::size_t(put);
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return done == size && synced;
}

// Open and first paint: the file read into a new model and the pane's
// cells drawn, against reading the file's bytes into fresh memory.
void BM_WorldOpenAndPaint(benchmark::State& state)
{
    const std::string& file = WorldFile();
    if (file.empty()) return state.SkipWithError("cannot write the world's file");
    const std::size_t size = std::filesystem::file_size(file);
    std::vector<std::uint32_t> pane(std::size_t(kPaneWidth) * kPaneHeight);
    PairedTimes times;
    double held = 0;
    for (auto _ : state) {
        ReturnFreeMemory();
        times.Round(
            state,
            [&] {
                FreshBytes bytes(size);
                if (!ReadWhole(file, bytes.Data(), size)) state.SkipWithError("cannot read the file");
            },
            [&] {
                const double before = ResidentMiB();
                auto content = std::make_unique<MapFileContent>();
                if (ReadMapFile(file, *content) != MapReadResult::Ok) state.SkipWithError("cannot open the world");
                RenderMapRegion({pane.data(), kPaneWidth, kPaneHeight, kPaneWidth, 4000 * kTileSize, 9000 * kTileSize},
                                content->map);
                held = ResidentMiB() - before;
            });
    }
    RecordFigure(state, {"Open and first paint, 16384x16384 map of 16-px tiles", times.SubjectMs(), 0, "ms", "",
                         Limit::AtMost, 1500, ""});
    RecordFigure(state, {"Memory held after open and first paint", held, CellMiB(), "MiB", "the cells (two layers)",
                         Limit::AtMost, CellMiB() + 256, "cells + 256 MiB"});
    RecordFigure(state, {"Open of the 16384x16384 map vs reading its file", times.SubjectMs(), times.BaselineMs(), "ms",
                         "read the file into fresh memory", Limit::RatioAtMost, 2, ""});
}
BENCHMARK(BM_WorldOpenAndPaint)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The loaded world, shared by the benchmarks that edit, zoom and save it.
CMapModel& World()
{
    static MapFileContent content = [] {
        MapFileContent loaded;
        ReadMapFile(WorldFile(), loaded);
        return loaded;
    }();
    return content.map;
}

// Fill-all as the document does it: the whole tile layer written from the
// brush between BeginEdit and EndEdit, the change kept for undo; against
// writing the layer's 512 MiB into fresh memory.
void BM_WorldFillAll(benchmark::State& state)
{
    CMapModel& world = World();
    if (world.MapWidth() != kSide) return state.SkipWithError("no world");
    PairedTimes times;
    double growth = 0;
    short value = 3;
    for (auto _ : state) {
        std::vector<ChunkChange> undo;
        ReturnFreeMemory();
        times.Round(
            state,
            [&] {
                FreshBytes layer(std::size_t(kSide) * kSide * sizeof(short));
                std::memset(layer.Data(), 3, layer.Size());
            },
            [&] {
                const double before = ResidentMiB();
                world.m_cells.BeginEdit();
                FillWithCellBlock(world.m_cells, CCellBlock::FromPalette(CTileBlock{1, 1, {value}}),
                                  CRect(0, 0, kSide, kSide));
                undo = world.m_cells.EndEdit();
                growth = ResidentMiB() - before;
            });
        if (world.m_cells.Tile(kSide - 1, kSide - 1) != value) state.SkipWithError("the fill missed a cell");
        value = short(value % 200 + 1);
    }
    const double layer = CellMiB() / 2;
    RecordFigure(state, {"Fill-all of 16384x16384 with its undo step", times.SubjectMs(), times.BaselineMs(), "ms",
                         "write one layer (512 MiB) into fresh memory", Limit::AtMost, 3000, ""});
    RecordFigure(state, {"Memory growth of fill-all, 16384x16384", growth, layer, "MiB", "one layer",
                         Limit::RatioAtMost, 1.5, ""});
}
BENCHMARK(BM_WorldFillAll)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// A 2 x 2 stamp of the brush with its undo step, at places spread over the world.
void BM_WorldStamp(benchmark::State& state)
{
    CMapModel& world = World();
    if (world.MapWidth() != kSide) return state.SkipWithError("no world");
    const CCellBlock brush = CCellBlock::FromPalette(CTileBlock{2, 2, {1, 2, 3, 4}});
    std::vector<double> times;
    int at = 0;
    for (auto _ : state) {
        const int col = (at * 7919) % (kSide - 2), row = (at * 104729) % (kSide - 2);
        ++at;
        times.push_back(SecondsOf([&] {
            world.m_cells.BeginEdit();
            StampCellBlock(world.m_cells, brush, col, row);
            benchmark::DoNotOptimize(world.m_cells.EndEdit());
        }));
        state.SetIterationTime(times.back());
    }
    RecordFigure(state,
                 {"2x2 stamp with its undo step, 16384x16384", Median(times) * 1e3, 0, "ms", "", Limit::AtMost, 1, ""});
}
BENCHMARK(BM_WorldStamp)->UseManualTime()->Iterations(101)->Unit(benchmark::kMillisecond);

// Zoom to fit: the zoom's cache prepared once (as the editor does when
// idle after opening), then the pane drawn at the largest zoom that shows
// the whole world, against a copy of the pane.
void BM_WorldZoomToFit(benchmark::State& state)
{
    CMapModel& world = World();
    if (world.MapWidth() != kSide) return state.SkipWithError("no world");
    // The largest step whose picture fits, or the smallest there is.
    MapZoom zoom{MapZoom::kMinLog2};
    for (MapZoom step : ZoomSteps()) {
        const auto size = ZoomedPictureSize(world, step);
        if (size && size->width <= kPaneWidth && size->height <= kPaneHeight) zoom = step;
    }
    const std::size_t pixels = std::size_t(kPaneWidth) * kPaneHeight;
    std::vector<std::uint32_t> pane(pixels), source(pixels, 0xFFFFFFFFu);
    ZoomCache cache;
    const double prepare = SecondsOf([&] { cache.Prepare(world); });
    const MapPixels target{pane.data(), kPaneWidth, kPaneHeight, kPaneWidth, 0, 0};
    PairedTimes times;
    for (auto _ : state)
        times.Round(
            state, [&] { std::memcpy(pane.data(), source.data(), pixels * sizeof(std::uint32_t)); },
            [&] { RenderZoomedRegion(target, world, cache, zoom); });
    RecordFigure(state, {"Zoom to fit of 16384x16384 in a 1440x480 pane", times.SubjectMs(), times.BaselineMs(), "ms",
                         "memcpy of the pane", Limit::RatioAtMost, 3, ""});
    RecordFigure(state, {"Zoom cache prepared for 16384x16384 (idle, once)", prepare * 1e3, 0, "ms", "", Limit::AtMost,
                         3000, ""});
    RecordFigure(state, {"Zoom cache kept, 16384x16384", double(cache.Bytes()) / kMiB, CellMiB(), "MiB",
                         "the two layers of cells", Limit::RatioAtMost, 0.25, ""});
}
BENCHMARK(BM_WorldZoomToFit)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

// Save against writing the same bytes (both synced), and the recovery
// copy: the base is a save of the world; a 2 x 2 stamp then appends one
// journal batch.
void BM_WorldSaveAndRecovery(benchmark::State& state)
{
    CMapModel& world = World();
    if (world.MapWidth() != kSide) return state.SkipWithError("no world");
    ScratchDir scratch;
    const std::string saved = scratch.File("saved.Map"), plain = scratch.File("plain.bin");
    MapSaveInput input;
    input.map = &world;
    std::vector<std::uint8_t> bytes;
    if (EncodeMapFile(input, bytes) != MapWriteResult::Ok) return state.SkipWithError("cannot encode");
    PairedTimes times;
    for (auto _ : state)
        times.Round(
            state, [&] { WriteWhole(plain, bytes.data(), bytes.size()); },
            [&] {
                if (WriteMapFile(saved, input) != MapWriteResult::Ok) state.SkipWithError("cannot save");
            });
    bytes = {};
    RecordFigure(state, {"Save of 16384x16384 vs writing its bytes", times.SubjectMs(), times.BaselineMs(), "ms",
                         "write the same bytes, fsync", Limit::RatioAtMost, 1.5, ""});

    // The recovery copy: the base is the save above; then a stamp's batch.
    const std::string journal = scratch.File("copy.journal");
    StartJournal(journal, kSide, kSide);
    std::vector<double> stampTimes;
    std::uint64_t stampBytes = 0;
    for (int i = 0; i < 21; ++i) {
        const CCellLayers before = world.m_cells;
        StampBlock(world.m_cells, CTileBlock{2, 2, {5, 6, 7, 8}}, 100 + 300 * i, 200 + 500 * i);
        stampTimes.push_back(SecondsOf([&] {
            const std::vector<JournalChunk> changes = ChangedChunks(before, world.m_cells);
            stampBytes = JournalBatchBytes(changes);
            AppendJournal(journal, changes);
        }));
    }
    RecordFigure(state, {"Recovery base of 16384x16384 (written once, in the background)", times.SubjectMs(), 0, "ms",
                         "", Limit::AtMost, 10000, ""});
    RecordFigure(state, {"Recovery journal after a 2x2 stamp, 16384x16384 (bytes)", double(stampBytes), 0, "bytes", "",
                         Limit::AtMost, 65536, ""});
    RecordFigure(state, {"Recovery journal after a 2x2 stamp, written and synced", Median(stampTimes) * 1e3, 0, "ms",
                         "", Limit::AtMost, 50, ""});
}
BENCHMARK(BM_WorldSaveAndRecovery)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
