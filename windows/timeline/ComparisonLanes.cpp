#include "windows/timeline/ComparisonLanes.h"

#include "core/reports/TimelineFiles.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

using Channel = Timeline::Channel;

const QColor speechColour(0, 128, 128); // the speech counter's teal
const QColor clutterColour(192, 0, 0);  // the cluttering counter's red
const QColor laneColour(255, 255, 255);
const QColor differColour(255, 214, 0); // where the judges disagree

bool marked(const JudgedTimeline &judged, Channel channel, qint32 tick)
{
    const std::vector<bool> &ticks = judged.channel(channel).marked;
    return tick >= 0 && std::size_t(tick) < ticks.size() && ticks[std::size_t(tick)];
}

} // namespace

ComparisonLanes::ComparisonLanes(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ComparisonLanes"));
    setMinimumHeight(sizeHint().height());
}

QSize ComparisonLanes::sizeHint() const
{
    return {600, 2 * margin + 4 * laneHeight + gap + axisHeight};
}

void ComparisonLanes::setJudges(const JudgedTimeline &a, const std::optional<JudgedTimeline> &b)
{
    m_a = a;
    m_b = b;
    update();
}

QRect ComparisonLanes::lane(Channel channel, int judge) const
{
    const int top =
        margin + (channel == Channel::Speech ? 0 : 2 * laneHeight + gap) + judge * laneHeight;
    return {labelWidth, top, std::max(1, width() - labelWidth - margin), laneHeight};
}

qint32 ComparisonLanes::shownTicks() const
{
    return std::max({m_a.lengthTicks, m_b ? m_b->lengthTicks : 0, 1});
}

double ComparisonLanes::xOf(qint32 at) const
{
    const QRect area = lane(Channel::Speech, 0);
    return area.left() + double(at) * area.width() / shownTicks();
}

void ComparisonLanes::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (const Channel channel : {Channel::Speech, Channel::Cluttering})
        for (int judge = 0; judge < (m_b ? 2 : 1); ++judge)
            paintLane(painter, channel, judge);
    paintAxis(painter);
}

// A column of pixels shows its ticks' marks: marked where any of them is, highlighted where the
// judges differ on any of them, so a long sample's short disagreement is never lost.
void ComparisonLanes::paintLane(QPainter &painter, Channel channel, int judge)
{
    const QRect area = lane(channel, judge);
    painter.fillRect(area, laneColour);
    painter.setPen(palette().color(QPalette::WindowText));
    const QString who = judge == 0 ? QStringLiteral("A") : QStringLiteral("B");
    painter.drawText(
        QRect(0, area.top(), labelWidth - 6, area.height()), Qt::AlignRight | Qt::AlignVCenter,
        (channel == Channel::Speech ? tr("Speech, %1") : tr("Cluttering, %1")).arg(who));
    const JudgedTimeline &judged = judge == 0 ? m_a : *m_b;
    const QColor colour = channel == Channel::Speech ? speechColour : clutterColour;
    const double ticksPerPixel = double(shownTicks()) / area.width();
    for (int x = 0; x < area.width(); ++x) {
        const auto from = qint32(std::floor(x * ticksPerPixel));
        const qint32 to = std::max(from + 1, qint32(std::floor((x + 1) * ticksPerPixel)));
        bool any = false;
        bool differ = false;
        for (qint32 tick = from; tick < to && !(any && differ); ++tick) {
            const bool here = marked(judged, channel, tick);
            any = any || here;
            differ = differ || (m_b && tick < std::min(m_a.lengthTicks, m_b->lengthTicks) &&
                                marked(m_a, channel, tick) != marked(*m_b, channel, tick));
        }
        const int left = area.left() + x;
        if (differ)
            painter.fillRect(QRect(left, area.top() + 1, 1, area.height() - 2), differColour);
        if (any)
            painter.fillRect(QRect(left, area.top() + 5, 1, area.height() - 10), colour);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void ComparisonLanes::paintAxis(QPainter &painter)
{
    const QRect area = lane(Channel::Cluttering, m_b ? 1 : 0);
    const int y = area.bottom() + margin;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(area.left(), y, area.right(), y);
    // About a label every 100 pixels, on whole seconds.
    const qint32 seconds = std::max(1, int(std::ceil(shownTicks() / 5.0 * 100 / area.width())));
    for (qint32 at = 0; at <= shownTicks(); at += seconds * 5) {
        const int x = int(std::lround(xOf(at)));
        painter.drawLine(x, y, x, y + 4);
        painter.drawText(QRect(x - 40, y + 4, 80, axisHeight - 4), Qt::AlignHCenter | Qt::AlignTop,
                         TimelineFiles::seconds(at));
    }
}
