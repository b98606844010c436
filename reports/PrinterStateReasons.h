#pragma once

#include <QString>
#include <QStringList>

// The printer-state-reasons keywords of a print queue (IPP), read for what they say about
// printing now. A reason with no suffix or the "-error" suffix stops the printer; one with
// "-warning" never does, and "-report" is informational, except CUPS's "offline-report", its
// way of saying the printer cannot be reached.
namespace printerstatereasons {

// Whether `reason` is one of the stops told in plain words (offline, out of paper, jammed, open,
// out of toner or ink) with a severity that stops the printer.
bool stopsPrinting(const QString &reason);

// "the printer reports it is out of paper" for ["media-empty-error"]; several stops are joined
// ("... it is out of paper and a door is open"). Empty when no reason stops the printer.
QString plainWords(const QStringList &reasons);

} // namespace printerstatereasons
