#pragma once
// The time checks made before start and stop commands are sent, as plain decisions:
//
// - registration period (e025): with neither "Сразу" nor "По команде" checked, the begin may not be
//   later than the end;
// - per cluster row, start family: no sync-server connection (e069, the row is skipped); begin less
//   than one minute (0.000694 day) ahead of the cluster's sync time (e067) or the end likewise
//   (e068); a sync time that is the date-time of Unix second -1 or 0 (e076): these three end the
//   handling of further rows;
// - per cluster row, stop registration: no sync-server connection (e078, skipped); unusable sync
//   time (e077, ends the rows);
// - download period (e063): the begin may not be later than the end.
//
// The dates entered on the page are compared with the sync time as they stand (the stations take the
// entered values as the sync server's clock).

#include "core/TDateTime.h"

namespace kalver::stationdata {

inline constexpr double kStartMarginDays = 0.000694; // one minute

enum class RowCheck {
    Go,             // send to this row
    SkipRow,        // no sync-server connection: go on with the next row
    StopRows,       // a time check failed: handle no further rows
};

struct RowVerdict {
    RowCheck check = RowCheck::Go;
    const char16_t* code = nullptr; // the catalogue entry to show, or none
};

// e025: true when the period is reversed.
bool registrationPeriodReversed(bool beginNow, bool endByCommand, TDateTime begin, TDateTime end);

// Whether the sync time is the date-time of Unix second -1 or 0 (the sync server sends no usable time).
bool syncTimeUnusable(TDateTime syncTime);

RowVerdict checkStartRow(bool syncConnected, TDateTime syncTime, bool beginNow, TDateTime begin,
                         bool endByCommand, TDateTime end);
RowVerdict checkStopRow(bool syncConnected, TDateTime syncTime);

// e063: true when the download period is reversed.
bool downloadPeriodReversed(TDateTime begin, TDateTime end);

} // namespace kalver::stationdata
