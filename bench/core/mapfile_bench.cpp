// Saving and loading a map of 10,000 tiles of 32 x 32 24-bit and 500 x 500
// cells (about 31 MB) against copying a file of the same bytes. A save
// ends with the file on disk (it syncs before it renames), so its baseline
// copy syncs too; a load reads from the page cache, as does its copy.
#include "figures.h"
#include "freshmemory.h"
#include "mapfile.h"
#include "pairedtiming.h"
#include "scratchdir.h"
#include "synthetic.h"
#include "tilelist.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr int kTileCount = 10000;
constexpr int kTileSize = 32;
constexpr int kMapSide = 500;

// Copies a file the way cp does, with a large buffer; with durable, the
// copy is on disk before it returns.
bool CopyFile(const std::string& from, const std::string& to, bool durable)
{
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) return false;
    std::FILE* out = std::fopen(to.c_str(), "wb");
    if (!out) {
        std::fclose(in);
        return false;
    }
    static std::vector<char> buffer(128 * 1024);
    bool ok = true;
    for (std::size_t got; ok && (got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0;)
        ok = std::fwrite(buffer.data(), 1, got, out) == got;
    ok = std::fflush(out) == 0 && ok;
    if (durable) ok = ::fsync(fileno(out)) == 0 && ok;
    ok = std::fclose(out) == 0 && ok;
    std::fclose(in);
    return ok;
}

// The document's content as the map view and the document hold it.
struct MapData {
    CMapModel map = RandomMap(kMapSide, kMapSide, kTileSize, kTileCount, 41);

    MapData()
    {
        RandomBits random(43);
        for (int row = 0; row < kMapSide; ++row)
            for (int col = 0; col < kMapSide; ++col) map.m_cells.SetAttr(col, row, short(random.Below(8)));
    }

    MapSaveInput Input() const
    {
        MapSaveInput input;
        input.map = &map;
        input.bitmapBitCount = 24;
        return input;
    }
};

std::string MiB(const std::string& path)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", double(std::filesystem::file_size(path)) / (1 << 20));
    return text;
}

void BM_MapFileSave(benchmark::State& state)
{
    ScratchDir scratch;
    const MapData map;
    const std::string original = scratch.File("original.Map");
    const std::string copy = scratch.File("copy.Map");
    const std::string saved = scratch.File("saved.Map");
    if (WriteMapFile(original, map.Input()) != MapWriteResult::Ok) {
        state.SkipWithError("cannot write the map file");
        return;
    }
    PairedTimes times;
    bool ok = true;
    for (auto _ : state) {
        ReturnFreeMemory();
        times.Round(
            state, [&] { ok = CopyFile(original, copy, true) && ok; },
            [&] { ok = WriteMapFile(saved, map.Input()) == MapWriteResult::Ok && ok; });
        std::filesystem::remove(copy);
        std::filesystem::remove(saved);
        if (!ok) {
            state.SkipWithError("a save or a copy failed");
            return;
        }
    }
    RecordFigure(state, {"Map file save, 10,000 tiles of 32x32 24-bit, 500x500 cells", times.SubjectMs(),
                         times.BaselineMs(), "ms", "copy " + MiB(original) + " file to file, synced",
                         Limit::RatioAtMost, 2, ">= 1/2 the copy's throughput"});
}
BENCHMARK(BM_MapFileSave)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

void BM_MapFileLoad(benchmark::State& state)
{
    ScratchDir scratch;
    const std::string original = scratch.File("original.Map");
    const std::string copy = scratch.File("copy.Map");
    {
        const MapData map;
        if (WriteMapFile(original, map.Input()) != MapWriteResult::Ok) {
            state.SkipWithError("cannot write the map file");
            return;
        }
    }
    PairedTimes times;
    bool ok = true;
    for (auto _ : state) {
        ReturnFreeMemory();
        MapFileContent content;
        times.Round(
            state, [&] { ok = CopyFile(original, copy, false) && ok; },
            [&] { ok = ReadMapFile(original, content) == MapReadResult::Ok && ok; });
        std::filesystem::remove(copy);
        if (!ok || content.map.m_tileList.GetCount() != kTileCount) {
            state.SkipWithError("a load or a copy failed");
            return;
        }
    }
    RecordFigure(state,
                 {"Map file load, the same file", times.SubjectMs(), times.BaselineMs(), "ms",
                  "copy " + MiB(original) + " file to file", Limit::RatioAtMost, 2, ">= 1/2 the copy's throughput"});
}
BENCHMARK(BM_MapFileLoad)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
