// Start-up measuring: with PELLIN_EXIT_AFTER_FIRST_PAINT=1 in the
// environment, once the main window has been painted for the first time
// the program prints how long that took since the process started and its
// peak memory so far, and quits. The start-up benchmark runs the editor as
// a process and waits for this line.
#pragma once

#include <cstdio>

// The line printed: "first paint after ms: 57.0 peak KiB: 41234".
inline constexpr const char* kFirstPaintLine = "first paint after ms:";
inline constexpr const char* kPeakMemoryField = "peak KiB:";

// Call after the application object exists, before its event loop runs.
void ExitAfterFirstPaint(std::FILE* out = stdout);

// Milliseconds since the kernel started this process (10 ms steps), or a
// negative number when that cannot be read.
double MillisecondsSinceProcessStart();

// The process's largest resident set so far (VmHWM), in KiB; -1 if unknown.
long PeakResidentKiB();
