#include "windows/main/Form1Surface.h"

#include "core/events/MouseButtons.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

Form1Surface::Form1Surface(QWidget *parent) : ClientArea(parent)
{
    // A right press marks cluttering; it must never open a context menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Form1Surface::setBackColour(const QColor &colour)
{
    m_back = colour;
    update();
}

void Form1Surface::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void Form1Surface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_back);
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture);
}

void Form1Surface::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    const int code = mousebuttons::code(event->button());
    if (code == 0)
        return;
    if (!m_held.contains(code))
        m_held.append(code);
    emit mouseDown(code, event->timestamp());
}

void Form1Surface::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const int code = mousebuttons::code(event->button());
    if (code == 0)
        return;
    m_held.removeAll(code);
    emit mouseUp(code, event->timestamp());
}

void Form1Surface::releaseHeld()
{
    for (const int code : std::exchange(m_held, {}))
        emit mouseUp(code, 0);
}

void Form1Surface::mouseDoubleClickEvent(QMouseEvent *event) { mousePressEvent(event); }
