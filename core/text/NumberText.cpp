#include "core/text/NumberText.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <string>

namespace numbertext {

namespace {

// A number as its 15 significant decimal digits: value = 0.digits x 10^point, where point is
// the count of digits before the decimal point (zero or negative for values below 0.1).
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zero unless the value is zero
    int point = 0;
};

Decimal decimalOf(double value)
{
    Decimal d;
    d.negative = std::signbit(value) && value != 0.0;
    if (value == 0.0 || !std::isfinite(value)) {
        d.digits.assign(1, '0');
        d.point = 1;
        return d;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string text(buffer);
    const auto e = text.find('e');
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.point = std::stoi(text.substr(e + 1)) + 1;
    return d;
}

void stripTrailingZeros(std::string &digits)
{
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

bool isZero(const std::string &digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

// Rounds to `decimals` places, half away from zero. Returns the integer and fraction digits.
void roundTo(const Decimal &d, int decimals, std::string &integer, std::string &fraction)
{
    std::string digits = d.digits;
    int point = d.point;
    const int kept = point + decimals;
    if (kept < 0) {
        digits.assign(1, '0');
        point = 1;
    } else {
        const bool up = kept < static_cast<int>(digits.size()) && digits[kept] >= '5';
        digits.resize(kept, '0');
        if (up) {
            int i = kept - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
    }
    // Lay the digits out around the decimal point.
    if (point > static_cast<int>(digits.size()))
        digits.append(point - digits.size(), '0');
    if (point < 0) {
        digits.insert(0, -point, '0');
        point = 0;
    }
    integer = digits.substr(0, point);
    fraction = digits.substr(point);
    fraction.resize(decimals, '0');
    const auto firstSignificant = integer.find_first_not_of('0');
    integer =
        firstSignificant == std::string::npos ? std::string() : integer.substr(firstSignificant);
}

// General form with the given separator; `leadingZero` writes "0" before the separator below 1.
QString general(double value, const QString &decimal, bool leadingZero)
{
    Decimal d = decimalOf(value);
    stripTrailingZeros(d.digits);
    const int n = static_cast<int>(d.digits.size());
    std::string integer;
    std::string fraction;
    if (isZero(d.digits)) {
        integer = "0";
    } else if (d.point >= 15 || d.point < -14) {
        // Beyond fifteen digits the general form switches to an exponent.
        QString mantissa = QString::fromStdString(d.digits.substr(0, 1));
        if (n > 1)
            mantissa += decimal + QString::fromStdString(d.digits.substr(1));
        const int exponent = d.point - 1;
        return (d.negative ? QStringLiteral("-") : QString()) + mantissa + QStringLiteral("E") +
               (exponent < 0 ? QStringLiteral("-") : QStringLiteral("+")) +
               QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    } else if (d.point <= 0) {
        integer = leadingZero ? "0" : "";
        fraction = std::string(-d.point, '0') + d.digits;
    } else if (d.point >= n) {
        integer = d.digits + std::string(d.point - n, '0');
    } else {
        integer = d.digits.substr(0, d.point);
        fraction = d.digits.substr(d.point);
    }
    QString text = d.negative ? QStringLiteral("-") : QString();
    text += QString::fromStdString(integer);
    if (!fraction.empty())
        text += decimal + QString::fromStdString(fraction);
    return text;
}

QString withSign(double value, const QString &decimal)
{
    const QString text = general(value, decimal, false);
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char(' ') + text;
}

} // namespace

QString localeDecimal() { return QLocale().decimalPoint(); }

QString plain(double value, const QString &decimal) { return general(value, decimal, true); }
QString plain(double value) { return plain(value, localeDecimal()); }

QString signedText(double value) { return withSign(value, QStringLiteral(".")); }

QString printed(double value, const QString &decimal)
{
    return withSign(value, decimal) + QLatin1Char(' ');
}
QString printed(double value) { return printed(value, localeDecimal()); }
QString printed(std::optional<double> value) { return value ? printed(*value) : QString(); }

QString pattern(double value, const QString &format, const QString &decimal)
{
    // The digit section is the run of "0", "#" and "." characters; what stands before and after
    // it is written as it is ("%" also scales the value by 100).
    const auto isDigitChar = [](QChar c) {
        return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.');
    };
    qsizetype first = 0;
    while (first < format.size() && !isDigitChar(format[first]))
        ++first;
    if (first == format.size())
        first = -1;
    qsizetype last = first;
    while (last >= 0 && last < format.size() && isDigitChar(format[last]))
        ++last;
    const QString digitsPart = first < 0 ? QString() : format.mid(first, last - first);
    const QString prefix = first < 0 ? format : format.left(first);
    const QString suffix = first < 0 ? QString() : format.mid(last);

    const qsizetype dot = digitsPart.indexOf(QLatin1Char('.'));
    const QString integerPart = dot < 0 ? digitsPart : digitsPart.left(dot);
    const QString fractionPart = dot < 0 ? QString() : digitsPart.mid(dot + 1);
    const int minIntegerDigits = static_cast<int>(integerPart.count(QLatin1Char('0')));
    const int decimals = static_cast<int>(fractionPart.size());

    Decimal d = decimalOf(value);
    if (format.contains(QLatin1Char('%')) && !isZero(d.digits))
        d.point += 2;
    std::string integer;
    std::string fraction;
    roundTo(d, decimals, integer, fraction);
    if (static_cast<int>(integer.size()) < minIntegerDigits)
        integer.insert(0, minIntegerDigits - integer.size(), '0');

    QString text = prefix;
    if (d.negative && !(isZero(integer) && isZero(fraction)))
        text += QLatin1Char('-');
    text += QString::fromStdString(integer);
    if (dot >= 0)
        text += decimal + QString::fromStdString(fraction);
    return text + suffix;
}

QString pattern(double value, const QString &format)
{
    return pattern(value, format, localeDecimal());
}

} // namespace numbertext
