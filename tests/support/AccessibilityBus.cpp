#include "AccessibilityBus.h"

#include "EndProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace {

const QString busLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");

} // namespace

QString AccessibilityBus::start(const QProcessEnvironment &base)
{
    if (!QFile::exists(busLauncher))
        return QStringLiteral("at-spi2-core is not installed");
    if (!m_runtime.isValid())
        return QStringLiteral("no runtime folder for the accessibility bus");
    QElapsedTimer clock;
    clock.start();
    m_env = base;
    m_env.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    // The accessibility bus's socket is one per runtime folder (and display): a folder of its own
    // keeps a second suite's bus from taking its place.
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    m_bus.setProcessEnvironment(m_env);
    m_bus.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    if (!m_bus.waitForStarted(stepMs))
        return QStringLiteral("dbus-daemon did not start") + after(clock);
    while (!m_bus.canReadLine()) {
        if (clock.elapsed() > stepMs || m_bus.state() == QProcess::NotRunning)
            return QStringLiteral("dbus-daemon gave no address") + after(clock);
        m_bus.waitForReadyRead(200);
    }
    const QString address = QString::fromLocal8Bit(m_bus.readLine()).trimmed();
    if (!address.startsWith(QLatin1String("unix:")))
        return QStringLiteral("dbus-daemon gave no address: ") + address;
    m_env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    m_atspi.setProcessEnvironment(m_env);
    m_atspi.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_atspi.start(busLauncher, {"--launch-immediately"});
    if (!m_atspi.waitForStarted(stepMs))
        return QStringLiteral("the accessibility bus did not start") + after(clock);
    clock.restart();
    // The launcher answers on the session bus with the accessibility bus's address.
    while (!answers(m_env, QStringLiteral("dbus-send"),
                    {"--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                     "org.a11y.Bus.GetAddress"},
                    "unix:")) {
        if (clock.elapsed() > stepMs || m_atspi.state() == QProcess::NotRunning)
            return QStringLiteral("the accessibility bus did not answer") + after(clock);
        QThread::msleep(100);
    }
    return {};
}

void AccessibilityBus::stop()
{
    endProcess(m_atspi);
    endProcess(m_bus);
}
