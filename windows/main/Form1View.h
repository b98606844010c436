#pragma once

#include "core/session/SessionView.h"

#include <QCursor>
#include <QHash>
#include <QString>

class DriftFreeTimer;
class QLabel;
class QWidget;

// The session engine's view of the main window: texts, colours and visibility of the named
// controls, the start button, the pointer over the client area, the tick timer and the program's
// message box.
class Form1View : public SessionView {
public:
    Form1View(QWidget &window, QWidget &clientArea, const QHash<QString, QWidget *> &controls,
              DriftFreeTimer &timer);

    void setText(SessionControl control, const QString &text) override;
    void setForeColour(SessionControl control, Rgb colour) override;
    void setVisible(SessionControl control, bool visible) override;
    void setStartButton(const QString &caption, Rgb backColour) override;
    void setPointer(SessionPointer pointer) override;
    void setTimerEnabled(bool enabled, qint64 phaseNanoseconds) override;
    // Read from the controls as the layout built them, before the first write.
    ShownState design() const;
    void showMessage(const QString &message) override;

    SessionPointer pointer() const { return m_pointer; }

    // Narrows the label's designed font if its caption would not fit its box.
    static void fitCaption(QLabel &label);

private:
    QWidget *widget(SessionControl control) const;

    QWidget &m_window;
    QWidget &m_clientArea;
    const QHash<QString, QWidget *> &m_controls;
    DriftFreeTimer &m_timer;
    SessionPointer m_pointer = SessionPointer::Default;
    QCursor m_stopwatch;
};
