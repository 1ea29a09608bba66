// Runs a program as a child process until it reports its first paint:
// how long that took as the parent saw it (from just before the spawn to
// the report line), and the peak memory the child reported.
#pragma once

#include <string>
#include <vector>

struct ChildRun {
    bool ok = false;
    std::string error;        // why not ok, with the child's last words
    double firstPaintMs = 0;  // spawn to the report line, parent's clock
    double reportedMs = 0;    // what the child printed (its own clock, coarse)
    double peakMiB = 0;       // the child's largest resident set up to its report
};

// environment: NAME=value entries added to (or replacing in) this process's.
ChildRun RunUntilFirstPaint(const std::string& program, const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment, double timeoutSeconds);
