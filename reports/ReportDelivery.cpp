#include "reports/ReportDelivery.h"

#include "common/MessageBox.h"
#include "reports/PdfFileChooser.h"
#include "reports/PrintingNote.h"
#include "reports/ReportSender.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

// A yes/no question in the program's own message-box style: title, no icon; "Yes" is the default.
bool ask(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(messagebox::title), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("TallymereQuestion"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString suggestedPath(const QString &fileName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(fileName);
}

} // namespace

ReportDelivery &ReportDelivery::instance()
{
    static QPointer<ReportDelivery> delivery;
    if (delivery.isNull())
        delivery = new ReportDelivery(QCoreApplication::instance());
    return *delivery;
}

ReportDelivery::ReportDelivery(QObject *parent) : QObject(parent), m_sender(new ReportSender(this))
{
    connect(m_sender, &ReportSender::printerFound, this, [this](const QString &name) {
        m_printer = name;
        if (m_note)
            m_note->setPrinter(name);
    });
    connect(m_sender, &ReportSender::finished, this, &ReportDelivery::tell);
}

bool ReportDelivery::busy() const { return m_sender->busy() || m_telling; }

void ReportDelivery::sayBusy(QWidget *parent)
{
    if (!m_note)
        showNote(parent);
    m_note->sayAlreadySending();
}

void ReportDelivery::showNote(QWidget *parent)
{
    m_note = new PrintingNote(parent);
    m_note->setAttribute(Qt::WA_DeleteOnClose);
    m_note->setPrinter(m_printer);
    m_note->showFor(parent);
}

void ReportDelivery::deliver(QWidget *parent, const ReportPage &page, const QString &pdfFileName)
{
    if (busy())
        return;
    m_parent = parent;
    m_page = page;
    m_pdfFileName = pdfFileName;
    m_printer.clear();
    showNote(parent);
    m_sender->send(page);
}

void ReportDelivery::tell(const PrintOutcome &outcome)
{
    if (m_note)
        m_note->close();
    if (outcome.printed())
        return;
    m_telling = true;
    if (outcome.canSaveInstead())
        offerPdf(outcome);
    else
        messagebox::show(m_parent, outcome.message());
    m_telling = false;
}

// With no printer to print on, the report is offered as a PDF file so nothing is lost.
void ReportDelivery::offerPdf(const PrintOutcome &outcome)
{
    if (!ask(m_parent, outcome.message() + QStringLiteral("\n\n") +
                           tr("Save the report as a PDF file instead?")))
        return;
    const QString path = pdffilechooser::choose(m_parent, suggestedPath(m_pdfFileName));
    if (path.isEmpty())
        return;
    messagebox::show(m_parent, ReportPrinter::saveAsPdf(m_page, path).message());
}
