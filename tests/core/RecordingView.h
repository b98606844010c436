#pragma once

#include "core/session/SessionView.h"

#include <QHash>
#include <QStringList>

// A SessionView made of plain values: what each control shows now, and a log of every write in
// order, so tests can check both the end state and that an event wrote nothing at all.
// Colours, visibility and the start button begin as the window's design has them.
class RecordingView : public SessionView {
public:
    static constexpr Rgb Teal{0, 128, 128};
    static constexpr Rgb Red{255, 0, 0};
    static constexpr Rgb Grey{180, 180, 180};
    static constexpr Rgb DesignStartBack{255, 192, 192};
    static inline const QString DesignStartCaption =
        QStringLiteral("SPACE BAR (or MOUSE WHEEL)   to  START");
    static inline const QString Unwritten = QStringLiteral("<unwritten>");

    void setText(SessionControl control, const QString &text) override;
    void setForeColour(SessionControl control, Rgb colour) override;
    void setVisible(SessionControl control, bool visible) override;
    void setStartButton(const QString &caption, Rgb backColour) override;
    void setPointer(SessionPointer pointer) override;
    void setTimerEnabled(bool enabled, qint64 phaseNanoseconds) override;
    // The window's design as far as tests know it: its colours, visibility and start button;
    // texts unwritten.
    static ShownState design();
    bool timerEnabled() const { return m_timerEnabled; }
    qint64 timerPhase() const { return m_timerPhase; }
    void showMessage(const QString &message) override;

    QString text(SessionControl control) const { return m_texts.value(control, Unwritten); }
    Rgb foreColour(SessionControl control) const;
    bool isVisible(SessionControl control) const { return m_visible.value(control, true); }
    QString startCaption() const { return m_startCaption; }
    Rgb startBack() const { return m_startBack; }
    SessionPointer pointer() const { return m_pointer; }
    QStringList messages() const { return m_messages; }
    const QStringList &log() const { return m_log; }
    void clearLog() { m_log.clear(); }

private:
    QHash<SessionControl, QString> m_texts;
    QHash<SessionControl, Rgb> m_colours;
    QHash<SessionControl, bool> m_visible;
    QString m_startCaption = DesignStartCaption;
    Rgb m_startBack = DesignStartBack;
    SessionPointer m_pointer = SessionPointer::Stopwatch; // the window's design pointer
    bool m_timerEnabled = false;
    qint64 m_timerPhase = 0;
    QStringList m_messages;
    QStringList m_log;
};
