#pragma once

#include <QAccessible>

class QAbstractButton;
class QString;
class QWidget;

// What a screen reader gets from the layout kit's controls, beyond Qt's own interfaces:
// - a BorderedLabel with a reader name reads as "<reader name>: <its text>", and every
//   BorderedLabel offers its whole text through the text interface;
// - a widget marked with readTopDown() gives its child controls in reading order
//   (readingorder::order on their boxes) instead of their stacking order;
// - a control shown again, and a focused button given a new caption, reach a reader the way
//   setVisible() and setFocusedCaption() below tell.
//
// Qt 6.4's AT-SPI bridge tells a reader that a control was shown ("showing") but never that it
// is "visible", and it announces a new name with the object instead of the name, which Orca
// cannot speak. A reader that cached the control (at-spi's client cache does) then keeps it
// hidden, and a new caption of the focused button goes unsaid. Both are mended the same way: the
// control is given to the reader as a new object, which the reader reads afresh.
namespace accessibility {

// Registers the interfaces with Qt; safe to call any number of times. Call it before a reader
// first looks at the widgets (in practice: when the first window is built).
void install();
// Registers `factory` with Qt once, however often it is called: for interfaces of controls
// outside the kit.
void installFactory(QAccessible::InterfaceFactory factory);

// Makes a reader go through `container`'s child widgets top-down. Works for a widget of a class
// of its own (a plain QWidget is served by Qt's interface before ours): windows, ClientArea.
void readTopDown(QWidget *container);

// Shows or hides `widget`. Shown again, it reaches a reader as a new object with its states read
// anew, so the reader no longer takes it for hidden.
void setVisible(QWidget *widget, bool visible);

// Makes a reader take `widget` for a notification, which it speaks whenever it is shown; its
// accessible name is what is said.
void readAsNotification(QWidget *widget);

// Sets the caption of `button`. While it has the focus, a reader is then told that the focus is
// on the button with its new name, which it speaks as it speaks any focused button.
void setFocusedCaption(QAbstractButton *button, const QString &caption);

} // namespace accessibility
