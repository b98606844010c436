#include "core/ratings/RatingCore.h"

#include "core/ratings/RatingFields.h"
#include "core/ratings/ScaleTable.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace {

const QString percentPattern = QStringLiteral("###.0 %");
const QString ninePattern = QStringLiteral("#.0");

// rating / 778, rounded to single precision.
float quotient(float rating)
{
    return static_cast<float>(static_cast<double>(rating) / RatingCore::fullScale);
}

// rating / 778 * 8 + 1, rounded to single precision.
float nineScore(float rating)
{
    return static_cast<float>(static_cast<double>(rating) / RatingCore::fullScale * 8.0 + 1.0);
}

} // namespace

QString RatingCore::PercentScoreText(float rating)
{
    return PercentScoreText(rating, numbertext::localeDecimal());
}

QString RatingCore::PercentScoreText(float rating, const QString &decimal)
{
    return numbertext::pattern(static_cast<double>(quotient(rating)), percentPattern, decimal);
}

double RatingCore::PercentScore(float rating)
{
    // Half away from zero, as the pattern rounds.
    return std::round(static_cast<double>(quotient(rating)) * 1000.0) / 10.0;
}

QString RatingCore::NineScoreText(float rating)
{
    return NineScoreText(rating, numbertext::localeDecimal());
}

QString RatingCore::NineScoreText(float rating, const QString &decimal)
{
    return numbertext::pattern(static_cast<double>(nineScore(rating)), ninePattern, decimal);
}

BarLine RatingCore::verticalLine(float x, Rgb colour)
{
    return {QLineF(static_cast<double>(x), static_cast<double>(markTop), static_cast<double>(x),
                   static_cast<double>(markBottom)),
            colour};
}

BarLine RatingCore::mark(float rating) { return verticalLine(rating, markColour); }

BarPress RatingCore::press(float current, float x)
{
    return {verticalLine(current, eraseColour), mark(x), x, PercentScoreText(x), NineScoreText(x)};
}

BarPress RatingCore::press(RatingFields &fields, const ScaleRow &scale, float x)
{
    BarPress result = press(fields.*scale.field, x);
    fields.*scale.field = result.rating;
    fields.*scale.rated = true;
    return result;
}
