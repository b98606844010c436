#include "reports/PrintCommands.h"

#include "common/MessageBox.h"
#include "reports/PdfFileChooser.h"
#include "reports/RatingsReport.h"
#include "reports/ReportPrinter.h"
#include "reports/SessionReport.h"

#include <QDir>
#include <QMessageBox>
#include <QObject>
#include <QStandardPaths>

namespace printcommands {

namespace {

bool hasData(const SessionFields &fields) { return fields.sampleTicks.value_or(0) != 0; }

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

// With no printer to print on, the report is offered as a PDF file so nothing is lost.
void offerPdf(QWidget *parent, const PrintOutcome &outcome, const ReportPage &page,
              const QString &fileName)
{
    if (!ask(parent, outcome.message() + QStringLiteral("\n\n") +
                         QObject::tr("Save the report as a PDF file instead?")))
        return;
    const QString path = pdffilechooser::choose(parent, suggestedPath(fileName));
    if (path.isEmpty())
        return;
    messagebox::show(parent, ReportPrinter::saveAsPdf(page, path).message());
}

void deliver(QWidget *parent, const ReportPage &page, const QString &fileName)
{
    const PrintOutcome outcome = ReportPrinter::print(page);
    if (outcome.printed())
        return;
    if (outcome.canSaveInstead())
        offerPdf(parent, outcome, page, fileName);
    else
        messagebox::show(parent, outcome.message());
}

} // namespace

void printSession(QWidget *parent, const std::function<SessionFields()> &readSession)
{
    if (!hasData(readSession())) {
        messagebox::show(parent, QStringLiteral("No Data!"));
        return;
    }
    messagebox::show(parent, QStringLiteral("Check if the printer is ready."));
    // Every value of the report comes from this one reading, taken as the prompt is dismissed.
    const SessionFields fields = readSession();
    if (!hasData(fields)) { // cleared while the prompt was up
        messagebox::show(parent, QStringLiteral("No Data!"));
        return;
    }
    deliver(parent, SessionReport::build(fields), QStringLiteral("Tallymere session report.pdf"));
}

void printRatings(QWidget *parent, const std::function<RatingFields()> &readRatings)
{
    messagebox::show(parent, QStringLiteral("Is the printer on?"));
    deliver(parent, RatingsReport::build(readRatings()),
            QStringLiteral("Tallymere ratings report.pdf"));
}

} // namespace printcommands
