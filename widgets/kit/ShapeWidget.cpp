#include "widgets/kit/ShapeWidget.h"

#include <QPainter>

#include <algorithm>

ShapeWidget::ShapeWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setBorder(const QColor &colour, int widthPixels)
{
    m_border = colour;
    m_borderWidth = std::max(1, widthPixels);
    update();
}

void ShapeWidget::setFill(const QColor &colour)
{
    m_fill = colour;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The border lies inside the box, so the shape never paints outside its designed size.
    const qreal half = m_borderWidth / 2.0;
    const QRectF box = QRectF(rect()).adjusted(half, half, -half, -half);
    const qreal radius = std::min({box.width(), box.height()}) / 8.0;
    painter.setPen(QPen(m_border, m_borderWidth));
    painter.setBrush(m_fill);
    painter.drawRoundedRect(box, std::min<qreal>(radius, 16), std::min<qreal>(radius, 16));
}
