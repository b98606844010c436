#pragma once

#include "core/events/MonotonicClock.h"

#include <functional>
#include <optional>

// The session's clock, which is the recording's time while a recording plays with the session.
// With no recording it reads the system's monotonic clock (or the clock it is given). Following a
// recording, from the position it plays from, it stands still until the position starts to move,
// so the sound's start-up latency is not counted, then advances exactly as the position does: a
// tick falls due each 200 ms of the recording, a sound output or a program that stalls stalls the
// clock with it, and the stopwatch never drifts from the recording. Released (the session paused,
// the recording standing), it runs on at the system's rate from where it stood. It only ever moves
// forward.
class RecordingClock : public MonotonicClock {
public:
    // Reads the playing recording's position, in nanoseconds.
    using Position = std::function<qint64()>;

    // `system` must outlive the clock.
    explicit RecordingClock(const MonotonicClock &system);

    // From now, the clock follows the recording `position` reads, which plays from
    // `fromNanoseconds`. The position moves once a reading is past the start and past the reading
    // before it: one left from before a seek stands still, or lies behind the next.
    void follow(Position position, qint64 fromNanoseconds);
    // Stops following: the clock goes on from its reading now, at the system's rate.
    void release();
    bool following() const { return bool(m_position); }

    // Where the recording's `positionNanoseconds` lies on this clock while it is followed (the
    // end of the recording, say), or the clock now.
    qint64 at(qint64 positionNanoseconds) const;
    qint64 nowNanoseconds() const override;
    const MonotonicClock &system() const { return m_system; }

private:
    qint64 followed() const;

    const MonotonicClock &m_system;
    Position m_position;
    qint64 m_offset = 0;         // released: the system's clock plus this
    qint64 m_anchorClock = 0;    // following: the clock's reading when the position starts to move
    qint64 m_anchorPosition = 0; // ... and the position then
    mutable bool m_moving = false;
    mutable std::optional<qint64> m_previous; // the last reading while not moving
    mutable qint64 m_last = 0;
};
