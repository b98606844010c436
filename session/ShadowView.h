#pragma once

#include "session/SessionView.h"

#include <array>
#include <optional>

// Everything the engine has written to the window, as it stands: nothing for what was never
// written. A copy of it is what the window showed at one moment.
struct ShownState {
    struct Timer {
        bool enabled = false;
        qint64 phase = 0;
        friend bool operator==(const Timer &, const Timer &) = default;
    };
    struct StartButton {
        QString caption;
        Rgb back;
        friend bool operator==(const StartButton &, const StartButton &) = default;
    };

    std::array<std::optional<QString>, SessionControlCount> texts;
    std::array<std::optional<Rgb>, SessionControlCount> colours;
    std::array<std::optional<bool>, SessionControlCount> visible;
    std::optional<StartButton> startButton;
    std::optional<SessionPointer> pointer;
    std::optional<Timer> timer;
};

// The engine's own record of what the window shows, in front of the window's view. Writes pass
// on to the window as they come; while the engine replays its recent past they are held back,
// and afterwards only what differs from what the window showed before is written to it.
class ShadowView : public SessionView {
public:
    explicit ShadowView(SessionView &window) : m_window(window) {}

    void setText(SessionControl control, const QString &text) override;
    void setForeColour(SessionControl control, Rgb colour) override;
    void setVisible(SessionControl control, bool visible) override;
    void setStartButton(const QString &caption, Rgb backColour) override;
    void setPointer(SessionPointer pointer) override;
    void setTimerEnabled(bool enabled, qint64 phaseNanoseconds) override;
    bool timerEnabled() const override { return m_shown.timer && m_shown.timer->enabled; }
    void showMessage(const QString &message) override { m_window.showMessage(message); }

    const ShownState &shown() const { return m_shown; }
    void restore(const ShownState &shown) { m_shown = shown; }

    // Keeps writes from the window until passDifferences().
    void holdBack() { m_passing = false; }
    // Writes to the window whatever now differs from `before`, what it showed when writes were
    // held back, and lets writes pass again.
    void passDifferences(const ShownState &before);

private:
    void passTexts(const ShownState &before);
    void passColours(const ShownState &before);
    void passVisibility(const ShownState &before);
    void passControls(const ShownState &before);

    SessionView &m_window;
    ShownState m_shown;
    bool m_passing = true;
};
