#pragma once
// The general number format of the described program for real values: the shortest text with at
// most 15 significant digits; fixed notation when the value is at least 0.00001 and has at most 15
// digits before the decimal separator, scientific notation otherwise ("1.5E20", "1E-6"); the locale's
// decimal separator, no group separators; "NAN", "INF" and "-INF" for values that are not finite.

#include <QLocale>
#include <QString>

namespace kalver::link {

QString generalFloatText(double value, const QLocale& locale = QLocale());

} // namespace kalver::link
