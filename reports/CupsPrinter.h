#pragma once

#include "reports/JobProgress.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <cups/cups.h>

#include <atomic>
#include <memory>

// One conversation with the print service (CUPS) about one report, on a connection of its own so
// that it can run on any thread: find the default destination and read its details once, hand it
// one PDF document, then read what became of the job. No call waits past the deadline, nor once
// the conversation is abandoned; the conversation then counts as unanswered.
class CupsPrinter {
public:
    enum class Status {
        Ready,              // a default printer exists, is enabled and accepts jobs
        NoPrinter,          // the service runs but has no printer at all
        NoDefault,          // printers are installed but none is the default
        ServiceUnavailable, // the print service is not running (the connection is refused)
        NoAnswer,           // the print service did not answer in time
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

    CupsPrinter(QDeadlineTimer deadline, std::shared_ptr<const std::atomic_bool> abandoned);
    ~CupsPrinter();
    CupsPrinter(const CupsPrinter &) = delete;
    CupsPrinter &operator=(const CupsPrinter &) = delete;

    // The print service this process talks to: "host:port", or empty for the local one.
    static QString serviceName();

    // Connects to the print service: Ready, ServiceUnavailable or NoAnswer.
    Status connect();
    // The default destination, looked up once; its details are kept for submit().
    Destination defaultDestination();
    // Hands `pdf` to the destination found last.
    Submission submit(const QByteArray &pdf, const QString &title);
    // The state of job `jobId` and of its printer now; zeros where the service did not say.
    jobprogress::Reading readJob(int jobId);
    // Whether a call gave up for the deadline or the abandonment.
    bool gaveUp() const { return m_gaveUp; }
    bool stillInTime() const;

    // The page of a printer whose paper is width x length with the given margins, all in
    // hundredths of a millimetre as the print service gives them.
    static QPageLayout pageLayoutFor(int width, int length, int left, int top, int right,
                                     int bottom);
    // The page for a printer that names no usable paper: A4, or Letter where it is customary.
    static QPageLayout localeDefaultPage();

private:
    static int keepWaiting(http_t *http, void *self);
    QStringList installedPrinters();
    QPageLayout pageOfDestination();
    ipp_t *ask(ipp_t *request);

    QDeadlineTimer m_deadline;
    std::shared_ptr<const std::atomic_bool> m_abandoned;
    bool m_gaveUp = false;
    http_t *m_http = nullptr;
    cups_dest_t *m_dest = nullptr;
    cups_dinfo_t *m_info = nullptr;
};
