#include "link/FloatText.h"

#include <cmath>

namespace kalver::link {

QString generalFloatText(double value, const QLocale& locale) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const QString decimal = locale.decimalPoint();
    const QString minus = value < 0 ? locale.negativeSign() : QString();
    if (value == 0.0)
        return QStringLiteral("0");

    // 15 significant digits: "d.dddddddddddddde[+-]xx".
    const QString e = QString::number(std::fabs(value), 'e', 14);
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    QString digits = e.left(1) + e.mid(2, ePos - 2);
    const int exponent = e.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

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

} // namespace kalver::link
