#include "AccessibilityBus.h"

#include "EndProcess.h"

#include <QFile>

namespace {

const QString busLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");

} // namespace

QString AccessibilityBus::start(const QProcessEnvironment &base)
{
    if (!QFile::exists(busLauncher))
        return QStringLiteral("at-spi2-core is not installed");
    m_env = base;
    m_env.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    m_bus.setProcessEnvironment(m_env);
    m_bus.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    if (!m_bus.waitForStarted() || !m_bus.waitForReadyRead(10000))
        return QStringLiteral("dbus-daemon did not start");
    const QString address = QString::fromLocal8Bit(m_bus.readLine()).trimmed();
    if (!address.startsWith(QLatin1String("unix:")))
        return QStringLiteral("dbus-daemon gave no address: ") + address;
    m_env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    m_atspi.setProcessEnvironment(m_env);
    m_atspi.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_atspi.start(busLauncher, {"--launch-immediately"});
    if (!m_atspi.waitForStarted())
        return QStringLiteral("the accessibility bus did not start");
    return {};
}

void AccessibilityBus::stop()
{
    endProcess(m_atspi);
    endProcess(m_bus);
}
