#pragma once
// How a station's values read to the operator: the texts of the detail panel (the labels of
// GridPanel1) and of the station table (its cells and its status, last-state and generator-tuning
// lines). The detail panel of TForm_Work and the table model both format through these functions, so a
// value reads the same in both places.
//
// Unknown values: a field that holds its unknown marker (-1 for the 32-bit values, both halves -1 for
// samples recorded, -1.0 for the generator reals, -1 or 0 for the tuning time, an invalid last-state
// marker) is shown as "-" in the detail panel (kPanelUnknown) and "--" in the table (kTableUnknown).
// The `value...` functions give std::nullopt for an unknown value so each view adds its own marker.
//
// Clock drift has no marker of its own: it counts as unknown when it equals the table's lower drift
// bound (se_FilterClockErrMin) minus one, -100001 while that bound keeps its initial value.
//
// Numbers follow the default QLocale's decimal separator; times are converted from seconds since 1970
// as UTC and written in the locale's date and time formats.

#include "link/StatusBlock.h"

#include <QColor>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace kalver::work {

inline const QString kPanelUnknown = QStringLiteral("-");
inline const QString kTableUnknown = QStringLiteral("--");

// The initial lower drift bound of the table and the drift value that then reads as unknown.
inline constexpr int kDriftBoundLimit = 100000;
inline constexpr int kInitialDriftUnknown = -kDriftBoundLimit - 1;

// --- number formats
// Fixed notation with `digits` decimals; a value with more than `precision` digits before the decimal
// separator switches to general notation, as the described number format does.
QString fixedText(double value, int precision, int digits);
// Exponent notation: `precision` significant digits, "E", the exponent's sign and at least
// `exponentDigits` digits ("1.23E+6", "-4.50E-3").
QString exponentText(double value, int precision, int exponentDigits);
// General notation: the shortest text with at most `precision` significant digits; fixed while the
// exponent lies in -5 ... precision - 1, otherwise "1.5E20" / "1E-6".
QString generalText(double value, int precision);
// "0x" followed by `value` as 8 upper-case hexadecimal digits.
QString hexWordText(std::uint32_t value);

// --- dates and times of seconds since 1970 (UTC)
QDateTime utcFromSeconds(qint64 seconds);
// The locale's short date, one space, the time of day with seconds.
QString dateTimeText(qint64 seconds);
// The time of day with seconds, one space, the short date (the detail panel's station time).
QString timeDateText(qint64 seconds);
// The locale's time of day with seconds (also the message log's time prefix).
QString timeOfDayText(const QTime& time);

// --- values with their unknown markers
std::optional<QString> valueCharge(const link::StatusBlock& b);        // "57"
std::optional<QString> valuePressureKpa(const link::StatusBlock& b);   // "101.3"
std::optional<QString> valueClockDrift(const link::StatusBlock& b, int driftUnknown); // "-30"
std::optional<QString> valueSamples(const link::StatusBlock& b);       // 64-bit decimal
std::optional<QString> valueFreeMemory(const link::StatusBlock& b);    // "80"
std::optional<QString> valueFileCount(const link::StatusBlock& b);     // "12"
std::optional<QString> valueGeneratorReal(double value);              // exponent text; -1.0 unknown
std::optional<QString> valueGeneratorTime(std::int32_t seconds);      // date and time; -1, 0 unknown
// The charging current in milliamperes, fixed with 1 decimal ("12.5").
QString chargingCurrentText(const link::StatusBlock& b);

// --- detail panel label texts
QString panelChargeLevel(const link::StatusBlock& b);   // "57 %" or "-"
QString panelPressure(const link::StatusBlock& b);      // "101.3 кПа" or "-"
QString panelStationTime(const link::StatusBlock& b);   // time, space, date; or "-"
QString panelClockDrift(const link::StatusBlock& b, int driftUnknown); // "-30 мкс" or "-"
QString panelSamples(const link::StatusBlock& b);
QString panelFreeMemory(const link::StatusBlock& b);    // "80 %" or "-"
QString panelFileCount(const link::StatusBlock& b);
QString panelCharging(const link::StatusBlock& b);      // "12.5 мА" or " откл"
QString panelDownload(const link::StatusBlock& b);      // "40%" or " откл"
// lbl_Test1 and lbl_Test2.
struct TestTexts {
    QString first;
    QString second;
};
TestTexts panelTest(const link::StatusBlock& b);
QString panelGeneratorReal(double value);               // lbl_GenCorrFreq, lbl_GenCorrQuality
QString panelGeneratorTime(std::int32_t seconds);       // lbl_GenCorrTime

// Registration state words: -1 "?", 0 "стоп" ... 15 "стоп сбой ФС"; a state outside -1 ... 15 reads
// "? (N)".
QString registrationStateText(std::int8_t state);

// The text of a last-state event code: 0 ... 13 from the power-off words, code 12 followed by the event
// detail as 8 hexadecimal digits, any other code "неизв. код 0х" followed by the code as 4 digits.
QString lastEventText(std::uint16_t code, std::uint32_t detail);

// Rows 8 and 9 of the detail panel: lbl_LastState, lbl_StateTime, lbl_StateFlags, lbl_StateErrors;
// all "-" while the last-state marker is not valid.
struct LastStateTexts {
    QString event;
    QString time;
    QString stateFlags;
    QString errorFlags;
};
LastStateTexts panelLastState(const link::StatusBlock& b);

// lbl_GenCor: the text, and the font colour it sets (none when no rule matched: "неизвестно" keeps
// the label's colour).
struct GeneratorLabel {
    QString text;
    std::optional<QColor> colour;
};
GeneratorLabel generatorLabel(std::uint8_t state);

// --- table lines
// Column 9: charging, registration and download, and the test and calibration marks while registering.
QString statusLine(const link::StatusBlock& b);
// Column 10: event text, date and time, state flags and error flags; "--" without a valid marker.
QString lastStateLine(const link::StatusBlock& b);
// Column 11: every matching generator-tuning text appended, then frequency, error and tuning time when
// known.
QString generatorLine(const link::StatusBlock& b);

} // namespace kalver::work
