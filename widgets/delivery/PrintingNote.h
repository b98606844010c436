#pragma once

#include <QFrame>
#include <QMap>

#include <functional>

class QLabel;
class QVBoxLayout;

// A small modeless note of messages about what the user keeps: the report on its way to the
// printer (which printer, once the print service has named it, and that another print has to
// wait), then what became of it, with a button to save it as PDF where nothing was printed; and
// what became of each file saved from the menus. Each outcome is a message of its own, which
// stays until its Close button is pressed, and an offer to save stays until it is used or closed:
// none replaces or closes another unread. The note never takes the focus, the keyboard or the
// pointer by itself, so a running session keeps its SPACE bar and its mouse buttons whenever the
// news comes; it goes when its last message is closed. A reader hears each message as a
// notification.
class PrintingNote : public QFrame {
    Q_OBJECT

public:
    explicit PrintingNote(QWidget *owner);

    // Shows the note over the lower right part of its owner's window (or of the screen).
    void showFor(QWidget *owner);
    // A new message, at the bottom, with a "Save as PDF..." button that calls `save` where one
    // is given, and, unless `closable` is false, a Close button. Returns its number.
    int add(const QString &text, const std::function<void()> &save = {}, bool closable = true);
    // Message `number` says `text` instead, with its buttons as add() gives them; a reader hears
    // it anew.
    void replace(int number, const QString &text, const std::function<void()> &save = {},
                 bool closable = true);
    // Message `number` goes, as its Close button takes it; the note goes with its last message.
    void remove(int number);
    bool has(int number) const { return m_messages.contains(number); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *makeMessage(const QString &text, const std::function<void()> &save, bool closable,
                         int number);
    void place();

    QVBoxLayout *m_list;
    QMap<int, QWidget *> m_messages;
    int m_next = 1;
};
