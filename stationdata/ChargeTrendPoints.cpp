#include "stationdata/ChargeTrendPoints.h"

#include "core/ByteReader.h"
#include "link/ChargeTrend.h"

#include <QFile>
#include <QRandomGenerator>

#include <cmath>

namespace kalver::stationdata {

namespace {
// 1900-01-01 and 9999-12-31 as day counts since 1899-12-30.
constexpr double kFirstDay = 2.0;
constexpr double kLastDay = 2958466.0;
} // namespace

std::optional<QList<ChargePoint>> readChargeTrendPoints(const QString& path, qsizetype maxPoints) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 records = file.size() / link::kChargeTrendRecordSize;
    const qint64 skipped = std::max<qint64>(0, records - maxPoints);
    if (skipped > 0 && !file.seek(skipped * link::kChargeTrendRecordSize))
        return std::nullopt;
    const QByteArray bytes = file.read((records - skipped) * link::kChargeTrendRecordSize);
    QList<ChargePoint> points;
    points.reserve(bytes.size() / link::kChargeTrendRecordSize);
    ByteReader r(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    ChargePoint p;
    while (r.read(p.localDays) && r.read(p.level)) {
        if (std::isfinite(p.localDays) && std::isfinite(p.level) && p.localDays >= kFirstDay && p.localDays < kLastDay)
            points.append(p);
    }
    return points;
}

QColor chargeCurveColour(quint32 r) {
    const quint32 value = r % kChargeColourRange + kChargeColourBase;
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QColor randomChargeCurveColour() {
    return chargeCurveColour(QRandomGenerator::global()->bounded(kChargeColourRange));
}

} // namespace kalver::stationdata
