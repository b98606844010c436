// Timeline benchmark: a session of 32,767 cluttering intervals, each alone and so a speech
// interval too (65,534 intervals over 3.6 hours of sample), marked through the engine with the
// whole minute of history it keeps. Reports the engine's cost per tick and per press at the end of
// it, the memory the timeline holds, the time of each of its exports; then the Timeline window
// over it: the time to open it (its table filled), to draw its lanes showing the whole sample and
// a span, and of its look at the session after a tick, as it takes one every refresh while the
// session runs.
//
//   bench_timeline     (QT_QPA_PLATFORM defaults to offscreen)

#include "core/events/KeyCodes.h"
#include "core/events/MouseButtons.h"
#include "core/events/RecordingClock.h"
#include "core/reports/TimelineFiles.h"
#include "core/session/SessionEngine.h"
#include "media/RecordingPlayer.h"
#include "widgets/delivery/ReportDelivery.h"
#include "windows/timeline/TimelineLanes.h"
#include "windows/timeline/TimelineWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// A view that shows nothing.
class NoView : public SessionView {
public:
    void setText(SessionControl, const QString &) override {}
    void setForeColour(SessionControl, Rgb) override {}
    void setVisible(SessionControl, bool) override {}
    void setStartButton(const QString &, Rgb) override {}
    void setTimerEnabled(bool, qint64) override {}
    void setPointer(SessionPointer) override {}
    void showMessage(const QString &) override {}
};

double slowestMs(const std::function<void()> &work, int runs = 10)
{
    qint64 slowest = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        slowest = std::max(slowest, clock.nsecsElapsed());
    }
    return double(slowest) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    NoView view;
    SessionEngine engine(view, ShownState{});
    engine.Form_Load();
    qint64 now = 0;
    const auto tick = [&] { engine.Timer1_Timer(now += SessionEngine::TickNanoseconds); };
    engine.Command1_KeyDown(keycodes::Space, false, now);
    QElapsedTimer clock;
    clock.start();
    qint64 slowestTick = 0;
    qint64 slowestPress = 0;
    for (int i = 0; i < 32767; ++i) {
        QElapsedTimer step;
        step.start();
        engine.Form_MouseDown(mousebuttons::Right, now);
        slowestPress = std::max(slowestPress, step.nsecsElapsed());
        step.restart();
        tick();
        slowestTick = std::max(slowestTick, step.nsecsElapsed());
        engine.Form_MouseUp(mousebuttons::Right, now);
        tick();
    }
    engine.Command1_KeyDown(keycodes::Space, false, now);
    const Timeline &timeline = engine.timeline();
    const qint32 sample = engine.fields().sampleTicks.value_or(0);
    std::printf("%zu intervals over %.1f h of sample, marked in %lld ms\n",
                timeline.intervals().size(), sample / 5.0 / 3600,
                static_cast<long long>(clock.elapsed()));
    std::printf("slowest tick %.3f ms, slowest press %.3f ms\n", double(slowestTick) / 1e6,
                double(slowestPress) / 1e6);
    std::printf("timeline memory: %.2f MB\n",
                double(timeline.intervals().capacity() * sizeof(Timeline::Interval) +
                       timeline.pauses().capacity() * sizeof(qint32)) /
                    1e6);
    const struct {
        TimelineFiles::Format format;
        const char *name;
    } formats[] = {{TimelineFiles::Format::Csv, "CSV"},
                   {TimelineFiles::Format::TextGrid, "TextGrid"},
                   {TimelineFiles::Format::Labels, "labels"}};
    for (const auto &each : formats) {
        clock.restart();
        const QByteArray bytes = TimelineFiles::write(each.format, timeline, sample);
        std::printf("%-8s export: %lld ms, %.1f MB\n", each.name,
                    static_cast<long long>(clock.elapsed()), double(bytes.size()) / 1e6);
    }
    ReportDelivery delivery;
    clock.restart();
    const SystemMonotonicClock system;
    RecordingClock recordingClock(system);
    RecordingPlayer recording(recordingClock);
    TimelineWindow window(engine, recording, delivery);
    std::printf("the window opened over %zu intervals: %lld ms\n",
                engine.timeline().intervals().size(), static_cast<long long>(clock.elapsed()));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    TimelineLanes &lanes = window.lanes();
    QPixmap target(lanes.size() * lanes.devicePixelRatioF());
    std::printf("lanes, whole sample: %.1f ms\n", slowestMs([&] { lanes.render(&target); }));
    auto *zoom = window.findChild<QComboBox *>(QStringLiteral("TimelineZoom"));
    zoom->setCurrentIndex(1);
    std::printf("lanes, 10 s: %.1f ms\n", slowestMs([&] { lanes.render(&target); }));
    zoom->setCurrentIndex(4);
    std::printf("lanes, 5 min: %.1f ms\n", slowestMs([&] { lanes.render(&target); }));
    std::printf("a tick and the window's look at it: %.2f ms\n", slowestMs([&] {
                    tick();
                    QMetaObject::invokeMethod(&window, "Refresh_Timer");
                }));
    return 0;
}
