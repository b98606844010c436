#pragma once

#include "session/MonotonicClock.h"

#include <QtGlobal>

#include <optional>

// Places input events on the tick clock. X11 and Wayland stamp every input event with the time
// it happened, in milliseconds of the system's monotonic clock, wrapping at 2^32 ms; read against
// the clock now, the stamp tells how long ago the event happened, even when the program was held
// up and reads it late. A stamp that cannot be such a time places the event at its arrival, now:
// 0 (no stamp), one in the future, one more than a minute old (or from another clock, as events
// made up by the toolkit have), and one before the event placed last. A minute is as far back as
// the session engine keeps its history.
class EventClock {
public:
    static constexpr qint64 MaxAgeMilliseconds = 60'000;

    // `clock` must read the system's monotonic clock (or stand for it in tests) and outlive this.
    explicit EventClock(const MonotonicClock &clock) : m_clock(clock) {}

    // When the event stamped `timestamp` happened, in nanoseconds on the clock.
    qint64 place(quint64 timestamp);

private:
    qint64 fromStamp(quint64 timestamp, qint64 now) const;

    const MonotonicClock &m_clock;
    std::optional<qint64> m_last;
};
