#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A session D-Bus of a test's own with at-spi2-core's accessibility bus and its registry, as a
// desktop session starts them, in a runtime folder of its own. The desktop's own buses, if any,
// and another suite's are never touched.
class AccessibilityBus {
public:
    AccessibilityBus() = default;
    AccessibilityBus(const AccessibilityBus &) = delete;
    AccessibilityBus &operator=(const AccessibilityBus &) = delete;
    ~AccessibilityBus() { stop(); }

    // Starts both in `base` and waits until the accessibility bus answers. Returns which step went
    // wrong and after how long, or nothing.
    QString start(const QProcessEnvironment &base);
    void stop();

    // `base` with DBUS_SESSION_BUS_ADDRESS on this bus, XDG_RUNTIME_DIR on its folder and without
    // AT_SPI_BUS_ADDRESS, so that a program started in it finds the accessibility bus through
    // this one.
    QProcessEnvironment environment() const { return m_env; }

private:
    QTemporaryDir m_runtime;
    QProcessEnvironment m_env;
    QProcess m_bus;
    QProcess m_atspi;
};
