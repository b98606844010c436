#pragma once

#include "core/ratings/RatingCore.h"

#include <QFrame>
#include <QList>

#include <optional>

// One visual analog scale bar: a white drawing area of 779 x 21 pixels inside a 2-pixel sunken
// edge. A press of any mouse button inside the drawing area reports its column X (0 to 778) and
// row Y in the area's own pixels; the edge is not part of the area. Lines are painted with a
// 3-pixel pen, and the bar remembers the lines of its last press so every repaint shows them
// again: a mark stays on screen for as long as the bar lives.
class RatingBar : public QFrame {
    Q_OBJECT
public:
    explicit RatingBar(QWidget *parent = nullptr);

    // Paints one press: the line over the old mark, then the new mark.
    void paintPress(const BarLine &erase, const BarLine &mark);
    // Shows a rating kept from before the bar was made: its mark alone.
    void showMark(const BarLine &mark);
    // The lines the bar shows over its white background (none until the first press).
    const QList<BarLine> &lines() const { return m_lines; }
    // The rating the bar shows: the column of its mark, or none while it has no mark.
    std::optional<float> rating() const;

    // The drawing area in widget coordinates.
    QRect drawingArea() const { return contentsRect(); }

signals:
    // button: 1 left, 2 right, 4 middle (0 another); shift: 1 Shift, 2 Ctrl, 4 Alt, summed.
    void mouseDown(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void paintLine(QPainter &painter, const BarLine &line) const;

    QList<BarLine> m_lines;
};
