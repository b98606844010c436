#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// A clock that only moves forward, read in nanoseconds from an arbitrary origin. The tick source
// reads time through it so tests can drive time by hand.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual qint64 nowNanoseconds() const = 0;
};

// The system's monotonic clock (CLOCK_MONOTONIC on Linux): unaffected by changes of the wall
// clock, and it does not advance while the machine is suspended, so a session does not gain the
// time the computer slept.
class SystemMonotonicClock : public MonotonicClock {
public:
    SystemMonotonicClock();
    qint64 nowNanoseconds() const override;

private:
    QElapsedTimer m_elapsed;
};
