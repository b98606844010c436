#include "core/reports/CompareCommand.h"

#include "core/reports/Agreement.h"
#include "core/reports/CsvTable.h"
#include "core/reports/RecordRow.h"
#include "core/reports/TimelineReader.h"

#include <QDateTime>
#include <QTextStream>

namespace {

constexpr int Failed = 2;

const char usage[] =
    "Usage: tallymere [Qt options]\n"
    "       tallymere --compare A B [--interval SECONDS]\n"
    "       tallymere --help\n"
    "\n"
    "Without options, opens the counter/timer and its other windows.\n"
    "\n"
    "  --compare A B         compares two timelines of one sample that Tallymere exported\n"
    "                        (CSV or Praat TextGrid; a TextGrid with interval tiers \"speech\"\n"
    "                        and \"cluttering\" from elsewhere too), A as judge A and B as\n"
    "                        judge B, and prints the comparison's CSV header and row: each\n"
    "                        judge's totals, window-by-window agreement, Cohen's kappa by\n"
    "                        tick and by 1 s unit, and the percentages. Needs no display.\n"
    "  --interval SECONDS    the windows' length, 1 to 10 s in steps of 0.2 s (default 5).\n"
    "  --help                shows this and ends.\n"
    "\n"
    "A file that cannot be read or compared, or a wrong command line, is told in one line on\n"
    "standard error, with exit status 2.\n";

int fail(QTextStream &error, const QString &message)
{
    error << "tallymere: " << message << '\n';
    error.flush();
    return Failed;
}

} // namespace

namespace comparecommand {

bool wanted(const QStringList &arguments)
{
    return arguments.contains(QStringLiteral("--compare")) ||
           arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
}

int run(const QStringList &arguments, QTextStream &output, QTextStream &error)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        output << usage;
        output.flush();
        return 0;
    }
    QStringList files;
    int windowTicks = Agreement::DefaultWindowTicks;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--compare")) {
            if (i + 2 >= arguments.size())
                return fail(error, QStringLiteral("--compare needs two timelines: --compare A B"));
            files = {arguments[i + 1], arguments[i + 2]};
            i += 2;
        } else if (argument == QLatin1String("--interval")) {
            QString why;
            const std::optional<int> ticks = Agreement::windowTicksOf(arguments.value(i + 1), &why);
            if (!ticks)
                return fail(error,
                            QStringLiteral("--interval %1: %2").arg(arguments.value(i + 1), why));
            windowTicks = *ticks;
            ++i;
        } else {
            return fail(
                error,
                QStringLiteral("unknown argument \"%1\" (see tallymere --help)").arg(argument));
        }
    }
    if (files.isEmpty())
        return fail(error, QStringLiteral("--interval goes with --compare A B"));
    std::optional<JudgedTimeline> judged[2];
    for (int judge = 0; judge < 2; ++judge) {
        QString why;
        judged[judge] = timelinereader::read(files[judge], &why);
        if (!judged[judge])
            return fail(error, QStringLiteral("%1 cannot be compared: %2.").arg(files[judge], why));
    }
    if (const QString refused = Agreement::refusal(*judged[0], *judged[1]); !refused.isEmpty())
        return fail(error, QStringLiteral("the timelines cannot be compared: %1.").arg(refused));
    const RecordRow row = RecordRow::comparison(Agreement(*judged[0], *judged[1], windowTicks),
                                                QDateTime::currentDateTime());
    output << QString::fromUtf8(CsvTable::line(row.columns()) + CsvTable::line(row.values()));
    output.flush();
    return 0;
}

} // namespace comparecommand
