#pragma once

#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <memory>

class PrintConversation;
class QThread;

// Sends one report at a time to the default printer without holding the thread that asks: the
// conversation with the print service runs on a worker thread and its outcome comes back as a
// signal. Should the worker not report within the bound (a call of the print library that does
// not heed its deadline), the report is given up as unanswered and whatever the worker says
// later is ignored.
class ReportSender : public QObject {
    Q_OBJECT

public:
    explicit ReportSender(QObject *parent = nullptr);
    // Abandons a conversation still running and gives its worker a moment to end, so that the
    // program does not end under it.
    ~ReportSender() override;

    bool busy() const { return !m_conversation.isNull(); }
    // Starts sending `page`; ignored while busy.
    void send(const ReportPage &page);

signals:
    void printerFound(const QString &name);
    void finished(const PrintOutcome &outcome);

private:
    void conclude(const PrintOutcome &outcome);
    void giveUp();
    void abandon();

    QPointer<PrintConversation> m_conversation;
    QPointer<QThread> m_worker;
    std::shared_ptr<std::atomic_bool> m_abandoned;
    QString m_service;
    QTimer m_bound;
};
