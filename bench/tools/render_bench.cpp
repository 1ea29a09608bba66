// zellmap render against the peer editor's command-line renderer
// (tmxrasterizer, Debian's tiled package) on the same 256 x 256-cell map of
// 32-pixel tiles, exported with zellmap export, both writing PNG: time and
// peak memory of each process, measured alternately in the same run.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "figures.h"
#include "scratchdir.h"
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

void BM_RenderAgainstTmxRasterizer(benchmark::State& state)
{
    const std::string rasterizer = "tmxrasterizer";
    if (std::system("command -v tmxrasterizer >/dev/null 2>&1") != 0) {
        state.SkipWithError("tmxrasterizer is not installed (Debian package tiled)");
        return;
    }
    ScratchDir scratch;
    const std::string map = scratch.File("map256.Map");
    const std::string tmx = scratch.File("map256.tmx");
    if (!WriteRandomMapFile(map, 256, 256, 32, 1000, 77) ||
        !RunProcess({ZELLMAP_PROGRAM, "export", map, "--tmx", tmx}).ok) {
        state.SkipWithError("could not make the map or its TMX export");
        return;
    }
    std::vector<double> ours, theirs, oursPeak, theirsPeak;
    for (auto _ : state) {
        const ProcessRun a = RunProcess({ZELLMAP_PROGRAM, "render", map, "-o", scratch.File("ours.png"), "--no-grid"});
        const ProcessRun b = RunProcess({rasterizer, tmx, scratch.File("theirs.png")});
        if (!a.ok || !b.ok) {
            state.SkipWithError(a.ok ? "tmxrasterizer failed" : "zellmap render failed");
            return;
        }
        ours.push_back(a.ms);
        theirs.push_back(b.ms);
        oursPeak.push_back(a.peakMiB);
        theirsPeak.push_back(b.peakMiB);
    }
    RecordFigure(state, {"zellmap render, 256x256 cells of 32 px, PNG", Median(ours), Median(theirs), "ms",
                         "tmxrasterizer on its TMX export", Limit::RatioAtMost, 0.25, ""});
    RecordFigure(state, {"zellmap render, peak memory", Median(oursPeak), Median(theirsPeak), "MiB",
                         "tmxrasterizer's peak memory", Limit::RatioAtMost, 0.5, ""});
}
BENCHMARK(BM_RenderAgainstTmxRasterizer)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv) { return RunBenchmarksAndPrintFigures(argc, argv); }
