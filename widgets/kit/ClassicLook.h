#pragma once

#include <QPalette>

// The program's own look: one style (ClassicStyle, on Fusion) and one fixed light palette of the
// classic desktop colours, whatever scheme, style or platform theme the desktop has. The windows
// are designed with fixed background colours beside texts in system colours (button text, window
// text, highlight); a dark desktop scheme would put light texts on those light backgrounds. The
// design's system colours therefore always resolve from this palette, and menus, message boxes
// and file dialogs follow it too.
namespace classiclook {

// The fixed palette: button face (212, 208, 200), black texts, white base, navy highlight with
// white highlighted text; disabled texts grey. Every role of every colour group is set, so
// nothing of a desktop palette shows through.
QPalette palette();

// Applies the style and the palette to the running application, and keeps dialogs and menu bars
// inside the program (Qt's own file dialog and message box, menu bars in their windows), where
// the palette reaches them. Call it once, after the application object exists and before any
// window is built.
void apply();

} // namespace classiclook
