// How far behind the monotonic clock two 200 ms tick sources fall while the thread is blocked
// now and then: the session's DriftFreeTimer and a plain QTimer, side by side in one event loop.
// Every second, and right after each block, it prints for each source the ticks counted against
// the ticks due since its start; at the end, the largest lag of each. Readings fall midway
// between two ticks; the reading right after a block comes once the overdue timers have run.
//
//   bench_tick_accuracy [--duration SECONDS] [--block-every SECONDS] [--block-for MILLISECONDS]

#include "core/events/DriftFreeTimer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

struct Source {
    const char *name;
    qint64 startNs = 0;
    qint64 counted = 0;
    qint64 maxLag = 0;

    qint64 due(qint64 nowNs, int intervalMs) const
    {
        return (nowNs - startNs) / (intervalMs * 1'000'000LL);
    }
};

struct Settings {
    int durationSeconds = 60;
    int blockEverySeconds = 10;
    int blockMilliseconds = 1500;
};

Settings parse(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Compares the drift-free tick source with a plain QTimer while the thread is blocked.");
    parser.addHelpOption();
    const QCommandLineOption duration({"d", "duration"}, "Run time in seconds (default 60).",
                                      "seconds", "60");
    const QCommandLineOption every("block-every", "Seconds between blocks (default 10).", "seconds",
                                   "10");
    const QCommandLineOption blockFor("block-for", "Length of each block in ms (default 1500).",
                                      "milliseconds", "1500");
    parser.addOptions({duration, every, blockFor});
    parser.process(app);
    Settings settings;
    settings.durationSeconds = std::max(1, parser.value(duration).toInt());
    settings.blockEverySeconds = std::max(1, parser.value(every).toInt());
    settings.blockMilliseconds = std::max(0, parser.value(blockFor).toInt());
    return settings;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const Settings settings = parse(app);
    QTextStream out(stdout);

    QElapsedTimer clock; // the monotonic clock both sources are judged against
    DriftFreeTimer ours;
    QTimer plain;
    plain.setInterval(ours.interval());
    const int interval = ours.interval();

    Source driftFree{"drift-free"};
    Source qtimer{"plain QTimer"};
    QObject::connect(&ours, &DriftFreeTimer::timeout, [&] { ++driftFree.counted; });
    QObject::connect(&plain, &QTimer::timeout, [&] { ++qtimer.counted; });

    const auto read = [&](const char *when) {
        const qint64 now = clock.nsecsElapsed();
        QString line = QStringLiteral("%1 s").arg(double(now) / 1e9, 8, 'f', 3);
        for (Source *source : {&driftFree, &qtimer}) {
            const qint64 due = source->due(now, interval);
            const qint64 lag = due - source->counted;
            source->maxLag = std::max(source->maxLag, lag);
            line += QStringLiteral("   %1 %2/%3 (lag %4)")
                        .arg(QLatin1String(source->name))
                        .arg(source->counted, 4)
                        .arg(due, 4)
                        .arg(lag, 2);
        }
        out << line << "   " << when << Qt::endl;
    };

    QTimer readings;
    readings.setTimerType(Qt::PreciseTimer);
    readings.setInterval(1000);
    QObject::connect(&readings, &QTimer::timeout, [&] { read(""); });

    QTimer blocker;
    blocker.setTimerType(Qt::PreciseTimer);
    blocker.setInterval(settings.blockEverySeconds * 1000);
    QObject::connect(&blocker, &QTimer::timeout, [&] {
        out << QStringLiteral("-- blocking the thread for %1 ms").arg(settings.blockMilliseconds)
            << Qt::endl;
        QThread::msleep(static_cast<unsigned long>(settings.blockMilliseconds));
        // Read once the overdue timers have had their turn in the event loop.
        QTimer::singleShot(5, Qt::PreciseTimer, [&] { read("after block"); });
    });

    QTimer::singleShot(settings.durationSeconds * 1000 + interval / 2, Qt::PreciseTimer, &app, [&] {
        readings.stop();
        blocker.stop();
        read("end");
        out << Qt::endl
            << "maximum lag: " << driftFree.name << ' ' << driftFree.maxLag << " tick(s), "
            << qtimer.name << ' ' << qtimer.maxLag << " tick(s)" << Qt::endl
            << "goal (drift-free at most 1 tick behind at every reading): "
            << (driftFree.maxLag <= 1 ? "met" : "MISSED") << Qt::endl;
        app.quit();
    });

    out << QStringLiteral("%1 s run, %2 ms ticks, thread blocked %3 ms every %4 s")
               .arg(settings.durationSeconds)
               .arg(interval)
               .arg(settings.blockMilliseconds)
               .arg(settings.blockEverySeconds)
        << Qt::endl;
    clock.start();
    driftFree.startNs = clock.nsecsElapsed();
    ours.setEnabled(true);
    qtimer.startNs = clock.nsecsElapsed();
    plain.start();
    // Readings fall midway between ticks, so a lag of 1 means a tick is really overdue.
    QTimer::singleShot(interval / 2, Qt::PreciseTimer, &readings, [&] { readings.start(); });
    blocker.start();
    return app.exec();
}
