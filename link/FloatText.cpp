#include "link/FloatText.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <system_error>

namespace kalver::link {

namespace {

// The text of a finite, non-zero value given by its significant decimal digits (no trailing zeros)
// and the decimal exponent of the first digit.
QString layoutGeneral(bool negative, QString digits, int exponent, const QLocale& locale) {
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    const QString decimal = locale.decimalPoint();
    const QString minus = negative ? locale.negativeSign() : QString();
    if (exponent >= 15 || exponent < -5) {
        QString text = minus + digits.left(1);
        if (digits.size() > 1)
            text += decimal + digits.mid(1);
        return text + QStringLiteral("E") + QString::number(exponent);
    }
    if (exponent < 0)
        return minus + QStringLiteral("0") + decimal + QString(-exponent - 1, QLatin1Char('0')) + digits;
    QString integral = digits.left(exponent + 1);
    if (integral.size() < exponent + 1)
        integral += QString(exponent + 1 - integral.size(), QLatin1Char('0'));
    const QString fraction = digits.mid(exponent + 1);
    return minus + integral + (fraction.isEmpty() ? QString() : decimal + fraction);
}

// Digits and exponent of scientific text "d.ddde[+-]xx" (or "de[+-]xx").
QString layoutScientific(bool negative, const QString& e, const QLocale& locale) {
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    const QString digits = e.left(1) + (ePos > 1 ? e.mid(2, ePos - 2) : QString());
    return layoutGeneral(negative, digits, e.mid(ePos + 1).toInt(), locale);
}

QString notFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString generalFloatText(double value, const QLocale& locale) {
    if (!std::isfinite(value))
        return notFinite(value);
    if (value == 0.0)
        return QStringLiteral("0");
    // 15 significant digits: "d.dddddddddddddde[+-]xx".
    return layoutScientific(value < 0, QString::number(std::fabs(value), 'e', 14), locale);
}

QString generalSingleText(float value, const QLocale& locale) {
    if (!std::isfinite(value))
        return notFinite(static_cast<double>(value));
    if (value == 0.0f)
        return std::signbit(value) ? locale.negativeSign() + QStringLiteral("0") : QStringLiteral("0");
    // The shortest scientific text that reads back to the same 32-bit value.
    char buffer[32];
    const std::to_chars_result r =
        std::to_chars(std::begin(buffer), std::end(buffer), std::fabs(value), std::chars_format::scientific);
    if (r.ec != std::errc())
        return generalFloatText(static_cast<double>(value), locale);
    return layoutScientific(value < 0, QString::fromLatin1(buffer, r.ptr - buffer), locale);
}

} // namespace kalver::link
