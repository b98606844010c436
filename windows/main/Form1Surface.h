#pragma once

#include "widgets/kit/ClientArea.h"

class PressReport;

#include <QColor>
#include <QPixmap>

// The client area of the main window: its background colour with the background photograph
// drawn unscaled at the top-left corner, behind every control. Presses and releases over it,
// including over shapes and lines, which let the mouse through, are reported by PressReport. A
// button still held when a window of the program takes the mouse from this one is reported
// released then.
class Form1Surface : public ClientArea {
    Q_OBJECT
public:
    explicit Form1Surface(QWidget *parent = nullptr);

    void setBackColour(const QColor &colour);
    QColor backColour() const { return m_back; }
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

    PressReport &presses() const { return *m_presses; }
    // Reports every button still held as released now (a timestamp of 0): a box or a menu that
    // blocks the window takes the release, which would otherwise never come here.
    void releaseHeld();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_back = Qt::white;
    QPixmap m_picture;
    PressReport *m_presses;
};
