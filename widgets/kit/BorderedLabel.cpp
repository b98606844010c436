#include "widgets/kit/BorderedLabel.h"

#include "widgets/kit/Accessibility.h"
#include "widgets/kit/PressReport.h"

#include <QAccessible>
#include <QPainter>

BorderedLabel::BorderedLabel(QWidget *parent) : QLabel(parent), m_presses(new PressReport(this))
{
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setIndent(0);
    accessibility::install();
}

void BorderedLabel::setBorderStyle(BorderStyle style)
{
    m_border = style;
    switch (style) {
    case BorderStyle::None: setFrameStyle(QFrame::NoFrame); break;
    case BorderStyle::Sunken:
        // The classic two-pixel sunken edge of a bordered label.
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        setLineWidth(2);
        break;
    case BorderStyle::Flat:
        setFrameStyle(QFrame::NoFrame); // drawn by paintEvent as a plain one-pixel line
        setContentsMargins(1, 1, 1, 1);
        break;
    }
    update();
}

void BorderedLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    setAutoFillBackground(!transparent);
    setAttribute(Qt::WA_TranslucentBackground, transparent);
    update();
}

void BorderedLabel::setTextColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    setPalette(p);
}

QColor BorderedLabel::textColour() const { return palette().color(QPalette::WindowText); }

void BorderedLabel::setBackColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

QColor BorderedLabel::backColour() const { return palette().color(QPalette::Window); }

void BorderedLabel::setReaderName(const QString &name)
{
    if (name == m_readerName)
        return;
    m_readerName = name;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void BorderedLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_border == BorderStyle::Flat) {
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
