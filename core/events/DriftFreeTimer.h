#pragma once

#include "core/events/MonotonicClock.h"

#include <QObject>
#include <QTimer>

#include <memory>

// A periodic tick source that does not lose ticks. A plain QTimer fires once after the thread was
// busy and drops the periods it missed; this one counts the ticks due since the last start from a
// monotonic clock (due = elapsed / interval) and, at each wake-up, delivers every due tick not yet
// delivered. It wakes through a single-shot precise timer re-armed for the next due tick, so the
// phase is set by the start and never drifts with the delays of the event loop.
//
// The first tick comes one interval after a start. Disabling stops delivery at once, even in the
// middle of a catch-up burst (from a handler of timeout()); enabling again starts a fresh phase.
class DriftFreeTimer : public QObject {
    Q_OBJECT
public:
    // The program's tick, one fifth of a second: Timer1's period, on which the session counts.
    static constexpr int DefaultIntervalMilliseconds = 200;

    // Reads the system's monotonic clock.
    explicit DriftFreeTimer(QObject *parent = nullptr);
    // Reads `clock`, which must outlive the timer.
    explicit DriftFreeTimer(const MonotonicClock &clock, QObject *parent = nullptr);
    ~DriftFreeTimer() override;

    void setEnabled(bool enabled);
    // Enables the timer with its first tick due one interval after `startNanoseconds` on its
    // clock, which may lie in the past: the ticks already due then come at the next wake-up.
    // Restarts a running timer.
    void startAt(qint64 startNanoseconds);
    bool isEnabled() const { return m_enabled; }
    int interval() const { return m_intervalMilliseconds; }
    // Changes the period; a running timer restarts its phase. Values below 1 ms count as 1 ms.
    void setInterval(int milliseconds);

    // Ticks delivered since the last start.
    qint64 delivered() const { return m_delivered; }
    // When the tick being delivered (the last one delivered) fell due, on the timer's clock.
    qint64 lastDueNanoseconds() const;
    const MonotonicClock &clock() const { return m_clock; }

    // Delivers every tick that has come due and re-arms the wake-up. The wake-up timer calls it;
    // tests call it directly after moving a fake clock.
    void poll();

signals:
    void timeout();

private:
    qint64 intervalNanoseconds() const;
    qint64 dueTicks() const;
    void start(qint64 startNanoseconds);
    void armForNextTick();

    std::unique_ptr<MonotonicClock> m_ownClock;
    const MonotonicClock &m_clock;
    QTimer m_wakeUp;
    int m_intervalMilliseconds = DefaultIntervalMilliseconds;
    bool m_enabled = false;
    qint64 m_startNanoseconds = 0;
    qint64 m_delivered = 0;
    // Changes at every start and stop, so a burst can tell that a handler stopped or restarted it.
    quint64 m_run = 0;
};
