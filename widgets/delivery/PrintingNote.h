#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

// A small modeless note about the report on its way to the printer: which printer (once the
// print service has named it), that another print has to wait, then what became of the report,
// with a button to save it as PDF where nothing was printed; also what became of a file saved from
// the menus. It never takes the focus, the keyboard or the pointer by itself, so a running session
// keeps its SPACE bar and its mouse buttons whenever the news comes; it stays until the user
// closes it. A reader hears the outcome as a notification.
class PrintingNote : public QFrame {
    Q_OBJECT

public:
    explicit PrintingNote(QWidget *owner);

    // Shows the note over the lower right part of its owner's window (or of the screen).
    void showFor(QWidget *owner);
    void setPrinter(const QString &name);
    // A second File > Print while this report is on its way: says so beside the printer.
    void sayAlreadySending();
    // The outcome, for the user to read and close; `canSave` offers the PDF file.
    void tell(const QString &message, bool canSave);

signals:
    void saveAsked();

private:
    QPushButton *addButton(const char *name, const QString &caption);
    void refresh();
    void setText(const QString &text);

    QLabel *m_label;
    QPushButton *m_save;
    QPushButton *m_close;
    QString m_printer;
    bool m_alreadySending = false;
    QString m_told; // the outcome, once known
};
