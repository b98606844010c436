#include "core/reports/CsvTable.h"

#include "core/reports/RecordRow.h"

#include <QIODevice>
#include <QObject>
#include <QStringDecoder>

#include <algorithm>

namespace {

// How much is read at a time: the header with the start of the rows, and the end.
constexpr qint64 chunk = 64 * 1024;
const QByteArray utf8Mark("\xEF\xBB\xBF");

QByteArray withoutEnding(QByteArray line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(bytes);
    return !utf8.hasError();
}

// Reads the `length` bytes at `offset`; false when the device fails or gives fewer.
bool readAt(QIODevice &device, qint64 offset, qint64 length, QByteArray *bytes)
{
    if (!device.seek(offset))
        return false;
    *bytes = device.read(length);
    return bytes->size() == length;
}

QString otherEncoding()
{
    return QObject::tr("it is not in UTF-8, the encoding Tallymere writes: a program such as a "
                       "spreadsheet saved it in another one. Save it again as \"CSV UTF-8\", or "
                       "export to a new file");
}

} // namespace

QByteArray CsvTable::line(const QStringList &fields, const QByteArray &ending)
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

QList<QStringList> CsvTable::records(const QString &text)
{
    QList<QStringList> records;
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted && c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == c)
            fields.last() += text[++i];
        else if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted ||
                 (c != QLatin1Char(',') && c != QLatin1Char('\r') && c != QLatin1Char('\n')))
            fields.last() += c;
        else if (c == QLatin1Char(','))
            fields.append(QString());
        else if (c == QLatin1Char('\n')) {
            records.append(fields);
            fields = QStringList{QString()};
        }
    }
    if (fields != QStringList{QString()})
        records.append(fields);
    return records;
}

CsvTable CsvTable::judge(QIODevice &device, qint64 size, RecordKind kind)
{
    CsvTable table;
    QByteArray start;
    if (!readAt(device, 0, std::min(size, chunk), &start)) {
        table.refuse(QObject::tr("it could not be read (%1)").arg(device.errorString()));
        return table;
    }
    table.judgeStart(start, kind);
    if (table.refusal.isEmpty() && !table.judgeEnd(device, size))
        table.refuse(QObject::tr("its end could not be read (%1)").arg(device.errorString()));
    return table;
}

// The header: Tallymere's of `kind`, in UTF-8 with commas, and its line ending.
void CsvTable::judgeStart(const QByteArray &start, RecordKind kind)
{
    const QByteArray ours = withoutEnding(line(RecordRow::columnsOf(kind)));
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF"))
        return refuse(otherEncoding()); // UTF-16 or UTF-32, with its byte-order mark
    const qsizetype lineEnd = start.indexOf('\n');
    QByteArray header = lineEnd < 0 ? start : start.left(lineEnd + 1);
    if (header.endsWith('\n') && !header.endsWith("\r\n"))
        ending = "\n";
    header = withoutEnding(header);
    if (header.startsWith(utf8Mark))
        header.remove(0, utf8Mark.size());
    if (start.contains('\0')) {
        // UTF-16 without a byte-order mark has a NUL beside each letter of the header.
        header = start.left(start.indexOf(QByteArray("\n\0", 2)) + 1);
        const bool wide = withoutEnding(header.replace('\0', "")) == ours;
        return refuse(wide ? otherEncoding() : QObject::tr("it is not a CSV file"));
    }
    if (!isUtf8(header))
        return refuse(QObject::tr("it is not a CSV file"));
    if (QByteArray(header).replace(';', ',') == ours && header != ours)
        return refuse(QObject::tr("its values are separated by \";\", as spreadsheets save CSV "
                                  "files in some languages. Save it again with \",\" between the "
                                  "values, or export to a new file"));
    if (header != ours) {
        for (const RecordKind other :
             {RecordKind::Session, RecordKind::Ratings, RecordKind::Comparison}) {
            if (other != kind && header == withoutEnding(line(RecordRow::columnsOf(other))))
                return refuse(QObject::tr("it holds %1, not %2")
                                  .arg(QLatin1String(recordNames(other).held),
                                       QLatin1String(recordNames(kind).held)));
        }
        return refuse(QObject::tr("its first line is not the header of Tallymere's %1")
                          .arg(QLatin1String(recordNames(kind).data)));
    }
    // A multi-byte letter may be cut at the end of what was read.
    QByteArrayView rows(start);
    if (start.size() == chunk)
        rows.chop(3);
    if (!isUtf8(rows))
        refuse(otherEncoding());
}

// The end: where the last record's line ends, with blank lines after it cut off, and whether the
// rows there are UTF-8. False when a read fails.
bool CsvTable::judgeEnd(QIODevice &device, qint64 size)
{
    qint64 end = size;
    QByteArray tail;
    qsizetype last = -1; // the last byte of a record in `tail`
    qint64 from = 0;
    while (last < 0 && end > 0) {
        from = std::max<qint64>(0, end - chunk);
        if (!readAt(device, from, end - from, &tail))
            return false;
        for (last = tail.size() - 1; last >= 0 && (tail[last] == '\n' || tail[last] == '\r');)
            --last;
        end = from;
    }
    const QByteArrayView after = QByteArrayView(tail).sliced(last + 1);
    const qsizetype ended = after.startsWith("\r\n") ? 2 : after.startsWith("\n") ? 1 : 0;
    unended = ended == 0;
    keep = from + last + 1 + ended;
    // A letter may be cut at the start of what was read.
    QByteArrayView rows = QByteArrayView(tail).first(last + 1);
    for (int i = 0; from > 0 && i < 3 && !rows.isEmpty() && (rows.front() & 0xC0) == 0x80; ++i)
        rows = rows.sliced(1);
    if (rows.contains('\0') || !isUtf8(rows))
        refuse(otherEncoding());
    return true;
}
