#include "core/session/Timeline.h"

void Timeline::open(Channel channel, qint32 at)
{
    if (isOpen(channel))
        return;
    m_open[index(channel)] = std::ptrdiff_t(m_intervals.size());
    m_intervals.push_back({at, at, channel, Status::Open});
}

void Timeline::grow(Channel channel, qint32 to)
{
    if (isOpen(channel))
        m_intervals[std::size_t(m_open[index(channel)])].end = to;
}

void Timeline::end(Channel channel, Status status)
{
    if (!isOpen(channel))
        return;
    m_intervals[std::size_t(m_open[index(channel)])].status = status;
    m_open[index(channel)] = -1;
}

Timeline::Mark Timeline::mark() const
{
    Mark mark;
    mark.intervals = m_intervals.size();
    mark.pauses = m_pauses.size();
    for (std::size_t i = 0; i < 2; ++i) {
        mark.openAt[i] = m_open[i];
        if (m_open[i] >= 0)
            mark.open[i] = m_intervals[std::size_t(m_open[i])];
    }
    return mark;
}

void Timeline::cutBackTo(const Mark &mark)
{
    m_intervals.resize(mark.intervals);
    m_pauses.resize(mark.pauses);
    for (std::size_t i = 0; i < 2; ++i) {
        m_open[i] = mark.openAt[i];
        if (mark.openAt[i] >= 0)
            m_intervals[std::size_t(mark.openAt[i])] = mark.open[i];
    }
}
