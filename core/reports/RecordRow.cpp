#include "core/reports/RecordRow.h"

#include "core/ratings/RatingCore.h"
#include "core/ratings/ScaleTable.h"
#include "core/session/SessionResults.h"
#include "core/text/NumberText.h"

#include <cstdlib>
#include <optional>

namespace {

const QString point = QStringLiteral(".");

QString number(std::optional<double> value)
{
    return value ? numbertext::plain(*value, point) : QString();
}

// The report's "0.0 %" as a 0-100 number: the same digits, without the percent sign.
QString percent(std::optional<double> share)
{
    return share ? numbertext::pattern(*share, QStringLiteral("0.0%"), point).chopped(1)
                 : QString();
}

QString twoDecimals(std::optional<double> value)
{
    return value ? numbertext::pattern(*value, QStringLiteral("0.00"), point) : QString();
}

std::optional<double> complement(std::optional<double> share)
{
    return share ? std::optional<double>(1 - *share) : std::nullopt;
}

double seconds(std::optional<qint32> ticks)
{
    return ticks.value_or(0) / static_cast<double>(SessionResults::TicksPerSecond);
}

// ISO 8601 with the offset written out, "+00:00" for UTC too: 2026-12-09T14:32:05+01:00.
QString withOffset(const QDateTime &when)
{
    const int offset = when.offsetFromUtc() / 60;
    const int minutes = std::abs(offset);
    return when.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) +
           QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// "Speaking rate" -> "speaking_rate"
QString columnName(const char *feature)
{
    return QString::fromLatin1(feature).toLower().replace(QLatin1Char(' '), QLatin1Char('_'));
}

} // namespace

RecordRow::RecordRow(RecordKind kind, const QDateTime &when) : m_kind(kind)
{
    add(QStringLiteral("exported_at"), when.isValid() ? withOffset(when) : QString());
}

void RecordRow::add(const QString &column, const QString &value)
{
    m_columns.append(column);
    m_values.append(value);
}

RecordRow RecordRow::session(const SessionFields &fields, const QDateTime &when)
{
    using Measure = SessionResults::Measure;
    const SessionResults results(fields);
    RecordRow row(RecordKind::Session, when);
    row.add(QStringLiteral("sample_s"), number(seconds(fields.sampleTicks)));
    row.add(QStringLiteral("talk_s"), number(seconds(fields.talkTicks)));
    row.add(QStringLiteral("talk_n"),
            number(fields.talkCount ? std::optional<double>(*fields.talkCount) : std::nullopt));
    row.add(QStringLiteral("clutter_s"), number(seconds(fields.clutterTicks)));
    row.add(QStringLiteral("clutter_n"), number(fields.clutterCount));
    const auto spoken = results.value(Measure::PercentSampleSpoken);
    const auto talkCluttered = results.value(Measure::PercentTalkCluttered);
    row.add(QStringLiteral("silence_pct"), percent(complement(spoken)));
    row.add(QStringLiteral("talking_pct"), percent(spoken));
    row.add(QStringLiteral("clutter_free_talk_pct"), percent(complement(talkCluttered)));
    row.add(QStringLiteral("cluttered_talk_pct"), percent(talkCluttered));
    row.add(QStringLiteral("cluttered_sample_pct"),
            percent(results.value(Measure::PercentSampleCluttered)));
    row.add(QStringLiteral("talk_mean_s"), twoDecimals(results.value(Measure::MeanSpeechInterval)));
    row.add(QStringLiteral("clutter_mean_s"),
            twoDecimals(results.value(Measure::MeanClutterInterval)));
    row.add(QStringLiteral("clutter_per_min_sample"),
            twoDecimals(results.value(Measure::ClutterRatePerSampleMin)));
    row.add(QStringLiteral("clutter_per_min_talk"),
            twoDecimals(results.value(Measure::ClutterRatePerTalkMin)));
    return row;
}

RecordRow RecordRow::ratings(const RatingFields &fields, const QDateTime &when)
{
    RecordRow row(RecordKind::Ratings, when);
    for (const ScaleRow &scale : ScaleTable::rows()) {
        const QString name = columnName(scale.reportLabel);
        const float rating = fields.*scale.field;
        const bool rated = fields.*scale.rated;
        row.add(name + QStringLiteral("_position"), rated ? number(rating) : QString());
        row.add(name + QStringLiteral("_0_100"),
                rated ? numbertext::pattern(RatingCore::PercentScore(rating), QStringLiteral("0.0"),
                                            point)
                      : QString());
        row.add(name + QStringLiteral("_1_9"),
                rated ? RatingCore::NineScoreText(rating, point) : QString());
    }
    return row;
}

QStringList RecordRow::columnsOf(RecordKind kind)
{
    return kind == RecordKind::Session ? session({}, {}).columns() : ratings({}, {}).columns();
}
