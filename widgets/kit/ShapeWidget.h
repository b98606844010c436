#pragma once

#include <QColor>
#include <QWidget>

// A rounded rectangle with a border and a solid fill. It takes no mouse input: presses over it
// reach the window's background, as they would on a drawn shape.
class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    explicit ShapeWidget(QWidget *parent = nullptr);

    void setBorder(const QColor &colour, int widthPixels);
    void setFill(const QColor &colour);
    QColor borderColour() const { return m_border; }
    int borderWidth() const { return m_borderWidth; }
    QColor fillColour() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_border = Qt::black;
    int m_borderWidth = 1;
    QColor m_fill = Qt::white;
};
