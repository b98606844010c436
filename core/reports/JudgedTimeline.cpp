#include "core/reports/JudgedTimeline.h"

#include <algorithm>

JudgedTimeline::JudgedTimeline(const QString &timelineName, qint32 ticks)
    : name(timelineName), lengthTicks(std::max(0, ticks))
{
    for (Channel &each : channels)
        each.marked.assign(std::size_t(lengthTicks), false);
}

JudgedTimeline JudgedTimeline::fromTimeline(const Timeline &timeline, qint32 sampleTicks,
                                            const SessionRecording &recording, const QString &name)
{
    JudgedTimeline judged(name, sampleTicks);
    judged.recording = recording;
    for (const Timeline::Interval &interval : timeline.intervals()) {
        judged.mark(interval.channel, interval.start, interval.end);
        if (interval.status == Timeline::Status::Counted)
            judged.channel(interval.channel).countedStarts.push_back(interval.start);
    }
    return judged;
}

void JudgedTimeline::mark(Timeline::Channel which, qint32 from, qint32 to)
{
    std::vector<bool> &marked = channel(which).marked;
    for (qint32 tick = std::max(0, from); tick < std::min(to, lengthTicks); ++tick)
        marked[std::size_t(tick)] = true;
}
