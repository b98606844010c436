#include "windows/timeline/TimelineLanes.h"

#include "core/reports/TimelineFiles.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

using Channel = Timeline::Channel;
using Status = Timeline::Status;

const QColor speechColour(0, 128, 128); // the speech counter's teal
const QColor clutterColour(192, 0, 0);  // the cluttering counter's red
const QColor pauseColour(0, 0, 128);
const QColor laneColour(255, 255, 255);
const QColor soundColour(64, 64, 64);
constexpr int ticksPerSecond = 5;

// An axis step that puts about a label every 100 pixels: 1, 2, 5, 10, 30 s, 1, 2, 5, 10 min...
qint32 axisStep(double ticksPerPixel)
{
    static const qint32 steps[] = {1, 5, 10, 25, 50, 150, 300, 600, 1500, 3000, 9000, 18000, 36000};
    for (const qint32 step : steps)
        if (step / ticksPerPixel >= 100)
            return step;
    return steps[std::size(steps) - 1];
}

QString axisText(qint32 ticks)
{
    const qint32 seconds = ticks / 5;
    if (seconds < 60)
        return TimelineFiles::seconds(ticks);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

TimelineLanes::TimelineLanes(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TimelineLanes"));
    setMouseTracking(true);
    setMinimumHeight(sizeHint().height());
    setAutoFillBackground(true);
}

QSize TimelineLanes::sizeHint() const
{
    return {520, 2 * margin + 2 * laneHeight + margin / 2 + soundHeight + margin + axisHeight};
}

void TimelineLanes::setTimeline(const Timeline &timeline, qint32 sampleTicks)
{
    m_timeline = &timeline;
    m_sampleTicks = sampleTicks;
    if (m_selected >= int(timeline.intervals().size()))
        m_selected = -1;
    update();
}

void TimelineLanes::setView(qint32 first, qint32 span)
{
    m_first = first;
    m_span = span;
    update();
}

void TimelineLanes::select(int interval)
{
    m_selected = interval;
    update();
}

void TimelineLanes::setWaveform(const std::vector<float> *peaks, int binsPerSecond)
{
    m_peaks = peaks;
    m_binsPerSecond = std::max(1, binsPerSecond);
    update();
}

void TimelineLanes::setPlayhead(qint64 milliseconds)
{
    if (milliseconds == m_playhead)
        return;
    m_playhead = milliseconds;
    update();
}

QRect TimelineLanes::soundLane() const
{
    const QRect above = lane(Channel::Cluttering);
    return {above.left(), above.bottom() + 1 + margin / 2, above.width(), soundHeight};
}

QRect TimelineLanes::lane(Channel channel) const
{
    const int top = margin + (channel == Channel::Speech ? 0 : laneHeight + margin / 2);
    return {labelWidth, top, std::max(1, width() - labelWidth - margin), laneHeight};
}

double TimelineLanes::xOf(qint32 at) const
{
    const qint32 span = m_span > 0 ? m_span : std::max(m_sampleTicks, 1);
    const qint32 first = m_span > 0 ? m_first : 0;
    const QRect area = lane(Channel::Speech);
    return area.left() + double(at - first) * area.width() / span;
}

double TimelineLanes::xOfMilliseconds(double milliseconds) const
{
    const double ticks = milliseconds * ticksPerSecond / 1000;
    return xOf(0) + ticks * (xOf(1) - xOf(0));
}

int TimelineLanes::intervalAt(QPoint point) const
{
    if (m_timeline == nullptr)
        return -1;
    const auto &intervals = m_timeline->intervals();
    for (int i = int(intervals.size()) - 1; i >= 0; --i) {
        const Timeline::Interval &interval = intervals[std::size_t(i)];
        const QRect area = lane(interval.channel);
        // A bar of 0 ticks is a line, hit within a few pixels.
        const double left = xOf(interval.start) - 2;
        const double right = std::max(xOf(interval.end), left + 4);
        if (point.y() >= area.top() && point.y() <= area.bottom() && point.x() >= left &&
            point.x() <= right)
            return i;
    }
    return -1;
}

bool TimelineLanes::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int at = intervalAt(help->pos());
        if (at < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const Timeline::Interval &interval = m_timeline->intervals()[std::size_t(at)];
        QToolTip::showText(help->globalPos(),
                           tr("%1: %2 s to %3 s (%4 s)")
                               .arg(TimelineFiles::label(interval),
                                    TimelineFiles::seconds(interval.start),
                                    TimelineFiles::seconds(interval.end),
                                    TimelineFiles::seconds(interval.ticks())),
                           this);
        return true;
    }
    return QWidget::event(event);
}

void TimelineLanes::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const int at = intervalAt(event->position().toPoint());
    if (at >= 0) {
        select(at);
        emit intervalPressed(at);
    }
}

void TimelineLanes::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int at = event->button() == Qt::LeftButton ? intervalAt(event->position().toPoint()) : -1;
    if (at < 0)
        return QWidget::mouseDoubleClickEvent(event);
    emit intervalActivated(at);
}

void TimelineLanes::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const qint32 first = m_span > 0 ? m_first : 0;
    const qint32 last = first + (m_span > 0 ? m_span : std::max(m_sampleTicks, 1));
    for (const Channel channel : {Channel::Speech, Channel::Cluttering}) {
        const QRect area = lane(channel);
        painter.fillRect(area, laneColour);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        painter.drawText(QRect(0, area.top(), labelWidth - 6, area.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         channel == Channel::Speech ? tr("Speech") : tr("Cluttering"));
    }
    paintSound(painter, first, last);
    if (m_timeline == nullptr)
        return;
    painter.setClipRect(QRect(labelWidth, 0, width() - labelWidth - margin + 1, height()));
    const auto &intervals = m_timeline->intervals();
    // Only the intervals in view are drawn: they are in the order of their starts.
    const auto from = std::lower_bound(
        intervals.begin(), intervals.end(), first - 36000,
        [](const Timeline::Interval &interval, qint32 at) { return interval.start < at; });
    // A bar that falls within a pixel already drawn in its lane is not drawn again: a long
    // sample's intervals are many to a pixel.
    double drawnTo[2] = {-1, -1};
    for (auto it = from; it != intervals.end() && it->start <= last; ++it) {
        if (it->end < first)
            continue;
        const QRect area = lane(it->channel).adjusted(1, 3, -1, -3);
        const double left = xOf(it->start);
        const double right = std::max(xOf(it->end), left + 1);
        double &drawn = drawnTo[it->channel == Channel::Speech ? 0 : 1];
        const bool chosen = int(it - intervals.begin()) == m_selected;
        if (std::floor(right) <= drawn && !chosen)
            continue;
        drawn = std::floor(right);
        const QRectF bar(left, area.top(), right - left, area.height());
        const QColor colour = it->channel == Channel::Speech ? speechColour : clutterColour;
        painter.fillRect(bar, it->status == Status::Dropped ? QBrush(colour, Qt::BDiagPattern)
                                                            : QBrush(colour));
        if (chosen) {
            painter.setPen(QPen(pauseColour, 2));
            painter.drawRect(bar.adjusted(-2, -2, 2, 2));
        }
    }
    painter.setPen(QPen(pauseColour, 1, Qt::DashLine));
    const int top = lane(Channel::Speech).top();
    const int bottom = lane(Channel::Cluttering).bottom();
    double pausedAt = -1;
    for (const qint32 pause : m_timeline->pauses()) {
        const double x = std::floor(xOf(pause));
        if (pause >= first && pause <= last && x != pausedAt)
            painter.drawLine(QPointF(xOf(pause), top), QPointF(xOf(pause), bottom));
        pausedAt = x;
    }
    if (m_playhead >= 0) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        const double x = xOfMilliseconds(double(m_playhead));
        painter.drawLine(QPointF(x, top), QPointF(x, soundLane().bottom()));
    }
    painter.setClipping(false);
    paintAxis(painter, first, last);
}

// The loudest sample under each pixel column, drawn both ways from the lane's middle.
void TimelineLanes::paintSound(QPainter &painter, qint32 first, qint32 last)
{
    const QRect area = soundLane();
    painter.fillRect(area, laneColour);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.drawText(QRect(0, area.top(), labelWidth - 6, area.height()),
                     Qt::AlignRight | Qt::AlignVCenter, tr("Sound"));
    if (m_peaks == nullptr || m_peaks->empty()) {
        painter.drawText(area, Qt::AlignCenter,
                         m_playhead < 0 ? tr("No recording open") : tr("Reading the sound..."));
        return;
    }
    const std::vector<float> &peaks = *m_peaks;
    const double binsPerTick = double(m_binsPerSecond) / ticksPerSecond;
    const double ticksPerPixel = double(last - first) / std::max(1, area.width());
    const double middle = area.center().y() + 0.5;
    const double reach = area.height() / 2.0 - 2;
    painter.setPen(soundColour);
    for (int x = 1; x < area.width() - 1; ++x) {
        const auto from = std::size_t(std::max(0.0, (first + x * ticksPerPixel) * binsPerTick));
        const auto to =
            std::max(from + 1, std::size_t((first + (x + 1) * ticksPerPixel) * binsPerTick));
        if (from >= peaks.size())
            break;
        const float peak =
            *std::max_element(peaks.begin() + std::ptrdiff_t(from),
                              peaks.begin() + std::ptrdiff_t(std::min(to, peaks.size())));
        const double height = std::max(0.5, double(peak) * reach);
        painter.drawLine(QPointF(area.left() + x + 0.5, middle - height),
                         QPointF(area.left() + x + 0.5, middle + height));
    }
}

void TimelineLanes::paintAxis(QPainter &painter, qint32 first, qint32 last)
{
    const QRect area = soundLane();
    const int y = area.bottom() + margin;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(area.left(), y, area.right(), y);
    const qint32 step = axisStep(double(last - first) / std::max(1, area.width()));
    for (qint32 at = (first + step - 1) / step * step; at <= last; at += step) {
        const int x = int(std::lround(xOf(at)));
        painter.drawLine(x, y, x, y + 4);
        painter.drawText(QRect(x - 40, y + 4, 80, axisHeight - 4), Qt::AlignHCenter | Qt::AlignTop,
                         axisText(at));
    }
}
