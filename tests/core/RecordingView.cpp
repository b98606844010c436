#include "RecordingView.h"

namespace {
QString rgbText(Rgb c) { return QStringLiteral("(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b); }
} // namespace

void RecordingView::setText(SessionControl control, const QString &text)
{
    m_texts[control] = text;
    m_log << QStringLiteral("text %1 \"%2\"").arg(QLatin1String(controlName(control)), text);
}

void RecordingView::setForeColour(SessionControl control, Rgb colour)
{
    m_colours[control] = colour;
    m_log
        << QStringLiteral("colour %1 %2").arg(QLatin1String(controlName(control)), rgbText(colour));
}

void RecordingView::setVisible(SessionControl control, bool visible)
{
    m_visible[control] = visible;
    m_log << QStringLiteral("%1 %2").arg(visible ? QStringLiteral("show") : QStringLiteral("hide"),
                                         QLatin1String(controlName(control)));
}

void RecordingView::setStartButton(const QString &caption, Rgb backColour)
{
    m_startCaption = caption;
    m_startBack = backColour;
    m_log << QStringLiteral("start button \"%1\" %2").arg(caption, rgbText(backColour));
}

void RecordingView::setPointer(SessionPointer pointer)
{
    m_pointer = pointer;
    m_log << (pointer == SessionPointer::Default ? QStringLiteral("pointer default")
                                                 : QStringLiteral("pointer stopwatch"));
}

void RecordingView::setTimerEnabled(bool enabled, qint64 phaseNanoseconds)
{
    m_timerEnabled = enabled;
    m_timerPhase = enabled ? phaseNanoseconds : 0;
    m_log << (enabled ? QStringLiteral("timer on") : QStringLiteral("timer off"));
}

void RecordingView::showMessage(const QString &message)
{
    m_messages << message;
    m_log << QStringLiteral("message \"%1\"").arg(message);
}

ShownState RecordingView::design()
{
    const RecordingView unwritten;
    ShownState design;
    for (int i = 0; i < SessionControlCount; ++i) {
        design.texts[i] = Unwritten;
        design.colours[i] = unwritten.foreColour(SessionControl(i));
        design.visible[i] = true;
    }
    design.startButton = ShownState::StartButton{DesignStartCaption, DesignStartBack};
    design.pointer = unwritten.pointer();
    return design;
}

Rgb RecordingView::foreColour(SessionControl control) const
{
    if (const auto it = m_colours.constFind(control); it != m_colours.constEnd())
        return *it;
    // Design colours: the talking time teal, the cluttering time red, the rest window text.
    if (control == SessionControl::Clock)
        return Teal;
    if (control == SessionControl::MarkedTime)
        return Red;
    return Rgb{0, 0, 0};
}
