#include "core/events/DriftFreeTimer.h"

#include <algorithm>

namespace {
constexpr qint64 NanosecondsPerMillisecond = 1'000'000;
}

DriftFreeTimer::DriftFreeTimer(QObject *parent)
    : QObject(parent), m_ownClock(std::make_unique<SystemMonotonicClock>()), m_clock(*m_ownClock)
{
    m_wakeUp.setSingleShot(true);
    m_wakeUp.setTimerType(Qt::PreciseTimer);
    connect(&m_wakeUp, &QTimer::timeout, this, &DriftFreeTimer::poll);
}

DriftFreeTimer::DriftFreeTimer(const MonotonicClock &clock, QObject *parent)
    : QObject(parent), m_clock(clock)
{
    m_wakeUp.setSingleShot(true);
    m_wakeUp.setTimerType(Qt::PreciseTimer);
    connect(&m_wakeUp, &QTimer::timeout, this, &DriftFreeTimer::poll);
}

DriftFreeTimer::~DriftFreeTimer() = default;

void DriftFreeTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    if (enabled) {
        start(m_clock.nowNanoseconds());
    } else {
        m_enabled = false;
        ++m_run;
        m_wakeUp.stop();
    }
}

void DriftFreeTimer::setInterval(int milliseconds)
{
    m_intervalMilliseconds = std::max(1, milliseconds);
    if (m_enabled)
        start(m_clock.nowNanoseconds());
}

void DriftFreeTimer::startAt(qint64 startNanoseconds) { start(startNanoseconds); }

qint64 DriftFreeTimer::lastDueNanoseconds() const
{
    return m_startNanoseconds + m_delivered * intervalNanoseconds();
}

qint64 DriftFreeTimer::intervalNanoseconds() const
{
    return qint64(m_intervalMilliseconds) * NanosecondsPerMillisecond;
}

qint64 DriftFreeTimer::dueTicks() const
{
    const qint64 elapsed = m_clock.nowNanoseconds() - m_startNanoseconds;
    return elapsed <= 0 ? 0 : elapsed / intervalNanoseconds();
}

void DriftFreeTimer::start(qint64 startNanoseconds)
{
    m_enabled = true;
    ++m_run;
    m_startNanoseconds = startNanoseconds;
    m_delivered = 0;
    armForNextTick();
}

void DriftFreeTimer::armForNextTick()
{
    const qint64 nextDue = m_startNanoseconds + (m_delivered + 1) * intervalNanoseconds();
    const qint64 wait = std::max<qint64>(0, nextDue - m_clock.nowNanoseconds());
    // Round up: waking a little late costs nothing, waking early costs a wasted wake-up.
    const qint64 waitMilliseconds =
        (wait + NanosecondsPerMillisecond - 1) / NanosecondsPerMillisecond;
    m_wakeUp.start(static_cast<int>(std::min<qint64>(waitMilliseconds, m_intervalMilliseconds)));
}

void DriftFreeTimer::poll()
{
    if (!m_enabled)
        return;
    const quint64 run = m_run;
    const qint64 due = dueTicks();
    while (m_delivered < due) {
        ++m_delivered;
        emit timeout();
        // A handler that stopped the timer (or stopped and restarted it) ends this burst: the
        // remaining ticks belong to a run that is over, and a restart has armed its own wake-up.
        if (m_run != run)
            return;
    }
    armForNextTick();
}
