#include "reports/PrinterStateReasons.h"

#include <QObject>

#include <array>
#include <utility>

namespace printerstatereasons {

namespace {

struct Reason {
    QString keyword; // without its severity suffix
    bool stops = false;
};

Reason parse(const QString &reason)
{
    if (reason == QLatin1String("offline-report"))
        return {QStringLiteral("offline"), true};
    if (reason.endsWith(QLatin1String("-warning")))
        return {reason.chopped(8), false};
    if (reason.endsWith(QLatin1String("-report")))
        return {reason.chopped(7), false};
    if (reason.endsWith(QLatin1String("-error")))
        return {reason.chopped(6), true};
    return {reason, true};
}

// The words for a keyword without its suffix, or empty when it is not a stop we tell of.
QString wordsFor(const QString &keyword)
{
    const std::array<std::pair<const char *, const char *>, 7> words{{
        {"offline", QT_TR_NOOP("it is offline")},
        {"media-empty", QT_TR_NOOP("it is out of paper")},
        {"media-jam", QT_TR_NOOP("there is a paper jam")},
        {"door-open", QT_TR_NOOP("a door is open")},
        {"cover-open", QT_TR_NOOP("its cover is open")},
        {"toner-empty", QT_TR_NOOP("it is out of toner")},
        {"marker-supply-empty", QT_TR_NOOP("it is out of ink or toner")},
    }};
    for (const auto &[name, text] : words)
        if (keyword == QLatin1String(name))
            return QObject::tr(text);
    return {};
}

QString stopWords(const QString &reason)
{
    const Reason parsed = parse(reason.trimmed());
    return parsed.stops ? wordsFor(parsed.keyword) : QString();
}

} // namespace

bool stopsPrinting(const QString &reason) { return !stopWords(reason).isEmpty(); }

QString plainWords(const QStringList &reasons)
{
    QStringList parts;
    for (const QString &reason : reasons) {
        const QString words = stopWords(reason);
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

} // namespace printerstatereasons
