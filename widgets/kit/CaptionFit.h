#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QLabel;

// Captions are designed for faces we substitute, and a substitute a few per cent wider can push
// a caption out of its box: a right-aligned "100.0 %" would lose its leading "1", a title would
// wrap onto a line its box cannot show, a paragraph would lose its last words. fit() narrows the
// designed font just enough, down to minStretch per cent, for the label's current text to fit:
// on one line for a label that does not wrap, within the box for one that does. Text that fits
// keeps the designed font unchanged.
namespace captionfit {

inline constexpr int minStretch = 80;

// Whether `text` fits `box` in `font`, on one line or wrapped at word boundaries.
bool fits(const QFont &font, const QString &text, const QSize &box, bool wordWrap = true);

// Sets the narrowest needed stretch of `designFont` on the label; returns it (100 when the
// designed font fits).
int fit(QLabel &label, const QFont &designFont);

} // namespace captionfit
