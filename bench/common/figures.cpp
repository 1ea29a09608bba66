#include "figures.h"

#include <cmath>
#include <cstdarg>
#include <vector>

namespace {
std::vector<Figure>& Figures()
{
    static std::vector<Figure> figures;
    return figures;
}

std::string Format(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string Amount(double value, const std::string& unit)
{
    // Sub-millisecond figures (a stamp, a pane copy) keep their digits.
    return Format(value >= 100 ? "%.0f %s" : value >= 1 ? "%.1f %s" : "%.3f %s", value, unit.c_str());
}

std::string LimitNumber(double value)
{
    return std::floor(value) == value ? Format("%.0f", value) : Format("%g", value);
}
}  // namespace

bool Figure::Met() const
{
    if (measured <= 0) return false;
    switch (limit) {
    case Limit::RatioAtMost: return baseline > 0 && Ratio() <= limitValue;
    case Limit::Below: return measured < limitValue;
    case Limit::AtMost: return measured <= limitValue;
    }
    return false;
}

std::string Figure::TargetText() const
{
    std::string text;
    switch (limit) {
    case Limit::RatioAtMost: text = "<= " + LimitNumber(limitValue) + "x"; break;
    case Limit::Below: text = "< " + LimitNumber(limitValue) + " " + unit; break;
    case Limit::AtMost: text = "<= " + LimitNumber(limitValue) + " " + unit; break;
    }
    if (!targetNote.empty()) text += " (" + targetNote + ")";
    return text;
}

void RecordFigure(benchmark::State& state, const Figure& figure)
{
    state.counters["measured_" + figure.unit] = figure.measured;
    state.counters["baseline_" + figure.unit] = figure.baseline;
    state.counters["ratio_" + figure.unit] = figure.Ratio();
    state.counters["met_" + figure.unit] = figure.Met() ? 1 : 0;
    Figures().push_back(figure);
}

void PrintFigureRows(std::FILE* out)
{
    for (const Figure& f : Figures()) {
        const std::string baseline = Amount(f.baseline, f.unit) + " " + f.baselineName;
        std::fprintf(out, "| %s | %s | %s | %.2fx | %s | %s |\n", f.name.c_str(), Amount(f.measured, f.unit).c_str(),
                     baseline.c_str(), f.Ratio(), f.TargetText().c_str(), f.Met() ? "yes" : "**no**");
    }
}

int RunBenchmarksAndPrintFigures(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fflush(stdout);
    std::printf("%s\n", kFigureRowsMarker);
    PrintFigureRows(stdout);
    return 0;
}
