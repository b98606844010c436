// Print stall benchmark: the longest stretch in which the user-interface thread did not run its
// event loop while a report was on its way (the largest gap between two callbacks of a 10 ms
// timer, from the dismissed prompt to the outcome), on a working printer of a private CUPS
// scheduler and against a loopback print service that takes connections and never answers; and
// the time from the dismissed prompt to the outcome (the worker's end, or the note's message).
//
//   bench_print_stall [runs]     (default 5 prints of each kind but 2 against the silent service;
//                                 QT_QPA_PLATFORM defaults to offscreen; runs as root, as the
//                                 private scheduler's backends must)

#include "CupsSandbox.h"
#include "ModalDriver.h"

#include "widgets/delivery/PrintCommands.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

struct Stall {
    qint64 longestGapMs = 0;
    qint64 outcomeMs = -1; // from the dismissed prompt to the message, or to the end
};

Stall printOnce(ReportDelivery &delivery)
{
    SessionFields fields;
    fields.sampleTicks = 62;
    fields.talkTicks = 31;
    fields.clutterTicks = 6;
    fields.talkCount = 2;
    fields.clutterCount = 1;
    Stall stall;
    QElapsedTimer clock;
    qint64 started = -1;
    qint64 last = -1;
    QEventLoop done;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&]() {
        const qint64 now = clock.elapsed();
        if (started < 0)
            return;
        stall.longestGapMs = std::max(stall.longestGapMs, now - last);
        last = now;
        const bool told = ModalDriver::note() != nullptr &&
                          !ModalDriver::noteText().startsWith(QLatin1String("Sending"));
        if (stall.outcomeMs < 0 && (told || !delivery.busy()))
            stall.outcomeMs = now - started;
        if (!delivery.busy())
            done.quit();
    });
    clock.start();
    ticker.start();
    int readings = 0;
    printcommands::printSession(delivery, nullptr, [&]() {
        if (++readings == 2) // the reading taken as the prompt is dismissed
            last = started = clock.elapsed();
        return fields;
    });
    done.exec();
    ModalDriver::closeNotes();
    return stall;
}

void report(ReportDelivery &delivery, const char *what, int runs)
{
    qint64 worst = 0;
    for (int i = 0; i < runs; ++i) {
        const Stall stall = printOnce(delivery);
        worst = std::max(worst, stall.longestGapMs);
        std::printf("%-16s run %d: longest gap %3lld ms, outcome after %5lld ms\n", what, i + 1,
                    static_cast<long long>(stall.longestGapMs),
                    static_cast<long long>(stall.outcomeMs));
    }
    std::printf("%-16s longest gap of all runs: %lld ms\n", what, static_cast<long long>(worst));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    classiclook::apply();
    fonts::registerSubstitutes();
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;

    CupsSandbox cups;
    QString error;
    if (!cups.startWithDefaultQueue(QStringLiteral("bench_printer"), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    ModalDriver user; // dismisses the prompt
    ReportDelivery delivery;
    report(delivery, "printer", runs);

    QTcpServer silent; // the kernel completes every connection; nothing is ever read or sent
    if (!silent.listen(QHostAddress::LocalHost))
        return 1;
    qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(silent.serverPort()));
    report(delivery, "silent service", std::min(runs, 2));
    return 0;
}
