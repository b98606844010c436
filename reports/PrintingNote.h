#pragma once

#include <QWidget>

class QLabel;

// A small modeless note, shown while a report is on its way to the printer: which printer (once
// the print service has named it), or that another print has to wait. It never takes the focus
// nor the keyboard, so a running session keeps its SPACE bar and its mouse buttons.
class PrintingNote : public QWidget {
    Q_OBJECT

public:
    explicit PrintingNote(QWidget *owner);

    // Shows the note over the upper part of its owner's window (or of the screen).
    void showFor(QWidget *owner);
    void setPrinter(const QString &name);
    // A second File > Print while this report is on its way: says so beside the printer.
    void sayAlreadySending();

private:
    void refresh();

    QLabel *m_label;
    QString m_printer;
    bool m_alreadySending = false;
};
