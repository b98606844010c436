#include "core/events/MonotonicClock.h"

#include <ctime>

qint64 SystemMonotonicClock::nowNanoseconds() const
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}
