#include "demo/StationType.h"

namespace kalver::demo {

const StationType& stationType(StationKind kind) {
    static const StationType qm7_521{StationKind::Qm7_521, QByteArray("qm7  521", 8), 4, 3, 6, true,
                                     CatalogueLayout::ValidFlagAt124};
    static const StationType qm7_52{StationKind::Qm7_52, QByteArray("qm7  52\0", 8), 3, 3, 4, true,
                                    CatalogueLayout::EmptyMarkAt0};
    return kind == StationKind::Qm7_521 ? qm7_521 : qm7_52;
}

QString stationTypeKey(QByteArrayView typeText) {
    quint64 number = 0;
    for (qsizetype i = 0; i < 7 && i < typeText.size(); ++i)
        number |= static_cast<quint64>(static_cast<quint8>(typeText[i])) << (8 * i);
    return QStringLiteral("%1").arg(number, 16, 16, QLatin1Char('0')).toUpper();
}

} // namespace kalver::demo
