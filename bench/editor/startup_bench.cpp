// Start-up of the editor as a process, from the spawn to the first painted
// main window, on the offscreen platform with a 1920 x 1080 screen: with
// the empty map, and with map files of 256 x 256, 1024 x 1024 and
// 4096 x 4096 random cells over 1,000 random tiles on the command line
// (time and peak memory). The baseline is a bare Qt program that shows one
// empty screen-sized window, started in alternation with the editor.
#include "benchscreen.h"
#include "childrun.h"
#include "figures.h"
#include "pairedtiming.h"
#include "scratchdir.h"
#include "synthetic.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace {

constexpr const char* kExitVariable = "PELLIN_EXIT_AFTER_FIRST_PAINT";
constexpr double kTimeoutSeconds = 30;

// Everything the runs share: the screen, a private home with its settings
// and state folders (the editor writes its recent-file list and its copies
// of unsaved work there, not into the user's), the map file (mapSide x
// mapSide cells, none for 0), and which program stands for the editor.
struct StartupSetup {
    ScratchDir scratch;
    std::vector<std::string> environment;
    std::string editor = PELLIN_EDITOR_PROGRAM;
    std::string mapFile;

    explicit StartupSetup(int mapSide = 0)
    {
        std::filesystem::create_directory(scratch.Path() / "home");
        std::filesystem::create_directory(scratch.Path() / "config");
        environment = {"QT_QPA_PLATFORM=" + OffscreenPlatformWithBenchScreen(scratch),
                       std::string(kExitVariable) + "=1", "HOME=" + scratch.File("home"),
                       "XDG_CONFIG_HOME=" + scratch.File("config"), "XDG_STATE_HOME=" + scratch.File("state")};
        if (mapSide == 0) return;
        mapFile = scratch.File("map" + std::to_string(mapSide) + ".Map");
        if (!WriteRandomMapFile(mapFile, mapSide, mapSide, 32, 1000, 51)) mapFile.clear();
    }

    // Each run starts with an empty state folder: a run that exits at its
    // first paint leaves its session's lock behind, and the next editor
    // would otherwise stop to ask about recovering it.
    ChildRun Run(const std::string& program, const std::vector<std::string>& arguments = {}) const
    {
        std::filesystem::remove_all(scratch.Path() / "state");
        std::filesystem::create_directory(scratch.Path() / "state");
        return RunUntilFirstPaint(program, arguments, environment, kTimeoutSeconds);
    }
};

// Starts the bare window and then the editor, state.iterations() times;
// false (with the error on the state) when a run failed.
bool TimeStarts(benchmark::State& state, const StartupSetup& setup, const std::vector<std::string>& arguments,
                PairedTimes& times, std::vector<double>& editorPeaks, std::vector<double>& barePeaks)
{
    for (auto _ : state) {
        const ChildRun bare = setup.Run(PELLIN_BARE_WINDOW_PROGRAM);
        const ChildRun editor = setup.Run(setup.editor, arguments);
        for (const ChildRun* run : {&bare, &editor}) {
            if (!run->ok) {
                state.SkipWithError(run->error.c_str());
                return false;
            }
        }
        times.baseline.push_back(bare.firstPaintMs / 1e3);
        times.subject.push_back(editor.firstPaintMs / 1e3);
        state.SetIterationTime(editor.firstPaintMs / 1e3);
        editorPeaks.push_back(editor.peakMiB);
        barePeaks.push_back(bare.peakMiB);
    }
    return true;
}

void BM_StartupEmptyMap(benchmark::State& state)
{
    const StartupSetup setup;
    PairedTimes times;
    std::vector<double> editorPeaks, barePeaks;
    if (!TimeStarts(state, setup, {}, times, editorPeaks, barePeaks)) return;
    RecordFigure(state, {"Start-up to first paint, empty map", times.SubjectMs(), times.BaselineMs(), "ms",
                         "bare Qt window", Limit::Below, 150, "median"});
}
BENCHMARK(BM_StartupEmptyMap)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

// The targets for each map size: time to first paint and peak memory.
struct MapStartupTarget {
    int side;
    double firstPaintMs;
    double peakMiB;
};
constexpr MapStartupTarget kMapStartupTargets[] = {{256, 200, 60}, {1024, 300, 80}, {4096, 1000, 200}};

void BM_StartupWithMapFile(benchmark::State& state)
{
    const MapStartupTarget& target = *std::find_if(std::begin(kMapStartupTargets), std::end(kMapStartupTargets),
                                                   [&](const MapStartupTarget& t) { return t.side == state.range(0); });
    const StartupSetup setup(target.side);
    if (setup.mapFile.empty()) {
        state.SkipWithError("cannot write the map file");
        return;
    }
    PairedTimes times;
    std::vector<double> editorPeaks, barePeaks;
    if (!TimeStarts(state, setup, {setup.mapFile}, times, editorPeaks, barePeaks)) return;
    const std::string side = std::to_string(target.side);
    RecordFigure(state,
                 {"Start-up to first paint, " + side + "x" + side + "-cell map file (1,000 tiles)", times.SubjectMs(),
                  times.BaselineMs(), "ms", "bare Qt window", Limit::AtMost, target.firstPaintMs, "median"});
    RecordFigure(state, {"Peak memory of that start-up", *std::max_element(editorPeaks.begin(), editorPeaks.end()),
                         *std::max_element(barePeaks.begin(), barePeaks.end()), "MiB", "bare Qt window", Limit::AtMost,
                         target.peakMiB, "largest of the runs"});
}
BENCHMARK(BM_StartupWithMapFile)
    ->ArgName("side")
    ->Arg(256)
    ->Arg(1024)
    ->Arg(4096)
    ->UseManualTime()
    ->Iterations(11)
    ->Unit(benchmark::kMillisecond);

}  // namespace
