#include "XDesktop.h"

#include "EndProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

QString XDesktop::start(const QProcessEnvironment &base, int firstDisplay, bool withWindowManager)
{
    int number = firstDisplay;
    while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    m_display = QStringLiteral(":%1").arg(number);
    m_env = base;
    m_env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    m_env.insert(QStringLiteral("DISPLAY"), m_display);

    m_xvfb.setProcessEnvironment(m_env);
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {m_display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!m_xvfb.waitForStarted())
        return QStringLiteral("Xvfb did not start");
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))) {
        if (clock.elapsed() > 20000)
            return QStringLiteral("Xvfb did not open display %1").arg(m_display);
        QThread::msleep(50);
    }
    if (!withWindowManager)
        return {};
    m_openbox.setProcessEnvironment(m_env);
    m_openbox.start(QStringLiteral("openbox"), {});
    if (!m_openbox.waitForStarted())
        return QStringLiteral("openbox did not start");
    // A window manager that runs marks the screen as managed.
    while (!isManaged()) {
        if (clock.elapsed() > 20000 || m_openbox.state() == QProcess::NotRunning)
            return QStringLiteral("openbox did not take the screen");
        QThread::msleep(50);
    }
    return {};
}

bool XDesktop::isManaged() const
{
    QProcess xprop;
    xprop.setProcessEnvironment(m_env);
    xprop.start(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"});
    xprop.waitForFinished(10000);
    return xprop.readAllStandardOutput().contains("window id");
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
    process.waitForFinished(10000);
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

QString XDesktop::openRatingsWindow() const
{
    const QString main = waitForWindow(mainWindowTitle);
    if (main.isEmpty() || !focus(main))
        return {};
    const int shown = shownWindows(main);
    // Alt held and let go as a hand does: a screen reader's key grabs miss a chord as quick as
    // "alt+f".
    xdo({"keydown", "alt"});
    QThread::msleep(150);
    xdo({"key", "f"});
    QThread::msleep(150);
    xdo({"keyup", "alt"});
    if (!waitForShownWindows(main, shown + 1))
        return {};
    xdo({"key", "Right"});
    if (!waitForShownWindows(main, shown))
        return {};
    xdo({"key", "Return"});
    const QString ratings = waitForWindow(ratingsWindowTitle);
    if (ratings.isEmpty() || !focus(ratings))
        return {};
    return ratings;
}
