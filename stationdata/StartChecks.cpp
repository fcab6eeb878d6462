#include "stationdata/StartChecks.h"

#include <cmath>

namespace kalver::stationdata {

namespace {

// Half a second: a sync time computed from whole seconds equals one of them to far better than this.
constexpr double kSameInstantDays = 0.5 / TDateTime::kSecondsPerDay;

bool sameInstant(TDateTime a, TDateTime b) { return std::abs(a.days() - b.days()) < kSameInstantDays; }

} // namespace

bool registrationPeriodReversed(bool beginNow, bool endByCommand, TDateTime begin, TDateTime end) {
    return !beginNow && !endByCommand && begin > end;
}

bool syncTimeUnusable(TDateTime syncTime) {
    return sameInstant(syncTime, TDateTime::fromUnixSeconds(-1)) || sameInstant(syncTime, TDateTime::fromUnixSeconds(0));
}

RowVerdict checkStartRow(bool syncConnected, TDateTime syncTime, bool beginNow, TDateTime begin,
                         bool endByCommand, TDateTime end) {
    if (!syncConnected)
        return {RowCheck::SkipRow, u"e069"};
    if (!beginNow && begin.days() - kStartMarginDays < syncTime.days())
        return {RowCheck::StopRows, u"e067"};
    if (!endByCommand && end.days() - kStartMarginDays < syncTime.days())
        return {RowCheck::StopRows, u"e068"};
    if (syncTimeUnusable(syncTime))
        return {RowCheck::StopRows, u"e076"};
    return {};
}

RowVerdict checkStopRow(bool syncConnected, TDateTime syncTime) {
    if (!syncConnected)
        return {RowCheck::SkipRow, u"e078"};
    if (syncTimeUnusable(syncTime))
        return {RowCheck::StopRows, u"e077"};
    return {};
}

bool downloadPeriodReversed(TDateTime begin, TDateTime end) { return begin > end; }

} // namespace kalver::stationdata
