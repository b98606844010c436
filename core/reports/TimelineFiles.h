#pragma once

#include "core/session/SessionRecording.h"
#include "core/session/Timeline.h"

#include <QByteArray>
#include <QString>

// A session's timeline as the files other programs read, on the sample clock in seconds: a whole
// number of ticks, written exactly ("12.4", "12"). Each can be read back to the same intervals.
//  - csv: RFC 4180, UTF-8, CR LF, "." decimals; columns channel, number, start_s, end_s,
//    duration_s, status, recording, recording_s: one row "sample" from 0 to the sample's length
//    (which alone names the recording and its length, where there is one),
//    one row per interval ("speech" or "cluttering", numbered in each channel by its start;
//    "counted", "open" or "dropped") and one per pause ("pause", start = end), by start.
//  - textGrid: Praat's long text format: interval tiers "speech" and "cluttering" from 0 to the
//    sample's length, each interval labelled with its channel and " open" or " dropped" where so;
//    an interval of 0 ticks, which a TextGrid cannot hold, in the point tier "speech-points" or
//    "cluttering-points", one point per tick labelled with the numbers of its intervals (" open"
//    or " dropped" added where so), joined by ","; the point tiers "pauses" and "recording" (one
//    point at 0 labelled with the recording's name and length, "sample.wav 83.205 s", if any).
//  - labels: Audacity's label track, "start<TAB>end<TAB>label" a line, the intervals with the
//    TextGrid's labels and the pauses as points labelled "pause".
class TimelineFiles {
public:
    enum class Format { Csv, TextGrid, Labels };

    // `sampleTicks`: the sample's length.
    static QByteArray write(Format format, const Timeline &timeline, qint32 sampleTicks,
                            const SessionRecording &recording = {});

    // Ticks as seconds, exactly: 62 -> "12.4", 60 -> "12".
    static QString seconds(qint32 ticks);
    // "speech", "cluttering open", "speech dropped".
    static QString label(const Timeline::Interval &interval);

private:
    static QByteArray csv(const Timeline &timeline, qint32 sampleTicks,
                          const SessionRecording &recording);
    static QByteArray textGrid(const Timeline &timeline, qint32 sampleTicks,
                               const SessionRecording &recording);
    static QByteArray labels(const Timeline &timeline);
};
