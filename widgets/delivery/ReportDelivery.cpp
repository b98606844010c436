#include "widgets/delivery/ReportDelivery.h"

#include "printing/ReportPdf.h"
#include "widgets/delivery/PrintingNote.h"
#include "widgets/delivery/RecordCommands.h"

#include <QDeadlineTimer>
#include <QThread>

ReportDelivery::ReportDelivery(QObject *parent) : QObject(parent)
{
    m_bound.setSingleShot(true);
    m_bound.setInterval(std::chrono::seconds(PrintOutcome::boundSeconds));
    connect(&m_bound, &QTimer::timeout, this, &ReportDelivery::giveUp);
}

ReportDelivery::~ReportDelivery()
{
    // Every wait of a worker, its name lookup included, looks at the stake a few times a second.
    if (m_stake)
        m_stake->store(CupsConversation::Stage::Closed);
    constexpr int endingMs = 2000;
    const QDeadlineTimer ending(endingMs);
    for (const QPointer<QThread> &worker : std::as_const(m_workers))
        if (worker)
            worker->wait(ending);
}

void ReportDelivery::sayBusy(QWidget *parent)
{
    if (!m_note)
        showNote(parent);
    m_note->sayAlreadySending();
}

void ReportDelivery::makeNote(QWidget *parent)
{
    m_note = new PrintingNote(parent);
    m_note->setAttribute(Qt::WA_DeleteOnClose);
    m_note->setPrinter(m_printer);
    connect(m_note, &PrintingNote::saveAsked, this, &ReportDelivery::savePdf);
}

void ReportDelivery::showNote(QWidget *parent)
{
    makeNote(parent);
    m_note->showFor(parent);
}

// The note comes up with the outcome as its first words.
void ReportDelivery::tellSaved(QWidget *parent, const SaveOutcome &outcome)
{
    if (!m_note)
        makeNote(parent);
    m_note->tell(outcome.message(), false);
}

void ReportDelivery::deliver(QWidget *parent, const ReportPage &page, RecordKind kind)
{
    if (busy())
        return;
    m_parent = parent;
    m_page = page;
    m_kind = kind;
    m_printer.clear();
    m_service = CupsConversation::serviceName();
    if (m_note)
        m_note->close(); // the outcome of the report before
    showNote(parent);

    const auto stake = std::make_shared<CupsConversation::Stake>(CupsConversation::Stage::Open);
    m_stake = stake;
    m_onItsWay = true;
    auto *conversation = new CupsConversation(page, stake);
    // Only the news of the report on its way is heard.
    connect(conversation, &CupsConversation::printerFound, this,
            [this, stake](const QString &name) {
                if (stake == m_stake)
                    printerFound(name);
            });
    connect(conversation, &CupsConversation::finished, this,
            [this, stake](const PrintOutcome &outcome) {
                if (stake == m_stake)
                    tell(outcome);
            });
    QThread *worker = QThread::create([conversation] { conversation->run(); });
    worker->setObjectName(QStringLiteral("print"));
    connect(worker, &QThread::finished, conversation, &QObject::deleteLater);
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    m_workers.removeAll(nullptr);
    m_workers.append(worker);
    worker->start();
    m_bound.start();
}

void ReportDelivery::printerFound(const QString &name)
{
    m_printer = name;
    if (m_note)
        m_note->setPrinter(name);
}

void ReportDelivery::tell(const PrintOutcome &outcome)
{
    m_bound.stop();
    m_onItsWay = false;
    if (outcome.printed()) {
        if (m_note)
            m_note->close();
        return;
    }
    // The note may have gone with the window of the command; the message never does.
    if (!m_note)
        showNote(m_parent);
    m_note->tell(outcome.message(), outcome.canSaveInstead());
}

// The last resort: a worker that has not created the job by now never will, and the user is
// told so; it ends on its own, unheard. A worker that has created it is waited for.
void ReportDelivery::giveUp()
{
    auto open = CupsConversation::Stage::Open;
    if (!m_stake->compare_exchange_strong(open, CupsConversation::Stage::Closed))
        return;
    PrintOutcome outcome;
    outcome.kind = PrintOutcome::Kind::NoAnswer;
    outcome.service = m_service;
    tell(outcome);
}

// Asked from the note: the page that was not printed, saved as File > Save as PDF saves it; a
// file that could not be written leaves the offer open.
void ReportDelivery::savePdf()
{
    const QString path = recordcommands::askPath(m_parent, m_kind, SaveOutcome::Format::Pdf);
    if (path.isEmpty())
        return;
    const SaveOutcome saved = ReportPdf::save(m_page, m_kind, path);
    if (!m_note)
        makeNote(m_parent);
    m_note->tell(saved.message(), !saved.written());
}
