#pragma once
// The general number format of real values: fixed notation when the value is at least 0.00001 and has
// at most 15 digits before the decimal separator, scientific notation otherwise ("1.5E20", "1E-6");
// the locale's decimal separator, no group separators; "NAN", "INF" and "-INF" for values that are not
// finite.
//
// A 64-bit real shows the shortest text of at most 15 significant digits. A 32-bit real (a station's
// "float" parameter) shows the shortest text that reads back to the same 32-bit value: 169.25955f reads
// "169.25955", not the "169.259552001953" of its widening to 64 bits, whose extra digits the station
// never stored. A negative zero keeps its sign, so that writing the shown text back sends the same bytes.

#include <QLocale>
#include <QString>

namespace kalver::link {

QString generalFloatText(double value, const QLocale& locale = QLocale());
QString generalSingleText(float value, const QLocale& locale = QLocale());

} // namespace kalver::link
