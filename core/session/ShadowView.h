#pragma once

#include "core/session/SessionView.h"

// The engine's own record of what the window shows, in front of the window's view: the window's
// design, given when it is made, then every write. Writes pass on to the window as they come;
// while the engine replays its recent past they are held back, and afterwards only what differs
// from what the window showed before is written to it.
class ShadowView : public SessionView {
public:
    ShadowView(SessionView &window, const ShownState &design) : m_window(window), m_shown(design) {}

    void setText(SessionControl control, const QString &text) override;
    void setForeColour(SessionControl control, Rgb colour) override;
    void setVisible(SessionControl control, bool visible) override;
    void setStartButton(const QString &caption, Rgb backColour) override;
    void setPointer(SessionPointer pointer) override;
    void setTimerEnabled(bool enabled, qint64 phaseNanoseconds) override;
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
