// Loading a 4096 x 4096 24-bit .bmp with CDib::Load against reading the
// file's bytes into new memory. The file is read once beforehand, so both
// sides find it in the page cache.
#include "dib.h"
#include "figures.h"
#include "freshmemory.h"
#include "pairedtiming.h"
#include "scratchdir.h"
#include "synthetic.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

constexpr int kBitmapSide = 4096;

// What any program does to get a file's bytes: a buffer of its size, one read.
std::unique_ptr<FreshBytes> ReadFileBytes(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    auto bytes = std::make_unique<FreshBytes>(std::filesystem::file_size(path));
    const bool read = std::fread(bytes->Data(), 1, bytes->Size(), file) == bytes->Size();
    std::fclose(file);
    return read ? std::move(bytes) : nullptr;
}

void BM_BmpLoad(benchmark::State& state)
{
    ScratchDir scratch;
    const std::string path = scratch.File("picture.bmp");
    if (!WriteWholeFile(path, MakeBmpFile24(kBitmapSide, kBitmapSide, 31)) || !ReadFileBytes(path)) {
        state.SkipWithError("cannot write the synthetic bitmap");
        return;
    }
    PairedTimes times;
    CDib dib;
    std::unique_ptr<FreshBytes> bytes;
    for (auto _ : state) {
        ReturnFreeMemory();
        times.Round(
            state, [&] { bytes = ReadFileBytes(path); }, [&] { dib.Load(path); });
        if (!bytes || !dib.m_bLoaded) {
            state.SkipWithError("the bitmap did not load");
            return;
        }
        bytes.reset();
        dib.Free();
    }
    RecordFigure(state, {".bmp load, 4096x4096 24-bit (48 MiB)", times.SubjectMs(), times.BaselineMs(), "ms",
                         "read the file's bytes into new memory", Limit::RatioAtMost, 2, ""});
}
BENCHMARK(BM_BmpLoad)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
