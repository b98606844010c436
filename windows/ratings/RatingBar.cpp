#include "windows/ratings/RatingBar.h"

#include "core/events/MouseButtons.h"
#include "widgets/kit/LayoutBuilder.h"
#include "windows/ratings/RatingBarAccessible.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr int edge = 2; // the sunken edge on every side

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace

RatingBar::RatingBar(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWidth(edge);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SizeVerCursor);
    QPalette p = palette();
    p.setColor(QPalette::Window, layout::colour(RatingCore::eraseColour));
    setPalette(p);
    setAutoFillBackground(true);
    RatingBarAccessible::install();
}

void RatingBar::paintPress(const BarLine &erase, const BarLine &mark)
{
    // The erasing line covers the previous press's mark exactly (same pen, same place), so the
    // last press's two lines are all the bar ever needs to redraw.
    m_lines = {erase, mark};
    update();
    QAccessibleValueChangeEvent event(this, RatingCore::PercentScore(float(mark.line.x1())));
    QAccessible::updateAccessibility(&event);
}

void RatingBar::showMark(const BarLine &mark)
{
    m_lines = {mark};
    update();
}

std::optional<float> RatingBar::rating() const
{
    if (m_lines.isEmpty())
        return std::nullopt;
    return float(m_lines.last().line.x1());
}

void RatingBar::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = drawingArea();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.fillRect(QRect(0, 0, area.width(), area.height()),
                     layout::colour(RatingCore::eraseColour));
    for (const BarLine &line : m_lines)
        paintLine(painter, line);
}

void RatingBar::paintLine(QPainter &painter, const BarLine &line) const
{
    const QColor colour = layout::colour(line.colour);
    const double half = (RatingCore::penWidth - 1) / 2.0;
    if (line.line.x1() == line.line.x2()) {
        // A vertical line covers the pen's width of whole pixel columns centred on X, so it
        // lands on the same columns at every screen density.
        const double top = std::min(line.line.y1(), line.line.y2());
        const double height = std::abs(line.line.dy()) + 1;
        painter.fillRect(QRectF(line.line.x1() - half, top, RatingCore::penWidth, height), colour);
        return;
    }
    painter.setPen(QPen(colour, RatingCore::penWidth, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(line.line.translated(0.5, 0.5));
}

void RatingBar::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    const QPointF inArea = event->position() - QPointF(drawingArea().topLeft());
    const double x = std::floor(inArea.x());
    const double y = std::floor(inArea.y());
    if (x < 0 || y < 0 || x >= drawingArea().width() || y >= drawingArea().height())
        return; // on the edge, not in the drawing area
    emit mouseDown(mousebuttons::code(event->button()), shiftCode(event->modifiers()),
                   static_cast<float>(x), static_cast<float>(y));
}

void RatingBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a quick double press is a press like any other.
    mousePressEvent(event);
}
