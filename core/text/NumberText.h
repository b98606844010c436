#pragma once

#include <QString>

#include <optional>

// The four ways the program writes a number as text.
//  - plain:   general form, up to 15 significant digits, no trailing zeros, the locale's decimal
//             separator, "0" before the separator below 1 (0.2 -> "0.2", 3 -> "3").
//  - signed:  a blank (or "-") in front, always ".", no zero before the separator
//             (3 -> " 3", 0.2 -> " .2", 0 -> " 0").
//  - printed: the signed form with the locale's separator and a trailing blank (0.6 -> " .6 ");
//             an unset value prints as nothing.
//  - pattern: "0.0 %", "0.00 ", "###.0 %", "#.0" and the like; "0" an always-written digit, "#"
//             a digit written only when significant, "%" multiplies by 100. Rounding is half away
//             from zero, applied to the value's 15-significant-digit decimal form, so 0.0625 with
//             "0.0 %" gives "6.3 %" as a person reading 0.0625 would round it.
// Functions without a separator argument use the decimal separator of the default QLocale.
namespace numbertext {

// The text shown and printed in place of a number that cannot be computed (a zero divisor, a
// scale never rated).
inline constexpr char notAvailable[] = "  n/a ";

QString localeDecimal();

QString plain(double value, const QString &decimal);
QString plain(double value);

QString signedText(double value);

QString printed(double value, const QString &decimal);
QString printed(double value);
QString printed(std::optional<double> value);

QString pattern(double value, const QString &format, const QString &decimal);
QString pattern(double value, const QString &format);

} // namespace numbertext
