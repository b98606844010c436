#pragma once

#include <QtGlobal>

#include <cstddef>
#include <vector>

// Where each speaking and cluttering interval of a session lay, on the sample clock: the
// stopwatch's time in ticks, 0 at the first start, standing still while paused. It is the
// counting's own record, kept by the engine as it counts: the counted speech intervals number
// talkCount and the ticks of all speech intervals, counted, open or dropped, add up to
// talkTicks; the same for cluttering. The pauses are kept as points on the same clock.
//
// Intervals are only ever added at the end; only the open ones (at most one a channel) grow or
// end. So the engine marks where it stood at each checkpoint with a few numbers, and going back
// to one cuts the record back to its mark.
class Timeline {
public:
    enum class Channel : quint8 { Speech, Cluttering };
    enum class Status : quint8 {
        Counted, // ended by the release that counts it
        Open,    // its button still held
        Dropped, // ended uncounted: let go while paused, or at a limit pause
    };
    struct Interval {
        qint32 start = 0; // in ticks
        qint32 end = 0;
        Channel channel = Channel::Speech;
        Status status = Status::Open;

        qint32 ticks() const { return end - start; }
        friend bool operator==(const Interval &, const Interval &) = default;
    };
    // Where the record stood: its sizes and its open intervals as they were.
    struct Mark {
        std::size_t intervals = 0;
        std::size_t pauses = 0;
        Interval open[2];
        std::ptrdiff_t openAt[2] = {-1, -1};
    };

    const std::vector<Interval> &intervals() const { return m_intervals; }
    const std::vector<qint32> &pauses() const { return m_pauses; }
    bool isOpen(Channel channel) const { return m_open[index(channel)] >= 0; }
    // Where the open interval of `channel` is in intervals(), or -1.
    std::ptrdiff_t openAt(Channel channel) const { return m_open[index(channel)]; }

    // An interval of `channel` opens at `at`, unless one is open.
    void open(Channel channel, qint32 at);
    // The open interval of `channel` grows to `to`.
    void grow(Channel channel, qint32 to);
    // The open interval of `channel`, if any, ends with `status`.
    void end(Channel channel, Status status);
    void addPause(qint32 at) { m_pauses.push_back(at); }

    Mark mark() const;
    void cutBackTo(const Mark &mark);

private:
    static std::size_t index(Channel channel) { return channel == Channel::Speech ? 0 : 1; }

    std::vector<Interval> m_intervals; // in the order they opened
    std::vector<qint32> m_pauses;
    std::ptrdiff_t m_open[2] = {-1, -1};
};
