#include "windows/main/Form1Surface.h"

#include "widgets/kit/PressReport.h"

#include <QPaintEvent>
#include <QPainter>

Form1Surface::Form1Surface(QWidget *parent) : ClientArea(parent), m_presses(new PressReport(this))
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

void Form1Surface::releaseHeld() { m_presses->releaseHeld(); }
