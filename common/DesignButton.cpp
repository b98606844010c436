#include "common/DesignButton.h"

#include <QMouseEvent>

DesignButton::DesignButton(QWidget *parent) : QPushButton(parent) {}

void DesignButton::setBackColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Button, colour);
    setPalette(p);
    update();
}

QColor DesignButton::backColour() const { return palette().color(QPalette::Button); }

void DesignButton::mousePressEvent(QMouseEvent *event)
{
    QPushButton::mousePressEvent(event);
    event->accept();
}

void DesignButton::mouseReleaseEvent(QMouseEvent *event)
{
    QPushButton::mouseReleaseEvent(event);
    event->accept();
}

void DesignButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPushButton::mouseDoubleClickEvent(event);
    event->accept();
}
