// The operation under test and its baseline, timed in alternation within
// one benchmark loop so that both meet the same load on the machine. Every
// sample is kept; the figures use medians, which a stray slow round (another
// process taking the core) does not move.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

template <class Operation>
double SecondsOf(Operation&& operation)
{
    const auto start = std::chrono::steady_clock::now();
    operation();
    benchmark::ClobberMemory();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> samples)
{
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

struct PairedTimes {
    std::vector<double> baseline;  // seconds
    std::vector<double> subject;

    // Times one round of each; the benchmark's own clock gets the subject.
    template <class Baseline, class Subject>
    void Round(benchmark::State& state, Baseline&& baselineOperation, Subject&& subjectOperation)
    {
        baseline.push_back(SecondsOf(baselineOperation));
        subject.push_back(SecondsOf(subjectOperation));
        state.SetIterationTime(subject.back());
    }

    double BaselineMs() const { return Median(baseline) * 1e3; }
    double SubjectMs() const { return Median(subject) * 1e3; }
};
