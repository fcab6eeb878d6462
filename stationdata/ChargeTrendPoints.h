#pragma once
// Reading a station's charge-trend file for its curve: 16-byte records (local day count, charge level
// in percent, both 64-bit reals), taken in file order; a trailing incomplete record is ignored. A
// record whose values are not finite, or whose date lies outside the years 1900 ... 9999, is skipped.
// A file holds at most kMaxChargePoints records for the curve: of a longer file the latest are read.
//
// The colour of a curve: a random whole number r, 0 <= r < 11579568, plus 4210752, taken as a colour
// value with red in the low byte, green in the next and blue in the third (so the whole colour
// value lies between 0x404040 and 0xF0F0EF: no curve is near black or near white).

#include <QColor>
#include <QList>
#include <QString>

#include <optional>

namespace kalver::stationdata {

inline constexpr qsizetype kMaxChargePoints = 200000;
inline constexpr quint32 kChargeColourRange = 11579568;
inline constexpr quint32 kChargeColourBase = 4210752;

struct ChargePoint {
    double localDays = 0; // local day count
    double level = 0;     // percent; -1 when the station reported it unknown
    bool operator==(const ChargePoint&) const = default;
};

// The records of the file at `path`; nothing when it does not exist or cannot be opened.
std::optional<QList<ChargePoint>> readChargeTrendPoints(const QString& path, qsizetype maxPoints = kMaxChargePoints);

// The colour for the random number `r` (taken modulo the range).
QColor chargeCurveColour(quint32 r);
// A colour for a new curve.
QColor randomChargeCurveColour();

} // namespace kalver::stationdata
