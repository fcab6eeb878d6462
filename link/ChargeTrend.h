#pragma once
// Charge-trend files: one per station number, "<charge folder><number>.crg", a sequence of 16-byte
// records (local day count as a 64-bit real, then the new charge level as a 64-bit real, -1 when the
// station reports it unknown). The status report appends a record when a station's charge changes
// (at access level 3); the station data window draws them; the log-in window may delete them.

#include "core/TDateTime.h"

#include <QByteArray>
#include <QString>

namespace kalver::link {

inline constexpr qsizetype kChargeTrendRecordSize = 16;

// The folder text immediately followed by the number and ".crg" (the folder carries its separator).
QString chargeTrendPath(const QString& folder, int stationNumber);

// The 16 bytes of one record.
QByteArray chargeTrendRecord(TDateTime localTime, double chargeLevel);

// Opens the file (creating it when absent), writes one record at its end with one write call and
// closes it. Returns false when the file cannot be opened or written; the caller goes on.
bool appendChargeTrend(const QString& path, TDateTime localTime, double chargeLevel);

} // namespace kalver::link
