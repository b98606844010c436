// Two 3-hour timelines of 32,767 intervals each compared: the time of every figure, and of the
// comparison's drawing, whole-sample, at the window's size.
#include "core/reports/Agreement.h"
#include "windows/timeline/ComparisonLanes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

namespace {

constexpr qint32 ThreeHours = 3 * 3600 * 5; // ticks
constexpr int Intervals = 32767;

JudgedTimeline judge(const QString &name, quint32 seed)
{
    QRandomGenerator random(seed);
    JudgedTimeline judged(name, ThreeHours);
    for (int i = 0; i < Intervals; ++i) {
        const auto start = qint32(double(i) * ThreeHours / Intervals); // 1.6 ticks apart
        for (const Timeline::Channel channel :
             {Timeline::Channel::Speech, Timeline::Channel::Cluttering}) {
            judged.mark(channel, start, start + qint32(random.bounded(2)) + 1);
            judged.channel(channel).countedStarts.push_back(start);
        }
    }
    return judged;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const JudgedTimeline a = judge(QStringLiteral("a"), 1);
    const JudgedTimeline b = judge(QStringLiteral("b"), 2);
    QElapsedTimer clock;
    clock.start();
    const Agreement agreement(a, b);
    std::printf("every figure: %lld ms (speech kappa by tick %.3f)\n",
                static_cast<long long>(clock.elapsed()),
                agreement.speech().byTick.kappa.value_or(0));
    ComparisonLanes lanes;
    lanes.resize(900, lanes.sizeHint().height());
    lanes.setJudges(a, b);
    QPixmap target(lanes.size());
    double slowest = 0;
    for (int i = 0; i < 20; ++i) {
        clock.restart();
        lanes.render(&target);
        slowest = std::max(slowest, double(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("the comparison drawn: %.1f ms at the slowest of 20\n", slowest);
    return 0;
}
