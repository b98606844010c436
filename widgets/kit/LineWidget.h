#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

// A straight line between two points of its parent, drawn in a colour and a pen width. The
// widget covers the line's bounding box and takes no mouse input.
class LineWidget : public QWidget {
    Q_OBJECT
public:
    explicit LineWidget(QWidget *parent = nullptr);

    // Points in the parent's pixel coordinates.
    void setLine(QPoint from, QPoint to, const QColor &colour, int widthPixels);
    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }
    QColor colour() const { return m_colour; }
    int penWidth() const { return m_width; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from;
    QPoint m_to;
    QColor m_colour = Qt::black;
    int m_width = 1;
};
