// The table the benchmark programs print. Each figure is a measured value
// set against a baseline timed in the same run (a plain copy of the same
// bytes, a bare program), so that the ratio still says something on a busy
// machine where the absolute times wander.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

enum class Limit {
    RatioAtMost,  // measured / baseline <= value
    Below,        // measured < value, in the figure's unit
    AtMost,       // measured <= value, in the figure's unit
};

struct Figure {
    std::string name;
    double measured = 0;  // in unit
    double baseline = 0;  // in unit
    std::string unit;     // "ms" or "MiB"
    std::string baselineName;
    Limit limit = Limit::RatioAtMost;
    double limitValue = 0;
    std::string targetNote;  // said after the limit, e.g. what it means as throughput

    double Ratio() const { return baseline > 0 ? measured / baseline : 0; }
    bool Met() const;
    std::string TargetText() const;
};

// Keeps the figure for the table and puts it on the benchmark's own report
// as counters.
void RecordFigure(benchmark::State& state, const Figure& figure);

// One Markdown table row per recorded figure, in the order recorded:
// figure | measured | baseline | ratio | target | met?
void PrintFigureRows(std::FILE* out);

// Runs the benchmarks named on the command line (all by default), then
// prints the table rows after the marker line so a script can pick them out.
int RunBenchmarksAndPrintFigures(int argc, char** argv);

inline constexpr const char* kFigureRowsMarker = "== figures ==";
