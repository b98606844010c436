// A data table extended by Export data: the row added at its end, never a rewrite, or the table
// refused and left byte for byte as it was; a failing read or write costs no row, and two
// programs exporting to one table at once lose none.
#include "core/reports/CsvExport.h"
#include "core/reports/CsvTable.h"
#include "core/reports/RecordRow.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

SessionFields oneSecondSpoken()
{
    SessionFields fields;
    fields.sampleTicks = 5;
    fields.talkTicks = 5;
    fields.talkCount = 1;
    return fields;
}

const RecordRow session = RecordRow::session(oneSecondSpoken(), {});
const QByteArray header = CsvTable::line(session.columns());
const QByteArray row = CsvTable::line(session.values());
const QString added = QStringLiteral("The session was added as a new row to: %1");
const QString refused =
    QStringLiteral("The session could not be exported to %1: %2. Nothing was written.");

// A disk that fails every read past its first `good` bytes, as a failing stick does.
class FailingDisk : public QBuffer {
public:
    FailingDisk(const QByteArray &content, qint64 good) : m_content(content), m_good(good)
    {
        setBuffer(&m_content);
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char *data, qint64 length) override
    {
        if (pos() + length > m_good) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        return QBuffer::readData(data, length);
    }

private:
    QByteArray m_content;
    qint64 m_good;
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestCsvTable : public QObject {
    Q_OBJECT

private slots:
    void extendOrRefuse_data();
    void extendOrRefuse();
    void aReadThatFailsRefusesTheTable_data();
    void aReadThatFailsRefusesTheTable();
    void aFullDiskLeavesTheTableAsItWas();
    void twoProgramsLoseNoRow();
};

void TestCsvTable::extendOrRefuse_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QByteArray>("after"); // empty: as before
    const QByteArray lf = header.chopped(2) + '\n';
    QTest::newRow("appended") << header + row << added << header + row + row;
    QTest::newRow("a byte-order mark is kept") << "\xEF\xBB\xBF" + header + row << added
                                               << "\xEF\xBB\xBF" + header + row + row;
    QTest::newRow("LF, last line unended: appended in LF")
        << lf + "x" << added << lf + "x\n" + row.chopped(2) + "\n";
    QTest::newRow("blank lines at the end are cut off")
        << header + row + "\r\n\r\n\n" << added << header + row + row;
    QTest::newRow("a quoted line break stays in its field")
        << header + "\"a\r\nb\",1\r\n" << added << header + "\"a\r\nb\",1\r\n" + row;
    QTest::newRow("only a header, unended") << header.chopped(2) << added << header + row;
    QTest::newRow("other header") << QByteArray("name,age\r\nAnn,7\r\n")
                                  << refused.arg("%1", "its first line is not the header of "
                                                       "Tallymere's session data")
                                  << QByteArray();
    QTest::newRow("not text") << QByteArray("%PDF-1.4\n\0\xff", 11)
                              << refused.arg("%1", "it is not a CSV file") << QByteArray();
    const QString semicolons =
        refused.arg("%1", "its values are separated by \";\", as spreadsheets save CSV files in "
                          "some languages. Save it again with \",\" between the values, or "
                          "export to a new file");
    QTest::newRow("; separators")
        << QByteArray(header).replace(',', ';') + "2026;12,4\r\n" << semicolons << QByteArray();
    const QString encoding =
        refused.arg("%1", "it is not in UTF-8, the encoding Tallymere writes: a program such as a "
                          "spreadsheet saved it in another one. Save it again as \"CSV UTF-8\", "
                          "or export to a new file");
    QTest::newRow("Latin-1 at the end")
        << header + row + "\"Ren\xE9\",1\r\n" << encoding << QByteArray();
    QByteArray utf16;
    for (const char c : header)
        utf16 += QByteArray(1, c) + '\0';
    QTest::newRow("UTF-16 with its mark") << "\xFF\xFE" + utf16 << encoding << QByteArray();
    QTest::newRow("UTF-16 without a mark") << utf16 << encoding << QByteArray();
}

// An existing file: the row added, or the file refused and left byte for byte as it was.
void TestCsvTable::extendOrRefuse()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, told);
    QFETCH(QByteArray, after);
    QTemporaryDir folder;
    const QString path = folder.filePath("t.csv");
    QVERIFY(writeFile(path, before));
    QCOMPARE(CsvExport::write(session, path).message(), told.arg(path));
    QCOMPARE(contentOf(path), after.isEmpty() ? before : after);
}

void TestCsvTable::aReadThatFailsRefusesTheTable_data()
{
    QTest::addColumn<qint64>("good");
    QTest::newRow("in the header") << qint64(10);
    QTest::newRow("past the first 64 KB, at the end") << qint64(64 * 1024);
}

// A table of 4,000 rows on a disk whose reads fail: refused, naming the error, and never judged
// from what could be read.
void TestCsvTable::aReadThatFailsRefusesTheTable()
{
    QFETCH(qint64, good);
    const QByteArray table = header + row.repeated(4000);
    FailingDisk disk(table, good);
    const CsvTable judged = CsvTable::judge(disk, table.size(), RecordKind::Session);
    QVERIFY2(judged.refusal.endsWith("(Input/output error)"), qPrintable(judged.refusal));
}

// A write the disk takes only part of is cut back: the table stays as it was. A small tmpfs
// mounted for the test, which needs root.
void TestCsvTable::aFullDiskLeavesTheTableAsItWas()
{
    if (geteuid() != 0)
        QSKIP("mounting a small tmpfs needs root");
    QTemporaryDir folder;
    QVERIFY(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder.path()}) ==
            0);
    const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {folder.path()}); });
    // The table ends 10 bytes short of a 4 KiB page, and the disk has one page left, which the
    // lock file takes.
    const QString path = folder.filePath("t.csv");
    QByteArray table = header;
    while (table.size() + row.size() < 4096 - 10)
        table += row;
    table += QByteArray(4096 - 10 - table.size() - 2, 'x') + "\r\n";
    QVERIFY(writeFile(path, table));
    QVERIFY(writeFile(folder.filePath("filler"), QByteArray(56 * 1024, 'f')));
    const SaveOutcome outcome = CsvExport::write(session, path);
    QCOMPARE(outcome.message(), refused.arg(path, "the disk is full"));
    QCOMPARE(contentOf(path), table);
}

// Two programs exporting 200 rows each to one table at once: 400 rows, each whole.
void TestCsvTable::twoProgramsLoseNoRow()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("study.csv");
    pid_t other = fork();
    QVERIFY(other >= 0);
    int failures = 0;
    for (int i = 0; i < 200; ++i)
        failures += CsvExport::write(session, path).written() ? 0 : 1;
    if (other == 0)
        _exit(failures);
    int status = 0;
    QCOMPARE(waitpid(other, &status, 0), other);
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(failures, 0);
    QCOMPARE(contentOf(path), header + row.repeated(400));
}

QTEST_GUILESS_MAIN(TestCsvTable)
#include "test_csv_table.moc"
