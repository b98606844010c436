#pragma once

class QFont;
class QLabel;

// Captions are designed for faces we substitute; a substitute a few per cent wider can push a
// caption out of its box (a right-aligned "100.0 %" would lose its leading "1"). fit() narrows
// the label's designed font just enough, in steps of 2 % down to 80 %, for the current text to
// fit the box: on one line for a label that does not wrap, within the box's height for one
// that does. Text that fits keeps the designed font unchanged.
namespace captionfit {

bool fits(const QLabel &label, const QFont &font);

// Returns the stretch applied, 100 when the designed font fits.
int fit(QLabel &label, const QFont &designFont);

} // namespace captionfit
