#include "core/reports/CsvExport.h"

#include <QFile>
#include <QObject>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

// How much of a file's start is read to judge it: its first line, and as much again to tell text
// from other data.
constexpr qint64 headerLimit = 64 * 1024;
const QByteArray byteOrderMark("\xEF\xBB\xBF");

bool isText(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(bytes);
    return !utf8.hasError();
}

QByteArray withoutEnding(QByteArray line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

QByteArray CsvExport::line(const QStringList &fields, const QByteArray &ending)
{
    QByteArrayList quoted;
    for (const QString &field : fields) {
        QByteArray bytes = field.toUtf8();
        if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') ||
            bytes.contains('\n'))
            bytes = '"' + bytes.replace("\"", "\"\"") + '"';
        quoted.append(bytes);
    }
    return quoted.join(',') + ending;
}

QString CsvExport::refusal(const QByteArray &header, RecordKind kind)
{
    QByteArray first = withoutEnding(header);
    if (first.startsWith(byteOrderMark))
        first.remove(0, byteOrderMark.size());
    if (first == withoutEnding(line(RecordRow::columnsOf(kind))))
        return {};
    const RecordKind other =
        kind == RecordKind::Session ? RecordKind::Ratings : RecordKind::Session;
    if (first == withoutEnding(line(RecordRow::columnsOf(other))))
        return kind == RecordKind::Session
                   ? QObject::tr("it holds perceptual ratings, not sessions")
                   : QObject::tr("it holds sessions, not perceptual ratings");
    return kind == RecordKind::Session
               ? QObject::tr("its first line is not the header of Tallymere's session data")
               : QObject::tr("its first line is not the header of Tallymere's ratings data");
}

SaveOutcome CsvExport::write(const RecordRow &row, const QString &path)
{
    SaveOutcome outcome;
    outcome.kind = row.kind();
    outcome.format = SaveOutcome::Format::Csv;
    outcome.path = path;

    QByteArray content = line(row.columns());
    QByteArray ending = "\r\n";
    QFile existing(path);
    if (existing.exists() && existing.size() > 0) {
        if (!existing.open(QIODevice::ReadOnly)) {
            outcome.reason = QObject::tr("it cannot be read");
            return outcome;
        }
        const QByteArray header = existing.readLine(headerLimit);
        outcome.reason = isText(header + existing.peek(headerLimit))
                             ? refusal(header, row.kind())
                             : QObject::tr("it is not a CSV file");
        if (!outcome.reason.isEmpty())
            return outcome;
        if (!header.endsWith("\r\n") && header.endsWith('\n'))
            ending = "\n";
        content = header + existing.readAll();
        if (!content.endsWith('\n'))
            content += ending;
        outcome.result = SaveOutcome::Result::Appended;
    }
    content += line(row.values(), ending);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        outcome.result = SaveOutcome::Result::NotWritten;
        outcome.reason = SaveOutcome::reasonOf(file, path);
        return outcome;
    }
    if (outcome.result != SaveOutcome::Result::Appended)
        outcome.result = SaveOutcome::Result::Written;
    return outcome;
}
