// Arbitrary bytes read as a charge-trend file "<number>.crg": the input is written to a scratch file
// and read for the curve with a small point limit, so that the "latest points of a longer file" path
// runs too. Every point read is finite and within the years 1900 ... 9999.

#include "stationdata/ChargeTrendPoints.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path =
        QDir::tempPath() + QStringLiteral("/kalver-charge-fuzz-%1.crg").arg(static_cast<qint64>(::getpid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const qsizetype limit = size > 0 ? 1 + data[0] % 8 : 1;
    const auto points = stationdata::readChargeTrendPoints(path, limit);
    if (!points)
        __builtin_trap();
    if (points->size() > limit || points->size() > static_cast<qsizetype>(size / 16))
        __builtin_trap();
    for (const stationdata::ChargePoint& p : *points) {
        if (!std::isfinite(p.localDays) || !std::isfinite(p.level))
            __builtin_trap();
    }
    return 0;
}
