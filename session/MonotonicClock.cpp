#include "session/MonotonicClock.h"

SystemMonotonicClock::SystemMonotonicClock() { m_elapsed.start(); }

qint64 SystemMonotonicClock::nowNanoseconds() const { return m_elapsed.nsecsElapsed(); }
