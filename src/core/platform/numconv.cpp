#include "numconv.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace numconv {

namespace {

using Limits = std::numeric_limits<std::int64_t>;

// 2^63, the first double above every 64-bit whole number; -2^63 is exact.
constexpr double kTwoTo63 = 9223372036854775808.0;

// A whole-valued double taken to 64 bits, saturating beyond the range and
// giving 0 for NaN: converting those is undefined behaviour.
std::int64_t saturate(double whole)
{
    if (std::isnan(whole))
        return 0;
    if (whole >= kTwoTo63)
        return Limits::max();
    if (whole < -kTwoTo63)
        return Limits::min();
    return static_cast<std::int64_t>(whole);
}

} // namespace

std::int64_t roundHalfEven(double value)
{
    const double floorValue = std::floor(value);
    if (std::isnan(value) || floorValue >= kTwoTo63 || floorValue < -kTwoTo63)
        return saturate(floorValue);
    const double diff = value - floorValue;
    auto result = static_cast<std::int64_t>(floorValue);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}

std::int64_t intFloor(double value)
{
    return saturate(std::floor(value));
}

std::int64_t intDiv(double a, std::int64_t n)
{
    const std::int64_t whole = roundHalfEven(a);
    if (n == 0)
        return whole == 0 ? 0 : (whole > 0 ? Limits::max() : Limits::min());
    if (n == -1)
        return whole == Limits::min() ? Limits::max() : -whole;
    return whole / n; // C++ division truncates toward zero
}

QString floatToText(float value, const QString &decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (value == 0.0f)
        return QStringLiteral("0");

    // Seven significant digits in scientific form, then laid out plainly.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6e", static_cast<double>(value));
    QString text = QString::fromLatin1(buffer); // e.g. "-6.666667e+00"
    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    const int ePos = int(text.indexOf(u'e'));
    const int exponent = text.mid(ePos + 1).toInt();
    QString digits = text.left(ePos);
    digits.remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString result;
    if (exponent >= 15 || exponent < -15) {
        // Very large or small values keep an exponent, as the float text does.
        result = digits.left(1);
        if (digits.size() > 1)
            result += decimalSeparator + digits.mid(1);
        result += (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+"))
                  + QString::number(std::abs(exponent)).rightJustified(2, u'0');
    } else if (exponent < 0) {
        result = u'0' + decimalSeparator + QString(-exponent - 1, u'0') + digits;
    } else if (digits.size() <= exponent + 1) {
        result = digits + QString(exponent + 1 - int(digits.size()), u'0');
    } else {
        result = digits.left(exponent + 1) + decimalSeparator + digits.mid(exponent + 1);
    }
    return negative ? u'-' + result : result;
}

QString spanishInteger(std::int64_t value)
{
    const bool negative = value < 0;
    // The magnitude as unsigned, so that the most negative value has one too.
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(value) : std::uint64_t(value);
    QString digits = QString::number(magnitude);
    if (digits.size() > 4) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
            digits.insert(at, QChar(0x00A0));
    }
    return negative ? u'-' + digits : digits;
}

} // namespace numconv
