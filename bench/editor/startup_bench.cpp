// Start-up of the editor as a process, from the spawn to the first painted
// main window, on the offscreen platform with a 1920 x 1080 screen: with
// the empty map, and with a 256 x 256-cell map file on the command line
// (time and peak memory). The baseline is a bare Qt program that shows one
// empty screen-sized window, started in alternation with the editor.
#include "childrun.h"
#include "figures.h"
#include "pairedtiming.h"
#include "scratchdir.h"
#include "synthetic.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

constexpr const char* kExitVariable = "PELLIN_EXIT_AFTER_FIRST_PAINT";
constexpr double kTimeoutSeconds = 30;

// Everything the runs share: the screen, a private settings folder (the
// editor writes its recent-file list there, not into the user's), the map
// file, and which program stands for the editor.
struct StartupSetup {
    ScratchDir scratch;
    std::vector<std::string> environment;
    std::string editor = PELLIN_EDITOR_PROGRAM;
    std::string mapFile;

    StartupSetup()
    {
        const std::string screen = scratch.File("screen.json");
        std::ofstream(screen) << R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                                 R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        std::filesystem::create_directory(scratch.Path() / "config");
        environment = {"QT_QPA_PLATFORM=offscreen:configfile=" + screen, std::string(kExitVariable) + "=1",
                       "XDG_CONFIG_HOME=" + scratch.File("config")};
        mapFile = scratch.File("map256.Map");
        if (!WriteRandomMapFile(mapFile, 256, 256, 32, 1000, 51)) mapFile.clear();
    }

    ChildRun Run(const std::string& program, const std::vector<std::string>& arguments = {}) const
    {
        return RunUntilFirstPaint(program, arguments, environment, kTimeoutSeconds);
    }
    std::string Name(const std::string& what) const { return what; }
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
    RecordFigure(state, {setup.Name("Start-up to first paint, empty map"), times.SubjectMs(), times.BaselineMs(),
                         "ms", "bare Qt window", Limit::Below, 150, "median"});
}
BENCHMARK(BM_StartupEmptyMap)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

void BM_StartupWithMapFile(benchmark::State& state)
{
    const StartupSetup setup;
    if (setup.mapFile.empty()) {
        state.SkipWithError("cannot write the map file");
        return;
    }
    PairedTimes times;
    std::vector<double> editorPeaks, barePeaks;
    if (!TimeStarts(state, setup, {setup.mapFile}, times, editorPeaks, barePeaks)) return;
    RecordFigure(state, {setup.Name("Start-up to first paint, 256x256-cell map file (1,000 tiles)"),
                         times.SubjectMs(), times.BaselineMs(), "ms", "bare Qt window", Limit::Below, 600, "median"});
    RecordFigure(state, {setup.Name("Peak memory of that start-up"),
                         *std::max_element(editorPeaks.begin(), editorPeaks.end()),
                         *std::max_element(barePeaks.begin(), barePeaks.end()), "MiB", "bare Qt window",
                         Limit::Below, 400, "largest of the runs"});
}
BENCHMARK(BM_StartupWithMapFile)->UseManualTime()->Iterations(11)->Unit(benchmark::kMillisecond);

}  // namespace
