#pragma once

#include "core/session/Timeline.h"

#include <QWidget>

#include <vector>

// The session's timeline drawn: a lane for speech and one for cluttering over the sample time,
// each interval a bar (an open one drawn as it grows, a dropped one hatched), the pauses marked
// as lines across both, and a time axis in seconds, or m:ss past a minute. It shows `span`
// ticks from `first`, or the whole sample; hovering over a bar tells its start, end and
// duration, and a press on a bar selects it, a double-click plays it (intervalActivated). Under
// the lanes, the recording's waveform, with a playhead where the recording stands.
class TimelineLanes : public QWidget {
    Q_OBJECT
public:
    static constexpr int laneHeight = 28; // device-independent pixels
    static constexpr int axisHeight = 22;
    static constexpr int margin = 8;
    static constexpr int labelWidth = 80;
    static constexpr int soundHeight = 44;

    explicit TimelineLanes(QWidget *parent = nullptr);

    void setTimeline(const Timeline &timeline, qint32 sampleTicks);
    // 0 ticks: the whole sample.
    void setView(qint32 first, qint32 span);
    void select(int interval);
    // The loudest sample of each of `binsPerSecond` a second, or none; `peaks` must outlive it.
    void setWaveform(const std::vector<float> *peaks, int binsPerSecond);
    // Where the recording stands, in milliseconds; -1: no recording.
    void setPlayhead(qint64 milliseconds);
    int selected() const { return m_selected; }

    // Where tick `at` is drawn, and the interval drawn at `point`, or -1.
    double xOf(qint32 at) const;
    int intervalAt(QPoint point) const;
    // The rectangle of lane `channel`.
    QRect lane(Timeline::Channel channel) const;
    // The rectangle of the recording's waveform.
    QRect soundLane() const;

    QSize sizeHint() const override;

signals:
    void intervalPressed(int interval);
    void intervalActivated(int interval);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintAxis(class QPainter &painter, qint32 first, qint32 last);
    void paintSound(class QPainter &painter, qint32 first, qint32 last);
    double xOfMilliseconds(double milliseconds) const;

    const Timeline *m_timeline = nullptr;
    qint32 m_sampleTicks = 0;
    qint32 m_first = 0;
    qint32 m_span = 0;
    int m_selected = -1;
    const std::vector<float> *m_peaks = nullptr;
    int m_binsPerSecond = 1;
    qint64 m_playhead = -1;
};
