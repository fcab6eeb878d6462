#include "link/ChargeTrend.h"

#include "core/ByteWriter.h"

#include <QFile>

namespace kalver::link {

QString chargeTrendPath(const QString& folder, int stationNumber) {
    return folder + QString::number(stationNumber) + QStringLiteral(".crg");
}

QByteArray chargeTrendRecord(TDateTime localTime, double chargeLevel) {
    ByteWriter w(kChargeTrendRecordSize);
    w.put(localTime.days()).put(chargeLevel);
    return w.take();
}

bool appendChargeTrend(const QString& path, TDateTime localTime, double chargeLevel) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    if (!file.seek(file.size()))
        return false;
    const QByteArray record = chargeTrendRecord(localTime, chargeLevel);
    return file.write(record) == record.size();
}

} // namespace kalver::link
