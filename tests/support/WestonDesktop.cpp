#include "WestonDesktop.h"

#include "EndProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QThread>

QStringList WestonDesktop::missingParts()
{
    QStringList missing;
    if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty())
        missing << QStringLiteral("weston (Debian package weston)");
    const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QStringLiteral("/platforms/libqwayland-generic.so");
    if (!QFile::exists(plugin))
        missing << QStringLiteral("Qt's Wayland platform plugin (Debian package qt6-wayland)");
    return missing;
}

QString WestonDesktop::start(const QProcessEnvironment &base)
{
    QString failed = m_x.start(base, false);
    if (!failed.isEmpty())
        return failed;
    if (!m_runtime.isValid())
        return QStringLiteral("no runtime folder for Weston");
    // Weston refuses a runtime folder others may read.
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString socket = QStringLiteral("tallymere-test");
    QProcessEnvironment env = m_x.environment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    m_weston.setProcessEnvironment(env);
    m_weston.setProcessChannelMode(QProcess::MergedChannels);
    m_weston.start(QStringLiteral("weston"),
                   {"--backend=x11-backend.so", "--shell=kiosk-shell.so", "--socket=" + socket,
                    "--width=1280", "--height=1024", "--idle-time=0"});
    if (!m_weston.waitForStarted(stepMs))
        return QStringLiteral("Weston did not start");
    failed = waitForSocket(socket);
    if (!failed.isEmpty())
        return failed;

    m_env = base;
    m_env.remove(QStringLiteral("DISPLAY"));
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    m_env.insert(QStringLiteral("WAYLAND_DISPLAY"), socket);
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    // The keyboard goes to the window under the pointer, which is Weston's.
    pointAt(640, 512);
    return {};
}

QString WestonDesktop::waitForSocket(const QString &socket)
{
    QElapsedTimer clock;
    clock.start();
    QString window;
    while (!QFile::exists(QDir(m_runtime.path()).filePath(socket)) || window.isEmpty()) {
        if (clock.elapsed() > stepMs || m_weston.state() == QProcess::NotRunning)
            return QStringLiteral("Weston did not open its socket and window") + after(clock) +
                   QStringLiteral(":\n") + log();
        window = xdo({"search", "--class", "weston"}).section(QLatin1Char('\n'), 0, 0);
        QThread::msleep(100);
    }
    m_window = window;
    return {};
}

void WestonDesktop::pointAt(int x, int y) const
{
    xdo({"mousemove", "--window", m_window, QString::number(x), QString::number(y)});
}

QString WestonDesktop::log() { return QString::fromLocal8Bit(m_weston.readAll()); }

void WestonDesktop::stop()
{
    endProcess(m_weston);
    m_x.stop();
}
