#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// A desktop of a test's own: Xvfb (1280x1024) on a display number nobody else has, with openbox,
// and xdotool to drive the program's windows there. The machine's own display is never touched.
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

    // Starts the X server and waits until it answers, then the window manager unless told not to,
    // and waits until it has taken the screen, both in `base` (with DISPLAY set). Returns which
    // step went wrong and after how long, or nothing.
    QString start(const QProcessEnvironment &base, bool withWindowManager = true);
    void stop();

    QString display() const { return m_display; }
    // `base` with DISPLAY on this desktop and without QT_QPA_PLATFORM, so that a program
    // started in it opens its windows here.
    QProcessEnvironment environment() const { return m_env; }

    // Runs xdotool on this desktop; its output.
    QString xdo(const QStringList &arguments) const;
    // The id of the visible window titled exactly `title`, or nothing after the timeout.
    QString waitForWindow(const QString &title, int timeoutMs = 20000) const;
    // The window `id` as it shows on the screen now ("root": the whole screen), or a null image.
    QImage grab(const QString &id = QStringLiteral("root")) const;
    // Waits until `shows` holds for the window `id` as grabbed; false after the timeout.
    bool waitForScreen(const std::function<bool(const QImage &)> &shows,
                       const QString &id = QStringLiteral("root"), int timeoutMs = 20000) const;
    // Waits until the keyboard focus is on the top-level window `id`, activating it.
    bool focus(const QString &id) const;
    // How many windows the program of window `id` shows now, its menus and boxes included.
    int shownWindows(const QString &id) const;
    // Waits until the program of window `id` shows `count` windows: a menu has opened or closed.
    bool waitForShownWindows(const QString &id, int count) const;
    // Strikes keys with `strike` until `opened` holds. A strike that seems lost is struck again
    // only once the program `pid` has been seen idle with `nothingOpen` holding, so that a slow
    // but real first strike is never undone by a second. False after the timeout.
    static bool strikeUntil(const std::function<void()> &strike,
                            const std::function<bool()> &opened,
                            const std::function<bool()> &nothingOpen, qint64 pid,
                            int timeoutMs = 60000);
    // Opens the rating window from the main window's menu bar, where "Perceptual ratings" is a
    // command on the bar itself (reached from the File menu with Right), and activates it.
    // Returns its id, or nothing when it did not open.
    QString openRatingsWindow() const;

private:
    static bool isIdle(qint64 pid);
    QString startServer(const QProcessEnvironment &base);
    QString startWindowManager();

    QProcessEnvironment m_env;
    QString m_display;
    QProcess m_xvfb;
    QProcess m_openbox;
};
