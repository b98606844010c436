#include "widgets/delivery/ReportDelivery.h"

#include "printing/ReportPdf.h"
#include "widgets/delivery/PrintingNote.h"
#include "widgets/delivery/RecordCommands.h"

#include <QDeadlineTimer>
#include <QThread>

#include <utility>

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
    // Its offers call back into the delivery.
    delete m_note;
}

void ReportDelivery::sayBusy(QWidget *parent)
{
    note(parent);
    m_alreadySending = true;
    showSending();
}

PrintingNote *ReportDelivery::note(QWidget *parent)
{
    // It goes with the window it was made for.
    if (!m_note)
        m_note = new PrintingNote(parent);
    return m_note;
}

QString ReportDelivery::sendingText() const
{
    QString text = m_printer.isEmpty()
                       ? tr("Sending the report to the default printer...")
                       : tr("Sending the report to the printer \"%1\"...").arg(m_printer);
    if (m_alreadySending)
        text += QLatin1Char('\n') + tr("Only one report is sent at a time; print the other one "
                                       "when this one has gone.");
    return text;
}

// The message of the report on its way, made anew if its note went with a window.
void ReportDelivery::showSending()
{
    if (m_note && m_note->has(m_sending))
        m_note->replace(m_sending, sendingText(), {}, false);
    else
        m_sending = note(m_parent)->add(sendingText(), {}, false);
}

void ReportDelivery::tellSaved(QWidget *parent, const SaveOutcome &outcome)
{
    say(parent, outcome.message());
}

void ReportDelivery::say(QWidget *parent, const QString &message) { note(parent)->add(message); }

void ReportDelivery::keep(QWidget *parent, const std::function<SaveOutcome()> &write,
                          const std::function<void()> &then)
{
    const auto outcome = std::make_shared<SaveOutcome>();
    QThread *worker = QThread::create([write, outcome] { *outcome = write(); });
    worker->setObjectName(QStringLiteral("keep"));
    connect(worker, &QThread::finished, this,
            [this, parent = QPointer<QWidget>(parent), outcome, then] {
                tellSaved(parent, *outcome);
                if (then)
                    then();
            });
    startWorker(worker);
}

void ReportDelivery::startWorker(QThread *worker)
{
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    m_workers.removeAll(nullptr);
    m_workers.append(worker);
    worker->start();
}

void ReportDelivery::deliver(QWidget *parent, const ReportPage &page, RecordKind kind)
{
    if (busy())
        return;
    m_parent = parent;
    m_page = page;
    m_kind = kind;
    m_printer.clear();
    m_alreadySending = false;
    m_service = CupsConversation::serviceName();
    m_sending = note(parent)->add(sendingText(), {}, false);

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
    startWorker(worker);
    m_bound.start();
}

void ReportDelivery::printerFound(const QString &name)
{
    m_printer = name;
    // News that comes after the outcome (the report given up at the bound) changes no message.
    if (m_onItsWay)
        showSending();
}

void ReportDelivery::tell(const PrintOutcome &outcome)
{
    // A worker given up at the bound has been told of already.
    if (!m_onItsWay)
        return;
    m_bound.stop();
    m_onItsWay = false;
    if (outcome.printed()) {
        if (m_note)
            m_note->remove(std::exchange(m_sending, 0));
        return;
    }
    // The note may have gone with the window of the command; the message never does.
    if (!m_note || !m_note->has(m_sending))
        m_sending = note(m_parent)->add(QString());
    std::function<void()> save;
    if (outcome.canSaveInstead())
        save = [this, parent = m_parent, page = m_page, kind = m_kind, offer = m_sending] {
            savePdf(parent, page, kind, offer);
        };
    m_note->replace(m_sending, outcome.message(), save);
    m_sending = 0; // the message is the outcome's now, and stays until closed
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

void ReportDelivery::savePdf(QPointer<QWidget> parent, const ReportPage &page, RecordKind kind,
                             int offer)
{
    const QString path = recordcommands::askPath(parent, kind, SaveOutcome::Format::Pdf);
    if (path.isEmpty())
        return;
    const SaveOutcome saved = ReportPdf::save(page, kind, path);
    if (saved.written() && m_note)
        m_note->remove(offer);
    tellSaved(parent, saved);
}
