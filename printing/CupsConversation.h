#pragma once

#include "core/reports/PrintOutcome.h"
#include "core/reports/ReportPage.h"

#include <QObject>

#include <atomic>
#include <memory>

// One report's conversation with the print service (CUPS), on a worker thread and a connection
// of its own: find the default printer and its paper, draw the page as PDF on it, create the job
// and hand it the document, then watch the job for a moment. The outcome comes back by signal,
// which reaches a receiver on another thread as a queued call; the object stays with the thread
// that made it. This is the only code that speaks to the print library.
//
// Where the report stands is shared with the thread that tells the user (`Stake`). Creating the
// job is the point of no return: the worker turns the stake from Open to Committed right before
// it, and the teller turns it from Open to Closed before it says "not printed", so that once one
// of them has, the other cannot. Before the job, every wait for the service ends at the bound (or
// once the stake is Closed); after it, the job is followed until it is known what it became,
// within a bound of its own, since the user is told that and nothing else.
class CupsConversation : public QObject {
    Q_OBJECT

public:
    enum class Stage { Open, Committed, Closed };
    using Stake = std::atomic<Stage>;

    // How long each part may take: up to the job (counted from the start), then after it.
    static constexpr int beforeJobMs = PrintOutcome::boundSeconds * 1000 - 500;
    static constexpr int afterJobMs = PrintOutcome::boundSeconds * 1000;
    // How long a queued job is watched before it is judged, in milliseconds.
    static constexpr int settleMs = 1500;

    CupsConversation(ReportPage page, std::shared_ptr<Stake> stake);

    // On the worker thread: the whole conversation, then finished() unless the teller closed
    // the stake first (it has then told the user that nothing was printed).
    void run();

    // The print service a conversation started now talks to: "host:port", or empty for the
    // local one. Read afresh on every call, on any thread.
    static QString serviceName();

signals:
    void printerFound(const QString &name);
    void finished(const PrintOutcome &outcome);

private:
    ReportPage m_page;
    std::shared_ptr<Stake> m_stake;
};
