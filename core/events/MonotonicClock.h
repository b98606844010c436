#pragma once

#include <QtGlobal>

// A clock that only moves forward, read in nanoseconds. The tick source and the placing of input
// events in time read it, so tests can drive time by hand.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual qint64 nowNanoseconds() const = 0;
};

// The system's monotonic clock (CLOCK_MONOTONIC on Linux), from its own origin (the boot):
// unaffected by changes of the wall clock, and it does not advance while the machine is
// suspended, so a session does not gain the time the computer slept. X11 and Wayland stamp input
// events with this clock in milliseconds, which is what lets an event be placed at its own time.
class SystemMonotonicClock : public MonotonicClock {
public:
    qint64 nowNanoseconds() const override;
};
