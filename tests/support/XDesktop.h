#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A desktop of a test's own: Xvfb (1280x1024) on a display number nobody uses, with openbox, and
// xdotool to drive the program's windows there. The machine's own display is never touched.
class XDesktop {
public:
    static inline const QString mainWindowTitle =
        QStringLiteral("Tallymere (Version 2.02; Special  Release for QEFA, October 2005)");
    static inline const QString ratingsWindowTitle =
        QStringLiteral("VISUAL ANALOG SCALE scoring system");

    XDesktop() = default;
    XDesktop(const XDesktop &) = delete;
    XDesktop &operator=(const XDesktop &) = delete;
    ~XDesktop() { stop(); }

    // Starts the X server on the first free display from `firstDisplay`, then the window
    // manager unless told not to, both in `base` (with DISPLAY set). Returns what went wrong, or
    // nothing.
    QString start(const QProcessEnvironment &base, int firstDisplay, bool withWindowManager = true);
    void stop();

    QString display() const { return m_display; }
    // `base` with DISPLAY on this desktop and without QT_QPA_PLATFORM, so that a program
    // started in it opens its windows here.
    QProcessEnvironment environment() const { return m_env; }

    // Runs xdotool on this desktop; its output.
    QString xdo(const QStringList &arguments) const;
    // The id of the visible window titled exactly `title`, or nothing after the timeout.
    QString waitForWindow(const QString &title, int timeoutMs = 15000) const;
    // Opens the rating window from the main window's menu bar, where "Perceptual ratings" is a
    // command on the bar itself (reached from the File menu with Right), and activates it.
    // Returns its id, or nothing when it did not open.
    QString openRatingsWindow() const;

private:
    QProcessEnvironment m_env;
    QString m_display;
    QProcess m_xvfb;
    QProcess m_openbox;
};
