#pragma once

#include "core/reports/JudgedTimeline.h"

#include <QWidget>

#include <optional>

// Two judges' timelines drawn one above the other on one time axis: for speech, then for
// cluttering, a lane of judge A and one of judge B, each marked tick a bar, and the ticks where
// the two judges differ highlighted in both lanes. Without judge B, A's lanes alone.
class ComparisonLanes : public QWidget {
    Q_OBJECT
public:
    static constexpr int laneHeight = 22; // device-independent pixels
    static constexpr int gap = 10;        // between the channels
    static constexpr int margin = 8;
    static constexpr int labelWidth = 120;
    static constexpr int axisHeight = 22;

    explicit ComparisonLanes(QWidget *parent = nullptr);

    void setJudges(const JudgedTimeline &a, const std::optional<JudgedTimeline> &b);
    // The rectangle of judge `judge`'s (0: A, 1: B) lane of `channel`.
    QRect lane(Timeline::Channel channel, int judge) const;
    // Where tick `at` is drawn.
    double xOf(qint32 at) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qint32 shownTicks() const;
    void paintLane(class QPainter &painter, Timeline::Channel channel, int judge);
    void paintAxis(class QPainter &painter);

    JudgedTimeline m_a;
    std::optional<JudgedTimeline> m_b;
};
