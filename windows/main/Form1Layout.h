#pragma once

#include "widgets/kit/ControlRow.h"

#include <span>

// The main window's designed look as data: one row per control, positions in twips from the
// client area's top-left corner, row numbers as stacking order (a lower number in front). The
// window builds itself from these rows; the layout tests check the live window against them.
namespace form1layout {

inline constexpr const char *caption =
    "Tallymere (Version 2.02; Special  Release for QEFA, October 2005)";

// Row 2 of the design is the tick timer Timer1, which has no visible part and no row here; it
// ticks every SessionEngine::TickMilliseconds.

// The window's background colour, under the background photograph.
inline constexpr Rgb backColour{192, 255, 192};

// The client area the design was drawn for, in twips; controls reach beyond it to the right.
// The window takes it, at its designed place on the screen, when it is not maximized.
inline constexpr int designWidth = 10815;
inline constexpr int designHeight = 10200;
inline constexpr int designLeft = 1110;
inline constexpr int designTop = 600;

std::span<const ControlRow> rows();

// The 1816-character text of the instructions panel.
const char *instructionsText();

} // namespace form1layout
