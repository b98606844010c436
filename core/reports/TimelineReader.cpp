#include "core/reports/TimelineReader.h"

#include "core/reports/CsvTable.h"
#include "core/reports/WholeFile.h"

#include <QFileInfo>
#include <QStringConverter>
#include <QStringDecoder>
#include <QStringList>

#include <cmath>
#include <variant>

namespace {

using Channel = Timeline::Channel;
constexpr double TicksPerSecond = 5;
const QStringList timelineHeader{"channel",    "number", "start_s",   "end_s",
                                 "duration_s", "status", "recording", "recording_s"};

qint32 ticksOf(double seconds) { return qint32(std::lround(seconds * TicksPerSecond)); }

// The first tick whose midpoint lies at or after `seconds`.
qint32 tickFrom(double seconds) { return qint32(std::ceil(seconds * TicksPerSecond - 0.5)); }

std::optional<Channel> channelNamed(const QString &name)
{
    if (name == QLatin1String("speech"))
        return Channel::Speech;
    if (name == QLatin1String("cluttering"))
        return Channel::Cluttering;
    return std::nullopt;
}

// "NAME 83.205 s", as Tallymere labels the recording's point.
SessionRecording recordingNamed(const QString &label)
{
    QStringList words = label.split(QLatin1Char(' '));
    if (words.size() < 3 || words.last() != QLatin1String("s"))
        return {label, 0};
    words.removeLast();
    const qint64 milliseconds = std::llround(words.takeLast().toDouble() * 1000);
    return {words.join(QLatin1Char(' ')), milliseconds};
}

// ---- CSV -----------------------------------------------------------------------------------

std::optional<JudgedTimeline> readCsv(const QString &text, const QString &name, QString *why)
{
    const QList<QStringList> records = CsvTable::records(text);
    if (records.value(0) != timelineHeader) {
        *why = QStringLiteral("it is a CSV file but not a timeline Tallymere exported (its first "
                              "line is not a timeline's header)");
        return std::nullopt;
    }
    JudgedTimeline judged(name);
    bool sampled = false;
    for (const QStringList &fields : records.mid(1)) {
        if (fields.size() != timelineHeader.size())
            continue;
        if (fields[0] == QLatin1String("sample")) {
            judged = JudgedTimeline(name, ticksOf(fields[3].toDouble()));
            if (!fields[6].isEmpty())
                judged.recording = {fields[6], std::llround(fields[7].toDouble() * 1000)};
            sampled = true;
            continue;
        }
        const std::optional<Channel> channel = channelNamed(fields[0]);
        if (!channel || !sampled)
            continue;
        const qint32 start = ticksOf(fields[2].toDouble());
        judged.mark(*channel, start, ticksOf(fields[3].toDouble()));
        if (fields[5] == QLatin1String("counted"))
            judged.channel(*channel).countedStarts.push_back(start);
    }
    if (!sampled) {
        *why = QStringLiteral("it holds no \"sample\" row, which gives the sample's length");
        return std::nullopt;
    }
    return judged;
}

// ---- TextGrid ------------------------------------------------------------------------------

// A TextGrid's values in order, as both text formats give them: quoted texts, numbers and flags
// ("<exists>"); the long format's keys and item numbers are passed over.
using Token = std::variant<QString, double>;

QList<Token> textGridTokens(const QString &text)
{
    QList<Token> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            QString value;
            for (++i; i < text.size(); ++i) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                        ++i;
                    else
                        break;
                }
                value += text[i];
            }
            ++i;
            tokens.append(value);
        } else if (c == QLatin1Char('[')) {
            i = text.indexOf(QLatin1Char(']'), i);
            i = i < 0 ? text.size() : i + 1;
        } else if (c == QLatin1Char('<')) {
            const qsizetype end = text.indexOf(QLatin1Char('>'), i);
            tokens.append(text.mid(i, end < 0 ? -1 : end - i + 1));
            i = end < 0 ? text.size() : end + 1;
        } else if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')) {
            qsizetype end = i + 1;
            while (end < text.size() &&
                   (text[end].isDigit() || text[end] == QLatin1Char('.') ||
                    text[end] == QLatin1Char('e') || text[end] == QLatin1Char('-')))
                ++end;
            tokens.append(text.mid(i, end - i).toDouble());
            i = end;
        } else if (c == QLatin1Char('!')) {
            i = text.indexOf(QLatin1Char('\n'), i); // a comment, to the end of its line
            i = i < 0 ? text.size() : i;
        } else {
            ++i;
        }
    }
    return tokens;
}

class TextGridParser {
public:
    explicit TextGridParser(const QList<Token> &tokens) : m_tokens(tokens) {}

    std::optional<JudgedTimeline> parse(const QString &name, QString *why)
    {
        if (text() != QLatin1String("ooTextFile") || text() != QLatin1String("TextGrid")) {
            *why = QStringLiteral("it is not a CSV file or a Praat TextGrid");
            return std::nullopt;
        }
        number(); // xmin
        const double end = number();
        if (text() != QLatin1String("<exists>"))
            return fail(why);
        JudgedTimeline judged(name, tickFrom(end));
        QStringList tiers;
        bool found[2] = {false, false};
        const int size = int(number());
        for (int tier = 0; tier < size && m_ok; ++tier) {
            const QString kind = text();
            const QString tierName = text();
            number();
            number();
            const int count = int(number());
            if (!m_ok)
                break;
            tiers.append(tierName);
            if (kind == QLatin1String("IntervalTier"))
                readIntervals(judged, tierName, count, found);
            else
                readPoints(judged, tierName, count);
        }
        if (!m_ok)
            return fail(why);
        if (!found[0] || !found[1]) {
            *why = QStringLiteral("it has no interval tiers named \"speech\" and \"cluttering\" "
                                  "(its tiers: %1)")
                       .arg(tiers.isEmpty() ? QStringLiteral("none") : tiers.join(", "));
            return std::nullopt;
        }
        return judged;
    }

private:
    void readIntervals(JudgedTimeline &judged, const QString &tierName, int count, bool found[2])
    {
        const std::optional<Channel> channel = channelNamed(tierName);
        if (channel)
            found[*channel == Channel::Speech ? 0 : 1] = true;
        for (int i = 0; i < count && m_ok; ++i) {
            const double from = number();
            const double to = number();
            const QString label = text().trimmed();
            if (!channel || label.isEmpty())
                continue;
            judged.mark(*channel, tickFrom(from), tickFrom(to));
            if (!label.endsWith(QLatin1String(" open")) &&
                !label.endsWith(QLatin1String(" dropped")))
                judged.channel(*channel).countedStarts.push_back(from * TicksPerSecond);
        }
    }

    // Tallymere's point tiers: intervals of 0 ticks ("3", "4 open", joined by ","), and the
    // recording's name and length.
    void readPoints(JudgedTimeline &judged, const QString &tierName, int count)
    {
        const std::optional<Channel> channel =
            channelNamed(QString(tierName).remove(QLatin1String("-points")));
        const bool zeroTicks = channel && tierName.endsWith(QLatin1String("-points"));
        for (int i = 0; i < count && m_ok; ++i) {
            const double at = number();
            const QString label = text();
            if (tierName == QLatin1String("recording") && !label.isEmpty())
                judged.recording = recordingNamed(label);
            if (!zeroTicks)
                continue;
            for (const QString &each : label.split(QLatin1Char(',')))
                if (!each.contains(QLatin1Char(' ')))
                    judged.channel(*channel).countedStarts.push_back(at * TicksPerSecond);
        }
    }

    std::optional<JudgedTimeline> fail(QString *why)
    {
        *why = QStringLiteral("it is a Praat TextGrid that cannot be read to its end");
        return std::nullopt;
    }
    QString text()
    {
        if (m_at >= m_tokens.size() || !std::holds_alternative<QString>(m_tokens[m_at])) {
            m_ok = false;
            return {};
        }
        return std::get<QString>(m_tokens[m_at++]);
    }
    double number()
    {
        if (m_at >= m_tokens.size() || !std::holds_alternative<double>(m_tokens[m_at])) {
            m_ok = false;
            return 0;
        }
        return std::get<double>(m_tokens[m_at++]);
    }

    const QList<Token> &m_tokens;
    qsizetype m_at = 0;
    bool m_ok = true;
};

QString decoded(const QByteArray &bytes, bool *ok)
{
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8));
    const QString text = decoder.decode(bytes);
    *ok = !decoder.hasError();
    return text;
}

} // namespace

namespace timelinereader {

std::optional<JudgedTimeline> read(const QString &path, QString *why)
{
    const std::optional<QByteArray> bytes = wholefile::read(path, why);
    if (!bytes)
        return std::nullopt;
    bool ok = false;
    QString text = decoded(*bytes, &ok);
    if (!ok) {
        *why = QStringLiteral("it is not a CSV file or a Praat TextGrid (it is not text in UTF-8 "
                              "or UTF-16)");
        return std::nullopt;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QString name = QFileInfo(path).fileName();
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    if (!first.contains(QLatin1String("ooTextFile")) && first.contains(QLatin1Char(',')))
        return readCsv(text, name, why);
    return TextGridParser(textGridTokens(text)).parse(name, why);
}

} // namespace timelinereader
