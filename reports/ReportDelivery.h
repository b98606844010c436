#pragma once

#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"

#include <QObject>
#include <QPointer>

class PrintingNote;
class QWidget;
class ReportSender;

// Takes a report from a print command to the printer and tells the user what became of it, one
// report at a time for the whole program. While the report is on its way a modeless note names
// the printer and nothing modal opens; once the outcome is known, a failure is told in a message
// box (with the PDF offer where there is nothing to print on), a printed report is not.
class ReportDelivery : public QObject {
    Q_OBJECT

public:
    // The program's one delivery; it lives as long as the application object.
    static ReportDelivery &instance();

    // A report is on its way, or its outcome is being told.
    bool busy() const;
    // Tells the user, in the note (shown anew over `parent` if its window has gone), that a
    // report is already on its way.
    void sayBusy(QWidget *parent);
    // Sends `page`; `parent` is the window of the command, `pdfFileName` the file name offered
    // when the report is to be saved instead.
    void deliver(QWidget *parent, const ReportPage &page, const QString &pdfFileName);

private:
    explicit ReportDelivery(QObject *parent);
    void showNote(QWidget *parent);
    void tell(const PrintOutcome &outcome);
    void offerPdf(const PrintOutcome &outcome);

    ReportSender *m_sender;
    QPointer<QWidget> m_parent;
    QPointer<PrintingNote> m_note;
    QString m_printer;
    ReportPage m_page;
    QString m_pdfFileName;
    bool m_telling = false;
};
