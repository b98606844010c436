#pragma once

#include "core/reports/RecordKind.h"
#include "core/reports/ReportPage.h"
#include "printing/CupsConversation.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class PrintingNote;
struct SaveOutcome;
class QThread;
class QWidget;

// Takes a report from a print command to the printer and tells the user what became of it, one
// report at a time for the whole program, without ever taking the user's input: the
// conversation with the print service runs on a worker thread, and a message in a modeless note
// that takes no focus names the printer while the report is on its way, then tells the outcome
// and stays until it is closed, with the offer to save the report as PDF where nothing was
// printed. A printed report is not announced; its message goes. Files the user keeps are told in
// the same note, each in a message of its own; a table is written on a worker thread too, so a
// slow disk or a table another program holds never stops the session.
//
// Bound: should the worker not have created the job within 10 s (a call of the print library
// that does not heed its deadline), the report is closed as unanswered and whatever the worker
// says later is ignored; it can no longer create the job, and the next report is a fresh attempt.
// A job created in time is told as what it became, however late its news.
class ReportDelivery : public QObject {
    Q_OBJECT

public:
    explicit ReportDelivery(QObject *parent = nullptr);
    // Closes a report still on its way and waits for every worker to end, which each does within
    // a fifth of a second of it (up to 2 s), so that none outlives the delivery.
    ~ReportDelivery() override;

    // A report is on its way, its outcome not told yet: another report has to wait.
    bool busy() const { return m_onItsWay; }
    // Tells the user, in the note (shown anew over `parent` if it has gone), that a report is
    // already on its way.
    void sayBusy(QWidget *parent);
    // Sends `page`, `kind`'s report; `parent` is the window of the command. Ignored while busy.
    void deliver(QWidget *parent, const ReportPage &page, RecordKind kind);
    // Tells in the note (shown over `parent` if it has gone) what became of a file the user saved.
    void tellSaved(QWidget *parent, const SaveOutcome &outcome);
    // Tells `message` in the note, shown over `parent` if it has gone.
    void say(QWidget *parent, const QString &message);
    // Runs `write` on a worker thread and tells its outcome as tellSaved() does, once it is known,
    // then runs `then` here.
    void keep(QWidget *parent, const std::function<SaveOutcome()> &write,
              const std::function<void()> &then = {});

private:
    PrintingNote *note(QWidget *parent);
    QString sendingText() const;
    void showSending();
    void printerFound(const QString &name);
    void tell(const PrintOutcome &outcome);
    void giveUp();
    // Asked from a message's offer: the page that was not printed saved as Save as PDF saves it.
    // Once saved, the offer goes; a file that could not be written leaves it open.
    void savePdf(QPointer<QWidget> parent, const ReportPage &page, RecordKind kind, int offer);
    void startWorker(QThread *worker);

    // The workers not ended yet: the one of the report on its way, and any given up that have
    // still to notice it.
    QList<QPointer<QThread>> m_workers;
    std::shared_ptr<CupsConversation::Stake> m_stake;
    bool m_onItsWay = false;
    QTimer m_bound;
    QPointer<QWidget> m_parent;
    QPointer<PrintingNote> m_note;
    int m_sending = 0; // the message of the report on its way
    bool m_alreadySending = false;
    QString m_service;
    QString m_printer;
    ReportPage m_page;
    RecordKind m_kind = RecordKind::Session;
};
