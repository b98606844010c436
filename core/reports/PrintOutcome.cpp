#include "core/reports/PrintOutcome.h"

#include <QObject>

#include <algorithm>
#include <array>
#include <utility>

namespace {

QString withDetail(const QString &message, const QString &detail)
{
    return detail.isEmpty() ? message : message + QStringLiteral(" (") + detail + QLatin1Char(')');
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

// "host" of "host:port", "[::1]" of "[::1]:631".
QString hostOf(const QString &service) { return service.section(QLatin1Char(':'), 0, -2); }

} // namespace

bool PrintOutcome::canSaveInstead() const
{
    switch (kind) {
    case Kind::Printed:
    case Kind::Waiting:      // it will print
    case Kind::Unconfirmed:  // it may print
    case Kind::RenderFailed: // there is no page to save
        return false;
    default: return true;
    }
}

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
    case Kind::HostNotFound:
        return QObject::tr("The print service's host \"%1\" cannot be found, so the report cannot "
                           "be printed. Check the print server's name (CUPS_SERVER or the print "
                           "system's client settings).")
            .arg(hostOf(service));
    case Kind::NoLookup:
        return QObject::tr("The print service's host \"%1\" cannot be looked up, because the "
                           "program getent (Debian package libc-bin) is missing, so the report "
                           "cannot be printed.")
            .arg(hostOf(service));
    case Kind::NoAnswer:
        return QObject::tr("%1 did not answer within %2 seconds, so the report was not printed.")
            .arg(serviceWords(service))
            .arg(boundSeconds);
    case Kind::SignInNeeded:
        return QObject::tr("%1 asks for a sign-in (a user name and password), which Tallymere "
                           "cannot give, so nothing was printed. Print on a printer that needs "
                           "no sign-in (make it the default printer), or save the report as a "
                           "PDF file.")
            .arg(serviceWords(service));
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
    case Kind::Unconfirmed:
        return QObject::tr("The report was handed to the printer \"%1\" (job %2), but the print "
                           "service stopped answering before it confirmed the job. Look in the "
                           "printer's queue before printing the report again.")
            .arg(printer)
            .arg(jobId);
    case Kind::RenderFailed:
        return QObject::tr("The report page could not be prepared. Nothing was printed.");
    }
    return {};
}

namespace printjob {

namespace {

struct Reason {
    QString keyword; // without its severity suffix
    bool stops = false;
};

Reason parse(const QString &reason)
{
    if (reason == QLatin1String("offline-report"))
        return {QStringLiteral("offline"), true};
    if (reason.endsWith(QLatin1String("-warning")))
        return {reason.chopped(8), false};
    if (reason.endsWith(QLatin1String("-report")))
        return {reason.chopped(7), false};
    if (reason.endsWith(QLatin1String("-error")))
        return {reason.chopped(6), true};
    return {reason, true};
}

// The words for a keyword without its suffix, or empty when it is not a stop we tell of.
QString wordsFor(const QString &keyword)
{
    const std::array<std::pair<const char *, const char *>, 7> words{{
        {"offline", QT_TR_NOOP("it is offline")},
        {"media-empty", QT_TR_NOOP("it is out of paper")},
        {"media-jam", QT_TR_NOOP("there is a paper jam")},
        {"door-open", QT_TR_NOOP("a door is open")},
        {"cover-open", QT_TR_NOOP("its cover is open")},
        {"toner-empty", QT_TR_NOOP("it is out of toner")},
        {"marker-supply-empty", QT_TR_NOOP("it is out of ink or toner")},
    }};
    for (const auto &[name, text] : words)
        if (keyword == QLatin1String(name))
            return QObject::tr(text);
    return {};
}

QString stopWords(const QString &reason)
{
    const Reason parsed = parse(reason.trimmed());
    return parsed.stops ? wordsFor(parsed.keyword) : QString();
}

bool printerStopped(const Reading &reading)
{
    return reading.printerState == PrinterStopped ||
           std::any_of(reading.printerReasons.begin(), reading.printerReasons.end(),
                       [](const QString &reason) { return !stopWords(reason).isEmpty(); });
}

} // namespace

Verdict judge(const Reading &reading, bool settled)
{
    switch (reading.jobState) {
    case Completed: return Verdict::Printing;
    case Canceled:
    case Aborted: return Verdict::Ended;
    default: break;
    }
    if (!settled)
        return Verdict::Undecided;
    if (reading.jobState < Pending || reading.jobState > Completed)
        return Verdict::Unknown;
    if (printerStopped(reading))
        return Verdict::Waiting;
    switch (reading.jobState) {
    case Pending:
    case Held:
    case JobStopped: return Verdict::Waiting;
    default: return Verdict::Printing;
    }
}

QString whyWaiting(const Reading &reading)
{
    const QString words = reasonsInWords(reading.printerReasons);
    if (!words.isEmpty())
        return words;
    if (reading.printerState == PrinterStopped)
        return QObject::tr("the printer is stopped");
    if (reading.jobState == Held)
        return QObject::tr("the job is held");
    return QObject::tr("the printer has not started it yet");
}

QString reasonsInWords(const QStringList &reasons)
{
    QStringList parts;
    for (const QString &reason : reasons) {
        const QString words = stopWords(reason);
        if (!words.isEmpty() && !parts.contains(words))
            parts.append(words);
    }
    if (parts.isEmpty())
        return {};
    QString joined = parts.takeLast();
    if (!parts.isEmpty())
        joined = parts.join(QStringLiteral(", ")) + QObject::tr(" and ") + joined;
    return QObject::tr("the printer reports %1").arg(joined);
}

} // namespace printjob
