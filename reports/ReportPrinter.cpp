#include "reports/ReportPrinter.h"

#include "reports/CupsPrinter.h"
#include "reports/JobProgress.h"
#include "reports/ReportPdf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QObject>
#include <QSaveFile>
#include <QThread>

namespace {

QString withDetail(const QString &message, const QString &detail)
{
    return detail.isEmpty() ? message : message + QStringLiteral(" (") + detail + QLatin1Char(')');
}

PrintOutcome::Kind kindOf(CupsPrinter::Status status)
{
    switch (status) {
    case CupsPrinter::Status::NoPrinter: return PrintOutcome::Kind::NoPrinter;
    case CupsPrinter::Status::NoDefault: return PrintOutcome::Kind::NoDefault;
    case CupsPrinter::Status::ServiceUnavailable: return PrintOutcome::Kind::ServiceUnavailable;
    case CupsPrinter::Status::NoAnswer: return PrintOutcome::Kind::NoAnswer;
    case CupsPrinter::Status::Stopped: return PrintOutcome::Kind::PrinterStopped;
    case CupsPrinter::Status::Rejecting: return PrintOutcome::Kind::PrinterRejecting;
    case CupsPrinter::Status::Ready: break;
    }
    return PrintOutcome::Kind::Printed;
}

// Printers installed without a default: say so, and how to choose one.
QString noDefaultMessage(const QStringList &installed)
{
    if (installed.size() == 1)
        return QObject::tr("The printer \"%1\" is installed but is not the default printer, so "
                           "the report cannot be printed. Make it the default in the system's "
                           "printer settings, or with the command: lpoptions -d %1")
            .arg(installed.first());
    return QObject::tr("Printers are installed (%1) but none is the default printer, so the "
                       "report cannot be printed. Make one the default in the system's printer "
                       "settings, or with the command: lpoptions -d NAME")
        .arg(installed.join(QStringLiteral(", ")));
}

// "The local print service" or "The print service at host:port".
QString serviceWords(const QString &service)
{
    return service.isEmpty() ? QObject::tr("The local print service")
                             : QObject::tr("The print service at %1").arg(service);
}

// Watches an accepted job until it is printing, done, ended or waiting, or the short moment
// after queueing has passed. A service that stops answering now leaves the job as accepted.
void judgeJob(CupsPrinter &cups, PrintOutcome &outcome)
{
    constexpr int pollMs = 200;
    QElapsedTimer queued;
    queued.start();
    for (;;) {
        const jobprogress::Reading reading = cups.readJob(outcome.jobId);
        if (cups.gaveUp())
            return;
        const bool settled = queued.elapsed() >= ReportPrinter::settleMs || !cups.stillInTime();
        switch (jobprogress::judge(reading, settled)) {
        case jobprogress::Verdict::Undecided: break;
        case jobprogress::Verdict::Printing: return;
        case jobprogress::Verdict::Ended: outcome.kind = PrintOutcome::Kind::JobEnded; return;
        case jobprogress::Verdict::Waiting:
            outcome.kind = PrintOutcome::Kind::Waiting;
            outcome.waitingReason = jobprogress::whyWaiting(reading);
            return;
        }
        QThread::msleep(pollMs);
    }
}

} // namespace

QString PrintOutcome::message() const
{
    switch (kind) {
    case Kind::Printed:
        return QObject::tr("The report was sent to the printer \"%1\" (job %2).")
            .arg(printer)
            .arg(jobId);
    case Kind::Waiting:
        return QObject::tr("The report is waiting in the print queue of the printer \"%1\" (job "
                           "%2): %3. It will print when the printer is ready.")
            .arg(printer, QString::number(jobId), waitingReason);
    case Kind::NoPrinter:
        return QObject::tr("No printer is installed, so the report cannot be printed.");
    case Kind::NoDefault: return noDefaultMessage(installed);
    case Kind::ServiceUnavailable:
        return QObject::tr("%1 is not running, so the report cannot be printed.")
            .arg(serviceWords(service));
    case Kind::NoAnswer:
        return QObject::tr("%1 did not answer within %2 seconds, so the report was not printed.")
            .arg(serviceWords(service))
            .arg(boundSeconds);
    case Kind::PrinterStopped:
        return QObject::tr("The printer \"%1\" is stopped. Start it and print again; nothing was "
                           "printed.")
            .arg(printer);
    case Kind::PrinterRejecting:
        return QObject::tr("The printer \"%1\" is not accepting jobs. Nothing was printed.")
            .arg(printer);
    case Kind::JobRefused:
        return withDetail(QObject::tr("The printer \"%1\" did not accept the report. Nothing was "
                                      "printed.")
                              .arg(printer),
                          detail);
    case Kind::JobEnded:
        return QObject::tr("The printer \"%1\" took the report (job %2) but ended the job "
                           "without printing it.")
            .arg(printer)
            .arg(jobId);
    case Kind::RenderFailed:
        return QObject::tr("The report page could not be prepared. Nothing was printed.");
    }
    return {};
}

QString SaveOutcome::message() const
{
    const QString where = QDir::toNativeSeparators(path);
    if (saved)
        return QObject::tr("The report was saved as:\n%1").arg(where);
    return withDetail(QObject::tr("The report could not be saved to %1.").arg(where), detail);
}

PrintOutcome ReportPrinter::print(const ReportPage &page, CupsPrinter &cups,
                                  const std::function<void(const QString &)> &printerFound)
{
    PrintOutcome outcome;
    outcome.service = CupsPrinter::serviceName();
    outcome.kind = kindOf(cups.connect());
    if (!outcome.printed())
        return outcome;
    const CupsPrinter::Destination destination = cups.defaultDestination();
    outcome.printer = destination.name;
    outcome.detail = destination.detail;
    outcome.installed = destination.installed;
    outcome.kind = kindOf(destination.status);
    if (!outcome.printed())
        return outcome;
    printerFound(destination.name);

    const std::optional<QByteArray> pdf = ReportPdf::render(page, destination.pageLayout);
    if (!pdf) {
        outcome.kind = PrintOutcome::Kind::RenderFailed;
        return outcome;
    }
    const CupsPrinter::Submission job = cups.submit(*pdf, page.title());
    outcome.jobId = job.jobId;
    outcome.detail = job.detail;
    if (!job.accepted) {
        outcome.kind = cups.gaveUp()            ? PrintOutcome::Kind::NoAnswer
                       : job.serviceUnavailable ? PrintOutcome::Kind::ServiceUnavailable
                                                : PrintOutcome::Kind::JobRefused;
        return outcome;
    }
    // Accepted: the job stays queued whatever becomes of it; the user is only told why it does
    // not come out now.
    judgeJob(cups, outcome);
    return outcome;
}

SaveOutcome ReportPrinter::saveAsPdf(const ReportPage &page, const QString &path)
{
    SaveOutcome outcome;
    outcome.path = path;
    const std::optional<QByteArray> pdf = ReportPdf::render(page, CupsPrinter::localeDefaultPage());
    if (!pdf) {
        outcome.detail = QObject::tr("the page could not be prepared");
        return outcome;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*pdf) != pdf->size() || !file.commit()) {
        outcome.detail = file.errorString();
        return outcome;
    }
    outcome.saved = true;
    return outcome;
}
