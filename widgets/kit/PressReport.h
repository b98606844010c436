#pragma once

#include <QList>
#include <QObject>

class QWidget;

// Reports the mouse presses and releases on one widget as button codes 1, 2 and 4, with the
// event's timestamp (milliseconds, as the windowing system stamped it), and keeps them from the
// widgets behind it; other buttons are kept but not reported. A double-click counts as a second
// press. It remembers the buttons held, so that a hold a box or a menu takes over can be ended.
class PressReport : public QObject {
    Q_OBJECT
public:
    // Watches `widget`, which owns it.
    explicit PressReport(QWidget *widget);

    // Reports every button still held as released now (a timestamp of 0).
    void releaseHeld();

signals:
    void mouseDown(int buttonCode, quint64 timestamp);
    void mouseUp(int buttonCode, quint64 timestamp);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<int> m_held; // button codes pressed here and not yet released
};
