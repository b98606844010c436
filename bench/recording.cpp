// A recording as the session's clock: how far from the recording's time a press is placed, at
// once and after the user-interface thread was held up 1.5 s while the sound played on; and how
// long a 60-minute recording's waveform takes, as WAV and as FLAC, with the longest stall of the
// thread meanwhile. Recordings are made with sox in a temporary folder.
#include "core/events/EventClock.h"
#include "core/events/RecordingClock.h"
#include "media/RecordingPlayer.h"
#include "media/Waveform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool sox(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("sox"), arguments);
    return process.waitForFinished(600'000) && process.exitCode() == 0;
}

void report(const char *what, std::vector<double> errors)
{
    std::sort(errors.begin(), errors.end(),
              [](double one, double other) { return std::abs(one) < std::abs(other); });
    std::printf("%s: %zu presses, median %.1f ms, worst %.1f ms\n", what, errors.size(),
                std::abs(errors[errors.size() / 2]), std::abs(errors.back()));
}

// Presses at random moments of a playing recording: each placed as the window places it, from
// the recording's clock less the time since its stamp, against the recording's position read at
// the stamp. `hold` ms the thread is held between the stamp and the placing.
std::vector<double> placements(const QString &path, int presses, int hold)
{
    const SystemMonotonicClock system;
    RecordingClock clock(system);
    RecordingPlayer player(clock);
    bool opened = false;
    QObject::connect(&player, &RecordingPlayer::opened, [&] { opened = true; });
    player.open(path);
    if (!QTest::qWaitFor([&] { return opened; }, 20'000))
        return {};
    player.run(0);
    EventClock events(system, clock);
    std::vector<double> errors;
    QTest::qWait(500);
    // The window's stamps have shown themselves to be the system's clock by the time it counts.
    events.place(quint64(system.nowNanoseconds() / 1'000'000));
    for (int i = 0; i < presses && player.running(); ++i) {
        QTest::qWait(100 + int(QRandomGenerator::global()->bounded(200)));
        const qint64 truth = clock.at(player.positionMilliseconds() * 1'000'000);
        const auto stamp = quint64(system.nowNanoseconds() / 1'000'000);
        if (hold > 0)
            QThread::msleep(ulong(hold));
        errors.push_back(double(events.place(stamp) - truth) / 1e6);
    }
    return errors;
}

// The time to the whole waveform, and the longest gap between 5 ms wake-ups meanwhile.
void waveform(const char *what, const QString &path)
{
    Waveform wave;
    QElapsedTimer elapsed;
    qint64 longest = 0;
    qint64 last = 0;
    QEventLoop loop;
    QTimer wakeUp;
    wakeUp.setInterval(5);
    QObject::connect(&wakeUp, &QTimer::timeout, [&] {
        longest = std::max(longest, elapsed.elapsed() - last);
        last = elapsed.elapsed();
        if (wave.finished() || elapsed.elapsed() > 120'000)
            loop.quit();
    });
    elapsed.start();
    wave.decode(path);
    wakeUp.start();
    loop.exec();
    std::printf("%s: waveform of %zu bins in %lld ms; the longest stall %lld ms\n", what,
                wave.peaks().size(), static_cast<long long>(elapsed.elapsed()),
                static_cast<long long>(longest));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    QTemporaryDir dir;
    const QString speech = dir.filePath(QStringLiteral("speech.wav"));
    if (!sox({"-n", "-r", "16000", "-c", "1", speech, "synth", "40", "sine", "300"}))
        return 1;
    report("placed at once", placements(speech, 60, 0));
    report("placed after a 1.5 s hold", placements(speech, 12, 1500));
    const QString hour = dir.filePath(QStringLiteral("hour.wav"));
    const QString flac = dir.filePath(QStringLiteral("hour.flac"));
    if (!sox({"-n", "-r", "16000", "-c", "1", "-b", "16", hour, "synth", "3600", "sine", "300"}) ||
        !sox({hour, flac}))
        return 1;
    waveform("60 min WAV", hour);
    waveform("60 min FLAC", flac);
    return 0;
}
