#pragma once

#include <QAccessibleTextInterface>
#include <QAccessibleWidget>

class BorderedLabel;

// A bordered label as a screen reader sees it: static text whose name is its reader name and its
// current text ("Talking time in seconds: 3.6"), or, without a reader name, its accessible name
// or its text; its whole text is readable through the text interface. QLabel announces each
// change of text with a name-change event, which is what lets a reader follow a running value.
class LabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelAccessible(BorderedLabel *label);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    // Text interface: the label's text, read-only, with no selection and no caret.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    BorderedLabel *label() const;
};
