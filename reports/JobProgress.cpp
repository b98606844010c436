#include "reports/JobProgress.h"

#include "reports/PrinterStateReasons.h"

#include <QObject>

#include <algorithm>

namespace jobprogress {

namespace {

bool printerStopped(const Reading &reading)
{
    return reading.printerState == PrinterStopped ||
           std::any_of(reading.printerReasons.begin(), reading.printerReasons.end(),
                       printerstatereasons::stopsPrinting);
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
    const QString words = printerstatereasons::plainWords(reading.printerReasons);
    if (!words.isEmpty())
        return words;
    if (reading.printerState == PrinterStopped)
        return QObject::tr("the printer is stopped");
    if (reading.jobState == Held)
        return QObject::tr("the job is held");
    return QObject::tr("the printer has not started it yet");
}

} // namespace jobprogress
