#pragma once

#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"

#include <QDeadlineTimer>
#include <QObject>

#include <atomic>
#include <memory>

// One report's conversation with the print service, run on a worker thread of its own: run()
// does the whole of it there and reports back by signal, which reaches a receiver on another
// thread as a queued call. The object itself stays with the thread that made it.
class PrintConversation : public QObject {
    Q_OBJECT

public:
    PrintConversation(ReportPage page, QDeadlineTimer deadline,
                      std::shared_ptr<const std::atomic_bool> abandoned);

    // On the worker thread: the whole conversation, then finished().
    void run();

signals:
    void serviceChosen(const QString &service); // as CupsPrinter::serviceName() gives it
    void printerFound(const QString &name);
    void finished(const PrintOutcome &outcome);

private:
    ReportPage m_page;
    QDeadlineTimer m_deadline;
    std::shared_ptr<const std::atomic_bool> m_abandoned;
};
