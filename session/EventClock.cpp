#include "session/EventClock.h"

namespace {
constexpr qint64 NanosecondsPerMillisecond = 1'000'000;
}

qint64 EventClock::place(quint64 timestamp)
{
    const qint64 placed = fromStamp(timestamp, m_clock.nowNanoseconds());
    m_last = placed;
    return placed;
}

qint64 EventClock::fromStamp(quint64 timestamp, qint64 now) const
{
    if (timestamp == 0)
        return now;
    // Both in milliseconds modulo 2^32: the difference is the age, across a wrap too. A stamp
    // ahead of the clock gives an age near 2^32.
    const auto nowMilliseconds = quint32(quint64(now / NanosecondsPerMillisecond));
    const quint32 age = nowMilliseconds - quint32(timestamp);
    if (age > MaxAgeMilliseconds)
        return now;
    const qint64 at = now - qint64(age) * NanosecondsPerMillisecond;
    if (m_last && at < *m_last)
        return now;
    return at;
}
