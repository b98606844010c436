// Start-up benchmark: the time from the start of main() to the first painted main window, and
// the peak resident memory (VmHWM), for the real main window and for a bare QMainWindow built
// into the same executable, so both pay the same loading and linking. Each start-up runs in a
// fresh process; the modes alternate and the medians are compared.
//
//   bench_startup [runs]          (default 15 runs of each; QT_QPA_PLATFORM defaults to offscreen)

#include "assets/Assets.h"
#include "startup/WindowNavigator.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"
#include "windows/main/Form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

qint64 peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Ends the event loop once the watched window has painted for the first time.
class FirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint event has been handled and flushed.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

int runChild(int argc, char *argv[], bool full)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    classiclook::apply();
    fonts::registerSubstitutes();

    WindowNavigator navigator;
    std::unique_ptr<QMainWindow> window;
    if (full) {
        QApplication::setWindowIcon(assets::applicationIcon());
        window = std::make_unique<Form1>(navigator.delivery());
    } else {
        window = std::make_unique<QMainWindow>();
        window->setWindowTitle(QStringLiteral("Bare window"));
        window->setCentralWidget(new QWidget);
        window->setWindowState(Qt::WindowMaximized);
    }
    FirstPaint watcher;
    window->centralWidget()->installEventFilter(&watcher);
    window->show();
    QApplication::exec();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    std::printf("%.3f %lld\n", ms, static_cast<long long>(peakResidentKilobytes()));
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Sample {
    double inProcessMs = 0;
    double wallMs = 0;
    double peakKb = 0;
};

bool runOnce(const QString &self, const QString &mode, Sample &sample)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    QElapsedTimer wall;
    wall.start();
    child.start(self, {QStringLiteral("--child"), mode});
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return false;
    sample.wallMs = double(wall.nsecsElapsed()) / 1e6;
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return false;
    sample.inProcessMs = fields[0].toDouble();
    sample.peakKb = fields[1].toDouble();
    return true;
}

int runParent(const QString &self, int runs)
{
    std::vector<double> time[2], wall[2], peak[2];
    const QString modes[2] = {QStringLiteral("bare"), QStringLiteral("form1")};
    for (int i = 0; i < runs; ++i) {
        for (int m = 0; m < 2; ++m) {
            Sample s;
            if (!runOnce(self, modes[m], s)) {
                std::fprintf(stderr, "a %s start-up failed\n", qPrintable(modes[m]));
                return 1;
            }
            time[m].push_back(s.inProcessMs);
            wall[m].push_back(s.wallMs);
            peak[m].push_back(s.peakKb);
        }
    }
    std::printf("%d start-ups of each, medians:\n", runs);
    std::printf("%-8s %14s %16s %14s\n", "window", "main->paint ms", "process wall ms", "VmHWM MB");
    for (int m = 0; m < 2; ++m)
        std::printf("%-8s %14.1f %16.1f %14.1f\n", qPrintable(modes[m]), median(time[m]),
                    median(wall[m]), median(peak[m]) / 1024.0);
    const double ratio = median(time[1]) / median(time[0]);
    const double wallRatio = median(wall[1]) / median(wall[0]);
    const double extraMb = (median(peak[1]) - median(peak[0])) / 1024.0;
    std::printf("form1/bare: start-up %.2fx (process wall %.2fx), peak memory %+.1f MB\n", ratio,
                wallRatio, extraMb);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, qstrcmp(argv[2], "form1") == 0);
    QCoreApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(1, atoi(argv[1])) : 15;
    return runParent(QCoreApplication::applicationFilePath(), runs);
}
