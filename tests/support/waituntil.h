// Waiting in a test for what another process or a timer brings about. The
// condition is polled (events keep flowing in between) until it holds or a
// generous deadline passes: a busy machine makes a test slower, never wrong,
// and the fast path stays fast.
#pragma once

#include <functional>

// How long a test waits for anything before it fails: long enough for a
// sanitizer build on two cores shared with a dozen other processes.
inline constexpr int kPatienceMs = 120000;

// True as soon as condition() holds; false when it still does not after
// deadlineMs. The polls start close together and spread out to a quarter
// of a second, so that a condition that runs a program (a screenshot, a
// window search) does not take the time of the process it waits for.
bool WaitUntil(const std::function<bool()>& condition, int deadlineMs = kPatienceMs);
