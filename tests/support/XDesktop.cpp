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
        if (clock.elapsed() > 10000)
            return QStringLiteral("Xvfb did not open display %1").arg(m_display);
        QThread::msleep(50);
    }
    if (!withWindowManager)
        return {};
    m_openbox.setProcessEnvironment(m_env);
    m_openbox.start(QStringLiteral("openbox"), {});
    if (!m_openbox.waitForStarted())
        return QStringLiteral("openbox did not start");
    QThread::msleep(500);
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

QString XDesktop::openRatingsWindow() const
{
    const QString main = waitForWindow(mainWindowTitle);
    if (main.isEmpty())
        return {};
    xdo({"windowactivate", "--sync", main});
    // Alt held and let go as a hand does: a screen reader's key grabs miss a chord as quick as
    // "alt+f".
    xdo({"keydown", "alt"});
    QThread::msleep(150);
    xdo({"key", "f"});
    QThread::msleep(150);
    xdo({"keyup", "alt"});
    QThread::msleep(300);
    xdo({"key", "Right"});
    QThread::msleep(200);
    xdo({"key", "Return"});
    const QString ratings = waitForWindow(ratingsWindowTitle);
    if (ratings.isEmpty())
        return {};
    xdo({"windowactivate", "--sync", ratings});
    QThread::msleep(500);
    return ratings;
}
