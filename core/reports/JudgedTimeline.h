#pragma once

#include "core/session/SessionRecording.h"
#include "core/session/Timeline.h"

#include <QString>

#include <vector>

// One judge's timeline of a sample as a comparison reads it: for speech and for cluttering, the
// ticks of 0.2 s it marks and where its counted intervals start, with the sample's length and the
// recording it names. Every interval, counted, open or dropped, marks the ticks it covers; one of
// 0 ticks marks none, but a counted one is counted.
struct JudgedTimeline {
    struct Channel {
        std::vector<bool> marked;          // a tick each, over the length
        std::vector<double> countedStarts; // in ticks
    };

    QString name; // the file's name, or "the session"
    qint32 lengthTicks = 0;
    SessionRecording recording;
    Channel channels[2]; // speech, cluttering

    explicit JudgedTimeline(const QString &timelineName = {}, qint32 ticks = 0);
    static JudgedTimeline fromTimeline(const Timeline &timeline, qint32 sampleTicks,
                                       const SessionRecording &recording, const QString &name);

    Channel &channel(Timeline::Channel which) { return channels[index(which)]; }
    const Channel &channel(Timeline::Channel which) const { return channels[index(which)]; }
    // Marks the ticks [from, to) of `which`, within the length.
    void mark(Timeline::Channel which, qint32 from, qint32 to);

private:
    static int index(Timeline::Channel which) { return which == Timeline::Channel::Speech ? 0 : 1; }
};
