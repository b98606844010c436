#pragma once

class QWidget;

// The frame shared by the two information windows: a fixed dialog frame (title bar, system menu
// and close box; no minimise or maximise box; not resizable), no icon, deleted when closed, kept
// out of the taskbar, with its client area placed at a designed screen position in twips.
namespace dialogframe {

// Turns a parentless widget into such a window with the given client rectangle (twips from the
// top-left of the primary screen). The window stays fully on screen when the screen is smaller
// than the design's.
void apply(QWidget *window, int leftTwips, int topTwips, int widthTwips, int heightTwips);

// Asks the window manager not to list the window in the taskbar or pager. Only the X11 desktop
// has a standard hint for this; elsewhere it does nothing and returns false.
bool skipTaskbar(QWidget *window);

} // namespace dialogframe
