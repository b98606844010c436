#include "reports/PrinterStateReasons.h"

#include <QObject>

#include <array>
#include <utility>

QString PrinterStateReasons::wordsFor(const QString &reason)
{
    // CUPS reports an offline printer as "offline-report"; the others may carry the IPP
    // severity suffixes "-error" or "-warning", or none. "-report" alone is informational.
    if (reason == QLatin1String("offline-report"))
        return QObject::tr("it is offline");
    QString base = reason;
    for (const char *suffix : {"-error", "-warning"})
        if (base.endsWith(QLatin1String(suffix))) {
            base.chop(static_cast<qsizetype>(qstrlen(suffix)));
            break;
        }
    const std::array<std::pair<const char *, const char *>, 7> words{{
        {"offline", QT_TR_NOOP("it is offline")},
        {"media-empty", QT_TR_NOOP("it is out of paper")},
        {"media-jam", QT_TR_NOOP("there is a paper jam")},
        {"door-open", QT_TR_NOOP("a door is open")},
        {"cover-open", QT_TR_NOOP("its cover is open")},
        {"toner-empty", QT_TR_NOOP("it is out of toner")},
        {"marker-supply-empty", QT_TR_NOOP("it is out of ink or toner")},
    }};
    for (const auto &[keyword, text] : words)
        if (base == QLatin1String(keyword))
            return QObject::tr(text);
    return {};
}

QString PrinterStateReasons::plainWords(const QStringList &reasons)
{
    QStringList parts;
    for (const QString &reason : reasons) {
        const QString words = wordsFor(reason.trimmed());
        if (!words.isEmpty() && !parts.contains(words))
            parts.append(words);
    }
    if (parts.isEmpty())
        return {};
    QString joined = parts.takeLast();
    if (!parts.isEmpty())
        joined = parts.join(QStringLiteral(", ")) + QObject::tr(" and ") + joined;
    return QObject::tr("the printer reports %1").arg(joined);
}
