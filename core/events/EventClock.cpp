#include "core/events/EventClock.h"

namespace {
constexpr qint64 NanosecondsPerMillisecond = 1'000'000;
}

qint64 EventClock::place(quint64 timestamp)
{
    const qint64 now = m_placeOn.nowNanoseconds();
    qint64 placed = now;
    if (timestamp != 0) {
        // The windowing system's stamps are 32 bits of milliseconds.
        const auto stamp = quint32(timestamp);
        const std::optional<qint64> age = ageOf(stamp, m_clock.nowNanoseconds());
        judgeStamps(stamp, age);
        const qint64 at = now - age.value_or(0) * NanosecondsPerMillisecond;
        if (m_trusted && (!m_last || at >= *m_last))
            placed = at;
    }
    m_last = placed;
    return placed;
}

qint64 EventClock::placeNow()
{
    m_last = m_placeOn.nowNanoseconds();
    return *m_last;
}

std::optional<qint64> EventClock::ageOf(quint32 stamp, qint64 now)
{
    // Both in milliseconds modulo 2^32: the difference is the age, across a wrap too. A stamp
    // ahead of the clock gives an age near 2^32.
    const auto nowMilliseconds = quint32(quint64(now / NanosecondsPerMillisecond));
    const quint32 age = nowMilliseconds - stamp;
    if (age > MaxAgeMilliseconds)
        return std::nullopt;
    return qint64(age);
}

// Stamps from our clock never run ahead of it nor backwards, and now and then an event comes at
// once; another clock's show a lag that never falls to a few milliseconds.
void EventClock::judgeStamps(quint32 stamp, std::optional<qint64> age)
{
    const bool backwards = m_lastStamp && qint32(stamp - *m_lastStamp) < 0;
    m_lastStamp = stamp;
    if (!age || backwards)
        m_trusted = false;
    else if (*age <= ProvingAgeMilliseconds)
        m_trusted = true;
}
