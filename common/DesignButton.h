#pragma once

#include <QPushButton>

// A push button with the designer's back colour really shown, that keeps every mouse press to
// itself: a right or middle press over a button must not fall through to the window behind it.
class DesignButton : public QPushButton {
    Q_OBJECT
public:
    explicit DesignButton(QWidget *parent = nullptr);

    void setBackColour(const QColor &colour);
    QColor backColour() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
