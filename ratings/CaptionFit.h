#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QLabel;

// The designed faces are replaced by installed ones, and a substitute can be a few per cent wider
// than the face a caption was designed in: a title would wrap onto a second line its box cannot
// show, and the instruction paragraph would lose its last words. Rather than cut text, a caption
// that does not fit is drawn in a slightly condensed form of the same face, size and weight,
// narrowed only as far as it takes (never below minStretch per cent).
namespace captionfit {

inline constexpr int minStretch = 85;

// Whether `text`, wrapped at word boundaries, fits entirely within `box` in `font`.
bool fits(const QFont &font, const QString &text, const QSize &box);

// Condenses the label's font until its text fits its contents box; leaves it as it is if it fits.
void fit(QLabel *label);

} // namespace captionfit
