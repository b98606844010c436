#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

// A session D-Bus of a test's own with at-spi2-core's accessibility bus and its registry, as a
// desktop session starts them. The desktop's own buses, if any, are never touched.
class AccessibilityBus {
public:
    AccessibilityBus() = default;
    AccessibilityBus(const AccessibilityBus &) = delete;
    AccessibilityBus &operator=(const AccessibilityBus &) = delete;
    ~AccessibilityBus() { stop(); }

    // Starts both in `base`. Returns what went wrong, or nothing.
    QString start(const QProcessEnvironment &base);
    void stop();

    // `base` with DBUS_SESSION_BUS_ADDRESS on this bus and without AT_SPI_BUS_ADDRESS, so that a
    // program started in it finds the accessibility bus through this one.
    QProcessEnvironment environment() const { return m_env; }

private:
    QProcessEnvironment m_env;
    QProcess m_bus;
    QProcess m_atspi;
};
