#include "core/events/RecordingClock.h"

#include <algorithm>
#include <utility>

RecordingClock::RecordingClock(const MonotonicClock &system) : m_system(system) {}

void RecordingClock::follow(Position position, qint64 fromNanoseconds)
{
    m_anchorClock = nowNanoseconds();
    m_anchorPosition = fromNanoseconds;
    m_moving = false;
    m_position = std::move(position);
    m_previous = m_position();
}

void RecordingClock::release()
{
    const qint64 now = nowNanoseconds();
    m_position = nullptr;
    m_offset = now - m_system.nowNanoseconds();
}

qint64 RecordingClock::at(qint64 positionNanoseconds) const
{
    if (!m_position)
        return nowNanoseconds();
    return m_anchorClock + std::max<qint64>(0, positionNanoseconds - m_anchorPosition);
}

qint64 RecordingClock::nowNanoseconds() const
{
    const qint64 now = m_position ? followed() : m_system.nowNanoseconds() + m_offset;
    m_last = std::max(m_last, now);
    return m_last;
}

qint64 RecordingClock::followed() const
{
    const qint64 position = m_position();
    if (!m_moving) {
        m_moving = position > m_anchorPosition && m_previous && position > *m_previous;
        m_previous = position;
    }
    return m_moving ? at(position) : m_anchorClock;
}
