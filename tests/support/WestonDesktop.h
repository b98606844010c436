#pragma once

#include "XDesktop.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A Wayland desktop of a test's own: Weston with its kiosk shell, drawn in a window of a private
// Xvfb through Weston's X11 backend. xdotool presses keys and buttons in that window, and Weston
// turns them into Wayland input of its own, with its own timestamps and its clients' key repeat,
// as a compositor on real hardware does. Programs started in environment() are Wayland clients of
// it; they cannot reach the X server.
class WestonDesktop {
public:
    WestonDesktop() = default;
    WestonDesktop(const WestonDesktop &) = delete;
    WestonDesktop &operator=(const WestonDesktop &) = delete;
    ~WestonDesktop() { stop(); }

    // What is missing to run Wayland clients of Qt under Weston: Weston, Qt's Wayland plugin.
    static QStringList missingParts();

    // Starts Xvfb, then Weston in it, each waited for until it answers. Returns which step went
    // wrong and after how long, or nothing.
    QString start(const QProcessEnvironment &base);
    void stop();

    // `base` as given to start() with Weston's socket, a private runtime folder and Qt's Wayland
    // platform, and without DISPLAY.
    QProcessEnvironment environment() const { return m_env; }
    // The X desktop Weston is drawn in; its DISPLAY is for xdotool and screenshots only.
    const XDesktop &x() const { return m_x; }
    // Weston's window on the X desktop: its output, the client windows at its top left.
    QString window() const { return m_window; }
    // Runs xdotool on the X desktop; its output.
    QString xdo(const QStringList &arguments) const { return m_x.xdo(arguments); }
    // Moves the pointer to `x`, `y` of Weston's output, where the kiosk shell puts the window.
    void pointAt(int x, int y) const;
    // What Weston has written so far.
    QString log();

private:
    QString waitForSocket(const QString &socket);

    XDesktop m_x;
    QTemporaryDir m_runtime;
    QProcess m_weston;
    QProcessEnvironment m_env;
    QString m_window;
};
