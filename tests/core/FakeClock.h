#pragma once

#include "core/events/MonotonicClock.h"

// A monotonic clock that moves only when the test says so.
class FakeClock : public MonotonicClock {
public:
    qint64 nowNanoseconds() const override { return m_now; }
    void advanceMilliseconds(qint64 ms) { m_now += ms * 1'000'000; }
    void advanceNanoseconds(qint64 ns) { m_now += ns; }
    void setNanoseconds(qint64 ns) { m_now = ns; }

private:
    qint64 m_now = 1'000'000'000; // an arbitrary origin, not zero
};
