#pragma once

#include <QPushButton>

// A push button that keeps every mouse press to itself: a right or middle press over a button
// must not fall through to the window behind it.
//
// A button given a back colour is drawn in the designer's graphical style with a flat
// appearance: its face filled flat with exactly that colour, a thin flat border, its caption
// centred in the button-text colour, and a dotted focus rectangle while it has the focus. A
// button without one is drawn by the style like any other.
class DesignButton : public QPushButton {
    Q_OBJECT
public:
    explicit DesignButton(QWidget *parent = nullptr);

    void setBackColour(const QColor &colour);
    QColor backColour() const;

    // Inside the border and the focus rectangle: the part of the face only the caption covers.
    static constexpr int borderWidth = 1;
    static constexpr int focusInset = 3;

signals:
    // A click, with the timestamp of the release that made it (milliseconds, as the windowing
    // system stamped it); 0 for a click that no mouse release made.
    void clickedAt(quint64 timestamp);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void paintFlat();

    bool m_graphical = false;
    quint64 m_releaseStamp = 0;
};
