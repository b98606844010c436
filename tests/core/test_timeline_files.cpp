// A session's timeline exported, read back by the programs users open it in: the CSV by Python's
// csv module, the TextGrid by Praat itself, the labels by a plain split. In each, the counted
// intervals and the ticks of all of them are the session's counts and times, as its report
// prints them.
#include "SessionTestSupport.h"
#include "core/reports/TimelineFiles.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

struct Totals {
    qint64 talkTicks = 0;
    qint64 clutterTicks = 0;
    qint64 talkCount = 0;
    qint64 clutterCount = 0;
    qint64 sampleTicks = -1;

    friend bool operator==(const Totals &, const Totals &) = default;
};

qint64 ticksOf(const QString &seconds) { return std::llround(seconds.toDouble() * 5); }

// Adds one interval: `channel` "speech..." or "cluttering...", counted where `counted`.
void add(Totals &totals, const QString &channel, bool counted, qint64 ticks)
{
    const bool speech = channel.startsWith(QLatin1String("speech"));
    (speech ? totals.talkTicks : totals.clutterTicks) += ticks;
    (speech ? totals.talkCount : totals.clutterCount) += counted ? 1 : 0;
}

QString describe(const Totals &t)
{
    return QStringLiteral("talk %1 ticks %2 counted, cluttering %3 ticks %4 counted, sample %5")
        .arg(t.talkTicks)
        .arg(t.talkCount)
        .arg(t.clutterTicks)
        .arg(t.clutterCount)
        .arg(t.sampleTicks);
}

// Runs `program`; its standard output, split in lines of tab-separated fields.
QList<QStringList> listing(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << program << process.readAllStandardError();
        return {};
    }
    QList<QStringList> lines;
    for (const QString &line :
         QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        lines.append(line.split('\t'));
    return lines;
}

} // namespace

class TestTimelineFiles : public QObject {
    Q_OBJECT

private slots:
    void readBack_data();
    void readBack();
};

void TestTimelineFiles::readBack_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("holds, a hold over a pause, one dropped, one open")
        << "S t L t*3 l t R t*2 r t L t R t*2 r t l t L t S l S t R t*4 S r S L t*2 S";
    QTest::newRow("intervals of 0 ticks, at one tick and touching")
        << "S t L l L l R r t L t l L t l R t S t";
}

void TestTimelineFiles::readBack()
{
    QFETCH(QString, script);
    for (const char *tool : {"praat", "python3"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    LoadedSession session(script);
    const SessionFields &fields = session.engine.fields();
    const Totals expected{fields.talkTicks.value_or(0), fields.clutterTicks,
                          fields.talkCount.value_or(0), fields.clutterCount,
                          fields.sampleTicks.value_or(0)};
    QTemporaryDir folder;
    const auto exported = [&](TimelineFiles::Format format, const char *name) {
        QFile file(folder.filePath(QLatin1String(name)));
        const QByteArray bytes =
            TimelineFiles::write(format, session.engine.timeline(), fields.sampleTicks.value_or(0));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? file.fileName()
                   : QString();
    };
    const QString readers = QStringLiteral(TALLYMERE_READERS);

    Totals praat;
    praat.sampleTicks = expected.sampleTicks; // a TextGrid's length is its tiers'
    const QString grid = exported(TimelineFiles::Format::TextGrid, "t.TextGrid");
    for (const QStringList &line :
         listing("praat", {"--run", readers + "/list_textgrid.praat", grid})) {
        QVERIFY2(line.size() == 4, qPrintable(line.join('|')));
        if (line[0] == "speech" || line[0] == "cluttering")
            add(praat, line[0], line[1] == line[0], ticksOf(line[3]) - ticksOf(line[2]));
        else if (line[0].endsWith(QLatin1String("-points")))
            for (const QString &number : line[1].split(','))
                add(praat, line[0], !number.contains(' '), 0);
    }
    QCOMPARE(describe(praat), describe(expected));

    Totals csv;
    const QString table = exported(TimelineFiles::Format::Csv, "t.csv");
    for (const QStringList &row : listing("python3", {readers + "/read_timeline_csv.py", table})) {
        QCOMPARE(row.size(), 4);
        if (row[0] == "sample")
            csv.sampleTicks = ticksOf(row[3]);
        else if (row[0] != "pause")
            add(csv, row[0], row[1] == "counted", ticksOf(row[3]) - ticksOf(row[2]));
    }
    QCOMPARE(describe(csv), describe(expected));

    Totals labels;
    labels.sampleTicks = expected.sampleTicks; // a label track has no length
    QFile track(exported(TimelineFiles::Format::Labels, "t.txt"));
    QVERIFY(track.open(QIODevice::ReadOnly));
    for (const QByteArray &line : track.readAll().split('\n')) {
        const QList<QByteArray> fields3 = line.split('\t');
        if (fields3.size() == 3 && fields3[2] != "pause")
            add(labels, QString::fromUtf8(fields3[2]), !fields3[2].contains(' '),
                ticksOf(QString::fromUtf8(fields3[1])) - ticksOf(QString::fromUtf8(fields3[0])));
    }
    QCOMPARE(describe(labels), describe(expected));
}

QTEST_GUILESS_MAIN(TestTimelineFiles)
#include "test_timeline_files.moc"
