#pragma once

#include "core/design/Rgb.h"

#include <QLineF>
#include <QString>

struct RatingFields;
struct ScaleRow;

// One straight line to paint on a bar's drawing area, in its pixels, with the bar's pen.
struct BarLine {
    QLineF line;
    Rgb colour;

    friend bool operator==(const BarLine &, const BarLine &) = default;
};

// What one press on a bar produces, in the order it is applied: paint over the old mark, paint
// the new one, keep the new rating, show the two score texts.
struct BarPress {
    BarLine erase;
    BarLine mark;
    float rating = 0;
    QString percentText;
    QString nineText;
};

// The visual analog scale arithmetic, free of any widget: a rating is the pressed pixel column
// of a bar's 779-pixel drawing area (0 to 778), held in single precision, and is shown as a
// 0-100 score ("###.0 %") and a 1-9 score ("#.0"). Both quotients are rounded to single
// precision before they are formatted, so the window and the printed report agree to the digit.
class RatingCore {
public:
    static constexpr float fullScale = 778; // the right-most column; divisor of both scores
    static constexpr int areaWidth = 779;   // drawing-area columns 0 to 778
    static constexpr int areaHeight = 21;   // drawing-area rows 0 to 20
    static constexpr float markTop = 0;     // every mark and erasing line runs from Y 0 ...
    static constexpr float markBottom = 21; // ... to Y 21
    static constexpr int penWidth = 3;      // the bar's pen, in pixels
    static constexpr Rgb markColour{255, 128, 128};
    static constexpr Rgb eraseColour{255, 255, 255}; // the bar's own background

    // The 0-100 score text: rating / 778 in single precision, as "###.0 %" (".0 %" to "100.0 %").
    static QString PercentScoreText(float rating);
    static QString PercentScoreText(float rating, const QString &decimal);
    // The 0-100 score as a number, to the tenth its text shows: 0 to 100.
    static double PercentScore(float rating);
    // The 1-9 score text: rating / 778 * 8 + 1 in single precision, as "#.0" ("1.0" to "9.0").
    static QString NineScoreText(float rating);
    static QString NineScoreText(float rating, const QString &decimal);

    // A press at column x on a bar whose current rating is `current`.
    static BarPress press(float current, float x);
    // The same press on one scale of `fields`: stores the new rating and marks the scale rated.
    static BarPress press(RatingFields &fields, const ScaleRow &scale, float x);
    // The mark a rating shows on its bar.
    static BarLine mark(float rating);

private:
    static BarLine verticalLine(float x, Rgb colour);
};
