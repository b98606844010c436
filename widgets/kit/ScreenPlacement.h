#pragma once

#include <QRect>

class QMainWindow;

// Where a window goes on the screen when it is not maximized: its designed place, moved onto the
// screen where the screen is smaller than the design.
namespace screenplacement {

// The designed rectangle moved, at its own size, into the available area; where it is larger
// than the area it keeps the area's left or top edge.
QRect keptOn(QRect designed, QRect area);

// Gives a main window its designed restored geometry: the client area below the menu bar
// `widthTwips` x `heightTwips` with its top-left corner at (`leftTwips`, `topTwips`) on the
// primary screen, kept on that screen. Call it with the menu built and before maximizing; the
// window then returns to this geometry when it is un-maximized.
void restore(QMainWindow &window, int leftTwips, int topTwips, int widthTwips, int heightTwips);

// The window rectangle, menu bar included, that `restore` gives for a menu bar of that height
// and an available screen area.
QRect restoredGeometry(int leftTwips, int topTwips, int widthTwips, int heightTwips,
                       int menuBarHeight, QRect area);

} // namespace screenplacement
