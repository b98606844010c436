#pragma once

#include "widgets/kit/ControlRow.h"

#include <QLabel>

class PressReport;

// A label as the designer draws it: opaque or transparent, no border, a sunken 3-D edge or a flat
// one-pixel line. Unlike a plain QLabel it keeps every mouse press and release, so a press over
// a label never reaches the window's background; it reports them through PressReport.
class BorderedLabel : public QLabel {
    Q_OBJECT
public:
    explicit BorderedLabel(QWidget *parent = nullptr);

    void setBorderStyle(BorderStyle style);
    BorderStyle borderStyle() const { return m_border; }

    void setTransparent(bool transparent);
    bool isTransparent() const { return m_transparent; }

    void setTextColour(const QColor &colour);
    QColor textColour() const;
    void setBackColour(const QColor &colour);
    QColor backColour() const;

    // What the label shows, for a screen reader: a value display with the reader name
    // "Talking time in seconds" is read as "Talking time in seconds: 3.6", its current text.
    void setReaderName(const QString &name);
    QString readerName() const { return m_readerName; }

    PressReport &presses() const { return *m_presses; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    BorderStyle m_border = BorderStyle::None;
    bool m_transparent = false;
    QString m_readerName;
    PressReport *m_presses;
};
