#include "stationdata/StationTypeKey.h"

namespace kalver::stationdata {

QString stationTypeKey(QByteArrayView typeText) {
    quint64 number = 0;
    for (qsizetype i = 0; i < 7 && i < typeText.size(); ++i)
        number |= static_cast<quint64>(static_cast<quint8>(typeText[i])) << (8 * i);
    return QStringLiteral("%1").arg(number, 16, 16, QLatin1Char('0')).toUpper();
}

} // namespace kalver::stationdata
