#pragma once

#include "core/events/MonotonicClock.h"

#include <QtGlobal>

#include <optional>

// Places input events on the tick clock. X11 and the common Wayland compositors stamp every input
// event with the time it happened, in milliseconds of the system's monotonic clock, wrapping at
// 2^32 ms; read against the clock now, the stamp tells how long ago the event happened, even when
// the program was held up and reads it late. Some stamps come from another clock: a remote X
// display's (its machine's uptime), or a compositor that stamps from a clock of its own. Such a
// clock may lie anywhere from ours, a few seconds too, which would move every mark by the
// difference. So stamps are trusted only once their clock has shown itself to be ours: an event
// has come at most a few milliseconds after its stamp, as one does when the program is not held
// up. Until then, and after the stamps jump (ahead of the clock, more than a minute old, or back
// before the previous stamp), events are placed at their arrival, now. A trusted stamp still
// places its event at its arrival when it is 0 (no stamp), in the future, more than a minute old
// or before the event placed last. A minute is as far back as the session engine keeps its
// history.
class EventClock {
public:
    static constexpr qint64 MaxAgeMilliseconds = 60'000;
    // The most an event may have waited for the program while it shows that its stamp is ours.
    static constexpr qint64 ProvingAgeMilliseconds = 10;

    // `clock` must read the system's monotonic clock (or stand for it in tests) and outlive this.
    explicit EventClock(const MonotonicClock &clock) : m_clock(clock), m_placeOn(clock) {}
    // Stamps are read against `clock`, and events placed on `placeOn` (the session's clock, which
    // a recording may lead): that long before `placeOn`'s reading now. Both must outlive this.
    EventClock(const MonotonicClock &clock, const MonotonicClock &placeOn)
        : m_clock(clock), m_placeOn(placeOn)
    {
    }

    // When the event stamped `timestamp` happened, in nanoseconds on the clock.
    qint64 place(quint64 timestamp);
    // An event placed at its arrival, whatever its stamp; those placed after it come no earlier.
    qint64 placeNow();

private:
    // How long ago, in milliseconds, an event stamped `stamp` happened, if the stamp is a time
    // within the last minute on the clock.
    static std::optional<qint64> ageOf(quint32 stamp, qint64 now);
    void judgeStamps(quint32 stamp, std::optional<qint64> age);

    const MonotonicClock &m_clock;
    const MonotonicClock &m_placeOn;
    std::optional<qint64> m_last;
    std::optional<quint32> m_lastStamp;
    bool m_trusted = false;
};
