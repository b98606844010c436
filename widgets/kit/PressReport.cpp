#include "widgets/kit/PressReport.h"

#include "core/events/MouseButtons.h"

#include <QMouseEvent>
#include <QWidget>

#include <utility>

PressReport::PressReport(QWidget *widget) : QObject(widget) { widget->installEventFilter(this); }

bool PressReport::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    mouse->accept();
    const int code = mousebuttons::code(mouse->button());
    if (code == 0)
        return true;
    if (type == QEvent::MouseButtonRelease) {
        m_held.removeAll(code);
        emit mouseUp(code, mouse->timestamp());
    } else {
        if (!m_held.contains(code))
            m_held.append(code);
        emit mouseDown(code, mouse->timestamp());
    }
    return true;
}

void PressReport::releaseHeld()
{
    for (const int code : std::exchange(m_held, {}))
        emit mouseUp(code, 0);
}
