#include "core/session/ShadowView.h"

namespace {

int index(SessionControl control) { return int(control); }

SessionControl controlAt(int i) { return SessionControl(i); }

} // namespace

void ShadowView::setText(SessionControl control, const QString &text)
{
    m_shown.texts[index(control)] = text;
    if (m_passing)
        m_window.setText(control, text);
}

void ShadowView::setForeColour(SessionControl control, Rgb colour)
{
    m_shown.colours[index(control)] = colour;
    if (m_passing)
        m_window.setForeColour(control, colour);
}

void ShadowView::setVisible(SessionControl control, bool visible)
{
    m_shown.visible[index(control)] = visible;
    if (m_passing)
        m_window.setVisible(control, visible);
}

void ShadowView::setStartButton(const QString &caption, Rgb backColour)
{
    m_shown.startButton = ShownState::StartButton{caption, backColour};
    if (m_passing)
        m_window.setStartButton(caption, backColour);
}

void ShadowView::setPointer(SessionPointer pointer)
{
    m_shown.pointer = pointer;
    if (m_passing)
        m_window.setPointer(pointer);
}

void ShadowView::setTimerEnabled(bool enabled, qint64 phaseNanoseconds)
{
    m_shown.timer = ShownState::Timer{enabled, enabled ? phaseNanoseconds : 0};
    if (m_passing)
        m_window.setTimerEnabled(enabled, phaseNanoseconds);
}

void ShadowView::passDifferences(const ShownState &before)
{
    m_passing = true;
    passTexts(before);
    passColours(before);
    passVisibility(before);
    passControls(before);
}

void ShadowView::passTexts(const ShownState &before)
{
    for (int i = 0; i < SessionControlCount; ++i) {
        if (m_shown.texts[i] != before.texts[i])
            m_window.setText(controlAt(i), m_shown.texts[i]);
    }
}

void ShadowView::passColours(const ShownState &before)
{
    for (int i = 0; i < SessionControlCount; ++i) {
        if (m_shown.colours[i] != before.colours[i])
            m_window.setForeColour(controlAt(i), m_shown.colours[i]);
    }
}

void ShadowView::passVisibility(const ShownState &before)
{
    for (int i = 0; i < SessionControlCount; ++i) {
        if (m_shown.visible[i] != before.visible[i])
            m_window.setVisible(controlAt(i), m_shown.visible[i]);
    }
}

void ShadowView::passControls(const ShownState &before)
{
    if (m_shown.startButton != before.startButton)
        m_window.setStartButton(m_shown.startButton.caption, m_shown.startButton.back);
    if (m_shown.pointer != before.pointer)
        m_window.setPointer(m_shown.pointer);
    if (m_shown.timer != before.timer)
        m_window.setTimerEnabled(m_shown.timer.enabled, m_shown.timer.phase);
}
