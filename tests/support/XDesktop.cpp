#include "XDesktop.h"

#include "EndProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

QString XDesktop::start(const QProcessEnvironment &base, bool withWindowManager)
{
    QString failed = startServer(base);
    if (failed.isEmpty() && withWindowManager)
        failed = startWindowManager();
    return failed;
}

// Xvfb takes the first display number no other server has, and writes it once it takes
// connections; two suites on one machine never share one. It never resets: an X server resets
// when its last client leaves, refusing connections meanwhile, which the client that checked it
// answers would otherwise leave the next one to meet.
QString XDesktop::startServer(const QProcessEnvironment &base)
{
    QElapsedTimer clock;
    clock.start();
    m_env = base;
    m_env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    m_env.remove(QStringLiteral("DISPLAY"));
    m_xvfb.setProcessEnvironment(m_env);
    m_xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24",
                                          "-nolisten", "tcp", "-noreset"});
    if (!m_xvfb.waitForStarted(stepMs))
        return QStringLiteral("Xvfb did not start") + after(clock);
    while (!m_xvfb.canReadLine()) {
        if (clock.elapsed() > stepMs || m_xvfb.state() == QProcess::NotRunning)
            return QStringLiteral("Xvfb named no display") + after(clock);
        m_xvfb.waitForReadyRead(200);
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(m_xvfb.readLine()).trimmed();
    m_env.insert(QStringLiteral("DISPLAY"), m_display);
    clock.restart();
    while (!answers(m_env, QStringLiteral("xdpyinfo"), {})) {
        if (clock.elapsed() > stepMs || m_xvfb.state() == QProcess::NotRunning)
            return QStringLiteral("Xvfb on %1 did not answer").arg(m_display) + after(clock);
        QThread::msleep(100);
    }
    return {};
}

// A window manager that runs marks the screen as managed; one that gave up before it did is
// started again.
QString XDesktop::startWindowManager()
{
    QElapsedTimer clock;
    clock.start();
    int starts = 0;
    m_openbox.setProcessEnvironment(m_env);
    while (!answers(m_env, QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"},
                    QByteArray("window id"))) {
        if (clock.elapsed() > stepMs)
            return QStringLiteral("openbox did not take the screen, started %1 times").arg(starts) +
                   after(clock);
        if (m_openbox.state() == QProcess::NotRunning) {
            m_openbox.start(QStringLiteral("openbox"), {});
            ++starts;
            if (!m_openbox.waitForStarted(stepMs))
                return QStringLiteral("openbox did not start") + after(clock);
        }
        QThread::msleep(100);
    }
    return {};
}

void XDesktop::stop()
{
    endProcess(m_openbox);
    endProcess(m_xvfb);
}

QString XDesktop::xdo(const QStringList &arguments) const
{
    QProcess process;
    process.setProcessEnvironment(m_env);
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(30000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString XDesktop::waitForWindow(const QString &title, int timeoutMs) const
{
    const QString pattern = QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const QString ids = xdo({"search", "--onlyvisible", "--name", pattern});
        if (!ids.isEmpty())
            return ids.split(QLatin1Char('\n')).last();
        QThread::msleep(100);
    }
    return {};
}

QImage XDesktop::grab(const QString &id) const
{
    QProcess import;
    import.setProcessEnvironment(m_env);
    import.start(QStringLiteral("import"), {"-window", id, "-depth", "8", "ppm:-"});
    if (!import.waitForFinished(20000) || import.exitCode() != 0)
        return {};
    return QImage::fromData(import.readAllStandardOutput(), "PPM");
}

bool XDesktop::waitForScreen(const std::function<bool(const QImage &)> &shows, const QString &id,
                             int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    do {
        const QImage screen = grab(id);
        if (!screen.isNull() && shows(screen))
            return true;
        QThread::msleep(50);
    } while (clock.elapsed() < timeoutMs);
    return false;
}

bool XDesktop::focus(const QString &id) const
{
    QElapsedTimer clock;
    clock.start();
    do {
        xdo({"windowactivate", "--sync", id});
        if (xdo({"getwindowfocus", "-f"}) == id)
            return true;
        QThread::msleep(100);
    } while (clock.elapsed() < 20000);
    return false;
}

int XDesktop::shownWindows(const QString &id) const
{
    const QString pid = xdo({"getwindowpid", id});
    if (pid.isEmpty())
        return 0;
    const QString shown = xdo({"search", "--onlyvisible", "--pid", pid});
    return int(shown.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

bool XDesktop::waitForShownWindows(const QString &id, int count) const
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (shownWindows(id) == count)
            return true;
        QThread::msleep(50);
    } while (clock.elapsed() < 20000);
    return false;
}

// A process sleeping, waiting for its next event, is idle; one running or waiting to run is not.
bool XDesktop::isIdle(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    // "pid (name) state ...": the name may hold blanks and parentheses.
    const qsizetype state = line.lastIndexOf(')') + 2;
    return state > 1 && state < line.size() && line.at(state) == 'S';
}

bool XDesktop::strikeUntil(const std::function<void()> &strike, const std::function<bool()> &opened,
                           const std::function<bool()> &nothingOpen, qint64 pid, int timeoutMs)
{
    // A strike is given this long, and the program three looks in a row asleep with nothing
    // open, before it counts as lost.
    constexpr int leastWaitMs = 2000;
    constexpr int idleLooks = 3;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        strike();
        QElapsedTimer sinceStrike;
        sinceStrike.start();
        int idle = 0;
        while (idle < idleLooks || sinceStrike.elapsed() < leastWaitMs) {
            if (opened())
                return true;
            if (clock.elapsed() > timeoutMs)
                return false;
            idle = isIdle(pid) && nothingOpen() ? idle + 1 : 0;
            QThread::msleep(100);
        }
    }
    return opened();
}

QString XDesktop::openRatingsWindow() const
{
    const QString main = waitForWindow(mainWindowTitle);
    if (main.isEmpty() || !focus(main))
        return {};
    const int shown = shownWindows(main);
    const qint64 pid = xdo({"getwindowpid", main}).toLongLong();
    const auto shows = [this, &main](int count) {
        return [this, &main, count] { return shownWindows(main) == count; };
    };
    // Alt held and let go as a hand does: a screen reader's key grabs miss a chord as quick as
    // "alt+f".
    const auto altF = [this] {
        xdo({"keydown", "alt"});
        QThread::msleep(150);
        xdo({"key", "f"});
        QThread::msleep(150);
        xdo({"keyup", "alt"});
    };
    if (!strikeUntil(altF, shows(shown + 1), shows(shown), pid))
        return {};
    xdo({"key", "Right"});
    if (!waitForShownWindows(main, shown))
        return {};
    QString ratings;
    const auto isOpen = [this, &ratings] {
        ratings = xdo(
            {"search", "--onlyvisible", "--name",
             QLatin1Char('^') + QRegularExpression::escape(ratingsWindowTitle) + QLatin1Char('$')});
        return !ratings.isEmpty();
    };
    // Return on "Perceptual ratings", the menu bar's command the File menu was left for.
    if (!strikeUntil([this] { xdo({"key", "Return"}); }, isOpen, shows(shown), pid))
        return {};
    ratings = ratings.split(QLatin1Char('\n')).last();
    if (!focus(ratings))
        return {};
    return ratings;
}
