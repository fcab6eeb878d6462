#include "stationdata/StationListText.h"

#include <QStringList>

#include <algorithm>

namespace kalver::stationdata {

QList<std::int32_t> parseStationList(const QString& text) {
    QList<std::int32_t> numbers;
    const QStringList pieces = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& piece : pieces) {
        bool ok = false;
        const int value = piece.trimmed().toInt(&ok);
        if (ok)
            numbers.append(value);
    }
    return numbers;
}

QString joinStationList(const QList<std::int32_t>& numbers) {
    QStringList pieces;
    pieces.reserve(numbers.size());
    for (std::int32_t n : numbers)
        pieces.append(QString::number(n));
    return pieces.join(QLatin1Char(','));
}

} // namespace kalver::stationdata
