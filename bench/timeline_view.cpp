// Timeline window benchmark: the window over a session of 65,534 intervals (32,767 cluttering
// intervals, each alone and so a speech interval too, over 3.6 hours of sample). Reports the time
// to draw the lanes showing the whole sample and a span, and the time of the window's look at the
// session after a tick, as it takes one every refresh while the session runs; and the time to
// open it, its table filled.
//
//   bench_timeline_view     (QT_QPA_PLATFORM defaults to offscreen)

#include "core/events/KeyCodes.h"
#include "core/events/MouseButtons.h"
#include "core/session/SessionEngine.h"
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

namespace {

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
    for (int i = 0; i < 32767; ++i) {
        engine.Form_MouseDown(mousebuttons::Right, now);
        tick();
        engine.Form_MouseUp(mousebuttons::Right, now);
        tick();
    }
    ReportDelivery delivery;
    QElapsedTimer clock;
    clock.start();
    TimelineWindow window(engine, delivery);
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
