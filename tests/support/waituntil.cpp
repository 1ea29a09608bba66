#include "waituntil.h"

#include <QDeadlineTimer>
#include <QTest>

#include <algorithm>

bool WaitUntil(const std::function<bool()>& condition, int deadlineMs)
{
    const QDeadlineTimer deadline(deadlineMs);
    int pauseMs = 5;
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QTest::qWait(pauseMs);
        pauseMs = std::min(2 * pauseMs, 250);
    }
    return true;
}
