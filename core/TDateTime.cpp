#include "core/TDateTime.h"

#include <cmath>

namespace kalver {

namespace {
const qint64 kJulianDayOf18991230 = QDate(1899, 12, 30).toJulianDay();

qint64 roundedMsecs(double days) { return static_cast<qint64>(std::llround(days * TDateTime::kMsecsPerDay)); }
}

TDateTime TDateTime::fromUnixSeconds(qint64 seconds) {
    return TDateTime(kUnixEpochDays + static_cast<double>(seconds) / kSecondsPerDay);
}

qint64 TDateTime::toUnixSeconds() const {
    return static_cast<qint64>(std::llround((m_days - kUnixEpochDays) * kSecondsPerDay));
}

TDateTime TDateTime::fromWallClock(const QDate& date, const QTime& time) {
    const double whole = static_cast<double>(date.toJulianDay() - kJulianDayOf18991230);
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / kMsecsPerDay : 0.0;
    return TDateTime(whole + fraction);
}

double TDateTime::datePart() const {
    return std::floor(static_cast<double>(roundedMsecs(m_days)) / kMsecsPerDay);
}

QDate TDateTime::date() const {
    const qint64 ms = roundedMsecs(m_days);
    const qint64 wholeDays = static_cast<qint64>(std::floor(static_cast<double>(ms) / kMsecsPerDay));
    return QDate::fromJulianDay(kJulianDayOf18991230 + wholeDays);
}

QTime TDateTime::time() const {
    const qint64 ms = roundedMsecs(m_days);
    qint64 inDay = ms % 86400000;
    if (inDay < 0)
        inDay += 86400000;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(inDay));
}

QDateTime TDateTime::toQDateTime(Qt::TimeSpec timeSpec) const {
    return QDateTime(date(), time(), timeSpec);
}

TDateTime TDateTime::nowLocal() { return fromWallClock(QDateTime::currentDateTime()); }

TDateTime TDateTime::nowUtc() { return fromWallClock(QDateTime::currentDateTimeUtc()); }

TDateTime TDateTime::utcToLocal() const {
    return fromWallClock(toQDateTime(Qt::UTC).toLocalTime());
}

TDateTime TDateTime::localToUtc() const {
    return fromWallClock(toQDateTime(Qt::LocalTime).toUTC());
}

} // namespace kalver
