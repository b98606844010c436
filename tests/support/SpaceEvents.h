#pragma once

#include <QCoreApplication>
#include <QKeyEvent>

// SPACE as the windowing system delivers it: down or up, stamped in milliseconds, and flagged or
// not by the toolkit as an auto-repeat. `target` is a window, which passes the event on to the
// control with the keyboard focus, or a control.
namespace spaceevents {

inline void send(QObject *target, QEvent::Type type, quint64 stamp, bool flaggedAsRepeat = false)
{
    QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), flaggedAsRepeat);
    event.setTimestamp(stamp);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace spaceevents
