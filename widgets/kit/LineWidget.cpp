#include "widgets/kit/LineWidget.h"

#include <QPainter>

#include <algorithm>

LineWidget::LineWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::setLine(QPoint from, QPoint to, const QColor &colour, int widthPixels)
{
    m_from = from;
    m_to = to;
    m_colour = colour;
    m_width = std::max(1, widthPixels);
    const int pad = m_width;
    const QRect box = QRect(from, to).normalized().adjusted(-pad, -pad, pad, pad);
    setGeometry(box);
    update();
}

void LineWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(m_colour, m_width);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPoint origin = geometry().topLeft();
    painter.drawLine(m_from - origin, m_to - origin);
}
