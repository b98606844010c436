// Export stall benchmark: adding a row to a table of 100,000 sessions. Reports the time the
// export itself takes (what the window would wait, were it written there), and the longest
// stretch in which the user-interface thread did not run its event loop while the export ran as
// the menus run it (the largest gap between two callbacks of a 10 ms timer, from the command to
// the outcome's message), also while a second program holds the table's lock.
//
//   bench_export_stall [runs]     (default 5; QT_QPA_PLATFORM defaults to offscreen)

#include "core/reports/CsvExport.h"
#include "core/reports/CsvTable.h"
#include "core/reports/RecordRow.h"
#include "widgets/delivery/ReportDelivery.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace {

RecordRow aSession()
{
    SessionFields fields;
    fields.sampleTicks = 62;
    fields.talkTicks = 31;
    fields.clutterTicks = 6;
    fields.talkCount = 2;
    fields.clutterCount = 1;
    return RecordRow::session(fields, QDateTime::currentDateTime());
}

// The longest gap of the event loop from the export's start to its outcome, in ms.
qint64 longestGap(ReportDelivery &delivery, const QString &path)
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QEventLoop done;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    clock.start();
    ticker.start();
    const RecordRow row = aSession();
    delivery.keep(nullptr, [row, path] { return CsvExport::write(row, path); });
    // The outcome is told in the note, which comes up with it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("PrintingNote") && window->isVisible()) {
                window->close();
                done.quit();
            }
    });
    poll.start(1);
    done.exec();
    return std::max(longest, clock.elapsed() - last);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sessions.csv"));
    const RecordRow row = aSession();
    QFile table(path);
    if (!table.open(QIODevice::WriteOnly) ||
        table.write(CsvTable::line(row.columns()) + CsvTable::line(row.values()).repeated(100000)) <
            0)
        return 1;
    table.close();
    std::printf("table: %lld bytes, 100,000 rows\n", static_cast<long long>(QFile(path).size()));

    qint64 slowest = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!CsvExport::write(row, path).written())
            return 1;
        slowest = std::max(slowest, clock.elapsed());
    }
    std::printf("export alone, slowest of %d: %lld ms\n", runs, static_cast<long long>(slowest));

    ReportDelivery delivery;
    qint64 worst = 0;
    for (int i = 0; i < runs; ++i)
        worst = std::max(worst, longestGap(delivery, path));
    std::printf("window's longest stall while exporting: %lld ms\n", static_cast<long long>(worst));

    QLockFile other(path + QStringLiteral(".lock")); // a second program adding its row
    other.lock();
    QTimer::singleShot(2000, [&other] { other.unlock(); });
    std::printf("window's longest stall while the table is held 2 s: %lld ms\n",
                static_cast<long long>(longestGap(delivery, path)));
    return 0;
}
