// A session's timeline exported, read back by the programs users open it in: the TextGrid by
// Praat itself, the CSV by Python's csv module, the labels by a plain split. In each, the counted
// intervals and the ticks of all of them are the session's counts and times. The CSV and the
// TextGrid read back for a comparison give the session's own marks and counted intervals.
#include "SessionTestSupport.h"
#include "TimelineReadBack.h"
#include "core/reports/TimelineFiles.h"
#include "core/reports/TimelineReader.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using timelinereadback::Totals;

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
    Totals expected{fields.talkTicks.value_or(0), fields.clutterTicks, fields.talkCount.value_or(0),
                    fields.clutterCount, fields.sampleTicks.value_or(0)};
    QTemporaryDir folder;
    const SessionRecording recording{QStringLiteral("a sample, read aloud.wav"), 83205};
    const auto exported = [&](TimelineFiles::Format format, const char *name) {
        QFile file(folder.filePath(QLatin1String(name)));
        const QByteArray bytes = TimelineFiles::write(format, session.engine.timeline(),
                                                      fields.sampleTicks.value_or(0), recording);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? file.fileName()
                   : QString();
    };
    QString failed;
    const Totals csv =
        timelinereadback::withPython(exported(TimelineFiles::Format::Csv, "t.csv"), &failed);
    QCOMPARE(describe(csv), describe(expected));
    // A TextGrid's and a label track's length is not read: the CSV's is.
    expected.sampleTicks = -1;
    const Totals praat = timelinereadback::withPraat(
        exported(TimelineFiles::Format::TextGrid, "t.TextGrid"), &failed);
    QCOMPARE(describe(praat), describe(expected));
    const Totals labels =
        timelinereadback::withSplit(exported(TimelineFiles::Format::Labels, "t.txt"), &failed);
    QCOMPARE(describe(labels), describe(expected));
    QVERIFY2(failed.isEmpty(), qPrintable(failed));

    const JudgedTimeline own = JudgedTimeline::fromTimeline(
        session.engine.timeline(), fields.sampleTicks.value_or(0), recording, {});
    for (const auto &[format, name] : {std::pair(TimelineFiles::Format::Csv, "r.csv"),
                                       std::pair(TimelineFiles::Format::TextGrid, "r.TextGrid")}) {
        QString why;
        const std::optional<JudgedTimeline> read =
            timelinereader::read(exported(format, name), &why);
        QVERIFY2(read, qPrintable(why));
        QCOMPARE(read->lengthTicks, own.lengthTicks);
        QCOMPARE(read->recording.name, recording.name);
        QCOMPARE(read->recording.milliseconds, recording.milliseconds);
        for (int channel = 0; channel < 2; ++channel) {
            QCOMPARE(read->channels[channel].marked, own.channels[channel].marked);
            std::vector<double> starts = read->channels[channel].countedStarts;
            std::sort(starts.begin(), starts.end());
            QCOMPARE(starts, own.channels[channel].countedStarts);
        }
    }
}

QTEST_GUILESS_MAIN(TestTimelineFiles)
#include "test_timeline_files.moc"
