#pragma once

class QWidget;

// What a screen reader gets from the layout kit's controls, beyond Qt's own interfaces:
// - a BorderedLabel with a reader name reads as "<reader name>: <its text>", and every
//   BorderedLabel offers its whole text through the text interface;
// - a widget marked with readTopDown() gives its child controls in reading order
//   (readingorder::order on their boxes) instead of their stacking order.
namespace accessibility {

// Registers the interfaces with Qt; safe to call any number of times. Call it before a reader
// first looks at the widgets (in practice: when the first window is built).
void install();

// Makes a reader go through `container`'s child widgets top-down. Works for a widget of a class
// of its own (a plain QWidget is served by Qt's interface before ours): windows, ClientArea.
void readTopDown(QWidget *container);

} // namespace accessibility
