#include "widgets/kit/DesignButton.h"

#include <QMouseEvent>
#include <QPainter>

DesignButton::DesignButton(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QAbstractButton::clicked, this, [this] { emit clickedAt(m_releaseStamp); });
}

void DesignButton::setBackColour(const QColor &colour)
{
    m_graphical = true;
    QPalette p = palette();
    p.setColor(QPalette::Button, colour);
    setPalette(p);
    update();
}

QColor DesignButton::backColour() const { return palette().color(QPalette::Button); }

void DesignButton::paintEvent(QPaintEvent *event)
{
    if (m_graphical)
        paintFlat();
    else
        QPushButton::paintEvent(event);
}

void DesignButton::paintFlat()
{
    QPainter painter(this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QColor text = palette().color(group, QPalette::ButtonText);
    // Whole-pixel rectangles only, so the face and border stay crisp at any scale.
    const QRect face = rect().adjusted(borderWidth, borderWidth, -borderWidth, -borderWidth);
    painter.fillRect(rect(), text);
    painter.fillRect(face, palette().color(QPalette::Button));

    // A pressed button shows its caption one pixel down and to the right.
    const int shift = isDown() ? 1 : 0;
    painter.setPen(text);
    painter.setFont(font());
    painter.drawText(face.translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic,
                     this->text());

    if (hasFocus()) {
        QPen dotted(text, 0, Qt::DotLine); // cosmetic: one device pixel at any scale
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(focusInset, focusInset, -focusInset - 1, -focusInset - 1));
    }
}

void DesignButton::mousePressEvent(QMouseEvent *event)
{
    QPushButton::mousePressEvent(event);
    event->accept();
}

void DesignButton::mouseReleaseEvent(QMouseEvent *event)
{
    // The button clicks while it handles the release.
    m_releaseStamp = event->timestamp();
    QPushButton::mouseReleaseEvent(event);
    m_releaseStamp = 0;
    event->accept();
}

void DesignButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPushButton::mouseDoubleClickEvent(event);
    event->accept();
}
