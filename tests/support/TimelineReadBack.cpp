#include "TimelineReadBack.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

#include <cmath>

namespace timelinereadback {

namespace {

qint64 ticksOf(const QString &seconds) { return std::llround(seconds.toDouble() * 5); }

// Adds one interval: `channel` "speech..." or "cluttering...", counted where `counted`.
void add(Totals &totals, const QString &channel, bool counted, qint64 ticks)
{
    const bool speech = channel.startsWith(QLatin1String("speech"));
    (speech ? totals.talkTicks : totals.clutterTicks) += ticks;
    (speech ? totals.talkCount : totals.clutterCount) += counted ? 1 : 0;
}

// Runs `program`; its standard output in lines of tab-separated fields.
QList<QStringList> listing(const QString &program, const QStringList &arguments, QString *failed)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        *failed = program + QStringLiteral(": ") + process.errorString() +
                  QString::fromUtf8(process.readAllStandardError());
        return {};
    }
    QList<QStringList> lines;
    for (const QString &line :
         QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        lines.append(line.split('\t'));
    if (lines.isEmpty())
        *failed = program + QStringLiteral(" read nothing");
    return lines;
}

const QString readers = QStringLiteral(TALLYMERE_READERS);

} // namespace

QString describe(const Totals &t)
{
    return QStringLiteral("talk %1 ticks %2 counted, cluttering %3 ticks %4 counted, sample %5")
        .arg(t.talkTicks)
        .arg(t.talkCount)
        .arg(t.clutterTicks)
        .arg(t.clutterCount)
        .arg(t.sampleTicks);
}

// Praat lists each labelled interval and each point: tier, label, start, end.
Totals withPraat(const QString &textGrid, QString *failed)
{
    Totals totals;
    for (const QStringList &line :
         listing(QStringLiteral("praat"), {"--run", readers + "/list_textgrid.praat", textGrid},
                 failed)) {
        if (line.size() != 4)
            *failed = QStringLiteral("Praat listed: ") + line.join('|');
        else if (line[0] == "speech" || line[0] == "cluttering")
            add(totals, line[0], line[1] == line[0], ticksOf(line[3]) - ticksOf(line[2]));
        else if (line[0].endsWith(QLatin1String("-points")))
            for (const QString &number : line[1].split(','))
                add(totals, line[0], !number.contains(' '), 0);
    }
    return totals;
}

// The csv module lists each row: channel, status, start, end.
Totals withPython(const QString &csv, QString *failed)
{
    Totals totals;
    for (const QStringList &row :
         listing(QStringLiteral("python3"), {readers + "/read_timeline_csv.py", csv}, failed)) {
        if (row.size() != 4)
            *failed = QStringLiteral("Python listed: ") + row.join('|');
        else if (row[0] == "sample")
            totals.sampleTicks = ticksOf(row[3]);
        else if (row[0] != "pause")
            add(totals, row[0], row[1] == "counted", ticksOf(row[3]) - ticksOf(row[2]));
    }
    return totals;
}

Totals withSplit(const QString &labels, QString *failed)
{
    Totals totals;
    QFile track(labels);
    if (!track.open(QIODevice::ReadOnly)) {
        *failed = track.errorString();
        return totals;
    }
    for (const QString &line : QString::fromUtf8(track.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        if (fields.size() != 3)
            *failed = QStringLiteral("a label line of %1 fields").arg(fields.size());
        else if (fields[2] != "pause")
            add(totals, fields[2], !fields[2].contains(' '),
                ticksOf(fields[1]) - ticksOf(fields[0]));
    }
    return totals;
}

} // namespace timelinereadback
