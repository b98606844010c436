#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <QStringList>

// The system's default printer as the print service (CUPS) reports it, and the hand-over of one
// PDF document to it. Every call asks the service afresh; nothing is cached between prints.
class CupsPrinter {
public:
    enum class Status {
        Ready,              // a default printer exists, is enabled and accepts jobs
        NoPrinter,          // the service runs but has no printer at all
        NoDefault,          // printers are installed but none is the default
        ServiceUnavailable, // the print service cannot be reached
        Stopped,            // the default printer is stopped (disabled)
        Rejecting,          // the default printer refuses new jobs
    };

    struct Destination {
        Status status = Status::NoPrinter;
        QString name;
        QPageLayout pageLayout; // the printer's default paper with its margins
        QString detail;         // the service's own words when it could not be asked
        QStringList installed;  // with NoDefault: the printers there are
    };

    struct Submission {
        bool accepted = false;
        bool serviceUnavailable = false;
        int jobId = 0;
        QString detail; // why the job was not accepted
    };

    // The smallest margin of a report page, for printers that claim borderless paper.
    static constexpr double minimumMarginMm = 6.35;

    static Destination defaultDestination();
    static Submission submit(const QString &printer, const QByteArray &pdf, const QString &title);
    // The printer's printer-state-reasons keywords as the service reports them now ("none" when
    // all is well); empty when it cannot be asked.
    static QStringList stateReasons(const QString &printer);

    // The page of a printer whose paper is width x length with the given margins, all in
    // hundredths of a millimetre as the print service gives them.
    static QPageLayout pageLayoutFor(int width, int length, int left, int top, int right,
                                     int bottom);
    // The page for a printer that names no usable paper: A4, or Letter where it is customary.
    static QPageLayout localeDefaultPage();
};
