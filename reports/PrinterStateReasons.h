#pragma once

#include <QString>
#include <QStringList>

// The printer-state-reasons of a print queue that keep an accepted job from printing now (the
// printer is offline, out of paper, jammed, open, out of toner or ink), told in plain words.
class PrinterStateReasons {
public:
    // "the printer reports it is out of paper" for ["media-empty-error"]; several reasons are
    // joined ("... it is out of paper and a door is open"). Empty when no reason stops printing.
    static QString plainWords(const QStringList &reasons);

private:
    // The words for one reason keyword, or empty when it does not stop printing.
    static QString wordsFor(const QString &reason);
};
