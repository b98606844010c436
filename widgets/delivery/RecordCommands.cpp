#include "widgets/delivery/RecordCommands.h"

#include "core/reports/ComparisonSeries.h"
#include "core/reports/CsvExport.h"
#include "core/reports/RatingsReport.h"
#include "core/reports/RecordRow.h"
#include "core/reports/SessionReport.h"
#include "core/reports/TimelineFiles.h"
#include "core/reports/WholeFile.h"
#include "printing/ReportPdf.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/MessageBox.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

#include <algorithm>

namespace recordcommands {

namespace {

QString documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

QString suggestedName(RecordKind kind, SaveOutcome::Format format)
{
    const RecordNames names = recordNames(kind);
    if (format == SaveOutcome::Format::Csv)
        return QStringLiteral("Tallymere %1.csv").arg(QLatin1String(names.table));
    const QString when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm"));
    return QStringLiteral("Tallymere %1 %2.pdf").arg(QLatin1String(names.file), when);
}

QString caption(RecordKind kind, SaveOutcome::Format format)
{
    const RecordNames names = recordNames(kind);
    if (format == SaveOutcome::Format::Pdf)
        return QObject::tr("Save %1 as PDF").arg(QLatin1String(names.subject));
    return QObject::tr("Export %1 data").arg(QLatin1String(names.possessive));
}

} // namespace

bool refuseEmpty(QWidget *parent, const SessionFields &fields)
{
    if (fields.sampleTicks.value_or(0) != 0)
        return false;
    messagebox::show(parent, QStringLiteral("No Data!"));
    return true;
}

QString askPath(QWidget *parent, RecordKind kind, SaveOutcome::Format format)
{
    const bool pdf = format == SaveOutcome::Format::Pdf;
    // Qt's own dialog, as every dialog of the program (classiclook::apply), in its palette.
    QFileDialog dialog(parent, caption(kind, format), documentsFolder(),
                       pdf ? QObject::tr("PDF files (*.pdf)") : QObject::tr("CSV files (*.csv)"));
    dialog.setObjectName(QStringLiteral("TallymereFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(pdf ? QStringLiteral("pdf") : QStringLiteral("csv"));
    // An existing table is extended, not replaced, and one of another kind is refused.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !pdf);
    dialog.selectFile(suggestedName(kind, format));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void saveSessionPdf(ReportDelivery &delivery, QWidget *parent,
                    const std::function<SessionFields()> &readSession)
{
    if (refuseEmpty(parent, readSession()))
        return;
    const QString path = askPath(parent, RecordKind::Session, SaveOutcome::Format::Pdf);
    if (path.isEmpty())
        return;
    const SessionFields fields = readSession();
    if (refuseEmpty(parent, fields)) // cleared while the dialog was open
        return;
    delivery.tellSaved(parent,
                       ReportPdf::save(SessionReport::build(fields), RecordKind::Session, path));
}

void exportSession(ReportDelivery &delivery, QWidget *parent,
                   const std::function<SessionFields()> &readSession)
{
    if (refuseEmpty(parent, readSession()))
        return;
    const QString path = askPath(parent, RecordKind::Session, SaveOutcome::Format::Csv);
    if (path.isEmpty())
        return;
    const SessionFields fields = readSession();
    if (refuseEmpty(parent, fields))
        return;
    const RecordRow row = RecordRow::session(fields, QDateTime::currentDateTime());
    delivery.keep(parent, [row, path] { return CsvExport::write(row, path); });
}

void exportTimeline(ReportDelivery &delivery, QWidget *parent,
                    const std::function<SessionFields()> &readSession,
                    const std::function<Timeline()> &readTimeline,
                    const SessionRecording &recording)
{
    if (refuseEmpty(parent, readSession()))
        return;
    using Format = TimelineFiles::Format;
    const QList<std::pair<Format, QString>> types{
        {Format::Csv, QObject::tr("CSV files (*.csv)")},
        {Format::TextGrid, QObject::tr("Praat TextGrid files (*.TextGrid)")},
        {Format::Labels, QObject::tr("Audacity labels (*.txt)")}};
    const QStringList suffixes{QStringLiteral("csv"), QStringLiteral("TextGrid"),
                               QStringLiteral("txt")};
    QFileDialog dialog(parent, QObject::tr("Export the session's timeline"), documentsFolder());
    dialog.setObjectName(QStringLiteral("TallymereFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const auto &type : types)
        filters.append(type.second);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffixes.first());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &filter) {
        dialog.setDefaultSuffix(suffixes.value(filters.indexOf(filter)));
    });
    const QString when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm"));
    dialog.selectFile(QStringLiteral("Tallymere timeline ") + when + QStringLiteral(".csv"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString path = dialog.selectedFiles().value(0);
    const SessionFields fields = readSession();
    if (path.isEmpty() || refuseEmpty(parent, fields))
        return;
    // The file type the name says, else the one chosen.
    qsizetype type = suffixes.indexOf(QFileInfo(path).suffix());
    if (type < 0)
        type = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    SaveOutcome outcome;
    outcome.format = SaveOutcome::Format::Timeline;
    outcome.path = path;
    outcome.reason =
        wholefile::write(path, TimelineFiles::write(types.at(type).first, readTimeline(),
                                                    fields.sampleTicks.value_or(0), recording));
    if (outcome.reason.isEmpty())
        outcome.result = SaveOutcome::Result::Written;
    delivery.tellSaved(parent, outcome);
}

void saveComparisonPdf(ReportDelivery &delivery, QWidget *parent, const ReportPage &page)
{
    const QString path = askPath(parent, RecordKind::Comparison, SaveOutcome::Format::Pdf);
    if (!path.isEmpty())
        delivery.tellSaved(parent, ReportPdf::save(page, RecordKind::Comparison, path));
}

void exportComparison(ReportDelivery &delivery, QWidget *parent, const RecordRow &row,
                      const std::function<void(const ComparisonSeries &)> &tableRead)
{
    const QString path = askPath(parent, RecordKind::Comparison, SaveOutcome::Format::Csv);
    if (path.isEmpty())
        return;
    struct ReadBack {
        std::optional<ComparisonSeries> series;
        QString why; // empty while the row was not added, so nothing was read
    };
    const auto back = std::make_shared<ReadBack>();
    delivery.keep(
        parent,
        [row, path, back] {
            const SaveOutcome outcome = CsvExport::write(row, path);
            if (outcome.written())
                back->series = ComparisonSeries::read(path, &back->why);
            return outcome;
        },
        [&delivery, parent = QPointer<QWidget>(parent), path, back, tableRead] {
            if (back->series)
                tableRead(*back->series);
            else if (!back->why.isEmpty() && parent)
                delivery.say(parent, QObject::tr("The row is in %1, but the table could not be "
                                                 "read back for its reliability: %2.")
                                         .arg(QFileInfo(path).fileName(), back->why));
        });
}

void saveRatingsPdf(ReportDelivery &delivery, QWidget *parent,
                    const std::function<RatingFields()> &readRatings)
{
    const QString path = askPath(parent, RecordKind::Ratings, SaveOutcome::Format::Pdf);
    if (path.isEmpty())
        return;
    delivery.tellSaved(
        parent, ReportPdf::save(RatingsReport::build(readRatings()), RecordKind::Ratings, path));
}

void exportRatings(ReportDelivery &delivery, QWidget *parent,
                   const std::function<RatingFields()> &readRatings)
{
    const QString path = askPath(parent, RecordKind::Ratings, SaveOutcome::Format::Csv);
    if (path.isEmpty())
        return;
    const RecordRow row = RecordRow::ratings(readRatings(), QDateTime::currentDateTime());
    delivery.keep(parent, [row, path] { return CsvExport::write(row, path); });
}

} // namespace recordcommands
