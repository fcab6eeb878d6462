#pragma once
// The system's date-time value: whole days since 30 December 1899, the fraction being the time of day.
// Stations and sync servers send 32-bit seconds since 1970-01-01 00:00 UTC; charge-trend files and the
// journal hold local day counts. A day count carries no zone of its own: whoever holds one knows
// whether it is a UTC or a local wall-clock reading, and converts with the functions below.

#include <QDateTime>
#include <QtGlobal>

namespace kalver {

class TDateTime {
public:
    // Day count of 1970-01-01 00:00.
    static constexpr double kUnixEpochDays = 25569.0;
    static constexpr double kSecondsPerDay = 86400.0;
    static constexpr double kMsecsPerDay = 86400000.0;

    constexpr TDateTime() = default;
    constexpr explicit TDateTime(double days) : m_days(days) {}

    constexpr double days() const { return m_days; }
    constexpr bool operator==(const TDateTime&) const = default;
    constexpr auto operator<=>(const TDateTime&) const = default;

    // Seconds since 1970 as a day count of the same clock (UTC seconds give a UTC day count).
    static TDateTime fromUnixSeconds(qint64 seconds);
    // Nearest whole second since 1970 of this day count.
    qint64 toUnixSeconds() const;

    // The wall-clock fields of `dt` (its date and time as it shows them) as a day count.
    static TDateTime fromWallClock(const QDate& date, const QTime& time);
    static TDateTime fromWallClock(const QDateTime& dt) { return fromWallClock(dt.date(), dt.time()); }
    // The day count's date and time of day, as wall-clock fields, rounded to the millisecond.
    QDate date() const;
    QTime time() const;
    // The day count read as a wall-clock reading in `timeSpec` (Qt::LocalTime or Qt::UTC).
    QDateTime toQDateTime(Qt::TimeSpec timeSpec) const;

    // Now, as the local wall clock shows it.
    static TDateTime nowLocal();
    // Now, in UTC.
    static TDateTime nowUtc();

    // A UTC day count as the local wall clock shows the same instant, and back.
    TDateTime utcToLocal() const;
    TDateTime localToUtc() const;

    // Whole days (the date part) and the fraction (the time part).
    double datePart() const;
    double timePart() const { return m_days - datePart(); }

private:
    double m_days = 0.0;
};

} // namespace kalver
