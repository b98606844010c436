#pragma once

#include "widgets/kit/ControlRow.h"

#include <QStringList>

#include <span>

// A rating bar of the layout: its name, box in twips and designed tab index.
struct BarRow {
    const char *name;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
};

// The design of the rating window, in twips from the top-left corner of its client area (Label1
// from the corner of Frame1). The scale rows come from ScaleTable; the rest is written out here.
namespace ratingslayout {

inline constexpr const char *windowName = "CluttteringScalesForm";
inline constexpr const char *caption = "VISUAL ANALOG SCALE scoring system";
inline constexpr Rgb background{192, 255, 255};
// The client area, and its top-left corner on the screen, when the window is not maximized.
inline constexpr int clientLeft = 165;
inline constexpr int clientTop = 855;
inline constexpr int clientWidth = 14835;
inline constexpr int clientHeight = 10710;

// The instruction frame (a titled group box; its caption, font and colours are the frame's own).
const ControlRow &frame();
// The controls inside the frame: Label1 with the instruction text.
std::span<const ControlRow> frameControls();
// The labels on the window itself: the column titles and, for each scale, title, anchors and the
// two score boxes.
std::span<const ControlRow> controls();
// The nine bars, in screen order.
std::span<const BarRow> bars();
// The twenty controls that Hide and Show act on.
QStringList numberControls();

} // namespace ratingslayout
