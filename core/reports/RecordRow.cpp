#include "core/reports/RecordRow.h"

#include "core/reports/Agreement.h"

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
    const auto add = [&row, &results](const char *column, Measure measure) {
        row.add(QLatin1String(column), results.dataText(measure));
    };
    add("sample_s", Measure::SampleSeconds);
    add("talk_s", Measure::TalkSeconds);
    row.add(QStringLiteral("talk_n"),
            number(fields.talkCount ? std::optional<double>(*fields.talkCount) : std::nullopt));
    add("clutter_s", Measure::ClutterSeconds);
    row.add(QStringLiteral("clutter_n"), number(fields.clutterCount));
    add("silence_pct", Measure::PercentSampleSilent);
    add("talking_pct", Measure::PercentSampleSpoken);
    add("clutter_free_talk_pct", Measure::PercentTalkClutterFree);
    add("cluttered_talk_pct", Measure::PercentTalkCluttered);
    add("cluttered_sample_pct", Measure::PercentSampleCluttered);
    add("talk_mean_s", Measure::MeanSpeechInterval);
    add("clutter_mean_s", Measure::MeanClutterInterval);
    add("clutter_per_min_sample", Measure::ClutterRatePerSampleMin);
    add("clutter_per_min_talk", Measure::ClutterRatePerTalkMin);
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

RecordRow RecordRow::comparison(const Agreement &agreement, const QDateTime &when)
{
    RecordRow row(RecordKind::Comparison, when);
    for (const auto &[column, value] : agreement.columns())
        row.add(column, value);
    return row;
}

QStringList RecordRow::columnsOf(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Session: return session({}, {}).columns();
    case RecordKind::Ratings: return ratings({}, {}).columns();
    case RecordKind::Comparison: break;
    }
    return comparison(Agreement(JudgedTimeline(), JudgedTimeline()), {}).columns();
}
