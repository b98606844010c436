#include "reports/ReportSender.h"

#include "reports/PrintConversation.h"

#include <QDeadlineTimer>
#include <QThread>

#include <chrono>

namespace {

// The worker's own deadline comes a little before the bound, so that it is the worker that
// normally tells of a silent print service, and the bound is only the last resort.
constexpr std::chrono::milliseconds workerBudget{PrintOutcome::boundSeconds * 1000 - 500};

} // namespace

ReportSender::ReportSender(QObject *parent) : QObject(parent)
{
    m_bound.setSingleShot(true);
    m_bound.setInterval(std::chrono::seconds(PrintOutcome::boundSeconds));
    connect(&m_bound, &QTimer::timeout, this, &ReportSender::giveUp);
}

ReportSender::~ReportSender()
{
    abandon();
    // An abandoned worker stops at its next look at the deadline, a fraction of a second away.
    constexpr int endingMs = 2000;
    if (!m_worker.isNull())
        m_worker->wait(QDeadlineTimer(endingMs));
}

void ReportSender::send(const ReportPage &page)
{
    if (busy())
        return;
    m_abandoned = std::make_shared<std::atomic_bool>(false);
    m_service.clear();
    auto *conversation = new PrintConversation(page, QDeadlineTimer(workerBudget), m_abandoned);
    m_conversation = conversation;
    connect(conversation, &PrintConversation::serviceChosen, this,
            [this](const QString &service) { m_service = service; });
    connect(conversation, &PrintConversation::printerFound, this, &ReportSender::printerFound);
    connect(conversation, &PrintConversation::finished, this, &ReportSender::conclude);
    QThread *worker = QThread::create([conversation] { conversation->run(); });
    worker->setObjectName(QStringLiteral("print"));
    connect(worker, &QThread::finished, conversation, &QObject::deleteLater);
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    m_worker = worker;
    worker->start();
    m_bound.start();
}

void ReportSender::conclude(const PrintOutcome &outcome)
{
    if (sender() != m_conversation)
        return;
    m_bound.stop();
    m_conversation.clear();
    emit finished(outcome);
}

void ReportSender::giveUp()
{
    abandon();
    PrintOutcome outcome;
    outcome.kind = PrintOutcome::Kind::NoAnswer;
    outcome.service = m_service;
    emit finished(outcome);
}

// Tells a running worker to stop waiting and cuts it off: nothing it reports arrives any more.
void ReportSender::abandon()
{
    m_bound.stop();
    if (m_conversation.isNull())
        return;
    m_abandoned->store(true);
    m_conversation->disconnect(this);
    m_conversation.clear();
}
